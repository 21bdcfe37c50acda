// "Full &Preview": every new name, without touching the disk.
#include "app/rename_dlg.h"

void CRenameDlg::OnFullPreview() {}
