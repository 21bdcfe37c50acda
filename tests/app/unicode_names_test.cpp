// Names in every script cross the Win32 boundary intact: real files named in accented
// Latin, Greek, Cyrillic, Japanese and with an emoji (outside the basic plane) are
// listed, sorted, renamed, moved, edited, deleted and remembered by the real windows. The rules themselves have their native tables; one or two rows per
// capability prove that the names arrive and leave unharmed.
#include "browse/sort_orders.h"
#include "naming/utf8.h"
#include "platform/wide_text.h"
#include "rename/run_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

const std::vector<std::string> kNames = {"émile.txt", "Ωmega.TXT", "Кошка.doc", "日本語.txt", "😀smile.txt"};

std::vector<std::string> Sorted(std::vector<std::string> names) {
    std::sort(names.begin(), names.end());
    return names;
}

void WriteAll(const TempDir& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) dir.WriteFile(name, "of " + name);
}

// The list under a mask that takes a two-byte letter for its "?", and in every order,
// holds exactly the names on the disk; an order the program computes itself is its
// order of the names as read.
TEST(UnicodeNames, ListedUnderAMaskAndEveryOrder) {
    TempDir dir;
    WriteAll(dir, kNames);
    ListedWindow w(dir.path(), false);
    w.dlg.m_strSearchMask = "?MEGA.txt";
    w.dlg.FillFileList();
    EXPECT_EQ(Items(w.List()), std::vector<std::string>{"Ωmega.TXT"});
    w.dlg.m_strSearchMask = "*.*";
    for (int entry = 0; entry < kSortBoxEntries; ++entry) {
        const int order = SortOrderOfEntry(entry);
        SCOPED_TRACE(order);
        w.dlg.m_browse.m_nFileSort = order;
        w.dlg.FillFileList();
        const std::vector<std::string> listed = Items(w.List());
        EXPECT_EQ(Sorted(listed), Sorted(kNames));
        std::vector<std::string> expected = kNames;
        SortNamesForOrder(order, expected);
        if (FileListFillForOrder(order) == FileListFill::kSortNames) EXPECT_EQ(listed, expected);
    }
}

// A run on one file each: case rules and INSERT by characters on names of several
// bytes a character, and a move into a directory with a Unicode name (the rules on
// every script: the native naming tables).
TEST(UnicodeNames, RunRenamesAndMoves) {
    const struct { const char* what; std::string from; std::function<void(CRenameDlg&)> set; std::string to; } cases[] = {
        {"UPPER", "émile.txt", [](CRenameDlg& d) { d.m_bChangePrefix = d.m_bChangeExt = d.m_bPrefixUpper = d.m_bExtUpper = 1; }, "ÉMILE.TXT"},
        {"INSERT at 2", "日本語.txt",
         [](CRenameDlg& d) { d.m_bInsert = 1, d.m_strInsStr1 = "-", d.m_strInsAtPos = "2"; }, "日本-語.txt"},
        {"groups swapped by pattern", "12-песня.mp3", [](CRenameDlg& d) {
             d.m_bReplace = d.m_bRegex = 1, d.m_nApplyTo = 2, d.m_strReStr1 = "(\\d+)-(.*)", d.m_strReStr2 = "$2-$1"; },
         "песня.mp3-12"},
        {"moved", "Кошка.doc",
         [](CRenameDlg& d) { d.m_bUseNewDir = 1, d.m_strDestination = d.m_browse.m_strCurDir + "Ζώα"; },
         "Ζώα\\Кошка.doc"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        dir.WriteFile(c.from, "of it");
        dir.MakeDir("Ζώα");
        ListedWindow w(dir.path());
        c.set(w.dlg);
        w.Rename();
        EXPECT_EQ(Files(dir.path()), (FileMap{{c.to, "of it"}}));
        EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
    }
}

// The file status window renames a file to a name typed in Greek and an emoji.
TEST(UnicodeNames, FileStatusRenames) {
    TempDir dir;
    WriteAll(dir, {"émile.txt", "日本語.txt"});
    ListedWindow w(dir.path(), false);
    w.kit.ui.onModal = [](CDialog& shown) {
        ::SetWindowTextW(shown.GetDlgItem(IDC_FS_NAME), L"");
        TypeText(shown.GetDlgItem(IDC_FS_NAME), "λ😀.txt");
        ClickButton(shown.GetDlgItem(IDOK));
    };
    ClickListItem(w.List(), static_cast<int>(ListBoxFindExact(w.List(), -1, "émile.txt")));
    ::SendMessageW(w.dlg.GetSafeHwnd(), WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK),
                   reinterpret_cast<LPARAM>(w.List()));
    PumpMessages();
    EXPECT_EQ(Files(dir.path()), (FileMap{{"λ😀.txt", "of émile.txt"}, {"日本語.txt", "of 日本語.txt"}}));
    EXPECT_EQ(Sorted(Items(w.List())), Sorted({"λ😀.txt", "日本語.txt"}));
}

