// The main window: owns every piece of the program's state (the renaming options
// bound to its controls, the working copies of the program settings, the browsing
// state and the names gathered by a preview run). All other windows open from here.
#pragma once

#include "browse/file_list_pane.h"
#include "naming/rename_options.h"
#include "res/resource.h"
#include "tools/tooltips.h"
#include "winui/afx.h"
#include "winui/dialog.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

struct OptionBinding;
struct OptionChange;

class CRenameDlg : public CDialog, public RenameOptions {
public:
    explicit CRenameDlg(HWND parent = nullptr);
    ~CRenameDlg() override;

    // Main window state; start values are given at the beginning of start-up.
    BrowseState m_browse;              // listed directory, filter, order, list indices, caret name
    CString m_strDestination;          // where "Move renamed files..." puts files
    CStringArray m_arrNewNames;        // names gathered by a preview run, in list order
    int m_bToolTip = TRUE;
    int m_bPreviewRun = FALSE;         // set only while the run works for the full preview
    int m_bWarnRename = TRUE;
    int m_bWarnDelete = TRUE;
    int m_bAutoSelect = FALSE;
    int m_bNoRefresh = FALSE;
    int m_bUseNewDir = FALSE;
    int m_bAbortOnError = TRUE;
    int m_bSetAttrib = FALSE;
    int m_bArchive = 2;                // three-state: 0 clear, 1 set, 2 leave as is
    int m_bReadOnly = 2;
    int m_bHidden = 2;
    int m_bSystem = 2;
    int m_bTimeDate = FALSE;
    int m_nYear = 1980, m_nMonth = 1, m_nDay = 1;
    int m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
    int m_bIncTime = FALSE;
    int m_nIncHour = 0, m_nIncMinute = 0, m_nIncSecond = 0;
    // (the RenameOptions fields come from the base)
    HICON m_hIcon = nullptr;

    // Operations shared by the handlers.
    void EnableBasicControls();
    void EnableAdvancedControls();
    void UpdateRealTimePreview();
    int ComposeBasicName(const CString& oldName, const char* counterText, int& firstFlag, CString& newName);
    int ComposeAdvancedName(const CString& oldName, int& firstFlag, CString& newName);
    void FillFileList();
    void OpenStartDirectory(const CString& startPath);
    // True when the file gave the window its place (all four numbers of its rectangle).
    bool LoadSettings(CString& startDir);
    void SaveSettings();
    // Turns the main window's tooltips on or off as a whole.
    void EnableToolTips(BOOL enable);

    // The own virtual operation: keys pressed in the file list (Delete deletes files).
    virtual int OnVKeyToItem(UINT key, HWND listBox, UINT caretIndex);

    // Handlers (public so that the message map and tests reach them alike).
    void OnSysCommand(UINT id, LPARAM lParam, bool& handled);
    bool OnPaint();
    void OnSize(UINT type, int cx, int cy);
    void OnExit();
    void OnTreeSelChanged(NMHDR* hdr, LRESULT* result);
    void OnTreeItemExpanding(NMHDR* hdr, LRESULT* result);
    void OnTreeItemExpanded(NMHDR* hdr, LRESULT* result);
    void OnTreeDblClk(NMHDR* hdr, LRESULT* result);
    void OnDriveChanged();
    void OnFileListSelChange();
    void OnFileListDblClk();
    void OnClear();
    void OnFilterChanged();
    void OnSortChanged();
    void OnExtended();
    // A click or an edit change of an option control (its id).
    void OnOptionControl(int id);
    void OnSearchMaskChanged();
    void OnRename();
    void OnFullPreview();
    void OnAbout();
    void OnOptions();
    void OnToolTipNeedText(NMHDR* hdr, LRESULT* result);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void BuildMessageMap();

    // Each area of the window keeps its private helpers and state in its own block.
    // --- browsing: drive box, directory tree, file list
public:
    // The run, the preview and the tools read the selection through it.
    FileListPane& FilePane() { return m_filePane; }

private:
    FileListPane m_filePane;
    // --- option controls and name composition
    // What the control of `b` now holds (`id`: the control that spoke).
    OptionChange ReadOptionControl(const OptionBinding& b, int id) const;
    // Shows the field of `b` in its control.
    void ShowOptionField(const OptionBinding& b);
    int EditSelectionStart(int editId) const;
    // --- rename run and full preview
    // The file's last-modified time becomes the run's stamp time, stepped by `increment`
    // first unless `position` is 0; its other times and its attributes stay as they were.
    bool StampFileTime(const CString& path, FileStatus& status, TimeValue& stampTime,
                       TimeValue increment, int position, CString& error);
    // The attribute settings (0 clear, 1 set, 2 keep) applied to the file; no time changes.
    bool ApplyAttributes(const CString& path, FileStatus& status, CString& error);
    // Time and attributes of one handled file, as the options ask; false (after telling
    // the user) when the file refused them, which stops the run.
    bool StampAndAttribute(const CString& path, TimeValue& stampTime, TimeValue increment,
                           int position);
    // --- settings and options window
    // --- single-file tools: file status, deleting, tooltips, about box
    ToolTips m_toolTips{*this, Platform()};
    // The application's help command (F1, ID_HELP): the help page.
    void OnHelpCommand();
};
