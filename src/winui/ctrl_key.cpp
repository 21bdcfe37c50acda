#include "winui/ctrl_key.h"

namespace {

// The watches of this thread: the hook procedure has no place for data of its own.
thread_local CtrlKey* t_watches = nullptr;

bool IsEditBox(HWND hwnd) {
    wchar_t name[16] = L"";
    ::GetClassNameW(hwnd, name, 16);
    return ::lstrcmpiW(name, L"Edit") == 0;
}

}  // namespace

CtrlKey::~CtrlKey() {
    if (!m_hook) return;
    ::UnhookWindowsHookEx(m_hook);
    for (CtrlKey** link = &t_watches; *link; link = &(*link)->m_next) {
        if (*link == this) {
            *link = m_next;
            break;
        }
    }
}

void CtrlKey::Watch(HWND window, UINT key, UINT message, bool inEdits) {
    m_window = window;
    m_inEdits = inEdits;
    m_key = key;
    m_message = message;
    if (m_hook) return;
    m_hook = ::SetWindowsHookExW(WH_GETMESSAGE, &CtrlKey::OnGetMessage, nullptr, ::GetCurrentThreadId());
    if (!m_hook) return;
    m_next = t_watches;
    t_watches = this;
}

bool CtrlKey::Catches(const MSG& msg) const {
    return msg.message == WM_KEYDOWN && msg.wParam == m_key && ::GetKeyState(VK_CONTROL) < 0 &&
           ::GetKeyState(VK_MENU) >= 0 && (msg.hwnd == m_window || ::IsChild(m_window, msg.hwnd)) &&
           (m_inEdits || !IsEditBox(msg.hwnd));
}

LRESULT CALLBACK CtrlKey::OnGetMessage(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && wp == PM_REMOVE) {
        MSG& msg = *reinterpret_cast<MSG*>(lp);
        for (CtrlKey* watch = t_watches; watch; watch = watch->m_next) {
            if (!watch->Catches(msg)) continue;
            // The command runs from the window's own handling, not inside the hook.
            ::PostMessageW(watch->m_window, watch->m_message, 0, 0);
            msg.message = WM_NULL;
            break;
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
