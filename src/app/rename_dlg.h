// The main window: owns every piece of the program's state (the renaming options
// bound to its controls, the working copies of the program settings and the browsing
// state). All other windows open from here.
#pragma once

#include "app/services.h"
#include "browse/file_list_pane.h"
#include "metadata/file_facts.h"
#include "naming/rename_options.h"
#include "res/resource.h"
#include "settings/program_settings.h"
#include "tools/tooltips.h"
#include "winui/afx.h"
#include "winui/ctrl_key.h"
#include "winui/dialog.h"

#include <vector>
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

struct OptionBinding;
struct OptionChange;
struct RenamePlan;
struct Journal;

// The settings' fields (m_bWarnRename ... m_nIncSecond) come from ProgramSettings.
class CRenameDlg : public CDialog, public RenameOptions, public ProgramSettings {
public:
    explicit CRenameDlg(const Services& services, HWND parent = nullptr);
    ~CRenameDlg() override;

    // The file and clock services of the handlers (their UI services: Ui()).
    FileServices& Files() const { return m_services.files; }

    // Main window state; start values are given at the beginning of start-up.
    BrowseState m_browse;              // listed directory, filter, order, list indices, caret name
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
    // Paths handed to the program (command line, drop): opens their directory and selects
    // their files; says "Cannot open: PATH" for what cannot be, keeping the folder shown.
    // True when their directory was opened.
    bool OpenHanded(const std::vector<std::string>& paths);
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
    // WM_DPICHANGED: the window moved to a display of another scale.
    void OnDpiChanged(UINT dpi, const RECT* suggested);
    void OnExit();
    void OnTreeSelChanged(NMHDR* hdr, LRESULT* result);
    void OnTreeItemExpanding(NMHDR* hdr, LRESULT* result);
    void OnTreeItemExpanded(NMHDR* hdr, LRESULT* result);
    void OnTreeDblClk(NMHDR* hdr, LRESULT* result);
    void OnDriveChanged();
    // Folders or files dropped on the window (WM_DROPFILES).
    void OnDropFiles(HDROP drop);
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
    // The system menu's "&Undo Last Run" and Ctrl+Z: the journal's run goes back.
    void OnUndoLastRun();
    void OnAbout();
    void OnOptions();
    void OnToolTipNeedText(NMHDR* hdr, LRESULT* result);

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void BuildMessageMap();
    // Posted after a change of display scale: the file list is placed again once the
    // dialog manager has scaled the other controls.
    static constexpr UINT WM_APP_RELAYOUT = WM_APP + 1;
    // Ctrl+Z outside an edit box.
    static constexpr UINT WM_APP_UNDO = WM_APP + 2;

    // Given by the creator; the windows opened from here get them too.
    const Services m_services;
    // What the name fields and the orders by date taken draw on, kept by file.
    FileFactCache m_facts{m_services.files};

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
    // --- rename run, full preview and undo
    // At start-up: a run the journal shows unfinished is offered for undoing.
    void CheckUnfinishedRun();
    // Puts back the journal's `changed` entries, marks the journal undone and tells
    // what could not go back.
    void UndoRun(const Journal& journal, const std::vector<size_t>& changed);
    CtrlKey m_undoKey;
    // --- settings and options window
    // --- single-file tools: file status, deleting, tooltips, about box
    ToolTips m_toolTips{*this, m_services.files};
    // The application's help command (F1, ID_HELP): the help page.
    void OnHelpCommand();
};
