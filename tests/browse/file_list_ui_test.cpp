// The main window's file list in real directories: filter, mask, orders,
// selection modes, Clear, auto select, the caret after a refill, and the combos.
#include "app/rename_dlg.h"
#include "browse_ui_support.h"
#include "support/fake_file_services.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

using Names = std::vector<std::string>;

class FileList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
        PumpMessages(dlg.GetSafeHwnd());
        list = dlg.GetDlgItem(IDC_FILELIST);
    }
    void TearDown() override { dlg.DestroyWindow(); }

    // Lists `path` as a selection in the tree does.
    void Show(const std::string& path) {
        dlg.m_strCurDir = path;
        dlg.FillFileList();
    }
    std::string MakeFiles(const std::string& sub, const Names& names) {
        std::string path = dir.MakeDir(sub);
        for (const std::string& name : names) dir.WriteFile(sub + "\\" + name);
        return path;
    }
    void Click(std::initializer_list<int> items) {
        for (int i : items) ClickListItem(list, i);
    }
    std::string SelCount() { return TextOf(dlg.GetDlgItem(IDC_SELCOUNT)); }
    HWND Item(int id) { return dlg.GetDlgItem(id); }

    CapturingSink sink;
    TempDir dir;
    CRenameDlg dlg;
    HWND list = nullptr;
};

TEST_F(FileList, FilterTableOnRealAttributes) {
    std::string path = MakeFiles("f", {"plain.txt", "ro.txt", "hid.txt", "sys.txt"});
    dir.MakeDir("f\\folder");
    SetAttributes(path + "ro.txt", 0x21);
    SetAttributes(path + "hid.txt", 0x22);
    SetAttributes(path + "sys.txt", 0x24);
    Show(path);
    struct Row { int filter; Names expected; };
    // Consecutive rows differ, so that each choice refills the list.
    for (const Row& row : {Row{1, {"plain.txt"}},
                           Row{2, {"plain.txt", "ro.txt", "sys.txt"}},
                           Row{3, {"hid.txt", "plain.txt", "sys.txt"}},
                           Row{4, {"hid.txt", "plain.txt", "ro.txt"}},
                           Row{0, {"hid.txt", "plain.txt", "ro.txt", "sys.txt"}}}) {
        ChooseComboEntry(Item(IDC_FILEFILTER), row.filter);
        EXPECT_EQ(ListNames(list), row.expected) << "filter " << row.filter;
    }
    std::string onlyDirs = dir.MakeDir("dirs");
    dir.MakeDir("dirs\\a");
    for (int filter = 0; filter < 5; ++filter) {
        dlg.m_nFileFilter = filter;
        Show(onlyDirs);
        EXPECT_TRUE(ListNames(list).empty()) << "filter " << filter;
    }
}

// Attribute words a real file here cannot have (every file reports archive).
TEST_F(FileList, FilterTableOnAttributeWordsOnlyTheStandInHas) {
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    struct File { const char* name; unsigned attrib; };
    for (File f : {File{"none", 0}, File{"ro-only", 0x01}, File{"compressed", 0x800}, File{"arch", 0x20},
                   File{"arch-ro", 0x21}, File{"arch-hid", 0x22}, File{"arch-sys", 0x24}})
        fake.AddFile(std::string("C:\\w\\") + f.name, f.attrib);
    fake.AddDir("C:\\w\\sub");
    struct Row { int filter; Names expected; };
    for (const Row& row : {Row{0, {"arch", "arch-hid", "arch-ro", "arch-sys", "none", "ro-only"}},
                           Row{1, {"arch", "none"}},
                           Row{2, {"arch", "arch-ro", "arch-sys", "none", "ro-only"}},
                           Row{3, {"arch", "arch-hid", "arch-sys", "none"}},
                           Row{4, {"arch", "arch-hid", "arch-ro", "none", "ro-only"}}}) {
        dlg.m_nFileFilter = row.filter;
        Show("C:\\w\\");
        EXPECT_EQ(ListNames(list), row.expected) << "filter " << row.filter;
    }
}

