// How the main window starts: from nothing, and from a settings file that an
// earlier run (or a user's editor) left beside the program.
#include "app/rename_dlg.h"
#include "settings/settings_file_guard.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <direct.h>

#include <memory>

namespace {

// The rectangle the main window had when it first became visible.
bool g_shown = false;
RECT g_rectAtShow = {};
LRESULT CALLBACK WatchFirstShow(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION) {
        const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
        if (m->message == WM_SHOWWINDOW && m->wParam && !g_shown && ::GetDlgItem(m->hwnd, IDC_FILELIST)) {
            g_shown = true;
            ::GetWindowRect(m->hwnd, &g_rectAtShow);
        }
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

std::string CurrentDriveRoot() {
    return std::string(1, static_cast<char>('A' + _getdrive() - 1)) + ":\\";
}

bool IsCentred(HWND hwnd) {
    RECT rect;
    ::GetWindowRect(hwnd, &rect);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    ::GetMonitorInfoA(::MonitorFromWindow(hwnd, MONITOR_DEFAULTTOPRIMARY), &info);
    const RECT& area = info.rcWork;
    int dx = (rect.left - area.left) - (area.right - rect.right);
    int dy = (rect.top - area.top) - (area.bottom - rect.bottom);
    return dx >= -1 && dx <= 1 && dy >= -1 && dy <= 1;
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH] = "";
    TVITEMA tv = {};
    tv.mask = TVIF_TEXT;
    tv.hItem = item;
    tv.pszText = text;
    tv.cchTextMax = MAX_PATH;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tv));
    return text;
}

std::vector<std::string> ListTexts(HWND list) {
    std::vector<std::string> texts;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH] = "";
        ::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text));
        texts.push_back(text);
    }
    return texts;
}

class Startup : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH] = "";
        ASSERT_NE(_getcwd(dir, MAX_PATH), nullptr);
        m_cwd = dir;
        root = CurrentDriveRoot();
    }
    void TearDown() override {
        Close();
        _chdir(m_cwd.c_str());
    }

    void Start() {
        Close();
        g_shown = false;
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &WatchFirstShow, nullptr, ::GetCurrentThreadId());
        dlg = std::make_unique<CRenameDlg>();
        bool created = dlg->Create() != FALSE;
        ::UnhookWindowsHookEx(hook);
        ASSERT_TRUE(created);
        hwnd = dlg->GetSafeHwnd();
        PumpMessages(hwnd);
    }
    void Close() {
        if (dlg) dlg->DestroyWindow();
        dlg.reset();
        // Start-up enters the start directory; leave it so temp folders can go.
        _chdir(root.c_str());
    }
    HWND Item(int id) const { return dlg->GetDlgItem(id); }

    SettingsFileGuard file;
    CapturingSink sink;
    std::string root;
    std::unique_ptr<CRenameDlg> dlg;
    HWND hwnd = nullptr;

private:
    std::string m_cwd;
};

