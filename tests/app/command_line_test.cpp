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

// On the command line (one path) and dropped (several).
TEST(OpenTarget, AFolderOpensAndFilesAreSelectedInTheirDirectory) {
    Photos p;
    struct Row {
        bool dropped;
        std::vector<std::string> paths;
        std::string dir;
        std::vector<std::string> selected, told;
    };
    const std::string folder = p.sub.substr(0, p.sub.size() - 1), missing = "NOTE:|Cannot open: " + p.missing;
    for (const Row& row : {Row{false, {folder}, p.sub, {}, {}}, Row{false, {p.sub + "B.jpg"}, p.sub, {"B.jpg"}, {}},
                           Row{false, {p.missing}, "", {}, {missing}}, Row{true, {folder}, p.sub, {}, {}},
                           Row{true, {p.sub + "c.jpg", p.sub + "a.jpg", p.files.path() + "elsewhere.jpg"}, p.sub,
                               {"a.jpg", "c.jpg"}, {}},
                           Row{true, {p.missing}, "", {}, {missing}}}) {
        SCOPED_TRACE(row.paths[0]);
        MainWindowKit kit;
        const Services services{kit.realFiles, kit.ui, kit.dir.path() + "vorlix.ini", row.dropped ? "" : row.paths[0]};
        CRenameDlg dlg(services);
        ASSERT_TRUE(dlg.Create());
        PumpMessages(dlg.GetSafeHwnd());
        const std::string before = dlg.m_browse.m_strCurDir;
        if (row.dropped) {
            ::SendMessageW(dlg.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(row.paths)), 0);
            PumpMessages(dlg.GetSafeHwnd());
        }
        EXPECT_EQ(dlg.m_browse.m_strCurDir, row.dir.empty() ? before : row.dir);
        EXPECT_EQ(dlg.FilePane().SelectedNames(), row.selected);
        EXPECT_EQ(dlg.m_lSelCount, static_cast<long>(row.selected.size()));
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        if (!row.selected.empty())
            EXPECT_EQ(::SendMessageA(list, LB_GETSEL, ::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 0), 1);
        EXPECT_EQ(kit.ui.Told(), row.told);
        dlg.DestroyWindow();
    }
}

}  // namespace
