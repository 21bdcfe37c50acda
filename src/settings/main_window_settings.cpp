// The main window's side of the settings: loading, saving and the options window.
#include "app/rename_dlg.h"

void CRenameDlg::LoadSettings(CString&) {}
void CRenameDlg::SaveSettings() {}
void CRenameDlg::OnOptions() {}