TEST_F(FileList, MaskMatchesWholeNamesIgnoringCase) {
    Show(MakeFiles("m", {"readme", "a.txt", "B.TXT", "ab.txt", "notes.md"}));
    struct Row { const char* mask; Names expected; };
    for (const Row& row : {Row{"*.*", {"a.txt", "ab.txt", "B.TXT", "notes.md", "readme"}},
                           Row{"*.txt", {"a.txt", "ab.txt", "B.TXT"}},
                           Row{"A?.TXT", {"ab.txt"}},
                           Row{"?.txt", {"a.txt", "B.TXT"}},
                           Row{"readme.*", {"readme"}},
                           Row{"", {}},
                           Row{"*", {"a.txt", "ab.txt", "B.TXT", "notes.md", "readme"}}}) {
        dlg.SetDlgItemText(IDC_SEARCHMASK, row.mask);  // the edit's change refills the list
        EXPECT_EQ(ListNames(list), row.expected) << "mask \"" << row.mask << "\"";
    }
}

TEST_F(FileList, ListFollowsEachKeystrokeInTheMask) {
    Show(MakeFiles("k", {"a.txt", "ab.txt", "abc.txt", "b.txt"}));
    dlg.SetDlgItemText(IDC_SEARCHMASK, "");
    HWND mask = Item(IDC_SEARCHMASK);
    struct Step { const char* key; Names expected; };
    for (const Step& step : {Step{"*", {"a.txt", "ab.txt", "abc.txt", "b.txt"}},
                             Step{"b", {}},
                             Step{"*", {"ab.txt", "abc.txt", "b.txt"}}}) {
        TypeText(mask, step.key);
        EXPECT_EQ(ListNames(list), step.expected) << "after " << TextOf(mask);
    }
    EXPECT_EQ(dlg.m_strSearchMask, "*b*");
}

TEST_F(FileList, EveryOrderOnTheExamples) {
    struct Row { int order; Names files; Names expected; };
    const Row rows[] = {
        {0, {"b.txt", "A.txt", "c.txt"}, {"A.txt", "b.txt", "c.txt"}},
        {-1, {"b.txt", "A.txt", "c.txt"}, {"A.txt", "b.txt", "c.txt"}},
        {1, {"b.txt", "A.txt", "c.txt"}, {"c.txt", "b.txt", "A.txt"}},
        {2, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}, {"a1.txt", "a2.txt", "a10.txt", "b.txt"}},
        {3, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}},
        {2, {"x7.dat", "x007.dat"}, {"x007.dat", "x7.dat"}},
        {2, {"report2023", "z13.txt", "ab12cd34.txt", "y11.txt"}, {"y11.txt", "ab12cd34.txt", "z13.txt", "report2023"}},
        {4, {"a.x10", "plain.txt", ".profile5", "b.x2"}, {"b.x2", ".profile5", "a.x10", "plain.txt"}},
        {5, {"a.x10", "plain.txt", ".profile5", "b.x2"}, {"a.x10", ".profile5", "b.x2", "plain.txt"}},
        {6, {"README", "b.txt", "archive.tar.gz", "a.TXT", "c.bin"}, {"c.bin", "archive.tar.gz", "a.TXT", "b.txt", "README"}},
        {7, {"README", "b.txt", "archive.tar.gz", "a.TXT", "c.bin"}, {"b.txt", "a.TXT", "archive.tar.gz", "c.bin", "README"}},
    };
    int n = 0;
    for (const Row& row : rows) {
        dlg.m_nFileSort = row.order;
        Show(MakeFiles("o" + std::to_string(n++), row.files));
        EXPECT_EQ(ListNames(list), row.expected) << "order " << row.order;
    }
}

