// The browsing UI in real directories (and on the file services' stand-in for
// drives): the file list's filter, mask, orders, selection modes, Clear, auto
// select and caret; the drive box and tree; the directory chooser's answer.
#include "app/rename_dlg.h"
#include "browse/dir_explorer_dlg.h"
#include "browse/drive_tree.h"
#include "support/fake_file_services.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;

// The user picks entry `index`: the combo selects it and tells its window.
void ChooseComboEntry(HWND combo, LRESULT index) {
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

class FileList : public WindowTest {
protected:
    std::string MakeFiles(const std::string& sub, const Names& names) {
        std::string path = dir.MakeDir(sub);
        for (const std::string& name : names) dir.WriteFile(sub + "\\" + name);
        return path;
    }
    // Lists `path` as a selection in the tree does.
    void Show(const std::string& path) { dlg.m_browse.m_strCurDir = path; dlg.FillFileList(); }
    // What a run would take, in its order, and the count shown.
    void ExpectSelected(const Names& expected, const std::string& what) {
        EXPECT_EQ(dlg.FilePane().SelectedNames(), expected) << what;
        EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_SELCOUNT)), std::to_string(expected.size())) << what;
    }
};

TEST_F(FileList, FilterOnRealAttributesAndMaskLeaveDirectoriesOut) {
    std::string path = MakeFiles("f", {"plain.txt", "ro.txt", "hid.txt", "sys.TXT", "readme"});
    dir.MakeDir("f\\folder");
    for (auto [name, attrib] : {std::pair<const char*, DWORD>{"ro.txt", 0x21}, {"hid.txt", 0x22}, {"sys.TXT", 0x24}})
        ::SetFileAttributesA((path + name).c_str(), attrib);
    Show(path);
    struct Row { int filter; const char* mask; Names expected; };
    // Consecutive rows differ, so that each choice or keystroke refills the list.
    // Each of the three attributes reaches the filter; the rules of each filter and mask: mask_match_test.cpp.
    for (const Row& row : {Row{1, "*.*", {"plain.txt", "readme"}},
                           Row{0, "*.*", {"hid.txt", "plain.txt", "readme", "ro.txt", "sys.TXT"}},
                           Row{0, "R?.TXT", {"ro.txt"}}}) {
        ChooseComboEntry(dlg.GetDlgItem(IDC_FILEFILTER), row.filter);
        dlg.SetDlgItemText(IDC_SEARCHMASK, row.mask);  // the edit's change refills the list
        EXPECT_EQ(Items(list), row.expected) << "filter " << row.filter << " mask \"" << row.mask << "\"";
    }
}

// The list box's own order, a name order, and the orders by the real last-write times
// (one past 2038; names for ties). Each order against a literal one: the native sort tests.
TEST_F(FileList, OrdersNamesAndRealTimes) {
    struct Row { int order; Names files, expected; };  // no files: the previous row's directory
    const Row rows[] = {
        {0, {"b.txt", "A.txt", "c.txt"}, {"A.txt", "b.txt", "c.txt"}}, {-1, {}, {"A.txt", "b.txt", "c.txt"}},
        {1, {}, {"c.txt", "b.txt", "A.txt"}},
        // Names in several scripts and an emoji (outside the basic plane): by name down, by extension.
        {1, {"émile.txt", "Ωmega.TXT", "Кошка.doc", "日本語.txt", "😀smile.txt"},
         {"😀smile.txt", "日本語.txt", "Кошка.doc", "Ωmega.TXT", "émile.txt"}},
        {6, {}, {"Кошка.doc", "émile.txt", "Ωmega.TXT", "日本語.txt", "😀smile.txt"}},
        {8, {"new.txt", "mid_b.txt", "old.txt", "mid_a.txt"}, {"old.txt", "mid_a.txt", "mid_b.txt", "new.txt"}},
        {9, {}, {"new.txt", "mid_b.txt", "mid_a.txt", "old.txt"}},
    };
    std::string path;
    for (const Row& row : rows) {
        if (!row.files.empty()) path = MakeFiles("o" + std::to_string(row.order), row.files);
        if (row.order == 8)
            for (auto [name, time] : {std::pair<const char*, long long>{"old.txt", 1000000000}, {"mid_a.txt", 1500000000},
                                      {"mid_b.txt", 1500000000}, {"new.txt", 4102444800}})
                EXPECT_TRUE(SetWriteTime(path + name, time)) << name;
        dlg.m_browse.m_nFileSort = row.order;
        Show(path);
        EXPECT_EQ(Items(list), row.expected) << "order " << row.order;
    }
}

