// Names in every script cross the Win32 boundary intact in a run and on paths longer
// than the platform's old limit. Listing and ordering such names: browse_ui_test.cpp;
// typing them: the file status and options windows' tests; the rules themselves: the
// native naming tables.
#include "naming/utf8.h"
#include "platform/wide_text.h"
#include "rename/run_kit.h"

#include <gtest/gtest.h>

namespace {

// One run: case rules on a name of several bytes a character, and a move into a
// directory with a Unicode name (the rules on every script: the native naming tables).
TEST(UnicodeNames, RunRenamesAndMoves) {
    TempDir dir;
    for (const char* name : {"émile.txt", "日本語.txt"}) dir.WriteFile(name, std::string("of ") + name);
    dir.MakeDir("Ζώα");
    ListedWindow w(dir.path());
    w.dlg.m_bChangePrefix = w.dlg.m_bChangeExt = w.dlg.m_bPrefixUpper = w.dlg.m_bExtUpper = 1;
    w.dlg.m_bUseNewDir = 1, w.dlg.m_strDestination = dir.path() + "Ζώα";
    w.Rename();
    EXPECT_EQ(Files(dir.path()), (FileMap{{"Ζώα\\ÉMILE.TXT", "of émile.txt"}, {"Ζώα\\日本語.TXT", "of 日本語.txt"}}));
    EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
}

// A pattern swaps two groups of a Cyrillic name (the pattern rules: the native tables).
TEST(UnicodeNames, PatternSwapsGroups) {
    TempDir dir;
    dir.WriteFile("12-песня.mp3", "of it");
    ListedWindow w(dir.path());
    w.dlg.m_bReplace = w.dlg.m_bRegex = 1, w.dlg.m_nApplyTo = 2;
    w.dlg.m_strReStr1 = "(\\d+)-(.*)", w.dlg.m_strReStr2 = "$2-$1";
    w.Rename();
    EXPECT_EQ(Files(dir.path()), (FileMap{{"песня.mp3-12", "of it"}}));
    EXPECT_TRUE(w.kit.ui.Told().empty()) << w.kit.ui.Told().front();
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
