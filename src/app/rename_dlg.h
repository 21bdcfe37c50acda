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

#include <memory>
#include <vector>
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

struct OptionBinding;
struct OptionChange;
struct RenamePlan;
struct Journal;
struct JournalFile;

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
    // A file of the same Explorer selection handed over by the process Explorer started
    // for it: selected too, while this window gathers (see SelectionGatherer).
    bool OnHandedOver(const COPYDATASTRUCT& data);
    void StopGathering();
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
    // Rule sets: the system menu's "Sa&ve Rules As..." (Ctrl+S), "&Open Rules..."
    // (Ctrl+O) and the entry `index` of "Recen&t Rules".
    void OnSaveRules();
    void OnOpenRules();
    void OnRecentRules(size_t index);
    // Puts a rule set's options into the window; says why not where it cannot
    // ("Cannot open: PATH", "Not a rule set: PATH").
    bool OpenRuleSet(const std::string& path);
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
    // Ctrl+S and Ctrl+O.
    static constexpr UINT WM_APP_SAVERULES = WM_APP + 3;
    static constexpr UINT WM_APP_OPENRULES = WM_APP + 4;

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
    // At start-up: true when the journal shows a run that never reached its end; it is
    // kept, held, in m_unfinished, and offered for undoing by CheckUnfinishedRun once the
    // window shows.
    bool FindUnfinishedRun();
    void CheckUnfinishedRun();
    static constexpr UINT WM_APP_UNFINISHED = WM_APP + 5;
    // Gathering ends this long after the last file handed over (or the window showed).
    static constexpr UINT_PTR kGatherTimer = 1;
    static constexpr UINT kGatherQuietMs = 3000;
    std::unique_ptr<JournalFile> m_unfinished;
    // The entries an undo would act on, looked at with the progress window up; false
    // when the user cancelled.
    bool CheckEntries(const Journal& journal, std::vector<size_t>& changed);
    // Puts back the journal's `changed` entries, marks those that went back in the held
    // journal, lets it go and tells what could not go back.
    void UndoRun(JournalFile& file, const std::vector<size_t>& changed);
    CtrlKey m_undoKey;
    // A run, an undo or a Delete is going on (the window handles messages meanwhile).
    bool m_busy = false;
    struct Busy {
        explicit Busy(bool& flag) : m_flag(flag), m_was(flag) { m_flag = true; }
        ~Busy() { m_flag = m_was; }
        bool& m_flag;
        const bool m_was;
    };
    // The last run here went ahead without its journal.
    bool m_runWithoutJournal = false;
    // --- rule sets
    std::vector<std::string> RecentRules();
    // Writes the recent list and shows it in the sub-menu.
    void KeepRecentRules(const std::vector<std::string>& paths);
    void ShowRecentRules(const std::vector<std::string>& paths);
    // The Save or Open dialog; "" when cancelled.
    std::string ChooseRuleSet(bool save);
    HMENU m_recentMenu = nullptr;  // "Recen&t Rules", owned by the system menu
    std::string m_rulesFolder;     // the folder of the last rule set chosen
    CtrlKey m_saveRulesKey, m_openRulesKey;
    // --- settings and options window
    // --- single-file tools: file status, deleting, tooltips, about box
    ToolTips m_toolTips{*this, m_services.files};
    // The application's help command (F1, ID_HELP): the help page.
    void OnHelpCommand();
};