TEST_F(FileList, SelectionModesClearAndTheSelectedCount) {
    std::string path = MakeFiles("s", {"f0", "f1", "f2", "f3", "f4", "f5", "f6"});
    enum { kExtended = -1, kClear = -2 };  // buttons; other numbers click list items; each row starts single
    const int buttons[] = {0, IDC_EXTENDED, IDC_CLEAR};
    struct Row { const char* what; std::vector<int> clicks; Names expected; };
    const Row rows[] = {
        {"single clicks toggle", {1, 3, 5, 1}, {"f3", "f5"}},
        {"extended range", {kExtended, 2, 5}, {"f2", "f3", "f4", "f5"}},
        {"extended range upwards", {kExtended, 5, 2}, {"f2", "f3", "f4", "f5"}},
        {"a deselected start spreads", {5, kExtended, 5, 2}, {}},
        {"start clicked twice stays the start", {kExtended, 2, 2, 4}, {}},
        {"a third click starts anew", {kExtended, 1, 3, 6}, {"f1", "f2", "f3", "f6"}},
        {"Extended again forgets the start", {kExtended, 2, kExtended, 4, 6}, {"f2", "f4", "f5", "f6"}},
        {"Clear", {0, 2, kClear}, {}},
    };
    for (const Row& row : rows) {
        Show(path);
        ClickButton(dlg.GetDlgItem(IDC_SINGLEMULTI));
        for (int i : row.clicks) i >= 0 ? ClickListItem(list, i) : ClickButton(dlg.GetDlgItem(buttons[-i]));
        ExpectSelected(row.expected, row.what);
    }
}

TEST_F(FileList, AutoSelectAndTheCaretAfterARefill) {
    std::string path = MakeFiles("a", {"a.txt", "b.txt", "c.txt", "d.txt"});
    const Names all = {"a.txt", "b.txt", "c.txt", "d.txt"};
    struct Row { int autoSelect; const char* caretName; Names selected; int caret; };
    for (const Row& row : {Row{0, "C.TXT", {}, 2}, Row{1, "", all, 0}, Row{1, "b.txt", all, 1}, Row{0, "gone.txt", {}, 0}}) {
        dlg.m_bAutoSelect = row.autoSelect;
        dlg.m_browse.m_strCaretName = row.caretName;
        Show(path);
        ExpectSelected(row.selected, row.caretName);
        EXPECT_EQ(::SendMessageA(list, LB_GETCARETINDEX, 0, 0), row.caret) << row.caretName;
        EXPECT_TRUE(dlg.m_browse.m_strCaretName.empty());
    }
}

// F5 reads the directory again: what is still there stays selected, the caret stays on
// its name. Ctrl+A selects every entry; the count follows both.
TEST_F(FileList, F5KeepsTheSelectionByNameAndCtrlASelectsAll) {
    const std::string path = MakeFiles("r", {"a.txt", "b.txt", "c.txt", "d.txt"});
    Show(path);
    ClickListItem(list, 1);
    ClickListItem(list, 3);
    dir.WriteFile("r\\a2.txt");
    ASSERT_TRUE(::DeleteFileA((path + "b.txt").c_str()));
    PressKey(dlg.GetSafeHwnd(), list, VK_F5);
    EXPECT_EQ(Items(list), (Names{"a.txt", "a2.txt", "c.txt", "d.txt"}));
    ExpectSelected({"d.txt"}, "F5");
    EXPECT_EQ(::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 3);
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    PressKey(dlg.GetSafeHwnd(), list, 'A');
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    ExpectSelected(Items(list), "Ctrl+A");
}

