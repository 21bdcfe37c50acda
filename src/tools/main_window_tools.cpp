// The main window's single-file tools: file status, deleting, tooltips, about box.
#include "app/rename_dlg.h"

#include "platform/file_services.h"
#include "platform/move_rules.h"
#include "settings/date_time_text.h"
#include "tools/about_dlg.h"
#include "tools/file_status_dlg.h"
#include "tools/tooltip_text.h"
#include "winui/app.h"

#include <cstdio>
#include <cstring>
#include <string>

namespace {

void ShowTime(TimeValue time, CString& date, CString& clock) {
    LocalTime local = Platform().ToLocalTime(time);
    date = FormatDate(local.month, local.day, local.year);
    clock = FormatTime(local.hour, local.minute, local.second);
}

// A date box and a time box read back leniently, as local time. Boxes that still show
// the text they were filled with give 0, which leaves that stamp exactly as it was:
// read back from its text, a stamp could change (its fraction of a second, or a year
// outside what the date reader takes). A moment the platform cannot represent gives 0 too.
TimeValue ReadTime(const CString& date, const CString& clock, const CString (&shown)[2]) {
    if (date == shown[0] && clock == shown[1]) return 0;
    int month, day, year, hour, minute, second;
    ParseDate(date, month, day, year);
    ParseTime(clock, hour, minute, second);
    TimeValue value = Platform().MakeLocalTime(year, month, day, hour, minute, second);
    return value < 0 ? 0 : value;
}

void SetAttributeBit(unsigned& attribute, unsigned bit, int on) {
    if (on) attribute |= bit;
    else attribute &= ~bit;
}

}  // namespace

void CRenameDlg::OnFileListDblClk() {
    HWND list = GetDlgItem(IDC_FILELIST);
    int caret = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
    if (caret < 0 || caret >= static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0))) return;
    CString oldName = GetListBoxText(list, caret);
    ::SendMessageA(list, LB_SETSEL, FALSE, static_cast<LPARAM>(caret));

    CString oldPath = m_browse.m_strCurDir + oldName;
    FileStatus status;
    if (!Platform().GetStatus(oldPath, status)) {
        // The entry no longer names a readable file (deleted or renamed elsewhere).
        MessageBox("Cannot read the status of file: " + oldPath, "Error:", MB_OK | MB_ICONEXCLAMATION);
        ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
        return;
    }

    CFileStatusDlg dlg(m_hWnd);
    dlg.m_strName = oldName;
    dlg.m_strPath = m_browse.m_strCurDir;
    ShowTime(status.modified, dlg.m_strModifiedDate, dlg.m_strModifiedTime);
    ShowTime(status.created, dlg.m_strCreatedDate, dlg.m_strCreatedTime);
    ShowTime(status.accessed, dlg.m_strAccessedDate, dlg.m_strAccessedTime);
    dlg.m_bArchive = (status.attribute & kFileArchive) ? 1 : 0;
    dlg.m_bHidden = (status.attribute & kFileHidden) ? 1 : 0;
    dlg.m_bReadOnly = (status.attribute & kFileReadOnly) ? 1 : 0;
    dlg.m_bSystem = (status.attribute & kFileSystem) ? 1 : 0;
    dlg.m_bChanged = 0;
    const CString shownModified[] = {dlg.m_strModifiedDate, dlg.m_strModifiedTime};
    const CString shownAccessed[] = {dlg.m_strAccessedDate, dlg.m_strAccessedTime};
    const CString shownCreated[] = {dlg.m_strCreatedDate, dlg.m_strCreatedTime};

    if (dlg.DoModal() == IDOK) {
        CString newPath = dlg.m_strPath + dlg.m_strName;
        CString filePath = oldPath;
        bool moved = false;
        if (dlg.m_strName != oldName || dlg.m_strPath != m_browse.m_strCurDir) {
            bool ok;
            std::string leftAs;
            {
                CWaitCursor wait;
                ok = Platform().MoveFile(oldPath, newPath, leftAs);
            }
            if (!ok) {
                MessageBox("Error Moving/Renaming File:\nFrom-  " + oldPath + "\nTo-  " + newPath +
                               (leftAs.empty() ? "" : "\n\nThe file was left as-  " + leftAs),
                           "Rename Error:", MB_OK | MB_ICONEXCLAMATION);
            }
            // The file now has the name the platform made of the new one.
            filePath = StoredTargetPath(newPath);
            moved = ok;
            // After a failed move the target name belongs to no file or to another one:
            // the changed times and attributes are applied to nothing.
            if (!ok) dlg.m_bChanged = 0;
        }

        if (dlg.m_bChanged) {
            // Times first, on a file that is writable for the moment: a read-only file
            // takes new times too. Its final attributes follow in a second call.
            FileStatus stamp;
            stamp.modified = ReadTime(dlg.m_strModifiedDate, dlg.m_strModifiedTime, shownModified);
            stamp.accessed = ReadTime(dlg.m_strAccessedDate, dlg.m_strAccessedTime, shownAccessed);
            stamp.created = ReadTime(dlg.m_strCreatedDate, dlg.m_strCreatedTime, shownCreated);
            stamp.attribute = status.attribute & ~kFileReadOnly;
            std::string error;
            const bool newTimes = stamp.modified != 0 || stamp.accessed != 0 || stamp.created != 0;
            if (newTimes && !Platform().SetStatus(filePath, stamp, error)) {
                MessageBox(error, "Error:", MB_OK | MB_ICONEXCLAMATION);
                return;
            }
            FileStatus attributes;  // no times: only the attribute byte changes
            attributes.attribute = status.attribute;
            SetAttributeBit(attributes.attribute, kFileArchive, dlg.m_bArchive);
            SetAttributeBit(attributes.attribute, kFileHidden, dlg.m_bHidden);
            SetAttributeBit(attributes.attribute, kFileReadOnly, dlg.m_bReadOnly);
            SetAttributeBit(attributes.attribute, kFileSystem, dlg.m_bSystem);
            if (!Platform().SetStatus(filePath, attributes, error)) {
                MessageBox(error, "Error:", MB_OK | MB_ICONEXCLAMATION);
                return;
            }
        }

        if (moved) {
            ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(caret), 0);
            if (dlg.m_strPath == m_browse.m_strCurDir)
                ::SendMessageA(list, LB_INSERTSTRING, static_cast<WPARAM>(caret),
                               reinterpret_cast<LPARAM>(StoredTargetPath(dlg.m_strName).c_str()));
        }
    }
    ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE);
}

