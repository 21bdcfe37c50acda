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

void CProgressDlg::OnCancel() { m_bCancelled = true; }

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
constexpr unsigned long long kPumpIntervalMs = 50;

}  // namespace

RunProgress::RunProgress(UiServices& ui, HWND owner, size_t files) : m_owner(owner) {
    m_dlg.reset(new (std::nothrow) CProgressDlg(ui, owner));
    if (!m_dlg || !m_dlg->Create(owner)) {
        m_dlg.reset();
        return;
    }
    m_dlg->m_nSteps = static_cast<int>(files < kMaxProgressSteps ? files : kMaxProgressSteps);
    m_interval = files < kMaxProgressSteps ? 1 : files / kMaxProgressSteps;
    m_dlg->InitProgress();
    // Like a modal window: the owner takes no input while the run goes on.
    m_ownerWasEnabled = owner && !::EnableWindow(owner, FALSE);
    ::ShowWindow(m_dlg->GetSafeHwnd(), SW_SHOW);
    ::UpdateWindow(m_dlg->GetSafeHwnd());
    m_lastPump = ::GetTickCount64();
}

RunProgress::~RunProgress() {
    if (!m_dlg) return;
    m_dlg->StepProgress(FALSE);
    // The owner first, so that it becomes the active window again when this one goes.
    if (m_ownerWasEnabled) ::EnableWindow(m_owner, TRUE);
    m_dlg->DestroyWindow();
}

bool RunProgress::BeforeFile(size_t file) {
    if (!m_dlg) return true;
    // First before file number `interval` (counting from 1), then every `interval` files.
    if ((file + 1) % m_interval == 0) m_dlg->StepProgress(TRUE);
    // The desktop's messages a few times a second: often enough to feel at once, seldom
    // enough to cost nothing against the moves.
    const unsigned long long now = ::GetTickCount64();
    if (now - m_lastPump < kPumpIntervalMs && file != 0) return !m_dlg->m_bCancelled;
    m_lastPump = now;
    MSG msg;
    while (!m_dlg->m_bCancelled && ::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            // The program is asked to end: the run stops, and the request stays for the loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            m_dlg->m_bCancelled = true;
            break;
        }
        if (::IsDialogMessageW(m_dlg->GetSafeHwnd(), &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    return !m_dlg->m_bCancelled;
}