// A prefix typed in four scripts is saved in UTF-8 and is back after a restart.
TEST(UnicodeNames, SettingsKeepAUnicodePrefixAcrossARestart) {
    const std::string prefix = "Ünï-Ωж-日本-😀";
    MainWindowKit kit;
    ASSERT_TRUE(kit.Open());
    ClickButton(kit.dlg.GetDlgItem(IDC_CHGPREFIX));
    TypeText(kit.dlg.GetDlgItem(IDC_NEWPREFIX), prefix);
    EXPECT_EQ(kit.dlg.m_strNewPrefix, prefix);
    kit.dlg.SaveSettings();
    EXPECT_NE(ReadFile(kit.services.settingsPath).find("NEWPREFIX=" + prefix + "\r\n"), std::string::npos);
    kit.dlg.DestroyWindow();

    CRenameDlg again(kit.services);
    ASSERT_TRUE(again.Create());
    PumpMessages(again.GetSafeHwnd());
    EXPECT_EQ(again.m_strNewPrefix, prefix);
    EXPECT_EQ(TextOf(again.GetDlgItem(IDC_NEWPREFIX)), prefix);
    again.DestroyWindow();
}

// A file whose full path is longer than 260 characters is listed, renamed and stamped
// in one run, and deleted.
TEST(UnicodeNames, PathLongerThan260Characters) {
    TempDir root;
    std::string dir = root.path();
    for (int level = 0; dir.size() < 280; ++level) dir = root.MakeDir(dir.substr(root.path().size()) +
                                                                      "Каталог-" + std::to_string(level) + "-" +
                                                                      std::string(40, 'x'));
    ASSERT_GT(CountCodePoints(dir + "日本語.txt"), 260u);
    root.WriteFile(dir.substr(root.path().size()) + "日本語.txt", "long");
    ListedWindow w(dir);
    EXPECT_EQ(Items(w.List()), (std::vector<std::string>{"日本語.txt"}));

    w.dlg.m_bChangeExt = w.dlg.m_bExtUpper = 1, w.dlg.m_bTimeDate = 1, w.dlg.m_nYear = 2003;
    w.dlg.m_nMonth = 12, w.dlg.m_nDay = 24;
    w.Rename();
    EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
    EXPECT_EQ(Files(dir, false, false), (FileMap{{"日本語.TXT", "long"}}));
    FileStatus status;
    ASSERT_TRUE(w.kit.realFiles.GetStatus(dir + "日本語.TXT", status));
    EXPECT_EQ(w.kit.realFiles.ToLocalTime(status.modified).year, 2003);

    w.dlg.m_bWarnDelete = 0;
    ::SendMessageW(w.List(), LB_SETSEL, TRUE, 0);
    PressKey(w.dlg.GetSafeHwnd(), w.List(), VK_DELETE);
    EXPECT_TRUE(Files(dir).empty());
}

}  // namespace
