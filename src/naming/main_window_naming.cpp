// The main window's side of name composition and of the option controls.
#include "app/rename_dlg.h"

int CRenameDlg::ComposeBasicName(const CString&, const char*, int&, CString& newName) {
    newName.clear();
    return 0;
}
int CRenameDlg::ComposeAdvancedName(const CString&, int&, CString& newName) {
    newName.clear();
    return -3;
}
void CRenameDlg::UpdateRealTimePreview() {}