// An empty list would tell the user the directory holds no files.
TEST_F(FileList, ADirectoryThatCannotBeListedIsSaidSo) {
    MakeFiles("d", {"a.txt"});
    const std::string none = dir.path() + "none\\", refused = dir.path() + "a|b\\";
    struct Row { int order; std::string path; bool told; };
    for (const Row& row : {Row{0, none, true}, Row{8, none, true}, Row{2, refused, true}, Row{0, dir.path() + "d\\", false}}) {
        dlg.m_browse.m_nFileSort = row.order;
        kit.ui.messages.clear();
        Show(row.path);
        EXPECT_EQ(kit.ui.Told(), row.told ? std::vector<std::string>{"Error:|Cannot list the directory: " + row.path}
                                 : std::vector<std::string>{}) << row.path;
        EXPECT_EQ(Items(list), row.told ? Names{} : Names{"a.txt"});
    }
}

Names ChildTexts(HWND tree, HTREEITEM item) {
    Names texts;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    HTREEITEM child = TreeView_GetChild(tree, parent);
    while (child && TreeItemText(tree, child) != text) child = TreeView_GetNextSibling(tree, child);
    return child;
}

// Runs the chooser as its callers do: `drive` looks at the open window and ends it;
// the result is the caller's value afterwards (taken over only on IDOK). The chooser
// makes the start directory current, which could then not be removed: go back.
std::string RunChooser(RecordingUi& ui, const std::string& start,
                       const std::function<void(CDirExplorerDlg&, HWND tree)>& drive) {
    char cwd[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, cwd);
    Win32FileServices files;
    CDirExplorerDlg dlg(ui, files);
    dlg.m_strDirPath = start;
    ui.onModal = [&](CDialog&) { drive(dlg, dlg.GetDlgItem(IDC_DIRTREE)); };
    INT_PTR answer = dlg.DoModal();
    ui.onModal = nullptr;
    files.ChangeDir(cwd);
    return answer == IDOK ? dlg.m_strDirPath : start;
}

void PressOk(CDirExplorerDlg& dlg, HWND) { ClickButton(dlg.GetDlgItem(IDOK)); }

TEST(Chooser, StartPathsOpenTheTreeAsFarAsTheyGoAndOkAnswersWithABackslash) {
    RecordingUi ui;
    TempDir dir;
    for (const char* sub : {"Outer", "Outer\\Inner", "Other"}) dir.MakeDir(sub);
    std::string lower = dir.path();
    ::CharLowerA(&lower[0]);
    const std::string root = std::string(1, static_cast<char>('A' + Win32FileServices().GetDrive() - 1)) + ":\\";
    struct Row { std::string start, expected; };
    for (const Row& row : {Row{lower + "outer\\inner", dir.path() + "Outer\\Inner\\"},  // spelled as in the tree
                           Row{dir.path() + "Outer\\..\\Other", dir.path() + "Outer\\"},  // the walk stops at ".."
                           Row{"c:", "C:\\"}, Row{"", root}, Row{dir.path() + "NoSuchDir\\deeper", root}})
        EXPECT_EQ(RunChooser(ui, row.start, PressOk), row.expected) << row.start;
    // Enter presses Cancel, the default button: the caller keeps its path.
    EXPECT_EQ(RunChooser(ui, dir.path() + "Other", [](CDirExplorerDlg& dlg, HWND tree) {
        TreeView_SelectItem(tree, TreeView_GetParent(tree, TreeView_GetSelection(tree)));
        PressKey(dlg.GetSafeHwnd(), tree, VK_RETURN);
    }), dir.path() + "Other");
    EXPECT_TRUE(ui.messages.empty());
}

