// Rule sets: the system menu's "Sa&ve Rules As...", "&Open Rules..." and "Recen&t
// Rules" (Ctrl+S, Ctrl+O), a dropped rule set and "/rules FILE" at start-up.
#include "app/rename_dlg.h"

#include "platform/move_rules.h"
#include "settings/rule_set.h"
#include "winui/app.h"

namespace {

const char* const kRuleSetKind = "Vorlix rule sets";
const char* const kRuleSetErrorTitle = "Rule Set Error:";

// A menu shows "&" as the access key's mark: a path's own is doubled.
std::string MenuText(size_t index, const std::string& path) {
    std::string text = "&" + std::to_string(index + 1) + " ";
    for (char c : path) text += c == '&' ? std::string("&&") : std::string(1, c);
    return text;
}

}  // namespace

std::vector<std::string> CRenameDlg::RecentRules() {
    std::string text;
    if (m_services.recentRulesPath.empty() || !Files().ReadFile(m_services.recentRulesPath, text)) return {};
    return ReadRecentRules(text);
}

void CRenameDlg::KeepRecentRules(const std::vector<std::string>& paths) {
    // The list is a convenience: where it cannot be written it is simply not kept.
    if (!m_services.recentRulesPath.empty() && Files().MakeDirectory(DirectoryOf(m_services.recentRulesPath)))
        Files().WriteFileReplacing(m_services.recentRulesPath, FormatRecentRules(paths));
    ShowRecentRules(paths);
}

void CRenameDlg::ShowRecentRules(const std::vector<std::string>& paths) {
    if (!m_recentMenu) return;
    while (::GetMenuItemCount(m_recentMenu) > 0) ::DeleteMenu(m_recentMenu, 0, MF_BYPOSITION);
    for (size_t i = 0; i < paths.size(); ++i)
        AppendMenuText(m_recentMenu, MF_STRING, IDM_RECENTRULES + 16 * UINT(i), MenuText(i, paths[i]));
    // A sub-menu has no id of its own: it is found by its place.
    HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE);
    for (int i = 0; sysMenu && i < ::GetMenuItemCount(sysMenu); ++i)
        if (::GetSubMenu(sysMenu, i) == m_recentMenu)
            ::EnableMenuItem(sysMenu, UINT(i), MF_BYPOSITION | (paths.empty() ? MF_GRAYED : MF_ENABLED));
}

std::string CRenameDlg::ChooseRuleSet(bool save) {
    std::string folder = m_rulesFolder;
    if (folder.empty() && !m_services.rulesFolder.empty() && Files().MakeDirectory(m_services.rulesFolder))
        folder = m_services.rulesFolder;
    const std::string path = Ui().ChooseFile(m_hWnd, save, folder, kRuleSetKind, kRuleSetExtension);
    if (!path.empty()) m_rulesFolder = DirectoryOf(path);
    return path;
}

void CRenameDlg::OnSaveRules() {
    const std::string path = ChooseRuleSet(true);
    if (path.empty()) return;
    // Replaced only once the new file is complete, as the settings file is.
    if (!Files().WriteFileReplacing(path, FormatRuleSet(*this))) {
        MessageBox("Cannot write: " + path, kRuleSetErrorTitle, MB_ICONEXCLAMATION);
        return;
    }
    KeepRecentRules(WithRecentFirst(RecentRules(), path));
}

void CRenameDlg::OnOpenRules() {
    const std::string path = ChooseRuleSet(false);
    if (!path.empty()) OpenRuleSet(path);
}

void CRenameDlg::OnRecentRules(size_t index) {
    const std::vector<std::string> paths = RecentRules();
    if (index < paths.size()) OpenRuleSet(paths[index]);
}

bool CRenameDlg::OpenRuleSet(const std::string& path) {
    // One byte more than a rule set may hold tells a file that is too long.
    std::string bytes;
    if (!Files().ReadFileStart(path, kMaxRuleSetBytes + 1, bytes)) {
        MessageBox("Cannot open: " + path, "NOTE:", MB_ICONINFORMATION);
        KeepRecentRules(WithoutRecent(RecentRules(), path));
        return false;
    }
    const std::optional<RenameOptions> rules = ReadRuleSet(bytes);
    if (!rules) {
        MessageBox("Not a rule set: " + path, kRuleSetErrorTitle, MB_ICONEXCLAMATION);
        return false;
    }
    // As if each control had been changed by hand: the window's rules hold.
    static_cast<RenameOptions&>(*this) = WithRuleSet(*this, *rules);
    EnableBasicControls();
    EnableAdvancedControls();
    KeepRecentRules(WithRecentFirst(RecentRules(), path));
    return true;
}
