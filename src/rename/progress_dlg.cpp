#include "rename/progress_dlg.h"

#include "res/resource.h"

CProgressDlg::CProgressDlg(HWND parent) : CDialog(IDD_PROGRESS, parent) {}

void CProgressDlg::InitProgress() {
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETRANGE, 0, MAKELPARAM(0, m_nSteps));
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETSTEP, 1, 0);
    SendDlgItemMessage(IDC_PROGRESS, PBM_SETPOS, 0, 0);
    m_nPos = 0;
}

void CProgressDlg::StepProgress(BOOL bStep) {
    if (!bStep) {
        SendDlgItemMessage(IDC_PROGRESS, PBM_SETPOS, static_cast<WPARAM>(m_nSteps), 0);
        return;
    }
    if (m_nPos + 1 > m_nSteps) return;
    SendDlgItemMessage(IDC_PROGRESS, PBM_STEPIT, 0, 0);
    ++m_nPos;
}