int CRenameDlg::OnVKeyToItem(UINT key, HWND listBox, UINT) {
    if (key != VK_DELETE) return -1;
    LRESULT selected = ::SendMessageA(listBox, LB_GETSELCOUNT, 0, 0);
    if (selected == LB_ERR || selected <= 0) return -2;
    int count = static_cast<int>(selected);

    if (m_bWarnDelete) {
        char question[64];
        std::snprintf(question, sizeof question, "Delete %d files?", count);
        if (MessageBox(question, "Are you sure?", MB_YESNO | MB_ICONQUESTION) != IDYES) return -2;
    }

    CWaitCursor wait;
    for (int i = 0; i < count; ++i) {
        int index = -1;
        if (::SendMessageA(listBox, LB_GETSELITEMS, 1, reinterpret_cast<LPARAM>(&index)) != 1) break;
        CString path = m_browse.m_strCurDir + GetListBoxText(listBox, index);
        if (!Platform().DeleteFile(path)) {
            MessageBox("Cannot delete file: " + path, "Delete Error:", MB_OK | MB_ICONSTOP);
            break;
        }
        ::SendMessageA(listBox, LB_DELETESTRING, static_cast<WPARAM>(index), 0);
    }
    return -2;
}

namespace {

// Tooltips learn where the mouse is from the mouse messages of the controls. They are
// relayed from the thread's message queue rather than by subclassing every control:
// a subclass would sit in the path of every message sent to a control (a list fill
// sends one per name) and makes each of them several times slower.
//
// A disabled control gets no mouse messages: the system gives them to the window
// beneath it, the main window. So a mouse message of the main window itself is
// relayed as one of the control under the pointer, and when the tooltip checks
// that the pointer is still over its tool it is pointed to that control too.
struct ToolTipRelay {
    HHOOK hook = nullptr;
    HWND owner = nullptr;
    HWND tip = nullptr;
    WNDPROC tipProc = nullptr;  // the tooltip's own window procedure
    ~ToolTipRelay() {
        if (hook) ::UnhookWindowsHookEx(hook);
    }
};
ToolTipRelay g_relay;

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

LRESULT CALLBACK RelayMouseToToolTip(int code, WPARAM removal, LPARAM lp) {
    if (code == HC_ACTION && removal == PM_REMOVE) {
        MSG msg = *reinterpret_cast<MSG*>(lp);
        if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && g_relay.tip &&
            ::IsWindow(g_relay.tip) && AsControlMessage(g_relay.owner, msg))
            ::SendMessageA(g_relay.tip, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&msg));
    }
    return ::CallNextHookEx(g_relay.hook, code, removal, lp);
}

