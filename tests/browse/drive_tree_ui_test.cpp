// The drive box and the directory tree, in the directory chooser and in the main
// window: opening down to a start path, placeholders, folder images, drive changes
// and the chooser's answer.
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

// Runs the chooser as its callers do: `drive` looks at the open window and ends it;
// the result is the caller's value afterwards (taken over only on IDOK). The chooser
// makes the start directory current, and a current directory cannot be removed:
// the process goes back where it was.
std::string RunChooser(const std::string& start, const std::function<void(CDirExplorerDlg&, HWND tree)>& drive) {
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    CDirExplorerDlg dlg;
    dlg.m_strDirPath = start;
    SetModalHook([&](CDialog&) { drive(dlg, dlg.GetDlgItem(IDC_DIRTREE)); });
    INT_PTR answer = dlg.DoModal();
    SetModalHook(nullptr);
    Platform().ChangeDir(cwd);
    return answer == IDOK ? dlg.m_strDirPath : start;
}

void PressOk(CDirExplorerDlg& dlg, HWND) { ClickButton(dlg.GetDlgItem(IDOK)); }

TEST(Chooser, StartPathsOpenTheTreeAsFarAsTheyGoAndOkAnswersWithABackslash) {
    CapturingSink sink;
    TempDir dir;
    for (const char* sub : {"Outer", "Outer\\Inner", "Other"}) dir.MakeDir(sub);
    std::string lower = dir.path();
    for (char& c : lower) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c + 32 : c);
    const std::string root = std::string(1, static_cast<char>('A' + Platform().GetDrive() - 1)) + ":\\";
    struct Row { std::string start; std::string expected; };
    for (const Row& row : {Row{lower + "outer\\inner", dir.path() + "Outer\\Inner\\"},  // spelled as in the tree
                           Row{dir.path() + "Outer\\..\\Other", dir.path() + "Outer\\"},  // the walk stops at ".."
                           Row{"c:", "C:\\"}, Row{"", root}, Row{dir.path() + "NoSuchDir\\deeper", root}}) {
        EXPECT_EQ(RunChooser(row.start, PressOk), row.expected) << row.start;
    }
    // Enter presses Cancel, the default button: the caller keeps its path.
    EXPECT_EQ(RunChooser(dir.path() + "Other", [](CDirExplorerDlg& dlg, HWND tree) {
        TreeView_SelectItem(tree, TreeView_GetParent(tree, TreeView_GetSelection(tree)));
        PressKey(dlg.GetSafeHwnd(), tree, VK_RETURN);
    }), dir.path() + "Other");
    EXPECT_TRUE(sink.messages.empty());
}

TEST(Chooser, SubdirectoriesAreReadWhenOpenedFirstAndShowTheirState) {
    CapturingSink sink;
    TempDir dir;
    std::string base = dir.MakeDir("T");
    for (const char* sub : {"HasSub", "HasSub\\child", "NoSub", "Empty", "zeta", "Alpha"}) dir.MakeDir(std::string("T\\") + sub);
    dir.WriteFile("T\\NoSub\\file.txt");
    std::string answer = RunChooser(base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree);
        EXPECT_EQ(ChildTexts(tree, at), (Names{"Alpha", "Empty", "HasSub", "NoSub", "zeta"}));
        EXPECT_EQ(ItemImages(tree, at), 11) << "opened: the open folder";
        HTREEITEM hasSub = FindChild(tree, at, "HasSub");
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{""}) << "a placeholder gives the expand button";
        for (const char* name : {"Alpha", "Empty", "NoSub", "zeta"})
            EXPECT_TRUE(ChildTexts(tree, FindChild(tree, at, name)).empty()) << name;
        // The user opens and closes it (keys), then it is opened again after a change on disk.
        TreeView_SelectItem(tree, hasSub);
        struct Step { UINT key; int images; };
        for (Step step : {Step{VK_ADD, 11}, Step{VK_SUBTRACT, 0}, Step{VK_ADD, 11}}) {
            ::SendMessageA(tree, WM_KEYDOWN, step.key, 1);
            EXPECT_EQ(ItemImages(tree, hasSub), step.images) << "key " << step.key;
            EXPECT_EQ(ChildTexts(tree, hasSub), Names{"child"});
            if (step.key == VK_ADD) dir.MakeDir("T\\HasSub\\later");  // read once only
        }
        PressOk(dlg, tree);
    });
    EXPECT_EQ(answer, base + "HasSub\\");
}

// The main window on the stand-in's drives: C: ready, Z: (which the real drive box
// lists too) without a medium until the test gives it one.
TEST(MainWindowTree, ADriveThatCannotBeMadeCurrentChangesNothing) {
    CapturingSink sink;
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    fake.AddFile("C:\\data\\a.txt");
    fake.AddDrive(26, false);
    CRenameDlg dlg;
    ASSERT_TRUE(dlg.Create());
    HWND tree = dlg.GetDlgItem(IDC_DIRTREE), list = dlg.GetDlgItem(IDC_FILELIST), drives = dlg.GetDlgItem(IDC_DRIVES);
    TreeView_SelectItem(tree, FindChild(tree, TreeView_GetRoot(tree), "data"));
    EXPECT_EQ(dlg.m_strCurDir, "C:\\data\\");

    fake.log.clear();
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(fake.log, Names{"ChangeDrive 26 failed"});
    EXPECT_EQ(dlg.m_strCurDir, "C:\\data\\");
    EXPECT_EQ(::SendMessageA(drives, CB_GETCURSEL, 0, 0), DriveEntryIndex(drives, 'C')) << "the drive box goes back";
    EXPECT_EQ(TreeItemText(tree, TreeView_GetSelection(tree)), "data");
    EXPECT_EQ(ListNames(list), Names{"a.txt"});

    // With a medium the tree is rooted at the new drive.
    fake.AddDrive(26, true);
    fake.AddFile("Z:\\z.txt");
    fake.AddDir("Z:\\zdir\\inner");
    ChooseComboEntry(drives, DriveEntryIndex(drives, 'Z'));
    EXPECT_EQ(dlg.m_strCurDir, "Z:\\");
    EXPECT_EQ(TreeView_GetCount(tree), 3u) << "root, zdir and its placeholder";
    EXPECT_EQ(ListNames(list), Names{"z.txt"});
    dlg.DestroyWindow();
}

}  // namespace
