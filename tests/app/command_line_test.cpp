// The path the program is started with: a directory opens, a file opens its directory
// selected alone, a path that names nothing is told and the usual start follows.
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

namespace {

std::vector<std::string> SelectedEntries(CRenameDlg& dlg) { return dlg.FilePane().SelectedNames(); }

TEST(CommandLine, OpensTheDirectoryOrSelectsTheFileOrSaysItIsMissing) {
    TempDir files;
    const std::string sub = files.MakeDir("photos");
    files.WriteFile("photos\\a.jpg");
    files.WriteFile("photos\\B.jpg");
    files.WriteFile("photos\\c.jpg");
    struct Row {
        std::string path, dir;
        std::vector<std::string> selected;
        std::vector<std::string> told;
    };
    const std::string missing = files.path() + "gone";
    for (const Row& row : {Row{sub.substr(0, sub.size() - 1), sub, {}, {}},
                           Row{sub + "B.jpg", sub, {"B.jpg"}, {}},
                           Row{missing, "", {}, {"NOTE:|Cannot open: " + missing}}}) {
        MainWindowKit kit;
        const Services services{kit.realFiles, kit.ui, kit.dir.path() + "vorlix.ini", row.path};
        CRenameDlg dlg(services);
        ASSERT_TRUE(dlg.Create());
        PumpMessages(dlg.GetSafeHwnd());
        if (!row.dir.empty()) EXPECT_EQ(dlg.m_browse.m_strCurDir, row.dir) << row.path;
        EXPECT_EQ(SelectedEntries(dlg), row.selected) << row.path;
        EXPECT_EQ(dlg.m_lSelCount, static_cast<long>(row.selected.size())) << row.path;
        if (!row.selected.empty()) {
            HWND list = dlg.GetDlgItem(IDC_FILELIST);
            EXPECT_EQ(::SendMessageA(list, LB_GETSEL, ::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 0), 1);
        }
        EXPECT_EQ(kit.ui.Told(), row.told) << row.path;
        dlg.DestroyWindow();
    }
}

}  // namespace
