#include "winui/dialog.h"

#include "winui/ddx.h"

namespace {

// Posted to a modal dialog by itself: when it arrives, the modal loop is running.
const UINT kModalReady = WM_APP + 0x3A1;

// Messages whose answer is the dialog procedure's return value itself
// rather than DWLP_MSGRESULT.
bool ReturnsDirectly(UINT msg) {
    switch (msg) {
    case WM_CHARTOITEM: case WM_COMPAREITEM: case WM_CTLCOLORBTN: case WM_CTLCOLORDLG:
    case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC: case WM_INITDIALOG: case WM_QUERYDRAGICON: case WM_VKEYTOITEM:
        return true;
    default:
        return false;
    }
}

}  // namespace

HINSTANCE AfxGetResourceHandle() {
    return ::GetModuleHandleW(nullptr);
}

void CenterWindow(HWND hwnd, HWND over) {
    RECT area;
    if (over && ::IsWindowVisible(over) && !::IsIconic(over)) {
        ::GetWindowRect(over, &area);
    } else {
        MONITORINFO info = {};
        info.cbSize = sizeof info;
        if (!::GetMonitorInfoW(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info)) return;
        area = info.rcWork;
    }
    RECT self;
    ::GetWindowRect(hwnd, &self);
    const int width = self.right - self.left;
    const int height = self.bottom - self.top;
    ::SetWindowPos(hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                   area.top + (area.bottom - area.top - height) / 2, 0, 0,
                   SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

CDialog::CDialog(UINT idTemplate, UiServices& ui, HWND parent)
    : m_hWndParent(parent), m_ui(ui), m_nIDTemplate(idTemplate) {}

CDialog::~CDialog() {
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        ::SetWindowLongPtrW(m_hWnd, DWLP_USER, 0);
        ::DestroyWindow(m_hWnd);
    }
}

INT_PTR CDialog::DoModal() {
    m_bModal = true;
    INT_PTR result = ::DialogBoxParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                       m_hWndParent, &CDialog::DialogProc,
                                       reinterpret_cast<LPARAM>(this));
    m_bModal = false;
    m_hWnd = nullptr;
    return result;
}

BOOL CDialog::Create(HWND parent) {
    if (parent) m_hWndParent = parent;
    m_bModal = false;
    HWND hwnd = ::CreateDialogParamW(AfxGetResourceHandle(), MAKEINTRESOURCEW(m_nIDTemplate),
                                     m_hWndParent, &CDialog::DialogProc,
                                     reinterpret_cast<LPARAM>(this));
    return hwnd != nullptr;
}

BOOL CDialog::DestroyWindow() {
    if (!m_hWnd) return FALSE;
    HWND hwnd = m_hWnd;
    return ::DestroyWindow(hwnd);
}

void CDialog::EndDialog(int result) {
    if (!m_hWnd) return;
    if (m_bModal) {
        ::EndDialog(m_hWnd, result);
    } else {
        // A modeless window cannot end a modal loop; it only goes out of sight.
        ::ShowWindow(m_hWnd, SW_HIDE);
    }
}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    bool wasLocked = m_bLockoutNotify;
    m_bLockoutNotify = true;
    DoDataExchange(&dx);
    m_bLockoutNotify = wasLocked;
    return dx.m_bFail ? FALSE : TRUE;
}

std::string CDialog::GetDlgItemText(int id) const {
    HWND item = GetDlgItem(id);
    return item ? GetWindowTextString(item) : std::string();
}

void CDialog::SetDlgItemText(int id, const std::string& text) {
    if (HWND item = GetDlgItem(id)) SetWindowTextString(item, text);
}

LRESULT CDialog::SendDlgItemMessage(int id, UINT msg, WPARAM wp, LPARAM lp) const {
    return ::SendDlgItemMessageW(m_hWnd, id, msg, wp, lp);
}

void CDialog::EnableItem(int id, BOOL enable) {
    if (HWND item = GetDlgItem(id)) ::EnableWindow(item, enable);
}