TEST_F(FileList, DateOrdersUseLastWriteTimesAndNamesForTies) {
    std::string path = MakeFiles("d", {"new.txt", "mid_b.txt", "old.txt", "mid_a.txt"});
    SetWriteTime(path + "old.txt", 1000000000);
    SetWriteTime(path + "mid_a.txt", 1500000000);
    SetWriteTime(path + "mid_b.txt", 1500000000);
    SetWriteTime(path + "new.txt", 4102444800);  // 2100: past 2038
    struct Row { int order; Names expected; };
    for (const Row& row : {Row{8, {"old.txt", "mid_a.txt", "mid_b.txt", "new.txt"}},
                           Row{9, {"new.txt", "mid_b.txt", "mid_a.txt", "old.txt"}}}) {
        dlg.m_nFileSort = row.order;
        Show(path);
        EXPECT_EQ(ListNames(list), row.expected) << "order " << row.order;
    }
    // An order the combo does not offer (only a settings file gives one) leaves the
    // names as the directory gives them.
    Names enumerated;
    Platform().EnumerateDirectory(path, [&](const FindEntry& e) {
        if (!(e.attrib & 0x10)) enumerated.push_back(e.name);
    });
    dlg.m_nFileSort = 10;
    Show(path);
    EXPECT_EQ(ListNames(list), enumerated);
}

// Names ending in a dot cannot be made here: the stand-in has them.
TEST_F(FileList, NamesEndingInADotInTheStandIn) {
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    for (const char* name : {"report2023", "file1.", "name.", "b2.txt", "a.TXT"}) fake.AddFile(std::string("C:\\t\\") + name);
    struct Row { int order; Names expected; };
    for (const Row& row : {Row{2, {"file1.", "b2.txt", "a.TXT", "name.", "report2023"}},
                           Row{6, {"a.TXT", "b2.txt", "file1.", "name.", "report2023"}}}) {
        dlg.m_nFileSort = row.order;
        Show("C:\\t\\");
        EXPECT_EQ(ListNames(list), row.expected) << "order " << row.order;
    }
}

TEST_F(FileList, SelectionModesFollowTheirAnchorRules) {
    std::string path = MakeFiles("s", {"f0", "f1", "f2", "f3", "f4", "f5", "f6"});
    struct Row { const char* what; std::vector<int> before; int mode; std::vector<int> clicks; std::vector<int> expected; };
    const Row rows[] = {
        {"single clicks toggle", {}, IDC_SINGLEMULTI, {1, 3}, {1, 3}},
        {"a second click deselects", {}, IDC_SINGLEMULTI, {1, 3, 1}, {3}},
        {"extended range", {}, IDC_EXTENDED, {2, 5}, {2, 3, 4, 5}},
        {"extended range upwards", {}, IDC_EXTENDED, {5, 2}, {2, 3, 4, 5}},
        {"start deselected spreads", {5}, IDC_EXTENDED, {5, 2}, {}},
        {"start clicked twice stays start", {}, IDC_EXTENDED, {2, 2, 4}, {}},
        {"third click starts anew", {}, IDC_EXTENDED, {1, 3, 6}, {1, 2, 3, 6}},
    };
    for (const Row& row : rows) {
        Show(path);
        ClickButton(Item(IDC_SINGLEMULTI));
        for (int i : row.before) ClickListItem(list, i);
        ClickButton(Item(row.mode));
        for (int i : row.clicks) ClickListItem(list, i);
        EXPECT_EQ(SelectedIndices(list), row.expected) << row.what;
        EXPECT_EQ(SelCount(), std::to_string(row.expected.size())) << row.what;
    }
}

TEST_F(FileList, ExtendedClickedAgainForgetsAnUnfinishedRange) {
    Show(MakeFiles("e", {"f0", "f1", "f2", "f3", "f4", "f5", "f6"}));
    ClickButton(Item(IDC_EXTENDED));
    ClickListItem(list, 2);
    ClickButton(Item(IDC_EXTENDED));
    Click({4, 6});
    EXPECT_EQ(SelectedIndices(list), (std::vector<int>{2, 4, 5, 6}));
}