LRESULT CALLBACK ToolTipWindowProc(HWND tip, UINT message, WPARAM wp, LPARAM lp) {
    if (message == TTM_WINDOWFROMPOINT && lp && tip == g_relay.tip) {
        POINT point = *reinterpret_cast<POINT*>(lp);
        HWND hit = ::WindowFromPoint(point);
        if (hit && hit == g_relay.owner) {
            ::ScreenToClient(hit, &point);
            if (HWND control = ControlUnder(hit, point)) return reinterpret_cast<LRESULT>(control);
        }
        return reinterpret_cast<LRESULT>(hit);
    }
    return ::CallWindowProcW(g_relay.tipProc, tip, message, wp, lp);
}

}  // namespace

void CRenameDlg::EnableToolTips(BOOL enable) {
    if (!m_hWnd) return;
    if (!enable) {
        if (m_hToolTip) ::SendMessageA(m_hToolTip, TTM_ACTIVATE, FALSE, 0);
        return;
    }
    if (!m_hToolTip || !::IsWindow(m_hToolTip)) {
        m_hToolTip = ::CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                       CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                                       m_hWnd, nullptr, AfxGetResourceHandle(), nullptr);
        if (!m_hToolTip) return;
        // One tool per child control; the text is asked for when it is shown.
        for (HWND child = ::GetWindow(m_hWnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
            TOOLINFOA tool = {};
            tool.cbSize = sizeof tool;
            tool.uFlags = TTF_IDISHWND;
            tool.hwnd = m_hWnd;
            tool.uId = reinterpret_cast<UINT_PTR>(child);
            tool.lpszText = LPSTR_TEXTCALLBACKA;
            ::SendMessageA(m_hToolTip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
        }
        // Long lines wrap instead of running off the screen.
        ::SendMessageA(m_hToolTip, TTM_SETMAXTIPWIDTH, 0, 400);
        // The tooltip's class is a Unicode one: so is the subclass, and nothing is translated.
        g_relay.tipProc = reinterpret_cast<WNDPROC>(::SetWindowLongPtrW(
            m_hToolTip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&ToolTipWindowProc)));
        if (!g_relay.hook)
            g_relay.hook = ::SetWindowsHookExA(WH_GETMESSAGE, &RelayMouseToToolTip, nullptr,
                                               ::GetCurrentThreadId());
    }
    g_relay.owner = m_hWnd;
    g_relay.tip = m_hToolTip;
    ::SendMessageA(m_hToolTip, TTM_ACTIVATE, TRUE, 0);
}

void CRenameDlg::OnToolTipNeedText(NMHDR* hdr, LRESULT* result) {
    NMTTDISPINFOA* info = reinterpret_cast<NMTTDISPINFOA*>(hdr);
    UINT_PTR id = hdr->idFrom;
    if (info->uFlags & TTF_IDISHWND) id = static_cast<UINT_PTR>(::GetDlgCtrlID(reinterpret_cast<HWND>(id)));
    int line = ToolTipLineOf(static_cast<int>(id));
    std::string text = line == 0 ? "No tooltips for this command." : ToolTipTextOfLine(line);

    // The tooltip reads the text after this handler returns: it lives in the window.
    std::snprintf(m_szToolTip, sizeof m_szToolTip, "%s", text.c_str());
    info->lpszText = m_szToolTip;
    info->hinst = nullptr;
    *result = 0;
}

// The file is looked up in the current directory at every tooltip, but read only
// when its full path, size or write time differ from those of the texts in hand, and
// then only its first few kilobytes: a huge file costs no more than a small one.
std::string CRenameDlg::ToolTipTextOfLine(int line) {
    const char* const name = "tooltip.txt";
    FileStatus status;
    char full[MAX_PATH] = "";
    const DWORD length = ::GetFullPathNameA(name, MAX_PATH, full, nullptr);
    if (!Platform().GetStatus(name, status) || (status.attribute & kFileDirectory)) {
        m_toolTipFile.Forget();
        return "Tooltips file not found!";
    }
    const std::string version = std::string(full, length < MAX_PATH ? length : 0) + "|" +
                                std::to_string(status.size) + "|" + std::to_string(status.modified);
    if (!m_toolTipFile.Holds(version)) {
        std::string start;
        if (!Platform().ReadFileStart(name, kToolTipFileBytes, start)) {
            m_toolTipFile.Forget();
            return "Tooltips file not found!";
        }
        m_toolTipFile.Load(version, start);
    }
    return m_toolTipFile.Text(line);
}

void CRenameDlg::OnAbout() {
    CAboutDlg about(m_hWnd);
    about.DoModal();
}

void CRenameDlg::OnHelpCommand() {
    if (CWinApp* app = AfxGetApp()) app->OnHelp();
    else OpenProgramHelp();
}
