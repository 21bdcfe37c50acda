// The main window: owns every piece of the program's state (the renaming options
// bound to its controls, the working copies of the program settings and the browsing
// state). All other windows open from here.
#pragma once

#include "naming/rename_options.h"
#include "res/resource.h"
#include "settings/program_settings.h"
#include "winui/afx.h"
#include "winui/dialog.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

struct RenamePlan;

// The settings' fields (m_bWarnRename ... m_nIncSecond) come from ProgramSettings.
class CRenameDlg : public CDialog, public RenameOptions, public ProgramSettings {
public:
    explicit CRenameDlg(HWND parent = nullptr);
    ~CRenameDlg() override;

    // Main window state; start values are given at the beginning of start-up.
    HIMAGELIST m_imageList = nullptr;  // 16x16 folder icons of the tree (0 closed, 1 open)
    CString m_strCurDir;               // listed directory, full path ending in a backslash
    CString m_strCaretName;            // the next list refill puts its caret here
    int m_nFileFilter = 0;             // attribute filter entry, 0..4
    int m_nFileSort = 0;               // sort order entry, 0..9
    int m_nAnchorIndex = -1;           // list anchor remembered between selection changes
    int m_nCaretIndex = -1;            // list caret remembered between selection changes
    // (the RenameOptions and ProgramSettings fields come from the bases)
    HICON m_hIcon = nullptr;

    // Operations shared by the handlers.
    void EnableBasicControls();
    void EnableAdvancedControls();
    void UpdateRealTimePreview();
    // The rename run over the list's selection as the options and settings stand.
    RenamePlan PlanRun();
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
    // The list's selected entries, top to bottom.
    CStringArray SelectedNames();
    // --- settings and options window
    // --- single-file tools: file status, deleting, tooltips, about box
    HWND m_hToolTip = nullptr;
    // The text of the tooltip being shown; it must outlive the handler that fills it.
    char m_szToolTip[80] = "";
    // The application's help command (F1, ID_HELP): the help page.
    void OnHelpCommand();
};
