// The main window: owns every piece of the program's state (the renaming options
// bound to its controls, the working copies of the program settings, the browsing
// state and the names gathered by a preview run). All other windows open from here.
#pragma once

#include "naming/rename_options.h"
#include "res/resource.h"
#include "tools/tooltip_text.h"
#include "winui/afx.h"
#include "winui/dialog.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

class CRenameDlg : public CDialog, public RenameOptions {
public:
    explicit CRenameDlg(HWND parent = nullptr);
    ~CRenameDlg() override;

    // Main window state; start values are given at the beginning of start-up.
    HIMAGELIST m_imageList = nullptr;  // 16x16 folder icons of the tree (0 closed, 1 open)
    CString m_strCurDir;               // listed directory, full path ending in a backslash
    CString m_strCaretName;            // the next list refill puts its caret here
    CString m_strDestination;          // where "Move renamed files..." puts files
    int m_nFileFilter = 0;             // attribute filter entry, 0..4
    int m_nFileSort = 0;               // sort order entry, 0..9
    int m_nAnchorIndex = -1;           // list anchor remembered between selection changes
    int m_nCaretIndex = -1;            // list caret remembered between selection changes
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
    void LoadSettings(CString& startDir);
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
    void OnSingleMultiple();
    void OnExtended();
    void OnChangePrefix();
    void OnChangeExt();
    void OnNewPrefixChanged();
    void OnNewExtChanged();
    void OnPositionClicked();
    void OnCountPrefix();
    void OnCountExt();
    void OnAlphaCount();
    void OnPrefixUpper();
    void OnPrefixLower();
    void OnExtUpper();
    void OnExtLower();
    void OnStartCountChanged();
    void OnIncrementChanged();
    void OnSearchMaskChanged();
    void OnPreviewChanged();
    void OnInsert();
    void OnReplace();
    void OnInsStr1Changed();
    void OnInsStr2Changed();
    void OnInsAtPosChanged();
    void OnInsAfter();
    void OnInsBefore();
    void OnReStr1Changed();
    void OnReFromPosChanged();
    void OnReToPosChanged();
    void OnExchangeOnly();
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
    // --- option controls and name composition
    using OptionFlag = int RenameOptions::*;
    using OptionText = CString RenameOptions::*;
    void OnChangeBoxClicked(OptionFlag change, OptionFlag count);
    void OnCountBoxClicked(OptionFlag own, OptionFlag partner);
    void OnCaseBoxClicked(OptionFlag own, OptionFlag partner);
    void OnAdvancedModeClicked(OptionFlag own, OptionFlag other);
    void OnInsertSideClicked(OptionFlag own, OptionFlag partner);
    void CheckRangePosition(int editId, OptionText field);
    int EditSelectionStart(int editId) const;
    void RefuseKeystroke(int editId, int selStart);
    bool m_bRestoringPosition = false;  // a refused range position is being put back
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
    HWND m_hToolTip = nullptr;
    // The text of the tooltip being shown; it must outlive the handler that fills it.
    char m_szToolTip[80] = "";
    // The texts of "tooltip.txt" in the current directory, read again only when that
    // file is another one or has changed.
    ToolTipFile m_toolTipFile;
    // The tooltip of a line (1 to 44) from the current directory's tooltip file.
    std::string ToolTipTextOfLine(int line);
    // The application's help command (F1, ID_HELP): the help page.
    void OnHelpCommand();
};
