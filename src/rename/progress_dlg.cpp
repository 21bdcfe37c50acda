#include "rename/progress_dlg.h"

#include "res/resource.h"

#include <new>

CProgressDlg::CProgressDlg(UiServices& ui, HWND parent) : CDialog(IDD_PROGRESS, ui, parent) {}

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

namespace {

// The bar's updates stay few however many files are selected.
constexpr size_t kMaxProgressSteps = 30;

}  // namespace

RunProgress::RunProgress(UiServices& ui, HWND owner, size_t files) {
    m_dlg.reset(new (std::nothrow) CProgressDlg(ui, owner));
    if (!m_dlg || !m_dlg->Create(owner)) {
        m_dlg.reset();
        return;
    }
    m_dlg->m_nSteps = static_cast<int>(files < kMaxProgressSteps ? files : kMaxProgressSteps);
    m_interval = files < kMaxProgressSteps ? 1 : files / kMaxProgressSteps;
    m_dlg->InitProgress();
    ::ShowWindow(m_dlg->GetSafeHwnd(), SW_SHOW);
    ::UpdateWindow(m_dlg->GetSafeHwnd());
}

RunProgress::~RunProgress() {
    if (!m_dlg) return;
    m_dlg->StepProgress(FALSE);
    m_dlg->DestroyWindow();
}

void RunProgress::BeforeFile(size_t file) {
    // First before file number `interval` (counting from 1), then every `interval` files.
    if (m_dlg && (file + 1) % m_interval == 0) m_dlg->StepProgress(TRUE);
}