TEST(Chooser, SubdirectoriesAreReadWhenFirstOpened) {
    RecordingUi ui;
    TempDir dir;
    std::string base = dir.MakeDir("T");
    for (const char* sub : {"HasSub", "HasSub\\child", "NoSub", "Empty", "zeta", "Alpha"}) dir.MakeDir(std::string("T\\") + sub);
    dir.WriteFile("T\\NoSub\\file.txt");
    EXPECT_EQ(RunChooser(ui, base, [&](CDirExplorerDlg& dlg, HWND tree) {
        HTREEITEM at = TreeView_GetSelection(tree), hasSub = FindChild(tree, at, "HasSub");
        EXPECT_EQ(ChildTexts(tree, at), (Names{"Alpha", "Empty", "HasSub", "NoSub", "zeta"}));
        EXPECT_EQ(ChildTexts(tree, hasSub), Names{""}) << "a placeholder gives the expand button";
        EXPECT_TRUE(ChildTexts(tree, FindChild(tree, at, "NoSub")).empty()) << "a file is no subdirectory";
        // The user opens and closes it (keys), then it is opened again after a change on disk.
        TreeView_SelectItem(tree, hasSub);
        for (UINT key : {VK_ADD, VK_SUBTRACT, VK_ADD}) {
            ::SendMessageA(tree, WM_KEYDOWN, key, 1);
            EXPECT_EQ(ChildTexts(tree, hasSub), Names{"child"});
            if (key == VK_ADD) dir.MakeDir("T\\HasSub\\later");  // read once only
        }
        PressOk(dlg, tree);
    }), base + "HasSub\\");
}

// The main window on the stand-in's drives: C: ready, Z: (which the real drive box
// lists too) without a medium until the test gives it one, and later takes it away.
TEST(MainWindowTree, ADriveWithoutAMediumChangesNothingAndListsNothing) {
    FakeFileServices fake;
    fake.AddFile("C:\\data\\a.txt");
    fake.AddDrive(26, false);
    MainWindowKit kit(&fake);  // its settings file is read from the stand-in (where it is not)
    CRenameDlg& dlg = kit.dlg;
    ASSERT_TRUE(dlg.Create());
    HWND tree = dlg.GetDlgItem(IDC_DIRTREE), list = dlg.GetDlgItem(IDC_FILELIST), drives = dlg.GetDlgItem(IDC_DRIVES);
    const auto entry = [&](const char* text) { return ::SendMessageA(drives, CB_FINDSTRING, WPARAM(-1), LPARAM(text)); };
    TreeView_SelectItem(tree, FindChild(tree, TreeView_GetRoot(tree), "data"));
    fake.log.clear();
    ChooseComboEntry(drives, entry("[-z-]"));
    EXPECT_EQ(fake.log, Names{"ChangeDrive 26 failed"});
    EXPECT_EQ(dlg.m_browse.m_strCurDir, "C:\\data\\");
    EXPECT_EQ(::SendMessageA(drives, CB_GETCURSEL, 0, 0), entry("[-c-]")) << "the drive box goes back";
    EXPECT_EQ(TreeItemText(tree, TreeView_GetSelection(tree)), "data");
    EXPECT_EQ(Items(list), Names{"a.txt"});
    // With a medium the tree is rooted at the new drive.
    fake.AddDrive(26, true);
    fake.AddFile("Z:\\z.txt");
    fake.AddDir("Z:\\zdir\\inner");
    ChooseComboEntry(drives, entry("[-z-]"));
    EXPECT_EQ(dlg.m_browse.m_strCurDir, "Z:\\");
    EXPECT_EQ(TreeView_GetCount(tree), 3u) << "root, zdir and its placeholder";
    EXPECT_EQ(Items(list), Names{"z.txt"});
    // A drive that loses its medium: the next refill says so and lists nothing.
    EXPECT_TRUE(kit.ui.messages.empty());
    fake.AddDrive(26, false);
    ChooseComboEntry(dlg.GetDlgItem(IDC_FILESORT), 1);
    EXPECT_EQ(kit.ui.Told(), Names{"Error:|Cannot list the directory: Z:\\"});
    EXPECT_TRUE(Items(list).empty());
    dlg.DestroyWindow();
}

}  // namespace
