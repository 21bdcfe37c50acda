// The drive box and the directory tree, in the directory chooser and in the main
// window: opening down to a start path, placeholders, folder images, drive changes,
// the chooser's answer and the out-of-memory messages.
#include "app/rename_dlg.h"
#include "browse/dir_explorer_dlg.h"
#include "browse/drive_tree.h"
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

// Runs the chooser as its callers do: `drive` looks at the open window and ends it;
// the result is the caller's value afterwards (taken over only on IDOK).
std::string RunChooser(const std::string& start, const std::function<void(CDirExplorerDlg&, HWND tree)>& drive,
                       INT_PTR* result = nullptr) {
    CDirExplorerDlg dlg;
    dlg.m_strDirPath = start;
    SetModalHook([&](CDialog&) { drive(dlg, dlg.GetDlgItem(IDC_DIRTREE)); });
    INT_PTR answer = dlg.DoModal();
    SetModalHook(nullptr);
    if (result) *result = answer;
    return answer == IDOK ? dlg.m_strDirPath : start;
}

void PressOk(CDirExplorerDlg& dlg, HWND) { ClickButton(dlg.GetDlgItem(IDOK)); }

class Chooser : public ::testing::Test {
protected:
    // The chooser makes the start directory the process's current one, and a
    // current directory cannot be removed: the process goes back where it was.
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

TEST_F(Chooser, StartPathsOpenTheTreeAsFarAsTheyGo) {
    dir.MakeDir("Outer");
    dir.MakeDir("Outer\\Inner");
    dir.MakeDir("Other");
    struct Row { std::string start; std::string expected; };  // "" expected: the current drive's root
    const Row rows[] = {
        {Lower(dir.path()) + "outer\\inner", dir.path() + "Outer\\Inner\\"},  // spelled as in the tree
        {dir.path() + "Outer", dir.path() + "Outer\\"},
        {dir.path() + "Outer\\..\\Other", dir.path() + "Outer\\"},  // the walk stops before ".."
        {"c:", "C:\\"},
        {"", ""},
        {dir.path() + "NoSuchDir\\deeper", ""},
        {"1abc", ""},
    };
    for (const Row& row : rows) {
        std::string root = std::string(1, static_cast<char>('A' + Platform().GetDrive() - 1)) + ":\\";
        EXPECT_EQ(RunChooser(row.start, PressOk), row.expected.empty() ? root : row.expected) << row.start;
    }
    EXPECT_TRUE(sink.messages.empty());
}

TEST_F(Chooser, SubdirectoriesAreReadWhenOpenedFirstAndShowTheirState) {
    std::string base = dir.MakeDir("T");
    for (const char* sub : {"HasSub", "HasSub\\child", "NoSub", "Empty", "zeta", "Alpha"}) dir.MakeDir(std::string("T\\") + sub);
    dir.WriteFile("T\\NoSub\\file.txt");
    RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree);
        EXPECT_EQ(ChildTexts(tree, at), (Names{"Alpha", "Empty", "HasSub", "NoSub", "zeta"}));
        EXPECT_EQ(ItemImages(tree, at), 11) << "opened: the open folder";
        HTREEITEM hasSub = FindChild(tree, at, "HasSub");
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{""}) << "a placeholder gives the expand button";
        for (const char* name : {"Alpha", "Empty", "NoSub", "zeta"})
            EXPECT_TRUE(ChildTexts(tree, FindChild(tree, at, name)).empty()) << name;

        // The user opens and closes it (keys), then it is opened again after a change on disk.
        TreeView_SelectItem(tree, hasSub);
        EXPECT_EQ(dlg.m_strDirPath, base + "HasSub\\");
        struct Step { UINT key; int images; };
        for (Step step : {Step{VK_ADD, 11}, Step{VK_SUBTRACT, 0}, Step{VK_ADD, 11}}) {
            ::SendMessageA(tree, WM_KEYDOWN, step.key, 1);
            EXPECT_EQ(ItemImages(tree, hasSub), step.images) << "key " << step.key;
            EXPECT_EQ(ChildTexts(tree, hasSub), Names{"child"});
            if (step.key == VK_ADD) dir.MakeDir("T\\HasSub\\later");  // read once only
        }
        PressOk(dlg, tree);
    });
}

TEST_F(Chooser, AnswersOnlyWithOk) {
    std::string base = dir.MakeDir("C");
    dir.MakeDir("C\\pick");
    struct Row { const char* how; INT_PTR result; std::string expected; };
    const Row rows[] = {{"ok", IDOK, base + "pick\\"}, {"cancel", IDCANCEL, base}, {"escape", IDCANCEL, base},
                        {"enter", IDCANCEL, base}};  // Cancel is the default button
    for (const Row& row : rows) {
        INT_PTR result = 0;
        std::string answer = RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
            TreeView_SelectItem(tree, FindChild(tree, TreeView_GetSelection(tree), "pick"));
            std::string how = row.how;
            if (how == "ok") PressOk(dlg, tree);
            if (how == "cancel") ClickButton(dlg.GetDlgItem(IDCANCEL));
            if (how == "escape") PressKey(dlg.GetSafeHwnd(), tree, VK_ESCAPE);
            if (how == "enter") PressKey(dlg.GetSafeHwnd(), tree, VK_RETURN);
        }, &result);
        EXPECT_EQ(result, row.result) << row.how;
        EXPECT_EQ(answer, row.expected) << row.how;
    }
}

