// The drive box and the directory tree, in the directory chooser and in the main
// window: opening down to a start path, placeholders, folder images, drive changes,
// the chooser's answer and the out-of-memory messages.
#include "app/rename_dlg.h"
#include "browse/dir_explorer_dlg.h"
#include "browse_ui_support.h"
#include "support/fake_file_services.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;

std::string Lower(std::string text) {
    for (char& c : text)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return text;
}

std::string CurrentDriveRoot() { return std::string(1, static_cast<char>('A' + Platform().GetDrive() - 1)) + ":\\"; }

struct ChooserRun {
    INT_PTR result;
    std::string path;  // the caller's value after the call
};

// Runs the chooser the way its callers do; `drive` looks at the open window and ends it.
ChooserRun RunChooser(const std::string& start, const std::function<void(CDirExplorerDlg&, HWND tree)>& drive) {
    CDirExplorerDlg dlg;
    dlg.m_strDirPath = start;
    SetModalHook([&](CDialog&) { drive(dlg, dlg.GetDlgItem(IDC_DIRTREE)); });
    ChooserRun run{dlg.DoModal(), start};
    SetModalHook(nullptr);
    if (run.result == IDOK) run.path = dlg.m_strDirPath;
    return run;
}

void PressOk(CDirExplorerDlg& dlg) { ClickButton(dlg.GetDlgItem(IDOK)); }

class DriveTreeTest : public ::testing::Test {
protected:
    // The chooser makes the start directory the process's current one, and a
    // current directory cannot be removed: the temp directory goes only once
    // the process is back where it was.
    void SetUp() override {
        char cwd[MAX_PATH] = "";
        ::GetCurrentDirectoryA(MAX_PATH, cwd);
        startDir = cwd;
    }
    void TearDown() override { Platform().ChangeDir(startDir); }

    CapturingSink sink;
    TempDir dir;
    std::string startDir;
};

TEST_F(DriveTreeTest, StartPathsOpenTheTreeAsFarAsTheyGo) {
    dir.MakeDir("Outer");
    dir.MakeDir("Outer\\Inner");
    dir.MakeDir("Other");
    struct Row { std::string start; std::string expected; };
    const Row rows[] = {
        {Lower(dir.path()) + "outer\\inner", dir.path() + "Outer\\Inner\\"},  // spelled as in the tree
        {dir.path() + "Outer", dir.path() + "Outer\\"},
        {dir.path() + "Outer\\..\\Other", dir.path() + "Outer\\"},  // the walk stops at ".."
        {"c:", "C:\\"},
        {"", ""},
        {dir.path() + "NoSuchDir\\deeper", ""},
        {"1abc", ""},
    };
    for (const Row& row : rows) {
        std::string expected = row.expected.empty() ? CurrentDriveRoot() : row.expected;
        std::string seen;
        ChooserRun run = RunChooser(row.start, [&](CDirExplorerDlg& dlg, HWND tree) {
            seen = ItemText(tree, TreeView_GetSelection(tree));
            PressOk(dlg);
        });
        EXPECT_EQ(run.result, IDOK);
        EXPECT_EQ(run.path, expected) << "start \"" << row.start << "\"";
        EXPECT_FALSE(seen.empty());
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(DriveTreeTest, SubdirectoriesAreReadWhenOpenedFirst) {
    std::string base = dir.MakeDir("T");
    for (const char* sub : {"HasSub", "HasSub\\child", "NoSub", "Empty", "zeta", "Alpha"}) dir.MakeDir(std::string("T\\") + sub);
    dir.WriteFile("T\\NoSub\\file.txt");
    RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree);
        EXPECT_EQ(ChildTexts(tree, at), (Names{"Alpha", "Empty", "HasSub", "NoSub", "zeta"}));
        EXPECT_EQ(ItemImage(tree, at), 1) << "an opened directory shows the open folder";
        HTREEITEM hasSub = FindChild(tree, at, "HasSub");
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{""}) << "placeholder: an expand button, nothing read";
        for (const char* name : {"Alpha", "Empty", "NoSub", "zeta"})
            EXPECT_EQ(TreeView_GetChild(tree, FindChild(tree, at, name)), nullptr) << name;

        TreeView_Expand(tree, hasSub, TVE_EXPAND);
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{"child"});
        dir.MakeDir("T\\HasSub\\later");  // read once: closing and opening again reads nothing
        TreeView_Expand(tree, hasSub, TVE_COLLAPSE);
        TreeView_Expand(tree, hasSub, TVE_EXPAND);
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{"child"});
        PressOk(dlg);
    });
}

