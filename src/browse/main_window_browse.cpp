// The main window's side of browsing: the drive box, the directory tree and the file list.
#include "app/rename_dlg.h"

void CRenameDlg::FillFileList() {}
void CRenameDlg::OpenStartDirectory(const CString&) {}
void CRenameDlg::OnTreeSelChanged(NMHDR*, LRESULT* result) { *result = 0; }
void CRenameDlg::OnTreeItemExpanding(NMHDR*, LRESULT* result) { *result = 0; }
void CRenameDlg::OnTreeItemExpanded(NMHDR*, LRESULT* result) { *result = 0; }
void CRenameDlg::OnTreeDblClk(NMHDR*, LRESULT* result) { *result = 0; }
void CRenameDlg::OnDriveChanged() {}
void CRenameDlg::OnFileListSelChange() {}
void CRenameDlg::OnClear() {}
void CRenameDlg::OnFilterChanged() {}
void CRenameDlg::OnSortChanged() {}
void CRenameDlg::OnExtended() { UpdateData(TRUE); }
void CRenameDlg::OnSearchMaskChanged() { UpdateData(TRUE); }