TEST_F(Chooser, OutOfMemoryMessages) {
    std::string base = dir.MakeDir("M");
    dir.MakeDir("M\\sub");
    dir.MakeDir("M\\sub\\deeper");
    auto expectMessages = [&](size_t count, const char* text, const char* title) {
        ASSERT_EQ(sink.messages.size(), count) << text;
        for (const ShownMessage& shown : sink.messages) {
            EXPECT_EQ(shown.text, text);
            EXPECT_EQ(shown.title, title);
            EXPECT_EQ(shown.flags, static_cast<UINT>(MB_ICONSTOP));
        }
        sink.messages.clear();
    };
    struct Row { std::string start; const char* text; const char* title; };
    for (const Row& row : {Row{base, "Ran out of memory!", "Error:"}, Row{"", "Cannot allocate enough memory!", "Memory Error:"}}) {
        RefusingAllocator refuse(1);
        RunChooser(row.start, [&](CDirExplorerDlg& dlg, HWND tree) {
            EXPECT_EQ(TreeView_GetCount(tree), 0u) << row.text;
            PressOk(dlg, tree);
        });
        expectMessages(1, row.text, row.title);
    }
    RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree);
        RefusingAllocator refuse(1);
        TreeView_SelectItem(tree, TreeView_GetParent(tree, at));
        EXPECT_EQ(dlg.m_strDirPath, base) << "the path stays as it was";
        HTREEITEM sub = FindChild(tree, at, "sub");
        TreeView_Expand(tree, sub, TVE_EXPAND);
        EXPECT_TRUE(ChildTexts(tree, sub).empty()) << "placeholder gone, nothing read";
        PressOk(dlg, tree);
    });
    expectMessages(2, "Out of Memory!", "Error");
}

// The main window on the stand-in's drives: C: ready, Z: (which the real drive box
// lists too) without a medium until the test gives it one.
TEST(MainWindowTree, SelectionsAndDriveChanges) {
    CapturingSink sink;
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    fake.AddFile("C:\\root.txt");
    fake.AddFile("C:\\data\\a.txt");
    fake.AddFile("C:\\data\\b.txt");
    fake.AddDir("C:\\data\\deep");
    fake.AddDir("C:\\plain");
    fake.AddDrive(26, false);
    CRenameDlg dlg;
    ASSERT_TRUE(dlg.Create());
    HWND tree = dlg.GetDlgItem(IDC_DIRTREE), list = dlg.GetDlgItem(IDC_FILELIST), drives = dlg.GetDlgItem(IDC_DRIVES);
    auto driveBoxEntry = [&] { return static_cast<int>(::SendMessageA(drives, CB_GETCURSEL, 0, 0)); };

    EXPECT_EQ(dlg.m_strCurDir, "C:\\");
    EXPECT_EQ(driveBoxEntry(), DriveEntryIndex(drives, 'C'));
    EXPECT_EQ(ChildTexts(tree, TreeView_GetRoot(tree)), (Names{"data", "plain"}));
    EXPECT_EQ(ListNames(list), Names{"root.txt"});

    HTREEITEM data = FindChild(tree, TreeView_GetRoot(tree), "data");
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
    EXPECT_EQ(ItemImages(tree, data), 11);

    // A drive without a medium: nothing changes but the drive box going back.
    fake.log.clear();
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(fake.log, Names{"ChangeDrive 26 failed"});
    EXPECT_EQ(dlg.m_strCurDir, "C:\\data\\");
    EXPECT_EQ(driveBoxEntry(), DriveEntryIndex(drives, 'C'));
    EXPECT_EQ(TreeItemText(tree, TreeView_GetSelection(tree)), "data");
    EXPECT_EQ(ListNames(list), (Names{"a.txt", "b.txt"}));

    // With a medium the tree is rooted at the new drive.
    fake.AddDrive(26, true);
    fake.AddFile("Z:\\z.txt");
    fake.AddDir("Z:\\zdir\\inner");
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(dlg.m_strCurDir, "Z:\\");
    EXPECT_EQ(TreeView_GetCount(tree), 3u) << "root, zdir and its placeholder";
    EXPECT_EQ(TreeItemText(tree, TreeView_GetSelection(tree)), "Z:\\");
    EXPECT_EQ(ChildTexts(tree, TreeView_GetRoot(tree)), Names{"zdir"});
    EXPECT_EQ(ListNames(list), Names{"z.txt"});
    dlg.DestroyWindow();
}

}  // namespace
