// Tooltips of the main window: the text of each control is its line of
// "tooltip.txt" in the current directory (how lines are cut: tooltip_text_test.cpp).
#include "platform/executable_path.h"
#include "platform/move_rules.h"
#include "platform/wide_text.h"
#include "support/fake_file_services.h"
#include "tools/tooltips.h"
#include "tools_fixture.h"

#include <cstring>
#include <fstream>

namespace {

// A file of `count` lines, "Tip N" on line N.
std::string Tips(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) text += "Tip " + std::to_string(i) + "\r\n";
    return text;
}

// The text shown for a control, asked as the tooltip control asks and read after the
// handler has returned.
std::string ToolTipOf(CRenameDlg& dlg, int control) {
    NMTTDISPINFOW info = {};
    info.hdr.idFrom = reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(control));
    info.hdr.code = TTN_NEEDTEXTW;
    info.uFlags = TTF_IDISHWND;
    ::SendMessageW(dlg.GetSafeHwnd(), WM_NOTIFY, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(&info));
    return info.lpszText ? FromWide(info.lpszText) : "(none)";
}

// The file that comes with the program, read from the current directory: each control
// shows its own line, each line useful and none so long that it would push the later
// lines onto the wrong controls. A control without a line, or no file, says so.
TEST_F(ToolsWindow, ToolTipOfEachControlIsItsLineOfTheShippedFile) {
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    const std::string shipped = std::string(exe, std::strrchr(exe, '\\') + 1) + "shipped\\";
    std::ifstream in(shipped + "tooltip.txt");
    std::vector<std::string> lines;  // read in text mode: line ends are gone
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    ASSERT_EQ(lines.size(), 45u);
    ::SetCurrentDirectoryA(shipped.c_str());
    std::set<int> used;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        const int id = ::GetDlgCtrlID(child), line = ToolTipLineOf(id);
        if (line == 0) continue;
        ASSERT_LE(line, 45);
        used.insert(line);
        EXPECT_EQ(ToolTipOf(dlg, id), lines[line - 1]) << "control " << id;
        EXPECT_GE(lines[line - 1].size(), 20u) << line;
    }
    EXPECT_EQ(used.size(), 45u) << "every line belongs to its own control";
    EXPECT_EQ(ToolTipOf(dlg, IDC_CLEAR), "No tooltips for this command.");
    ::SetCurrentDirectoryA(dir.path().c_str());
    EXPECT_EQ(ToolTipOf(dlg, IDC_EXIT), "Tooltips file not found!");
}

// However large the file, only its first few kilobytes are read, and only once until it
// changes. Where the current directory has no file, the one beside the executable serves
// (as a release unpacks it); one in the current directory comes first.
TEST(ToolTips, FileIsReadOncePerChangeOnlyItsStartAndFromBesideTheExecutable) {
    FakeFileServices fake;
    fake.AddFile(DirectoryOf(ExecutablePath()) + "tooltip.txt", kFileArchive, 1000, Tips(44));
    MainWindowKit kit(&fake);
    ASSERT_TRUE(kit.dlg.Create());
    EXPECT_EQ(ToolTipOf(kit.dlg, IDC_FILELIST), "Tip 8");
    FakeEntry& file = fake.AddFile("C:\\tooltip.txt", kFileArchive, 1000, Tips(9));
    file.size = 100u << 20;
    fake.log.clear();
    EXPECT_EQ(ToolTipOf(kit.dlg, IDC_FILELIST), "Tip 8");
    EXPECT_EQ(ToolTipOf(kit.dlg, IDC_FILEFILTER), "Tip 9");
    file.contents = "changed\n";
    file.modified = 1001;
    EXPECT_EQ(ToolTipOf(kit.dlg, IDC_EXIT), "changed");
    EXPECT_EQ(ToolTipOf(kit.dlg, IDC_FILELIST), "changed");
    std::string reads;
    for (const std::string& line : fake.log)
        if (line.rfind("Read", 0) == 0) reads += line + "\n";
    EXPECT_EQ(reads, "ReadFileStart tooltip.txt " + std::to_string(kToolTipFileBytes) + "\n" +
                     "ReadFileStart tooltip.txt " + std::to_string(kToolTipFileBytes) + "\n");
    kit.dlg.DestroyWindow();
}

// What the tooltip control is told of the mouse, by the window's relay.
struct RelayLog {
    static std::vector<MSG> relayed;
    static WNDPROC next;
    static LRESULT CALLBACK Proc(HWND tip, UINT message, WPARAM wp, LPARAM lp) {
        if (message == TTM_RELAYEVENT) relayed.push_back(*reinterpret_cast<MSG*>(lp));
        return ::CallWindowProcW(next, tip, message, wp, lp);
    }
};
std::vector<MSG> RelayLog::relayed;
WNDPROC RelayLog::next = nullptr;

HWND ToolTipWindowOf(HWND owner) {
    for (HWND tip = ::FindWindowExA(nullptr, nullptr, TOOLTIPS_CLASSA, nullptr); tip;
         tip = ::FindWindowExA(nullptr, tip, TOOLTIPS_CLASSA, nullptr))
        if (::GetWindow(tip, GW_OWNER) == owner) return tip;
    return nullptr;
}

// A disabled control gets no mouse messages; the window beneath it does. The tooltip
// learns of them as the control's, and finds the control under the pointer.
TEST_F(ToolsWindow, ToolTipsReachDisabledControls) {
    HWND tip = ToolTipWindowOf(hwnd);
    ASSERT_TRUE(tip);
    RelayLog::next = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RelayLog::Proc)));
    // Above the windows of tests that run beside this one, which could cover the point asked about.
    ::SetWindowPos(hwnd, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    struct Case { const char* what; int control; bool enabled; bool toWindow; };
    const Case cases[] = {
        {"disabled, inside a group box", IDC_STARTCOUNT, false, true},
        {"disabled edit", IDC_NEWPREFIX, false, true},
        {"enabled button, its own message", IDC_EXIT, true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        HWND control = dlg.GetDlgItem(c.control);
        ::EnableWindow(control, c.enabled);
        const RECT rect = ChildRect(control);
        POINT at = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};  // the window's coordinates
        POINT inControl = at;
        ::MapWindowPoints(hwnd, control, &inControl, 1);
        // Shift and Ctrl held tell this move from those the system makes up for the pointer's place.
        const WPARAM keys = MK_SHIFT | MK_CONTROL;
        RelayLog::relayed.clear();
        if (c.toWindow) ::PostMessageA(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(at.x, at.y));
        else ::PostMessageA(control, WM_MOUSEMOVE, keys, MAKELPARAM(inControl.x, inControl.y));
        PumpMessages();
        std::vector<MSG> ours;
        for (const MSG& m : RelayLog::relayed)
            if (m.wParam == keys) ours.push_back(m);
        ASSERT_EQ(ours.size(), 1u);
        EXPECT_EQ(ours[0].hwnd, control);
        EXPECT_EQ(ours[0].lParam, MAKELPARAM(inControl.x, inControl.y));
        POINT onScreen = at;
        ::ClientToScreen(hwnd, &onScreen);
        EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&onScreen))),
                  control);
    }
    ::SetWindowLongPtrW(tip, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(RelayLog::next));
}

}  // namespace