void CDialog::CheckDlgButton(int id, UINT state) {
    ::CheckDlgButton(m_hWnd, id, state);
}

int CDialog::MessageBox(const std::string& text, const std::string& title, UINT flags) {
    return m_ui.MessageBox(m_hWnd, text, title, flags);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() {
    EndDialog(IDCANCEL);
}

void CDialog::OnCommandRoute(int id, UINT code, CommandHandler fn) {
    m_commands.push_back({id, code, std::move(fn)});
}

void CDialog::OnNotifyRoute(int id, UINT code, NotifyHandler fn) {
    m_notifies.push_back({id, code, false, std::move(fn)});
}

void CDialog::OnNotifyCode(UINT code, NotifyHandler fn) {
    m_notifies.push_back({0, code, true, std::move(fn)});
}

void CDialog::OnMessageRoute(UINT msg, MessageHandler fn) {
    m_messages.emplace_back(msg, std::move(fn));
}

bool CDialog::RouteCommand(int id, UINT code) {
    for (const CommandRoute& route : m_commands) {
        if (route.id == id && route.code == code) {
            CommandHandler fn = route.fn;  // the handler may add routes
            fn();
            return true;
        }
    }
    return false;
}

bool CDialog::RouteNotify(NMHDR* hdr, LRESULT* result) {
    for (const NotifyRoute& route : m_notifies) {
        if (route.code == hdr->code && (route.anyControl || static_cast<UINT_PTR>(route.id) == hdr->idFrom)) {
            NotifyHandler fn = route.fn;
            fn(hdr, result);
            return true;
        }
    }
    return false;
}

INT_PTR CDialog::HandleMessage(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == kModalReady) {
        m_ui.ModalStarted(*this);
        return TRUE;
    }
    for (auto& entry : m_messages) {
        if (entry.first != msg) continue;
        LRESULT result = 0;
        MessageHandler fn = entry.second;
        if (!fn(wp, lp, result)) return FALSE;  // default handling goes on
        if (ReturnsDirectly(msg)) return static_cast<INT_PTR>(result);
        ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
        return TRUE;
    }
    switch (msg) {
    case WM_COMMAND: {
        int id = LOWORD(wp);
        UINT code = HIWORD(wp);
        if (lp != 0 && m_bLockoutNotify) return TRUE;  // a control speaking during an exchange
        if (RouteCommand(id, code)) return TRUE;
        if (code == BN_CLICKED && id == IDOK) { OnOK(); return TRUE; }
        if (code == BN_CLICKED && id == IDCANCEL) { OnCancel(); return TRUE; }
        return FALSE;
    }
    case WM_NOTIFY: {
        if (m_bLockoutNotify) return TRUE;
        LRESULT result = 0;
        if (RouteNotify(reinterpret_cast<NMHDR*>(lp), &result)) {
            ::SetWindowLongPtrW(m_hWnd, DWLP_MSGRESULT, result);
            return TRUE;
        }
        return FALSE;
    }
    default:
        return FALSE;
    }
}

INT_PTR CALLBACK CDialog::DialogProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    CDialog* self;
    if (msg == WM_INITDIALOG) {
        self = reinterpret_cast<CDialog*>(lp);
        ::SetWindowLongPtrW(hwnd, DWLP_USER, reinterpret_cast<LONG_PTR>(self));
        self->m_hWnd = hwnd;
        BOOL focusDefault = self->OnInitDialog();
        if (self->m_bModal) ::PostMessageW(hwnd, kModalReady, 0, 0);
        return focusDefault;
    }
    self = reinterpret_cast<CDialog*>(::GetWindowLongPtrW(hwnd, DWLP_USER));
    if (!self) return FALSE;
    INT_PTR answer = self->HandleMessage(msg, wp, lp);
    if (msg == WM_NCDESTROY) {
        ::SetWindowLongPtrW(hwnd, DWLP_USER, 0);
        self->m_hWnd = nullptr;
    }
    return answer;
}
