#include "browse/dir_explorer_dlg.h"

CDirExplorerDlg::CDirExplorerDlg(UiServices& ui, FileServices& files, HWND parent)
    : CDialog(IDD_DIREXPLORER, ui, parent), m_tree(*this, files, m_strDirPath, [this] { UpdateData(FALSE); }) {
    auto notify = [this](UINT code, void (DriveTree::*fn)(NMHDR*, LRESULT*)) {
        OnNotifyRoute(IDC_DIRTREE, code, [this, fn](NMHDR* hdr, LRESULT* result) { (m_tree.*fn)(hdr, result); });
    };
    notify(TVN_SELCHANGEDW, &DriveTree::OnSelChanged);
    notify(TVN_ITEMEXPANDINGW, &DriveTree::OnItemExpanding);
    notify(TVN_ITEMEXPANDEDW, &DriveTree::OnItemExpanded);
    notify(NM_DBLCLK, &DriveTree::OnDblClk);
    OnCommandRoute(IDC_DRIVES, CBN_SELCHANGE, [this] { m_tree.OnDriveChanged(); });
    // On a display of another scale the folder images are made for it; the dialog
    // manager scales the window and its controls.
    OnMessageRoute(WM_DPICHANGED, [this](WPARAM, LPARAM, LRESULT&) {
        m_tree.CreateImages();
        return false;
    });
}

BOOL CDirExplorerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_tree.CreateImages();
    // The start path and the current path are the same member here.
    m_tree.OpenStartDirectory(m_strDirPath);
    return TRUE;
}
