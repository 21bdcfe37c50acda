// "&Rename it!": the rename run over the selected files.
#include "app/rename_dlg.h"

void CRenameDlg::OnRename() {}
