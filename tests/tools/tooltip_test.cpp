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
    for (const std::string& line : lines) EXPECT_GE(line.size(), 20u) << line;
    ::SetCurrentDirectoryA(shipped.c_str());
    // Each control and how its line begins.
    const std::pair<int, const char*> tips[] = {
        {IDC_EXIT, "Leave Vorlix."}, {IDC_ABOUT, "Program name,"}, {IDC_OPTIONS, "Program settings,"},
        {IDC_RENAME, "Rename (and move,"}, {IDC_FULLPREVIEW, "Show every new"}, {IDC_PREVIEW, "Pattern of the"},
        {IDC_DIRTREE, "Directories of"}, {IDC_FILELIST, "Files of the"}, {IDC_SELCOUNT, "Number of files"},
        {IDC_DRIVES, "Drive whose directories"}, {IDC_FILEFILTER, "Show only files"}, {IDC_FILESORT, "Order of the"},
        {IDC_CHGPREFIX, "Turn on the basic changes to the prefix"},
        {IDC_CHGEXT, "Turn on the basic changes to the extension"}, {IDC_INSERT, "Insert a text"},
        {IDC_REPLACE, "Replace a searched"}, {IDC_SEARCHMASK, "Wildcard mask"},
        {IDC_SINGLEMULTI, "Each click selects"}, {IDC_EXTENDED, "First click marks"},
        {IDC_NEWPREFIX, "Text for the new prefix:"}, {IDC_NEWEXT, "Text for the new extension:"},
        {IDC_PREFIXUPPER, "Write the new prefix in upper"}, {IDC_PREFIXLOWER, "Write the new prefix in lower"},
        {IDC_EXTUPPER, "Write the new extension in upper"}, {IDC_EXTLOWER, "Write the new extension in lower"},
        {IDC_APPLY_PREFIX, "Advanced options work on the prefix"},
        {IDC_APPLY_EXT, "Advanced options work on the extension"},
        {IDC_APPLY_NAME, "Advanced options work on the whole"}, {IDC_SEARCHBACK, "Search the text"},
        {IDC_CASESENSITIVE, "Match upper and"}, {IDC_COUNTPREFIX, "Add the counter to the prefix"},
        {IDC_COUNTEXT, "Add the counter to the extension"}, {IDC_ALPHACOUNT, "Count in letters:"},
        {IDC_STARTCOUNT, "First counter"}, {IDC_INCREMENT, "Step added to"}, {IDC_INSSTR1, "Text to insert"},
        {IDC_INSATPOS, "Position to insert"}, {IDC_INSBEFORE, "Insert the text just before"},
        {IDC_INSAFTER, "Insert the text just after"}, {IDC_INSSTR2, "Text to search for;"},
        {IDC_RESTR1, "Text to search for and"}, {IDC_RESTR2, "Text that takes"}, {IDC_REFROMPOS, "First character"},
        {IDC_RETOPOS, "Last character"}, {IDC_REGEX, "The replace string is a regular"},
    };
    for (const auto& [id, tip] : tips) EXPECT_EQ(ToolTipOf(dlg, id).rfind(tip, 0), 0u) << tip;
    for (int box : {IDC_NEWPREFIX, IDC_NEWEXT, IDC_INSSTR1, IDC_RESTR2}) EXPECT_NE(ToolTipOf(dlg, box).find("<taken|modified>"), std::string::npos);
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
    EXPECT_EQ(reads, "ReadFileStart tooltip.txt 16384\nReadFileStart tooltip.txt 16384\n");
    kit.dlg.DestroyWindow();
}

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
    // What the tooltip control is told of the mouse, by the window's relay.
    std::vector<MSG> relayed;
    MessageRecorder recorder([&](const CWPSTRUCT& m) {
        if (m.hwnd == tip && m.message == TTM_RELAYEVENT) relayed.push_back(*reinterpret_cast<const MSG*>(m.lParam));
    });
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
        relayed.clear();
        if (c.toWindow) ::PostMessageA(hwnd, WM_MOUSEMOVE, keys, MAKELPARAM(at.x, at.y));
        else ::PostMessageA(control, WM_MOUSEMOVE, keys, MAKELPARAM(inControl.x, inControl.y));
        PumpMessages();
        std::vector<MSG> ours;
        for (const MSG& m : relayed)
            if (m.wParam == keys) ours.push_back(m);
        ASSERT_EQ(ours.size(), 1u);
        EXPECT_EQ(ours[0].hwnd, control);
        EXPECT_EQ(ours[0].lParam, MAKELPARAM(inControl.x, inControl.y));
        POINT onScreen = at;
        ::ClientToScreen(hwnd, &onScreen);
        EXPECT_EQ(reinterpret_cast<HWND>(::SendMessageA(tip, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&onScreen))),
                  control);
    }
}

}  // namespace