TEST_F(DriveTreeTest, FolderImagesFollowOpeningAndClosing) {
    std::string base = dir.MakeDir("I");
    dir.MakeDir("I\\a");
    dir.MakeDir("I\\a\\b");
    RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM a = FindChild(tree, TreeView_GetSelection(tree), "a");
        EXPECT_EQ(ItemImage(tree, a), 0);
        TreeView_SelectItem(tree, a);
        struct Step { UINT key; bool expanded; int image; };
        for (Step step : {Step{VK_ADD, true, 1}, Step{VK_SUBTRACT, false, 0}, Step{VK_ADD, true, 1}}) {
            ::SendMessageA(tree, WM_KEYDOWN, step.key, 1);  // the user opens or closes it
            EXPECT_EQ(IsExpanded(tree, a), step.expanded);
            EXPECT_EQ(ItemImage(tree, a), step.image);
            EXPECT_EQ(ItemSelectedImage(tree, a), step.image);
        }
        PressOk(dlg);
    });
}

TEST_F(DriveTreeTest, ChooserAnswersOnlyWithOk) {
    std::string base = dir.MakeDir("C");
    dir.MakeDir("C\\pick");
    struct Row { const char* how; INT_PTR result; std::string expected; };
    const Row rows[] = {{"ok", IDOK, base + "pick\\"},
                        {"cancel", IDCANCEL, base},
                        {"escape", IDCANCEL, base},
                        {"enter", IDCANCEL, base}};  // Cancel is the default button
    for (const Row& row : rows) {
        ChooserRun run = RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
            TreeView_SelectItem(tree, FindChild(tree, TreeView_GetSelection(tree), "pick"));
            EXPECT_EQ(dlg.m_strDirPath, base + "pick\\");
            std::string how = row.how;
            if (how == "ok") PressOk(dlg);
            if (how == "cancel") ClickButton(dlg.GetDlgItem(IDCANCEL));
            if (how == "escape") PressKey(dlg.GetSafeHwnd(), tree, VK_ESCAPE);
            if (how == "enter") PressKey(dlg.GetSafeHwnd(), tree, VK_RETURN);
        });
        EXPECT_EQ(run.result, row.result) << row.how;
        EXPECT_EQ(run.path, row.expected) << row.how;
    }
}

TEST_F(DriveTreeTest, OutOfMemoryMessages) {
    std::string base = dir.MakeDir("M");
    dir.MakeDir("M\\sub");
    dir.MakeDir("M\\sub\\deeper");
    struct Row { std::string start; const char* text; const char* title; };
    for (const Row& row : {Row{base, "Ran out of memory!", "Error:"}, Row{"", "Cannot allocate enough memory!", "Memory Error:"}}) {
        sink.messages.clear();
        RefusingAllocator refuse(1);
        RunChooser(row.start, [&](CDirExplorerDlg& dlg, HWND tree) {
            EXPECT_EQ(TreeView_GetCount(tree), 0u) << row.text;
            PressOk(dlg);
        });
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, row.text);
        EXPECT_EQ(sink.messages[0].title, row.title);
        EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_ICONSTOP));
    }

    sink.messages.clear();
    RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree);
        RefusingAllocator refuse(1);
        TreeView_SelectItem(tree, TreeView_GetParent(tree, at));
        EXPECT_EQ(dlg.m_strDirPath, base) << "the path stays as it was";
        HTREEITEM sub = FindChild(tree, at, "sub");
        TreeView_Expand(tree, sub, TVE_EXPAND);
        EXPECT_EQ(TreeView_GetChild(tree, sub), nullptr) << "placeholder gone, nothing read";
        PressOk(dlg);
    });
    ASSERT_EQ(sink.messages.size(), 2u);
    for (const ShownMessage& shown : sink.messages) {
        EXPECT_EQ(shown.text, "Out of Memory!");
        EXPECT_EQ(shown.title, "Error");
        EXPECT_EQ(shown.flags, static_cast<UINT>(MB_ICONSTOP));
    }
}

