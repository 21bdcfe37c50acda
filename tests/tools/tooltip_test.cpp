// Tooltips of the main window: the text of each control is its line of
// "tooltip.txt" in the current directory, read anew for every tooltip.
#include "tools/tooltip_text.h"
#include "tools_fixture.h"

#include <cstdio>
#include <fstream>

namespace {

// The tooltip control of a window: the tooltip window it owns.
HWND ToolTipOf(HWND owner) {
    struct Search { HWND owner; HWND found; } search = {owner, nullptr};
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND w, LPARAM lp) -> BOOL {
        auto* s = reinterpret_cast<Search*>(lp);
        char cls[64] = "";
        ::GetClassNameA(w, cls, sizeof cls);
        if (::GetWindow(w, GW_OWNER) == s->owner && _stricmp(cls, TOOLTIPS_CLASSA) == 0) {
            s->found = w;
            return FALSE;
        }
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string ExeDir() {
    char path[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string dir = path;
    return dir.substr(0, dir.find_last_of("\\/") + 1);
}

// Lines "Tip NN: text for line NN", each ending in CR LF.
std::string NumberedLines(int count) {
    std::string text;
    for (int i = 1; i <= count; ++i) {
        char line[64];
        std::snprintf(line, sizeof line, "Tip %02d: text for line %02d\r\n", i, i);
        text += line;
    }
    return text;
}

std::string NumberedLine(int n) {
    char line[64];
    std::snprintf(line, sizeof line, "Tip %02d: text for line %02d", n, n);
    return line;
}

class ToolTips : public ToolsWindow {
protected:
    // Asks the main window for the text of `control` as the tooltip control does.
    std::string TextFor(int control) {
        NMTTDISPINFOA info = {};
        info.hdr.hwndFrom = ToolTipOf(hwnd);
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(Item(control));
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = TTF_IDISHWND;
        ::SendMessageA(hwnd, WM_NOTIFY, static_cast<WPARAM>(control), reinterpret_cast<LPARAM>(&info));
        // The pointer is read after the handler has returned, as the tooltip reads it.
        return info.lpszText ? std::string(info.lpszText) : std::string("<null>");
    }
    void UseFile(const std::string* contents) {
        ::SetCurrentDirectoryA(dir.path().c_str());
        std::string path = dir.path() + "tooltip.txt";
        ::DeleteFileA(path.c_str());
        if (contents) dir.WriteFile("tooltip.txt", *contents);
    }
};

struct TipCase {
    const char* what;
    std::string contents;
    bool fileExists;
    int control;
    std::string expected;
};

TEST_F(ToolTips, EachControlShowsItsLineOfTheFile) {
    const std::string line100(100, 'x');
    const std::string longThird = "Tip 01\nTip 02\n" + std::string(78, 'L') + "0123456789" + std::string(12, 'R') +
                                  "\nTip 04\nTip 05\n";
    const TipCase cases[] = {
        {"44 lines: the file list", NumberedLines(44), true, IDC_FILELIST, NumberedLine(8)},
        {"44 lines: the first", NumberedLines(44), true, IDC_EXIT, NumberedLine(1)},
        {"44 lines: the last", NumberedLines(44), true, IDC_RETOPOS, NumberedLine(44)},
        {"5 lines: the file list shows the last", NumberedLines(5), true, IDC_FILELIST, NumberedLine(5)},
        {"long third line is cut at 78", longThird, true, IDC_OPTIONS, std::string(78, 'L')},
        {"its rest shifts into line 4", longThird, true, IDC_RENAME,
         "123456789" + std::string(12, 'R')},
        {"and line 4 into line 5", longThird, true, IDC_FULLPREVIEW, "Tip 04"},
        {"a 100-character line", "a\nb\n" + line100 + "\n", true, IDC_OPTIONS, std::string(78, 'x')},
        {"last line without line end", "first\nlast", true, IDC_ABOUT, "las"},
        {"empty file", "", true, IDC_EXIT, ""},
        {"no file", "", false, IDC_EXIT, "Tooltips file not found!"},
        {"Clear has no line", NumberedLines(44), true, IDC_CLEAR, "No tooltips for this command."},
        {"Clear has no line, no file", "", false, IDC_CLEAR, "No tooltips for this command."},
        {"prefix position radio", NumberedLines(44), true, IDC_PREFIX_REPLACE, "No tooltips for this command."},
        {"a label", NumberedLines(44), true, IDC_LBL_NEWPREFIX, "No tooltips for this command."},
    };
    for (const TipCase& c : cases) {
        SCOPED_TRACE(c.what);
        UseFile(c.fileExists ? &c.contents : nullptr);
        EXPECT_EQ(TextFor(c.control), c.expected);
    }
}

// The file that comes with the program: a useful line for every control, none
// so long that it would push the later lines onto the wrong controls.
TEST_F(ToolTips, ShippedFileHasAFullLineForEveryControl) {
    std::string shipped = ExeDir() + "shipped\\tooltip.txt";
    std::ifstream in(shipped);
    ASSERT_TRUE(in) << shipped;
    std::vector<std::string> lines;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        lines.push_back(line);
    }
    ASSERT_EQ(lines.size(), 44u);
    ::SetCurrentDirectoryA((ExeDir() + "shipped").c_str());
    int controls = 0;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        int n = ToolTipLineOf(::GetDlgCtrlID(child));
        if (n == 0) continue;
        ++controls;
        const std::string& text = lines[static_cast<size_t>(n - 1)];
        EXPECT_TRUE(text.size() >= 20 && text.size() <= 78) << "line " << n << ": " << text;
        EXPECT_EQ(TextFor(::GetDlgCtrlID(child)), text);
    }
    EXPECT_EQ(controls, 44) << "every line belongs to a control of the window";
}

// Rests the mouse on a control and waits for the tooltip; its text, or "" when none shows.
std::string Hover(HWND tip, HWND control) {
    RECT rect;
    ::GetWindowRect(control, &rect);
    POINT centre = {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
    ::SetCursorPos(centre.x, centre.y);
    POINT client = centre;
    ::ScreenToClient(control, &client);
    ::PostMessageA(control, WM_MOUSEMOVE, 0, MAKELPARAM(client.x, client.y));
    for (int i = 0; i < 100 && !::IsWindowVisible(tip); ++i) {
        PumpMessages();
        ::Sleep(10);
    }
    PumpMessages();
    std::string text = ::IsWindowVisible(tip) ? TextOf(tip) : std::string();
    ::SendMessageA(tip, TTM_POP, 0, 0);
    ::SetCursorPos(0, 0);
    PumpMessages();
    return text;
}

TEST_F(ToolTips, RestingTheMouseShowsTheTextOnlyWhileSwitchedOn) {
    std::string contents = NumberedLines(44);
    UseFile(&contents);
    ::SetWindowPos(hwnd, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE);
    ::SetForegroundWindow(hwnd);
    PumpMessages(hwnd);
    HWND tip = ToolTipOf(hwnd);
    ASSERT_NE(tip, nullptr);
    ::SendMessageA(tip, TTM_SETDELAYTIME, TTDT_INITIAL, 20);

    EXPECT_EQ(Hover(tip, Item(IDC_RENAME)), NumberedLine(4));
    dlg.EnableToolTips(FALSE);
    EXPECT_EQ(Hover(tip, Item(IDC_OPTIONS)), "");
    dlg.EnableToolTips(TRUE);
    EXPECT_EQ(Hover(tip, Item(IDC_OPTIONS)), NumberedLine(3));
}

}  // namespace
