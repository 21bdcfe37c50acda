// How the main window starts: from nothing, and from a settings file that an
// earlier run (or a user's editor) left beside the program.
#include "app/rename_dlg.h"
#include "settings/settings_file_guard.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

RECT g_rectAtShow;  // the main window's rectangle when it first became visible
LRESULT CALLBACK WatchFirstShow(int code, WPARAM wp, LPARAM lp) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    if (code == HC_ACTION && m->message == WM_SHOWWINDOW && m->wParam && ::IsRectEmpty(&g_rectAtShow) &&
        ::GetDlgItem(m->hwnd, IDC_FILELIST))
        ::GetWindowRect(m->hwnd, &g_rectAtShow);
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

class Startup : public ::testing::Test {
protected:
    void TearDown() override { Close(); }
    void Start() {
        Close();
        g_rectAtShow = {};
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &WatchFirstShow, nullptr, ::GetCurrentThreadId());
        dlg = std::make_unique<CRenameDlg>();
        bool created = dlg->Create() != FALSE;
        ::UnhookWindowsHookEx(hook);
        ASSERT_TRUE(created);
        PumpMessages(dlg->GetSafeHwnd());
    }
    void Close() {
        if (dlg) dlg->DestroyWindow();
        dlg.reset();
        _chdir(root.c_str());  // start-up entered the start directory; leave it so temp folders can go
    }
    HWND Item(int id) const { return dlg->GetDlgItem(id); }
    LRESULT Selected(int combo) const { return ::SendMessageA(Item(combo), CB_GETCURSEL, 0, 0); }

    SettingsFileGuard file;
    CapturingSink sink;
    const std::string root = std::string(1, static_cast<char>('A' + _getdrive() - 1)) + ":\\";
    std::unique_ptr<CRenameDlg> dlg;
};

TEST_F(Startup, WithoutSettingsFileOpensTheCurrentDrivesRootWithTheDefaults) {
    Start();
    EXPECT_EQ(dlg->m_strCurDir, root);
    EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)), "*.*");
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)");
    EXPECT_EQ(Selected(IDC_FILEFILTER), 0);
    EXPECT_TRUE(dlg->m_bWarnRename && dlg->m_bWarnDelete && dlg->m_bToolTip && dlg->m_bAbortOnError);
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(FileExists(file.path())) << "start-up never writes the file";
}

TEST_F(Startup, SavedFileIsInPlaceBeforeTheWindowFirstShows) {
    file.Write(SettingsText("WINDOWPOS=50,60,750,610",
                            {{kRowSrchStr, "*.txt"}, {kRowFileFilter, "2"}, {kRowFileSort, "7"},
                             {kRowChgPrefix, "1"}, {kRowNewPrefix, " new "}, {kRowPrefixPos, "0"}}));
    Start();
    EXPECT_TRUE(g_rectAtShow.left == 50 && g_rectAtShow.top == 60 && g_rectAtShow.right == 750 &&
                g_rectAtShow.bottom == 610);
    EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)), "*.txt");
    EXPECT_EQ(Selected(IDC_FILEFILTER), 2);
    EXPECT_EQ(Selected(IDC_FILESORT), 7);
    EXPECT_EQ(CheckOf(Item(IDC_PREFIX_REPLACE)), 1);
    EXPECT_NE(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)") << "the preview follows the loaded options";
}

TEST_F(Startup, StartDirectoryIsEnteredWhenItCanBe) {
    TempDir temp;
    const std::string sub = temp.MakeDir("Sub");
    temp.WriteFile("Sub\\inside.txt");
    std::string lowerDrive = sub;
    lowerDrive[0] = static_cast<char>(lowerDrive[0] - 'A' + 'a');
    const struct { const char* name; std::string defdir; bool entered; } cases[] = {
        {"as saved", sub, true},
        {"lower-case drive letter", lowerDrive, true},
        {"no longer there", sub + "Gone\\", false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        file.Write(SettingsText("WINDOWPOS=0,0,600,500", {{kRowDefDir, c.defdir}}));
        Start();
        EXPECT_EQ(dlg->m_strCurDir, c.entered ? sub : root);
        EXPECT_TRUE(sink.messages.empty());
        HWND tree = Item(IDC_DIRTREE);
        HTREEITEM selected = TreeView_GetSelection(tree);
        ASSERT_NE(selected, nullptr);
        EXPECT_EQ(TreeView_GetParent(tree, selected) == nullptr, !c.entered) << "the root is selected";
        if (!c.entered) continue;
        char text[MAX_PATH] = "";
        TVITEMA item = {TVIF_TEXT, selected, 0, 0, text, MAX_PATH, 0, 0, 0, 0};
        ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_EQ(std::string(text), "Sub");
        EXPECT_EQ(::SendMessageA(Item(IDC_FILELIST), LB_GETCOUNT, 0, 0), 1) << "inside.txt";
    }
}

}  // namespace
