// The main window's side of the settings: loading at start-up, saving, and the
// options window.
#include "app/rename_dlg.h"

#include "platform/file_services.h"
#include "platform/wide_text.h"
#include "settings/explorer_menu.h"
#include "settings/options_dlg.h"
#include "settings/settings_format.h"

bool CRenameDlg::LoadSettings(CString& startDir) {
    startDir.clear();
    std::string contents;
    // No file (a first run) or one that cannot be read: the start values stand.
    if (!Files().ReadFile(m_services.settingsPath, contents)) return false;

    SettingsFile start;
    start.options = *this;
    start.settings = *this;
    start.fileFilter = m_browse.m_nFileFilter;
    start.fileSort = m_browse.m_nFileSort;
    const SettingsFile read = ReadSettings(contents, start, AnsiToUtf8);
    static_cast<RenameOptions&>(*this) = read.options;
    static_cast<ProgramSettings&>(*this) = read.settings;
    m_browse.m_nFileFilter = read.fileFilter;
    m_browse.m_nFileSort = read.fileSort;
    if (read.windowRead) {
        // Not checked against the screen: the user put it there.
        const WindowRect& r = read.window;
        ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (read.toolTipStored) EnableToolTips(m_bToolTip);
    startDir = read.startDir;
    return read.windowRead;
}

void CRenameDlg::SaveSettings() {
    RECT outer = {};
    ::GetWindowRect(m_hWnd, &outer);
    SettingsFile file;
    file.window = {outer.left, outer.top, outer.right, outer.bottom};
    file.startDir = m_browse.m_strCurDir;
    file.options = *this;
    file.settings = *this;
    file.fileFilter = m_browse.m_nFileFilter;
    file.fileSort = m_browse.m_nFileSort;
    // The file is replaced only once the new one is complete, so a failed
    // write leaves the user's earlier settings as they were.
    if (!Files().WriteFileReplacing(m_services.settingsPath, FormatSettings(file)))
        MessageBox("Error writing to data file!", "Error:", MB_OK | MB_ICONSTOP);
}

void CRenameDlg::OnOptions() {
    // Read anew each time: the entries live in the registry, where others may change them.
    ClassesRegistry* const classes = m_services.classes;
    const bool menuOn = classes && IsExplorerMenuOn(*classes, m_services.exePath);
    COptionsDlg options(Ui(), Files(), m_hWnd, *this, menuOn);
    if (options.DoModal() != IDOK) return;
    static_cast<ProgramSettings&>(*this) = options.Result();
    EnableToolTips(m_bToolTip);
    if (!options.SaveToFile()) return;
    SaveSettings();
    // Written again when ticked, which mends the entries of a moved executable.
    const std::string error = classes ? SetExplorerMenu(*classes, options.ExplorerMenu(), m_services.exePath) : "";
    if (!error.empty()) MessageBox("Cannot change Explorer's menu: " + error, "Options Error:", MB_ICONEXCLAMATION);
}
