#include "tools/tooltips.h"

#include "fields/field_text.h"
#include "res/resource.h"

#include "platform/executable_path.h"
#include "platform/file_services.h"
#include "platform/move_rules.h"
#include "platform/wide_text.h"
#include "winui/dialog.h"

#include <cstdio>

// Tooltips learn where the mouse is from the mouse messages of the controls. They are
// relayed from the thread's message queue rather than by subclassing every control:
// a subclass would sit in the path of every message sent to a control (a list fill
// sends one per name) and makes each of them several times slower.
//
// A disabled control gets no mouse messages: the system gives them to the window
// beneath it, the main window. So a mouse message of the main window itself is
// relayed as one of the control under the pointer, and when the tooltip checks
// that the pointer is still over its tool it is pointed to that control too.

namespace {

// The hook procedure takes no data of its own: it finds the tooltips of a message's
// window under this property of the window.
const char kToolTipsProperty[] = "VorlixToolTips";

bool IsGroupBox(HWND control) {
    char kind[16] = "";
    ::GetClassNameA(control, kind, sizeof kind);
    return ::lstrcmpiA(kind, "Button") == 0 &&
           (::GetWindowLongA(control, GWL_STYLE) & BS_TYPEMASK) == BS_GROUPBOX;
}

// The visible control of `owner` under a point of its client area, enabled or not.
// Group boxes and unnumbered labels are seen through, as the system's own hit test
// sees through them for enabled controls.
HWND ControlUnder(HWND owner, POINT point) {
    for (HWND child = ::GetWindow(owner, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child);
        if (!(::GetWindowLongA(child, GWL_STYLE) & WS_VISIBLE) || id == -1 || id == 0xFFFF || IsGroupBox(child))
            continue;
        RECT rect;
        ::GetWindowRect(child, &rect);
        ::MapWindowPoints(HWND_DESKTOP, owner, reinterpret_cast<POINT*>(&rect), 2);
        if (::PtInRect(&rect, point)) return child;
    }
    return nullptr;
}

// The message as the tooltip is to see it: a control's as it is; the main window's
// readdressed to the control under the pointer, in that control's coordinates.
// False when it concerns no control.
bool AsControlMessage(HWND owner, MSG& msg) {
    if (::IsChild(owner, msg.hwnd)) return true;
    // Wheel messages carry screen coordinates; the tooltip does not use them.
    if (msg.hwnd != owner || msg.message == WM_MOUSEWHEEL || msg.message == WM_MOUSEHWHEEL) return false;
    POINT point = {static_cast<short>(LOWORD(msg.lParam)), static_cast<short>(HIWORD(msg.lParam))};
    HWND control = ControlUnder(owner, point);
    if (!control) return false;
    ::MapWindowPoints(owner, control, &point, 1);
    msg.hwnd = control;
    msg.lParam = MAKELPARAM(point.x, point.y);
    return true;
}

bool SameMessage(const MSG& a, const MSG& b) {
    return a.hwnd == b.hwnd && a.message == b.message && a.wParam == b.wParam && a.lParam == b.lParam &&
           a.time == b.time && a.pt.x == b.pt.x && a.pt.y == b.pt.y;
}

}  // namespace

ToolTips::ToolTips(CDialog& window, FileServices& files) : m_window(window), m_files(files) {}

ToolTips::~ToolTips() {
    if (m_hook) ::UnhookWindowsHookEx(m_hook);
    if (m_owner && ::IsWindow(m_owner) && ::GetPropA(m_owner, kToolTipsProperty) == this)
        ::RemovePropA(m_owner, kToolTipsProperty);
    // Its subclass leads here: it goes first.
    if (m_tip && ::IsWindow(m_tip)) ::DestroyWindow(m_tip);
}

void ToolTips::Enable(bool on) {
    const HWND owner = m_window.GetSafeHwnd();
    if (!owner) return;
    if (!on) {
        if (m_tip) ::SendMessageA(m_tip, TTM_ACTIVATE, FALSE, 0);
        return;
    }
    if (!m_tip || !::IsWindow(m_tip)) {
        m_tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                  CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner, nullptr,
                                  AfxGetResourceHandle(), nullptr);
        if (!m_tip) return;
        // One tool per child control; the text is asked for when it is shown.
        for (HWND child = ::GetWindow(owner, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            TOOLINFOW tool = {};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = owner;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            tool.lpszText = LPSTR_TEXTCALLBACKW;
            ::SendMessageW(m_tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
        }
        // Long lines wrap instead of running off the screen.
        ::SendMessageA(m_tip, TTM_SETMAXTIPWIDTH, 0, 400);
        ::SetWindowSubclass(m_tip, &ToolTips::TipProc, 0, reinterpret_cast<DWORD_PTR>(this));
        m_owner = owner;
        ::SetPropA(owner, kToolTipsProperty, this);
        if (!m_hook)
            m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &ToolTips::RelayMouse, nullptr, ::GetCurrentThreadId());
    }
    ::SendMessageA(m_tip, TTM_ACTIVATE, TRUE, 0);
}

