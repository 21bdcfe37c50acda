// Start-up of the main window: everything between the controls' creation and
// the window's first appearance, in a fixed order.
#include "app/rename_dlg.h"

namespace {

// Centres a window on its screen's work area unless it moved away from
// `before` meanwhile, it is already visible, or an enabled owner keeps it.
void CenterIfUnmoved(HWND hwnd, const RECT& before) {
    RECT now;
    ::GetWindowRect(hwnd, &now);
    if (now.left != before.left || now.top != before.top) return;
    if (::IsWindowVisible(hwnd)) return;
    HWND owner = ::GetWindow(hwnd, GW_OWNER);
    if (owner && ::IsWindowEnabled(owner)) return;
    CenterWindow(hwnd);
}

}  // namespace

BOOL CRenameDlg::OnInitDialog() {
    RECT before;
    ::GetWindowRect(m_hWnd, &before);

    // The filter and sort combos' entries, before the controls take their fields.
    m_filePane.FillChoiceTexts();

    // 1. Every control gets its field once.
    CDialog::OnInitDialog();

    // 2. "&About Vorlix..." at the end of the system menu.
    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        const std::string text = LoadResourceString(IDS_ABOUTBOX);
        if (!text.empty()) {
            ::AppendMenuW(sysMenu, MF_SEPARATOR, 0, nullptr);
            AppendMenuText(sysMenu, MF_STRING, IDM_ABOUTBOX, text);
        }
        AppendMenuText(sysMenu, MF_STRING, IDM_UNDOLASTRUN, LoadResourceString(IDS_UNDOLASTRUN));
        AppendMenuText(sysMenu, MF_STRING, IDM_SAVERULES, LoadResourceString(IDS_SAVERULES));
        AppendMenuText(sysMenu, MF_STRING, IDM_OPENRULES, LoadResourceString(IDS_OPENRULES));
        m_recentMenu = ::CreatePopupMenu();
        AppendMenuText(sysMenu, MF_POPUP, reinterpret_cast<UINT_PTR>(m_recentMenu),
                       LoadResourceString(IDS_RECENTRULES));
        ShowRecentRules(RecentRules());
    }

    // 3. Large icon first, then the small one.
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // 4. Folder images: closed first (index 0), open second (index 1).
    m_filePane.CreateImages();

    // 5. Start values, before the settings file may change them.
    m_strSearchMask = "*.*";
    m_strPreview = "(NO CHANGES)";
    // No directory, caret name or remembered indices; the first filter and order.
    m_browse = BrowseState();
    // Warnings, tooltips and abort on; attributes left as they are; 1980-01-01 00:00:00.
    static_cast<ProgramSettings&>(*this) = ProgramSettings();
    EnableToolTips(TRUE);

    // 6. The settings file: the fields take what it holds; the window moves to
    // the saved rectangle when all four numbers were read, and the tooltips
    // follow its TOOLTIP line. The start directory is only kept for step 9.
    CString startDir;
    const bool placed = LoadSettings(startDir);

    // 7. Long names can be scrolled into view. 8. Filter and sort entries.
    m_filePane.ShowChoices();

    // A run that never reached its end (the program was killed half-way) is offered for
    // undoing once the window shows: checking a long run's files takes a while.
    if (FindUnfinishedRun()) ::PostMessageW(m_hWnd, WM_APP_UNFINISHED, 0, 0);

    // 9. Drive box, current directory, tree; the tree's selection fills the list. A path
    // given on the command line takes the saved directory's place where it can be opened.
    if (!OpenHanded(m_services.openPaths)) OpenStartDirectory(startDir);
    if (m_services.gatherer) {
        m_services.gatherer->Open(m_hWnd);
        ::SetTimer(m_hWnd, kGatherTimer, kGatherQuietMs, nullptr);
    }
    // "/rules FILE": its options over those of the settings file.
    if (!m_services.rulesPath.empty()) OpenRuleSet(m_services.rulesPath);

    // 10. Controls from the fields, the enabled states and the preview line.
    EnableBasicControls();
    EnableAdvancedControls();

    // A window that start-up did not move appears centred, not at the
    // template's corner. A saved place counts as a move even where it is the
    // very corner the window was created at (the work area's top-left).
    if (!placed) CenterIfUnmoved(m_hWnd, before);

    // Folders and files may be dropped on the window.
    ::DragAcceptFiles(m_hWnd, TRUE);
    // Ctrl+Z undoes the last run wherever the focus is, except in an edit box.
    m_undoKey.Watch(m_hWnd, 'Z', WM_APP_UNDO);
    // Ctrl+S and Ctrl+O mean nothing to an edit box: they work there too.
    m_saveRulesKey.Watch(m_hWnd, 'S', WM_APP_SAVERULES, true);
    m_openRulesKey.Watch(m_hWnd, 'O', WM_APP_OPENRULES, true);

    // 11. The focus goes to the first control.
    return TRUE;
}