TEST_F(FileList, ClearDeselectsEverything) {
    Show(dir.MakeDir("empty"));
    ClickButton(Item(IDC_CLEAR));
    EXPECT_EQ(SelCount(), "0");
    Show(MakeFiles("c", {"a", "b", "c"}));
    Click({0, 2});
    EXPECT_EQ(SelCount(), "2");
    ClickButton(Item(IDC_CLEAR));
    EXPECT_TRUE(SelectedIndices(list).empty());
    EXPECT_EQ(SelCount(), "0");
}

TEST_F(FileList, AutoSelectAndTheCaretAfterARefill) {
    std::string path = MakeFiles("a", {"a.txt", "b.txt", "c.txt", "d.txt"});
    struct Row { int autoSelect; const char* caretName; std::vector<int> selected; int caret; };
    for (const Row& row : {Row{0, "C.TXT", {}, 2},
                           Row{1, "", {0, 1, 2, 3}, 0},
                           Row{1, "b.txt", {0, 1, 2, 3}, 1},
                           Row{0, "gone.txt", {}, 0}}) {
        dlg.m_bAutoSelect = row.autoSelect;
        dlg.m_strCaretName = row.caretName;
        Show(path);
        EXPECT_EQ(SelectedIndices(list), row.selected) << row.caretName;
        EXPECT_EQ(SelCount(), std::to_string(row.selected.size())) << row.caretName;
        EXPECT_EQ(::SendMessageA(list, LB_GETCARETINDEX, 0, 0), row.caret) << row.caretName;
        EXPECT_TRUE(dlg.m_strCaretName.empty());
    }
}

TEST_F(FileList, CombosRefillOnlyWhenTheirEntryChanges) {
    Show(MakeFiles("r", {"a.txt", "b.txt"}));
    ClickListItem(list, 0);
    ChooseComboEntry(Item(IDC_FILEFILTER), 0);
    ChooseComboEntry(Item(IDC_FILESORT), 0);
    EXPECT_EQ(SelectedIndices(list), std::vector<int>{0}) << "same entries: no refill";
    ChooseComboEntry(Item(IDC_FILESORT), 1);
    EXPECT_EQ(dlg.m_nFileSort, 1);
    EXPECT_EQ(ListNames(list), (Names{"b.txt", "a.txt"}));
    EXPECT_TRUE(SelectedIndices(list).empty());
    ClickListItem(list, 0);
    ChooseComboEntry(Item(IDC_FILEFILTER), 1);
    EXPECT_EQ(dlg.m_nFileFilter, 1);
    EXPECT_TRUE(SelectedIndices(list).empty());
}

TEST_F(FileList, MemoryFailuresAreReported) {
    std::string path = MakeFiles("mem", {"a", "b"});
    const char* sortText = "Not enough memory to sort filenames by date.\nPleae choose other sorting methods!";
    struct Row { int order; int refuseFrom; const char* text; UINT flags; bool laterStepsRun; };
    for (const Row& row : {Row{0, 1, "Not enough memory!", MB_OK, false},
                           Row{1, 1, "Not enough memory!", MB_OK, false},
                           Row{1, 2, sortText, MB_ICONSTOP, true},
                           Row{8, 2, sortText, MB_ICONSTOP, true}}) {
        Show(path);
        ClickButton(Item(IDC_SINGLEMULTI));
        ClickListItem(list, 1);  // anchor 1, one entry selected
        sink.messages.clear();
        dlg.m_nFileSort = row.order;
        {
            RefusingAllocator refuse(row.refuseFrom);
            dlg.FillFileList();
        }
        ASSERT_EQ(sink.messages.size(), 1u) << row.text;
        EXPECT_EQ(sink.messages[0].text, row.text);
        EXPECT_EQ(sink.messages[0].title, "Memory Error:");
        EXPECT_EQ(sink.messages[0].flags, row.flags);
        EXPECT_TRUE(ListNames(list).empty());
        EXPECT_EQ(dlg.m_nAnchorIndex, row.laterStepsRun ? -1 : 1) << row.text;
        EXPECT_EQ(SelCount(), row.laterStepsRun ? "0" : "1") << row.text;
    }
}

}  // namespace
