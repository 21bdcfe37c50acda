// Paths handed to the program, on its command line or dropped on its window: a
// directory opens, files open their directory selected, a path that names nothing is
// told and changes nothing.
#include "support/ui_test_kit.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Photos {
    Photos() {
        files.WriteFile("photos\\a.jpg");
        files.WriteFile("photos\\B.jpg");
        files.WriteFile("photos\\c.jpg");
        files.WriteFile("elsewhere.jpg");
    }
    TempDir files;
    const std::string sub = files.MakeDir("photos");
    const std::string missing = files.path() + "gone";
};

TEST(CommandLine, OpensTheDirectoryOrSelectsTheFileOrSaysItIsMissing) {
    Photos p;
    struct Row {
        std::string path, dir;
        std::vector<std::string> selected, told;
    };
    for (const Row& row : {Row{p.sub.substr(0, p.sub.size() - 1), p.sub, {}, {}},
                           Row{p.sub + "B.jpg", p.sub, {"B.jpg"}, {}},
                           Row{p.missing, "", {}, {"NOTE:|Cannot open: " + p.missing}}}) {
        MainWindowKit kit;
        const Services services{kit.realFiles, kit.ui, kit.dir.path() + "vorlix.ini", row.path};
        CRenameDlg dlg(services);
        ASSERT_TRUE(dlg.Create());
        PumpMessages(dlg.GetSafeHwnd());
        if (!row.dir.empty()) EXPECT_EQ(dlg.m_browse.m_strCurDir, row.dir) << row.path;
        EXPECT_EQ(dlg.FilePane().SelectedNames(), row.selected) << row.path;
        EXPECT_EQ(dlg.m_lSelCount, static_cast<long>(row.selected.size())) << row.path;
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        if (!row.selected.empty())
            EXPECT_EQ(::SendMessageA(list, LB_GETSEL, ::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 0), 1);
        EXPECT_EQ(kit.ui.Told(), row.told) << row.path;
        dlg.DestroyWindow();
    }
}

// A drop handle as Explorer makes one: the paths, wide, each ended, the list ended.
HDROP DropOf(const std::vector<std::string>& paths) {
    std::wstring text;
    for (const std::string& path : paths) text += std::wstring(path.begin(), path.end()) + L'\0';
    text += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + text.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, text.data(), text.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

TEST(Drop, AFolderOpensAndFilesAreSelectedInTheirDirectory) {
    Photos p;
    struct Row {
        std::vector<std::string> paths;
        std::string dir;
        std::vector<std::string> selected, told;
    };
    for (const Row& row : {Row{{p.sub.substr(0, p.sub.size() - 1)}, p.sub, {}, {}},
                           Row{{p.sub + "c.jpg", p.sub + "a.jpg", p.files.path() + "elsewhere.jpg"}, p.sub,
                               {"a.jpg", "c.jpg"}, {}},
                           Row{{p.missing}, "", {}, {"NOTE:|Cannot open: " + p.missing}}}) {
        MainWindowKit kit;
        ASSERT_TRUE(kit.Open());
        const std::string before = kit.dlg.m_browse.m_strCurDir;
        ::SendMessageW(kit.dlg.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(row.paths)), 0);
        PumpMessages(kit.dlg.GetSafeHwnd());
        EXPECT_EQ(kit.dlg.m_browse.m_strCurDir, row.dir.empty() ? before : row.dir) << row.paths[0];
        EXPECT_EQ(kit.dlg.FilePane().SelectedNames(), row.selected) << row.paths[0];
        EXPECT_EQ(kit.ui.Told(), row.told) << row.paths[0];
        kit.dlg.DestroyWindow();
    }
}

}  // namespace
