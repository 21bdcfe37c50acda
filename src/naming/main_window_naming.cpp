// The main window's side of name composition: the real-time preview line.
#include "app/rename_dlg.h"
#include "naming/preview_line.h"

void CRenameDlg::UpdateRealTimePreview() {
    m_strPreview = RealTimePreviewText(*this);
    // Not through the data exchange: the edit's change handler reloads every control
    // from the fields, so callers have stored what was typed before calling this.
    SetDlgItemText(IDC_PREVIEW, m_strPreview);
}
