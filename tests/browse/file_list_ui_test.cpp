// The main window's file list in real directories: filter, mask, orders,
// selection modes, Clear, auto select and the caret after a refill.
#include "app/rename_dlg.h"
#include "browse_ui_support.h"
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
    void Show(const std::string& path) { dlg.m_strCurDir = path; dlg.FillFileList(); }
    std::string MakeFiles(const std::string& sub, const Names& names) {
        std::string path = dir.MakeDir(sub);
        for (const std::string& name : names) dir.WriteFile(sub + "\\" + name);
        return path;
    }
    std::string SelCount() { return TextOf(dlg.GetDlgItem(IDC_SELCOUNT)); }

    CapturingSink sink;
    TempDir dir;
    CRenameDlg dlg;
    HWND list = nullptr;
};

TEST_F(FileList, FilterOnRealAttributesLeavesDirectoriesOut) {
    std::string path = MakeFiles("f", {"plain.txt", "ro.txt", "hid.txt", "sys.txt"});
    dir.MakeDir("f\\folder");
    SetFileStatus(path + "ro.txt", 0x21);
    SetFileStatus(path + "hid.txt", 0x22);
    SetFileStatus(path + "sys.txt", 0x24);
    Show(path);
    struct Row { int filter; Names expected; };
    // Consecutive rows differ, so that each choice refills the list.
    for (const Row& row : {Row{1, {"plain.txt"}}, Row{2, {"plain.txt", "ro.txt", "sys.txt"}},
                           Row{3, {"hid.txt", "plain.txt", "sys.txt"}}, Row{4, {"hid.txt", "plain.txt", "ro.txt"}},
                           Row{0, {"hid.txt", "plain.txt", "ro.txt", "sys.txt"}}}) {
        ChooseComboEntry(dlg.GetDlgItem(IDC_FILEFILTER), row.filter);
        EXPECT_EQ(ListNames(list), row.expected) << "filter " << row.filter;
    }
}

TEST_F(FileList, MaskMatchesWholeNamesIgnoringCase) {
    Show(MakeFiles("m", {"readme", "a.txt", "B.TXT", "ab.txt"}));
    struct Row { const char* mask; Names expected; };
    for (const Row& row : {Row{"*.*", {"a.txt", "ab.txt", "B.TXT", "readme"}}, Row{"*.txt", {"a.txt", "ab.txt", "B.TXT"}},
                           Row{"A?.TXT", {"ab.txt"}}, Row{"readme.*", {"readme"}}, Row{"", {}}}) {
        dlg.SetDlgItemText(IDC_SEARCHMASK, row.mask);  // the edit's change refills the list
        EXPECT_EQ(ListNames(list), row.expected) << "mask \"" << row.mask << "\"";
    }
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
    for (const Row& row : rows) {
        dlg.m_nFileSort = row.order;
        Show(MakeFiles("o" + std::to_string(&row - rows), row.files));
        EXPECT_EQ(ListNames(list), row.expected) << "order " << row.order;
    }
    // The date orders use last-write times (one past 2038), and names for ties.
    std::string path = MakeFiles("d", {"new.txt", "mid_b.txt", "old.txt", "mid_a.txt"});
    const std::pair<const char*, int64_t> times[] = {
        {"old.txt", 1000000000}, {"mid_a.txt", 1500000000}, {"mid_b.txt", 1500000000}, {"new.txt", 4102444800}};
    for (const auto& [name, time] : times) SetFileStatus(path + name, -1, time);
    for (const Row& row : {Row{8, {}, {"old.txt", "mid_a.txt", "mid_b.txt", "new.txt"}},
                           Row{9, {}, {"new.txt", "mid_b.txt", "mid_a.txt", "old.txt"}}}) {
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
        ClickButton(dlg.GetDlgItem(IDC_SINGLEMULTI));
        for (int i : row.before) ClickListItem(list, i);
        ClickButton(dlg.GetDlgItem(row.mode));
        for (int i : row.clicks) {
            if (i >= 0) ClickListItem(list, i);
            else ClickButton(dlg.GetDlgItem(i == kClear ? IDC_CLEAR : IDC_EXTENDED));
        }
        EXPECT_EQ(SelectedIndices(list), row.expected) << row.what;
        EXPECT_EQ(SelCount(), std::to_string(row.expected.size())) << row.what;
    }
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

}  // namespace
