// "Full &Preview": the rename run in preview mode collects every new name; the
// preview window shows them. Nothing on disk changes.
#include "app/rename_dlg.h"

#include "preview/preview_dlg.h"

#include <utility>

void CRenameDlg::OnFullPreview() {
    // Owned by the main window, which stays disabled while the preview is shown.
    CPreviewDlg dlg(m_hWnd);
    m_bPreviewRun = TRUE;
    if (!m_arrNewNames.empty()) m_arrNewNames.clear();
    OnRename();
    if (!m_arrNewNames.empty()) {
        dlg.m_strDestPath =
            (m_bUseNewDir && !m_strDestination.empty()) ? m_strDestination : m_browse.m_strCurDir;
        dlg.m_arrNames = std::move(m_arrNewNames);
        m_arrNewNames.clear();
        dlg.DoModal();
    }
    m_bPreviewRun = FALSE;
}
