// The main window's single-file tools: file status, deleting, tooltips, about box.
#include "app/rename_dlg.h"

void CRenameDlg::OnFileListDblClk() {}
int CRenameDlg::OnVKeyToItem(UINT, HWND, UINT) { return -1; }
void CRenameDlg::EnableToolTips(BOOL) {}
void CRenameDlg::OnToolTipNeedText(NMHDR*, LRESULT* result) { *result = 0; }
void CRenameDlg::OnAbout() {}
