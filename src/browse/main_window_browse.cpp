// The main window's side of the drive box and the directory tree: the same code
// as the directory chooser's, with the window's current directory as the current
// path and a refill of the file list after every selection.
#include "app/rename_dlg.h"
#include "browse/drive_tree.h"

namespace {

DriveTree TreeOf(CRenameDlg& dlg) {
    return DriveTree(dlg, dlg.m_imageList, dlg.m_strCurDir, [&dlg] { dlg.FillFileList(); });
}

}  // namespace

void CRenameDlg::OpenStartDirectory(const CString& startPath) { TreeOf(*this).OpenStartDirectory(startPath); }
void CRenameDlg::OnTreeSelChanged(NMHDR* hdr, LRESULT* result) { TreeOf(*this).OnSelChanged(hdr, result); }
void CRenameDlg::OnTreeItemExpanding(NMHDR* hdr, LRESULT* result) { TreeOf(*this).OnItemExpanding(hdr, result); }
void CRenameDlg::OnTreeItemExpanded(NMHDR* hdr, LRESULT* result) { TreeOf(*this).OnItemExpanded(hdr, result); }
void CRenameDlg::OnTreeDblClk(NMHDR* hdr, LRESULT* result) { TreeOf(*this).OnDblClk(hdr, result); }
void CRenameDlg::OnDriveChanged() { TreeOf(*this).OnDriveChanged(); }
