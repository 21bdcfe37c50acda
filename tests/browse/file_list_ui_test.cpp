// The main window's file list in real directories: filter, mask, orders,
// selection modes, Clear, auto select, the caret after a refill, and the combos.
#include "app/rename_dlg.h"
#include "browse_ui_support.h"
#include "support/fake_file_services.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;
using Indices = std::vector<int>;

class FileList : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dlg.Create());
        ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
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
    SetFileStatus(path + "ro.txt", 0x21);
    SetFileStatus(path + "hid.txt", 0x22);
    SetFileStatus(path + "sys.txt", 0x24);
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
    Show(dir.MakeDir("dirs"));
    dir.MakeDir("dirs\\a");
    dlg.FillFileList();
    EXPECT_TRUE(ListNames(list).empty()) << "subdirectories only";
}

// Attribute words no real file here has (every file reports archive).
TEST_F(FileList, FilterOnAttributeWordsOnlyTheStandInHas) {
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    fake.AddFile("C:\\w\\none", 0);
    fake.AddFile("C:\\w\\ro-only", 0x01);
    fake.AddFile("C:\\w\\compressed", 0x800);
    struct Row { int filter; Names expected; };
    for (const Row& row : {Row{0, {"none", "ro-only"}}, Row{1, {"none"}}}) {
        dlg.m_nFileFilter = row.filter;
        Show("C:\\w\\");
        EXPECT_EQ(ListNames(list), row.expected) << "filter " << row.filter;
    }
}

TEST_F(FileList, MaskMatchesWholeNamesIgnoringCaseAndFollowsEachKeystroke) {
    Show(MakeFiles("m", {"readme", "a.txt", "B.TXT", "ab.txt"}));
    struct Row { const char* mask; Names expected; };
    for (const Row& row : {Row{"*.*", {"a.txt", "ab.txt", "B.TXT", "readme"}},
                           Row{"*.txt", {"a.txt", "ab.txt", "B.TXT"}},
                           Row{"A?.TXT", {"ab.txt"}},
                           Row{"readme.*", {"readme"}},
                           Row{"", {}}}) {
        dlg.SetDlgItemText(IDC_SEARCHMASK, row.mask);  // the edit's change refills the list
        EXPECT_EQ(ListNames(list), row.expected) << "mask \"" << row.mask << "\"";
    }
    for (const Row& row : {Row{"*", {"a.txt", "ab.txt", "B.TXT", "readme"}}, Row{"b", {}}, Row{"*", {"ab.txt", "B.TXT"}}}) {
        TypeText(Item(IDC_SEARCHMASK), row.mask);
        EXPECT_EQ(ListNames(list), row.expected) << "after typing up to " << row.mask;
    }
    EXPECT_EQ(dlg.m_strSearchMask, "*b*");
}

TEST_F(FileList, EveryOrderOnTheExamples) {
    struct Row { int order; Names files; Names expected; };
    const Row rows[] = {
        {0, {"b.txt", "A.txt", "c.txt"}, {"A.txt", "b.txt", "c.txt"}},
        {-1, {"b.txt", "A.txt", "c.txt"}, {"A.txt", "b.txt", "c.txt"}},
        {1, {"b.txt", "A.txt", "c.txt"}, {"c.txt", "b.txt", "A.txt"}},
        {2, {"a10.txt", "a2.txt", "report2023", "a1.txt", "ab12cd34.txt", "x007.dat", "x7.dat"},
         {"a1.txt", "a2.txt", "x007.dat", "x7.dat", "a10.txt", "ab12cd34.txt", "report2023"}},
        {3, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}},
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
    SetFileStatus(path + "old.txt", -1, 1000000000);
    SetFileStatus(path + "mid_a.txt", -1, 1500000000);
    SetFileStatus(path + "mid_b.txt", -1, 1500000000);
    SetFileStatus(path + "new.txt", -1, 4102444800);  // 2100: past 2038
    Names enumerated;  // an order of 10 or more (only a settings file gives one) keeps these
    Platform().EnumerateDirectory(path, [&](const FindEntry& e) {
        if (!(e.attrib & kFileDirectory)) enumerated.push_back(e.name);
    });
    struct Row { int order; Names expected; };
    for (const Row& row : {Row{8, {"old.txt", "mid_a.txt", "mid_b.txt", "new.txt"}},
                           Row{9, {"new.txt", "mid_b.txt", "mid_a.txt", "old.txt"}}, Row{10, enumerated}}) {
        dlg.m_nFileSort = row.order;
        Show(path);
        EXPECT_EQ(ListNames(list), row.expected) << "order " << row.order;
    }
}

// A click on a list entry, or (negative) on a button: kExtendedAgain, kClear.
constexpr int kExtendedAgain = -1, kClear = -2;

TEST_F(FileList, SelectionModesClearAndTheSelectedCount) {
    std::string path = MakeFiles("s", {"f0", "f1", "f2", "f3", "f4", "f5", "f6"});
    struct Row { const char* what; Indices before; int mode; Indices clicks; Indices expected; };
    const Row rows[] = {
        {"single clicks toggle", {}, IDC_SINGLEMULTI, {1, 3, 5, 1}, {3, 5}},
        {"extended range", {}, IDC_EXTENDED, {2, 5}, {2, 3, 4, 5}},
        {"extended range upwards", {}, IDC_EXTENDED, {5, 2}, {2, 3, 4, 5}},
        {"a deselected start spreads", {5}, IDC_EXTENDED, {5, 2}, {}},
        {"start clicked twice stays the start", {}, IDC_EXTENDED, {2, 2, 4}, {}},
        {"a third click starts anew", {}, IDC_EXTENDED, {1, 3, 6}, {1, 2, 3, 6}},
        {"Extended again forgets the start", {}, IDC_EXTENDED, {2, kExtendedAgain, 4, 6}, {2, 4, 5, 6}},
        {"Clear", {}, IDC_SINGLEMULTI, {0, 2, kClear}, {}},
    };
    for (const Row& row : rows) {
        Show(path);
        ClickButton(Item(IDC_SINGLEMULTI));
        for (int i : row.before) ClickListItem(list, i);
        ClickButton(Item(row.mode));
        for (int i : row.clicks) {
            if (i >= 0) ClickListItem(list, i);
            else ClickButton(Item(i == kClear ? IDC_CLEAR : IDC_EXTENDED));
        }
        EXPECT_EQ(SelectedIndices(list), row.expected) << row.what;
        EXPECT_EQ(SelCount(), std::to_string(row.expected.size())) << row.what;
    }
    Show(dir.MakeDir("empty"));
    ClickButton(Item(IDC_CLEAR));
    EXPECT_EQ(SelCount(), "0");
}

TEST_F(FileList, AutoSelectAndTheCaretAfterARefill) {
    std::string path = MakeFiles("a", {"a.txt", "b.txt", "c.txt", "d.txt"});
    struct Row { int autoSelect; const char* caretName; Indices selected; int caret; };
    for (const Row& row : {Row{0, "C.TXT", {}, 2}, Row{1, "", {0, 1, 2, 3}, 0}, Row{1, "b.txt", {0, 1, 2, 3}, 1},
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
    EXPECT_EQ(SelectedIndices(list), Indices{0}) << "same entries: no refill";
    ChooseComboEntry(Item(IDC_FILESORT), 1);
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
    for (const Row& row : {Row{0, 1, "Not enough memory!", MB_OK, false}, Row{1, 1, "Not enough memory!", MB_OK, false},
                           Row{1, 2, sortText, MB_ICONSTOP, true}, Row{8, 2, sortText, MB_ICONSTOP, true}}) {
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