// The main window on the stand-in's drives: C: ready, Z: (listed by the real drive
// box) without a medium unless a test gives it one.
class MainWindowTree : public ::testing::Test {
protected:
    void SetUp() override {
        fake.AddFile("C:\\root.txt");
        fake.AddFile("C:\\data\\a.txt");
        fake.AddFile("C:\\data\\b.txt");
        fake.AddDir("C:\\data\\deep");
        fake.AddDir("C:\\plain");
        fake.AddDrive(26, false);
        ASSERT_TRUE(dlg.Create());
        ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
        tree = dlg.GetDlgItem(IDC_DIRTREE);
        list = dlg.GetDlgItem(IDC_FILELIST);
        drives = dlg.GetDlgItem(IDC_DRIVES);
    }
    void TearDown() override { dlg.DestroyWindow(); }
    int DriveBoxSelection() { return static_cast<int>(::SendMessageA(drives, CB_GETCURSEL, 0, 0)); }

    CapturingSink sink;
    FakeFileServices fake;
    FakePlatformScope scope{fake};
    CRenameDlg dlg;
    HWND tree = nullptr, list = nullptr, drives = nullptr;
};

TEST_F(MainWindowTree, StartsAtTheCurrentDriveRootAndSelectionRefillsTheList) {
    EXPECT_EQ(dlg.m_strCurDir, "C:\\");
    EXPECT_EQ(DriveBoxSelection(), DriveEntryIndex(drives, 'C'));
    EXPECT_EQ(ItemText(tree, TreeView_GetRoot(tree)), "C:\\");
    EXPECT_EQ(ChildTexts(tree, TreeView_GetRoot(tree)), (Names{"data", "plain"}));
    EXPECT_EQ(ListNames(list), Names{"root.txt"});

    HTREEITEM data = ItemAtPath(tree, "data");
    TreeView_SelectItem(tree, data);
    EXPECT_EQ(dlg.m_strCurDir, "C:\\data\\");
    EXPECT_EQ(ListNames(list), (Names{"a.txt", "b.txt"}));

    // A double click on the selected, unread directory reads it and leaves it open.
    RECT rect = {};
    TreeView_GetItemRect(tree, data, &rect, TRUE);
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(tree, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::SendMessageA(tree, WM_LBUTTONUP, 0, point);
    EXPECT_EQ(ChildTexts(tree, data), Names{"deep"});
    EXPECT_TRUE(IsExpanded(tree, data));
}

TEST_F(MainWindowTree, DriveThatCannotBeMadeCurrentLeavesEverything) {
    TreeView_SelectItem(tree, ItemAtPath(tree, "data"));
    int before = DriveBoxSelection();
    fake.log.clear();
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(fake.log, Names{"ChangeDrive 26 failed"});
    EXPECT_EQ(dlg.m_strCurDir, "C:\\data\\");
    EXPECT_EQ(DriveBoxSelection(), before);
    EXPECT_EQ(ItemText(tree, TreeView_GetSelection(tree)), "data");
    EXPECT_EQ(ListNames(list), (Names{"a.txt", "b.txt"}));
}

TEST_F(MainWindowTree, DriveChangeRootsTheTreeAtTheNewDrive) {
    fake.AddDrive(26, true);
    fake.AddFile("Z:\\z.txt");
    fake.AddDir("Z:\\zdir\\inner");
    TreeView_SelectItem(tree, ItemAtPath(tree, "data"));
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(dlg.m_strCurDir, "Z:\\");
    EXPECT_EQ(fake.GetDrive(), 26);
    EXPECT_EQ(TreeView_GetCount(tree), 3u) << "root, zdir and its placeholder";
    EXPECT_EQ(ItemText(tree, TreeView_GetSelection(tree)), "Z:\\");
    EXPECT_EQ(ChildTexts(tree, TreeView_GetRoot(tree)), Names{"zdir"});
    EXPECT_EQ(ListNames(list), Names{"z.txt"});
}

}  // namespace
