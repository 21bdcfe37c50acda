// How the main window starts: from nothing, and from a settings file that an
// earlier run (or a user's editor) left beside the program.
#include "app/rename_dlg.h"
#include "settings/settings_format.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <direct.h>

#include <memory>
#include <vector>

namespace {

// A settings file of the header, line 2 as given and the rows given; the other
// rows are empty lines, which leave their fields alone.
std::string SettingsText(const std::string& line2, std::initializer_list<std::pair<SettingRow, std::string>> rows) {
    std::vector<std::string> lines(kSettingRowCount);
    for (const auto& row : rows) lines[row.first] = std::string(kSettingKeys[row.first].key) + "=" + row.second;
    std::string text = std::string(kSettingsHeader) + "\r\n" + line2 + "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}

class Startup : public WindowTest {
protected:
    Startup() : WindowTest(nullptr, false) {}
    // Starts in the drive's root, where a window without a start directory stays.
    void Start() {
        _chdir(root.c_str());
        rectAtShow = {};
        MessageRecorder recorder([&](const CWPSTRUCT& m) {
            if (m.message == WM_SHOWWINDOW && m.wParam && ::IsRectEmpty(&rectAtShow) && ::GetDlgItem(m.hwnd, IDC_FILELIST))
                ::GetWindowRect(m.hwnd, &rectAtShow);
        });
        ASSERT_TRUE(Restart());
    }
    HWND Item(int id) const { return restarted->GetDlgItem(id); }
    LRESULT Selected(int combo) const { return ::SendMessageA(Item(combo), CB_GETCURSEL, 0, 0); }

    TempDir& settingsDir = kit.dir;
    const std::string& settingsPath = kit.services.settingsPath;
    const std::string root = std::string(1, static_cast<char>('A' + _getdrive() - 1)) + ":\\";
    RECT rectAtShow = {};  // the main window's rectangle when it first became visible
};

// Also at the work area's top-left corner, where an unmoved window would be created.
TEST_F(Startup, SavedFileIsInPlaceBeforeTheWindowFirstShows) {
    RECT area;
    ASSERT_TRUE(::SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0));
    for (const RECT& r : {RECT{50, 60, 750, 610}, RECT{area.left, area.top, area.left + 700, area.top + 550}}) {
        const std::string rect = std::to_string(r.left) + "," + std::to_string(r.top) + "," +
                                 std::to_string(r.right) + "," + std::to_string(r.bottom);
        settingsDir.WriteFile("vorlix.ini",
                              SettingsText("WINDOWPOS=" + rect, {{kRowSrchStr, "*.txt"}, {kRowFileFilter, "2"},
                                                                 {kRowFileSort, "7"}, {kRowChgPrefix, "1"},
                                                                 {kRowNewPrefix, " nëw-Ωж-日本-😀 "}, {kRowPrefixPos, "0"}}));
        Start();
        EXPECT_EQ(std::to_string(rectAtShow.left) + "," + std::to_string(rectAtShow.top) + "," +
                      std::to_string(rectAtShow.right) + "," + std::to_string(rectAtShow.bottom), rect);
        EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)) + " " + std::to_string(Selected(IDC_FILEFILTER)) + " " +
                      std::to_string(Selected(IDC_FILESORT)), "*.txt 2 7");
        EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), " nëw-Ωж-日本-😀 .{Old Extension}") << "it follows the loaded options";
    }
}

// Without a settings file (no start directory given), and with the start
// directory saved in several forms: where the window starts, what the tree shows.
TEST_F(Startup, StartDirectoryIsEnteredWhenItCanBe) {
    TempDir temp;
    const std::string sub = temp.MakeDir("Sub");
    temp.WriteFile("Sub\\inside.txt");
    const struct { const char* name; std::string defdir; bool entered; } cases[] = {
        {"no settings file", "", false},
        {"as saved", sub, true},
        {"lower-case drive letter", static_cast<char>(sub[0] - 'A' + 'a') + sub.substr(1), true},
        {"no longer there", sub + "Gone\\", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        if (!c.defdir.empty())
            settingsDir.WriteFile("vorlix.ini", SettingsText("WINDOWPOS=0,0,600,500", {{kRowDefDir, c.defdir}}));
        Start();
        EXPECT_EQ(restarted->m_browse.m_strCurDir, c.entered ? sub : root);
        EXPECT_TRUE(kit.ui.messages.empty());
        EXPECT_TRUE(!c.defdir.empty() || !FileExists(settingsPath)) << "start-up never writes the file";
        HWND tree = Item(IDC_DIRTREE);
        char text[MAX_PATH] = "";
        TVITEMA item = {TVIF_TEXT, TreeView_GetSelection(tree), 0, 0, text, MAX_PATH, 0, 0, 0, 0};
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(TreeView_GetParent(tree, item.hItem) == nullptr, !c.entered) << "the root is selected";
        EXPECT_TRUE(!c.entered || (std::string(text) == "Sub" &&  // and its inside.txt listed
                                   ::SendMessageA(Item(IDC_FILELIST), LB_GETCOUNT, 0, 0) == 1)) << text;
    }
}

}  // namespace
