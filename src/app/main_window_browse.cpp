// The main window's browsing handlers: the file list pane does the work; the
// window brings its fields up to date where a handler reads the controls.
#include "app/open_target.h"
#include "app/rename_dlg.h"

#include "platform/move_rules.h"
#include "settings/rule_set.h"

void CRenameDlg::FillFileList() { m_filePane.Fill(); }
void CRenameDlg::OpenStartDirectory(const CString& startPath) { m_filePane.OpenStartDirectory(startPath); }

void CRenameDlg::OnTreeSelChanged(NMHDR* hdr, LRESULT* result) { m_filePane.Tree().OnSelChanged(hdr, result); }
void CRenameDlg::OnTreeItemExpanding(NMHDR* hdr, LRESULT* result) { m_filePane.Tree().OnItemExpanding(hdr, result); }
void CRenameDlg::OnTreeItemExpanded(NMHDR* hdr, LRESULT* result) { m_filePane.Tree().OnItemExpanded(hdr, result); }
void CRenameDlg::OnTreeDblClk(NMHDR* hdr, LRESULT* result) { m_filePane.Tree().OnDblClk(hdr, result); }
void CRenameDlg::OnDriveChanged() { m_filePane.Tree().OnDriveChanged(); }

void CRenameDlg::OnFileListSelChange() { m_filePane.OnSelChange(); }
void CRenameDlg::OnClear() { m_filePane.Clear(); }
void CRenameDlg::OnFilterChanged() { m_filePane.OnFilterChanged(); }
void CRenameDlg::OnSortChanged() { m_filePane.OnSortChanged(); }

void CRenameDlg::OnExtended() {
    UpdateData(TRUE);
    m_filePane.ForgetRangeStart();
}

// The list follows every keystroke in the mask.
void CRenameDlg::OnSearchMaskChanged() {
    UpdateData(TRUE);
    FillFileList();
}

bool CRenameDlg::OpenHanded(const std::vector<std::string>& paths) {
    const OpenTarget target = OpenTargetOf(paths, Files());
    const std::string failed = !target.missing.empty() ? target.missing : target.directory;
    if (!target.missing.empty() || (!target.directory.empty() && !m_filePane.OpenDirectory(target.directory))) {
        MessageBox("Cannot open: " + failed, "NOTE:", MB_ICONINFORMATION);
        return false;
    }
    if (!target.files.empty()) m_filePane.SelectOnly(target.files);
    return !target.directory.empty();
}

bool CRenameDlg::OnHandedOver(const COPYDATASTRUCT& data) {
    if (!m_services.gatherer) return false;
    const std::string path = m_services.gatherer->TakeHandedOver(data);
    // A window busy with a run keeps its list as the run's: the file gets a window of its own.
    if (path.empty() || !::IsWindowEnabled(m_hWnd) || DirectoryOf(path) != m_browse.m_strCurDir) return false;
    ::SetTimer(m_hWnd, kGatherTimer, kGatherQuietMs, nullptr);
    m_filePane.SelectAlso({path.substr(DirectoryOf(path).size())});
    return true;
}

void CRenameDlg::StopGathering() {
    ::KillTimer(m_hWnd, kGatherTimer);
    if (m_services.gatherer) m_services.gatherer->Stop();
}

// A folder dropped on the window opens as one picked in the tree does; dropped files
// open their directory (the first file's) and are selected there.
void CRenameDlg::OnDropFiles(HDROP drop) {
    const std::vector<std::string> dropped = TakeDroppedPaths(drop);
    // While a run goes on the window is disabled: its list must stay the run's.
    if (!::IsWindowEnabled(m_hWnd)) return;
    // A rule set is opened as one; anything dropped with it is handed on as ever.
    std::vector<std::string> others;
    for (const std::string& path : dropped) {
        if (IsRuleSetPath(path)) OpenRuleSet(path);
        else others.push_back(path);
    }
    if (!others.empty()) OpenHanded(others);
}
