#include "browse/dir_explorer_dlg.h"

#include "browse/drive_tree.h"

namespace {

// The chooser shows what is selected and lists nothing.
DriveTree TreeOf(CDirExplorerDlg& dlg) {
    return DriveTree(dlg, dlg.m_imageList, dlg.m_strDirPath, [&dlg] { dlg.UpdateData(FALSE); });
}

}  // namespace

CDirExplorerDlg::CDirExplorerDlg(HWND parent) : CDialog(IDD_DIREXPLORER, parent) {
    auto notify = [this](UINT code, void (DriveTree::*fn)(NMHDR*, LRESULT*)) {
        OnNotifyRoute(IDC_DIRTREE, code, [this, fn](NMHDR* hdr, LRESULT* result) {
            DriveTree tree = TreeOf(*this);
            (tree.*fn)(hdr, result);
        });
    };
    notify(TVN_SELCHANGEDA, &DriveTree::OnSelChanged);
    notify(TVN_SELCHANGEDW, &DriveTree::OnSelChanged);
    notify(TVN_ITEMEXPANDINGA, &DriveTree::OnItemExpanding);
    notify(TVN_ITEMEXPANDINGW, &DriveTree::OnItemExpanding);
    notify(TVN_ITEMEXPANDEDA, &DriveTree::OnItemExpanded);
    notify(TVN_ITEMEXPANDEDW, &DriveTree::OnItemExpanded);
    notify(NM_DBLCLK, &DriveTree::OnDblClk);
    OnCommandRoute(IDC_DRIVES, CBN_SELCHANGE, [this] { TreeOf(*this).OnDriveChanged(); });
}

CDirExplorerDlg::~CDirExplorerDlg() {
    if (m_imageList) ImageList_Destroy(m_imageList);
}

BOOL CDirExplorerDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    if (m_imageList) ImageList_Destroy(m_imageList);
    m_imageList = CreateFolderImageList();
    // The start path and the current path are the same member here.
    TreeOf(*this).OpenStartDirectory(m_strDirPath);
    return TRUE;
}