LRESULT CALLBACK ToolTips::RelayMouse(int code, WPARAM removal, LPARAM lp) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        const MSG& msg = *reinterpret_cast<const MSG*>(lp);
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.hwnd) {
            if (auto* tips = static_cast<ToolTips*>(::GetPropA(::GetAncestor(msg.hwnd, GA_ROOT), kToolTipsProperty)))
                tips->Relay(msg);
        }
    }
    // The system ignores the hook handle here: it knows which hook comes next.
    return ::CallNextHookEx(nullptr, code, removal, lp);
}

void ToolTips::Relay(const MSG& msg) {
    // Every window with tooltips hooks the thread, so where two have them each message
    // comes by twice.
    if (SameMessage(msg, m_lastRelayed)) return;
    m_lastRelayed = msg;
    MSG relayed = msg;
    if (m_tip && ::IsWindow(m_tip) && AsControlMessage(m_owner, relayed))
        ::SendMessageA(m_tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

LRESULT CALLBACK ToolTips::TipProc(HWND tip, UINT message, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
    if (message == TTM_WINDOWFROMPOINT && lp) {
        const HWND owner = reinterpret_cast<ToolTips*>(self)->m_owner;
        POINT point = *reinterpret_cast<POINT*>(lp);
        HWND hit = ::WindowFromPoint(point);
        if (hit && hit == owner) {
            ::ScreenToClient(hit, &point);
            if (HWND control = ControlUnder(hit, point)) return reinterpret_cast<LRESULT>(control);
        }
        return reinterpret_cast<LRESULT>(hit);
    }
    return ::DefSubclassProc(tip, message, wp, lp);
}

void ToolTips::OnNeedText(NMHDR* hdr) {
    const NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    UINT_PTR id = hdr->idFrom;
    if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    SetToolTipReply(hdr, TextFor(static_cast<int>(id)));
}

const char* ToolTips::TextFor(int controlId) {
    const int line = ToolTipLineOf(controlId);
    m_text = line == 0 ? "No tooltips for this command." : TextOfLine(line);
    // The texts that take fields list them under their own line, which is too short for it.
    for (int box : {IDC_NEWPREFIX, IDC_NEWEXT, IDC_INSSTR1, IDC_RESTR2})
        if (controlId == box) m_text += std::string("\r\n") + kFieldHelpText;
    return m_text.c_str();
}

// The file is looked up in the current directory at every tooltip, and where it is not
// there, beside the executable (where a release unpacks it). It is read only when its
// full path, size or write time differ from those of the texts in hand, and then only
// its first few kilobytes: a huge file costs no more than a small one.
std::string ToolTips::TextOfLine(int line) {
    const std::string beside = DirectoryOf(ExecutablePath()) + "tooltip.txt";
    FileStatus status;
    auto found = [&](const std::string& path) {
        return m_files.GetStatus(path, status) && !(status.attribute & kFileDirectory);
    };
    const std::string name = found("tooltip.txt") ? "tooltip.txt" : (found(beside) ? beside : "");
    if (name.empty()) {
        m_file.Forget();
        return "Tooltips file not found!";
    }
    std::wstring wideName;
    wchar_t full[MAX_PATH] = L"";
    const DWORD length = ToWide(name, wideName) ? ::GetFullPathNameW(wideName.c_str(), MAX_PATH, full, nullptr) : 0;
    const std::string version = FromWide(std::wstring_view(full, length < MAX_PATH ? length : 0)) + "|" +
                                std::to_string(status.size) + "|" + std::to_string(status.modified);
    if (!m_file.Holds(version)) {
        std::string start;
        if (!m_files.ReadFileStart(name, kToolTipFileBytes, start)) {
            m_file.Forget();
            return "Tooltips file not found!";
        }
        m_file.Load(version, start, AnsiToUtf8);
    }
    return m_file.Text(line);
}
