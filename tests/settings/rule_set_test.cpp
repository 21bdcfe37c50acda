#include <map>
#include <string>
#include <tuple>
#include <vector>

#include <gtest/gtest.h>

#include "settings/explorer_menu.h"
#include "settings/rule_set.h"

namespace {

// Every option away from its start-up value, texts with outer blanks and wide characters.
const std::string kEvery =
    "[Vorlix rules 1]\r\nChangePrefix=1\r\nNewPrefix= p é日😀 \r\nPrefixPosition=0\r\nPrefixUpper=1\r\n"
    "PrefixLower=1\r\nCountPrefix=1\r\nChangeExtension=1\r\nNewExtension= e \r\nExtensionPosition=1\r\n"
    "ExtensionUpper=1\r\nExtensionLower=1\r\nCountExtension=1\r\nStartCount=B\r\nIncrement=7\r\nAlphaCount=1\r\n"
    "Insert=1\r\nInsertString=\tin\r\nInsertBeside=by\r\nInsertAtPosition=12\r\nInsertAfter=1\r\n"
    "InsertBefore=1\r\nReplace=1\r\nReplaceString=(a+)\r\nReplaceWith=$1=\r\nReplaceFrom=2\r\nReplaceTo=9\r\n"
    "ApplyTo=2\r\nSearchBackward=1\r\nCaseSensitive=1\r\nRegularExpression=1\r\n";

std::string Repeat(const std::string& s, int n) { return n > 0 ? s + Repeat(s, n - 1) : ""; }

TEST(RuleSet, EveryFieldGoesRoundTripAndNothingOfTheBrowsing) {
    EXPECT_EQ(FormatRuleSet(ReadRuleSet(kEvery).value()), kEvery);
    RenameOptions browsing;
    browsing.m_strSearchMask = "*.jpg", browsing.m_nSelectMode = 1, browsing.m_strPreview = "x";
    EXPECT_EQ(FormatRuleSet(browsing), FormatRuleSet(RenameOptions()));
}

TEST(RuleSet, RefusesWhatIsNoRuleSet) {
    const std::string head = "[Vorlix rules 1]\n", nul("NewPrefix=a\0b", 13);
    for (const std::string& bytes : {std::string(), "[Vorlix rules 2]\n" + head, "\n" + head, head + nul,
                                     head + "NewPrefix=a\x1b", head + "NewPrefix=\xE9",
                                     head + "X=" + std::string(64 * 1024 - head.size() - 1, 'a')})
        EXPECT_FALSE(ReadRuleSet(bytes)) << bytes.substr(0, 30);
    EXPECT_TRUE(ReadRuleSet(head + "X=" + std::string(64 * 1024 - head.size() - 2, 'a')));
    EXPECT_TRUE(ReadRuleSet("\xEF\xBB\xBF" + head));  // as Notepad saves UTF-8
}

TEST(RuleSet, ReadsKeysAsTheyCome) {
    const struct { std::string body, prefix, start, increment, insAt; int pos, upper; } rows[] = {
        {"", "", "001", "1", "", 2, 0},  // missing keys: start-up values
        {"Colour=red\nno key\nnewprefix=x\n NewPrefix=y\n", "", "001", "1", "", 2, 0},
        {"NewPrefix=a\nNewPrefix=b\nPrefixUpper=1\nPrefixUpper=0", "b", "001", "1", "", 2, 0},
        {"PrefixUpper=7\nPrefixPosition=1", "", "001", "1", "", 1, 1},
        {"PrefixPosition=3\nPrefixUpper=-1", "", "001", "1", "", 2, 0},
        {"NewPrefix=" + Repeat("日", 300) + "\nStartCount=" + Repeat("9", 25) + "\nIncrement=" + Repeat("1", 25) +
             "\nInsertAtPosition=123456",
         Repeat("日", 256), Repeat("9", 20), Repeat("1", 19), "1234", 2, 0},
    };
    for (const auto& row : rows) {
        const RenameOptions o = ReadRuleSet("[Vorlix rules 1]\r\n" + row.body).value();
        EXPECT_EQ(std::make_tuple(o.m_strNewPrefix, o.m_strStartCount, o.m_strIncrement, o.m_strInsAtPos,
                                  o.m_nPrefixPos, o.m_bPrefixUpper),
                  std::make_tuple(row.prefix, row.start, row.increment, row.insAt, row.pos, row.upper))
            << row.body.substr(0, 40);
    }
}

// Each field in the window's order, as by hand: the later of two that exclude each other wins.
TEST(RuleSet, PutInAsTheWindowAllows) {
    RenameOptions current;
    current.m_bInsert = 1, current.m_strSearchMask = "*.jpg";
    const RenameOptions o = WithRuleSet(current, ReadRuleSet(kEvery).value());
    EXPECT_EQ(std::make_tuple(o.m_bReplace, o.m_bInsert, o.m_bChangePrefix, o.m_bCountExt, o.m_bPrefixUpper,
                              o.m_bPrefixLower, o.m_bInsAfter, o.m_bInsBefore, o.m_strInsAtPos, o.m_strStartCount),
              std::make_tuple(1, 0, 0, 0, 0, 1, 0, 1, std::string(), std::string("B")));
    EXPECT_EQ(o.m_strSearchMask, "*.jpg");
}

TEST(RecentRules, NewestFirstAtMostEight) {
    std::vector<std::string> list = ReadRecentRules("C:\\a.vorlixrules\r\n\r\nC:\\b.vorlixrules\n");
    list = WithRecentFirst(list, "c:\\B.VORLIXRULES");
    EXPECT_EQ(FormatRecentRules(list), "c:\\B.VORLIXRULES\r\nC:\\a.vorlixrules\r\n");
    for (char c = '1'; c <= '9'; ++c) list = WithRecentFirst(list, std::string("D:\\") + c);
    EXPECT_EQ(FormatRecentRules(WithoutRecent(list, "d:\\9")), "D:\\8\r\nD:\\7\r\nD:\\6\r\nD:\\5\r\nD:\\4\r\nD:\\3\r\nD:\\2\r\n");
    EXPECT_EQ(ReadRecentRules(Repeat("x\n", 20)).size(), 8u);
    EXPECT_TRUE(IsRuleSetPath("C:\\My.VorlixRules"));
    EXPECT_FALSE(IsRuleSetPath(".vorlixrules.txt"));
}

// The user's classes as "key|name" -> data; a failing registry refuses every change.
struct MapRegistry : ClassesRegistry {
    std::map<std::string, std::string> values;
    bool failing = false;
    std::string SetValue(const ClassesValue& v) override {
        if (!failing) values[v.key + "|" + v.name] = v.data;
        return failing ? "Access is denied." : "";
    }
    std::string DeleteKey(const std::string&) override { return failing ? "Access is denied." : ""; }
    bool HasValue(const ClassesValue& v) override { return values.count(v.key + "|" + v.name) && values[v.key + "|" + v.name] == v.data; }
};

// Which keys go again is checked in the system's registry (settings_ui_test.cpp).
TEST(ExplorerMenu, EveryValueQuotesTheExecutable) {
    const std::string exe = "C:\\Tools & Co\\vorlix.exe", q = "\"C:\\Tools & Co\\vorlix.exe\"";
    MapRegistry reg;
    EXPECT_FALSE(IsExplorerMenuOn(reg, exe));
    EXPECT_EQ(SetExplorerMenu(reg, true, exe), "");
    EXPECT_TRUE(IsExplorerMenuOn(reg, exe));
    EXPECT_FALSE(IsExplorerMenuOn(reg, "D:\\moved\\vorlix.exe"));
    EXPECT_EQ(reg.values, (std::map<std::string, std::string>{
        {"Directory\\shell\\Vorlix|", "Rename with Vorlix"}, {"Directory\\shell\\Vorlix|Icon", q},
        {"Directory\\shell\\Vorlix\\command|", q + " \"%1\""},
        {"Directory\\Background\\shell\\Vorlix|", "Rename with Vorlix"},
        {"Directory\\Background\\shell\\Vorlix|Icon", q}, {"Directory\\Background\\shell\\Vorlix\\command|", q + " \"%V\""},
        {"*\\shell\\Vorlix|", "Rename with Vorlix"}, {"*\\shell\\Vorlix|Icon", q},
        {"*\\shell\\Vorlix|MultiSelectModel", "Player"}, {"*\\shell\\Vorlix\\command|", q + " /select \"%1\""},
        {".vorlixrules|", "Vorlix.RuleSet"}, {"Vorlix.RuleSet|", "Vorlix rule set"},
        {"Vorlix.RuleSet\\DefaultIcon|", q + ",0"}, {"Vorlix.RuleSet\\shell\\open\\command|", q + " /rules \"%1\""}}));
    reg.failing = true;
    EXPECT_EQ(SetExplorerMenu(reg, true, exe), "Access is denied.");
    EXPECT_EQ(SetExplorerMenu(reg, false, exe), "Access is denied.");
}

}  // namespace