TEST_F(Startup, WithoutSettingsFileOpensTheCurrentDrivesRootWithTheDefaults) {
    Start();
    EXPECT_EQ(dlg->m_strCurDir, root);
    EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)), "*.*");
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)");
    EXPECT_EQ(TextOf(Item(IDC_STARTCOUNT)), "001");
    EXPECT_EQ(TextOf(Item(IDC_INCREMENT)), "1");
    EXPECT_EQ(::SendMessageA(Item(IDC_FILEFILTER), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(Item(IDC_FILESORT), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(dlg->m_nPrefixPos, 2);
    EXPECT_EQ(dlg->m_nExtPos, 2);
    EXPECT_EQ(dlg->m_bChangePrefix, 0);
    EXPECT_EQ(dlg->m_bInsert, 0);
    struct Setting { const char* name; int value; int expected; };
    for (Setting s : {Setting{"warn rename", dlg->m_bWarnRename, 1}, Setting{"warn delete", dlg->m_bWarnDelete, 1},
                      Setting{"tooltips", dlg->m_bToolTip, 1}, Setting{"abort", dlg->m_bAbortOnError, 1},
                      Setting{"auto select", dlg->m_bAutoSelect, 0}, Setting{"no refresh", dlg->m_bNoRefresh, 0},
                      Setting{"archive", dlg->m_bArchive, 2}, Setting{"year", dlg->m_nYear, 1980},
                      Setting{"anchor", dlg->m_nAnchorIndex, -1}, Setting{"caret", dlg->m_nCaretIndex, -1}})
        EXPECT_EQ(s.value, s.expected) << s.name;
    EXPECT_TRUE(IsCentred(hwnd));
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_FALSE(file.Exists()) << "start-up never writes the file";
}

TEST_F(Startup, SavedRectangleIsInPlaceBeforeTheWindowFirstShows) {
    file.Write(SettingsText("WINDOWPOS=50,60,750,610", {}));
    Start();
    ASSERT_TRUE(g_shown);
    EXPECT_EQ(g_rectAtShow.left, 50);
    EXPECT_EQ(g_rectAtShow.top, 60);
    EXPECT_EQ(g_rectAtShow.right, 750);
    EXPECT_EQ(g_rectAtShow.bottom, 610);
}

TEST_F(Startup, OnlyFourNumbersMoveTheWindow) {
    struct Case { const char* line2; bool moved; RECT rect; };
    const Case cases[] = {
        {"WINDOWPOS=10,20,30", false, {}},
        {"WINDOWPOS=", false, {}},
        {"WINDOWPOS=a,b,c,d", false, {}},
        {"not the window line", false, {}},
        {"WINDOWPOS= 10, 20, 630, 470", true, {10, 20, 630, 470}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.line2);
        file.Write(SettingsText(c.line2, {{kRowWarnRen, "0"}}));
        Start();
        RECT rect;
        ::GetWindowRect(hwnd, &rect);
        if (c.moved) {
            EXPECT_EQ(rect.left, c.rect.left);
            EXPECT_EQ(rect.top, c.rect.top);
            EXPECT_EQ(rect.right, c.rect.right);
            EXPECT_EQ(rect.bottom, c.rect.bottom);
        } else {
            EXPECT_TRUE(IsCentred(hwnd));
        }
        EXPECT_EQ(dlg->m_bWarnRename, 0) << "the rest of the file is read either way";
    }
}

TEST_F(Startup, StartDirectoryIsEnteredWhenItCanBe) {
    TempDir temp;
    const std::string sub = temp.MakeDir("Sub");
    temp.WriteFile("Sub\\inside.txt");
    ASSERT_EQ(sub.back(), '\\');
    std::string lowerDrive = sub;
    lowerDrive[0] = static_cast<char>(lowerDrive[0] - 'A' + 'a');
    struct Case { const char* name; std::string defdir; std::string expected; bool entered; };
    const Case cases[] = {
        {"as saved", sub, sub, true},
        {"lower-case drive letter", lowerDrive, sub, true},
        {"no longer there", sub + "Gone\\", root, false},
        {"network path", "\\\\server\\share\\", root, false},
        {"empty", "", root, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        file.Write(SettingsText("WINDOWPOS=0,0,600,500", {{kRowDefDir, c.defdir}}));
        Start();
        EXPECT_EQ(dlg->m_strCurDir, c.expected);
        EXPECT_TRUE(sink.messages.empty());
        HWND tree = Item(IDC_DIRTREE);
        HTREEITEM selected = reinterpret_cast<HTREEITEM>(
            ::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_CARET, 0));
        ASSERT_NE(selected, nullptr);
        if (c.entered) {
            EXPECT_EQ(TreeItemText(tree, selected), "Sub");
            EXPECT_EQ(ListTexts(Item(IDC_FILELIST)), std::vector<std::string>{"inside.txt"});
        } else {
            EXPECT_EQ(::SendMessageA(tree, TVM_GETNEXTITEM, TVGN_PARENT, reinterpret_cast<LPARAM>(selected)), 0)
                << "the root is selected";
        }
    }
}

TEST_F(Startup, FilterAndSortBoxesShowTheSavedEntries) {
    struct Case { const char* filter; const char* sort; LRESULT filterShown; LRESULT sortShown; };
    const Case cases[] = {
        {"2", "7", 2, 7},
        {"4x", " 9", 4, 9},
        {"5", "-1", CB_ERR, CB_ERR},  // outside the lists: no entry selected
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.filter) + "/" + c.sort);
        file.Write(SettingsText("", {{kRowFileFilter, c.filter}, {kRowFileSort, c.sort}}));
        Start();
        EXPECT_EQ(::SendMessageA(Item(IDC_FILEFILTER), CB_GETCURSEL, 0, 0), c.filterShown);
        EXPECT_EQ(::SendMessageA(Item(IDC_FILESORT), CB_GETCURSEL, 0, 0), c.sortShown);
    }
}

TEST_F(Startup, LoadedOptionsAppearInTheControls) {
    file.Write(SettingsText("", {{kRowSrchStr, "*.txt"},
                                 {kRowChgPrefix, "1"},
                                 {kRowNewPrefix, " new "},
                                 {kRowPrefixPos, "0"},
                                 {kRowApplyTo, "2"},
                                 {kRowReStr2, "with"}}));
    Start();
    EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)), "*.txt");
    EXPECT_EQ(CheckOf(Item(IDC_CHGPREFIX)), 1);
    EXPECT_EQ(TextOf(Item(IDC_NEWPREFIX)), " new ");
    EXPECT_EQ(CheckOf(Item(IDC_PREFIX_REPLACE)), 1);
    EXPECT_EQ(CheckOf(Item(IDC_PREFIX_AFTER)), 0);
    EXPECT_EQ(CheckOf(Item(IDC_APPLY_NAME)), 1);
    EXPECT_EQ(TextOf(Item(IDC_RESTR2)), "with");
    EXPECT_NE(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)") << "the preview follows the loaded options";
}

}  // namespace
