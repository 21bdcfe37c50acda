// Tooltips of the main window: the text of each control is its line of
// "tooltip.txt" in the current directory, read anew for every tooltip.
#include "tools/tooltip_text.h"
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

TEST_F(ToolsWindow, ToolTipOfEachControlIsItsLineOfTheFile) {
    // A 100-character third line: read 78 characters at a time, its rest becomes line 4.
    const std::string longThird = "1\n2\n" + std::string(78, 'L') + "0123456789" + std::string(12, 'R') + "\n4\n5\n";
    struct TipCase { const char* what; std::string contents; bool exists; int control; std::string expected; };
    const TipCase cases[] = {
        {"44 lines: the file list", Tips(44), true, IDC_FILELIST, "Tip 8"},
        {"44 lines: the last", Tips(44), true, IDC_RETOPOS, "Tip 44"},
        {"5 lines: the file list shows the last", Tips(5), true, IDC_FILELIST, "Tip 5"},
        {"100 characters: cut at 78", longThird, true, IDC_OPTIONS, std::string(78, 'L')},
        {"100 characters: the rest is line 4", longThird, true, IDC_RENAME, "123456789" + std::string(12, 'R')},
        {"100 characters: line 4 is line 5", longThird, true, IDC_FULLPREVIEW, "4"},
        {"last line without line end", "first\nlast", true, IDC_ABOUT, "las"},
        {"no file", "", false, IDC_EXIT, "Tooltips file not found!"},
        {"Clear has no line", Tips(44), true, IDC_CLEAR, "No tooltips for this command."},
    };
    ::SetCurrentDirectoryA(dir.path().c_str());
    for (const TipCase& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA((dir.path() + "tooltip.txt").c_str());
        if (c.exists) dir.WriteFile("tooltip.txt", c.contents);
        // Asked as the tooltip control asks, and read after the handler has returned.
        NMTTDISPINFOA info = {};
        info.hdr.idFrom = reinterpret_cast<UINT_PTR>(dlg.GetDlgItem(c.control));
        info.hdr.code = TTN_NEEDTEXTA;
        info.uFlags = TTF_IDISHWND;
        ::SendMessageA(hwnd, WM_NOTIFY, static_cast<WPARAM>(c.control), reinterpret_cast<LPARAM>(&info));
        EXPECT_STREQ(info.lpszText, c.expected.c_str());
    }
}

// The file that comes with the program: a useful line for every control, none so
// long that it would push the later lines onto the wrong controls.
TEST_F(ToolsWindow, ToolTipFileAsShippedHasALineForEveryControl) {
    char exe[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, exe, MAX_PATH);
    std::ifstream in(std::string(exe, std::strrchr(exe, '\\') + 1) + "shipped\\tooltip.txt");
    int count = 0;  // read in text mode: line ends are gone
    for (std::string line; std::getline(in, line); ++count) EXPECT_TRUE(line.size() >= 20 && line.size() <= 78) << line;
    EXPECT_EQ(count, 44);
    std::set<int> used;
    for (HWND child = ::GetWindow(hwnd, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (int n = ToolTipLineOf(::GetDlgCtrlID(child))) used.insert(n);
    EXPECT_TRUE(used.size() == 44u && *used.rbegin() == 44) << "every line belongs to its own control";
}

}  // namespace
