#include <gtest/gtest.h>

#include "naming/advanced_name.h"
#include "naming/name_pattern.h"
#include "naming/rename_options.h"

namespace {

struct AdvancedCase {
    const char* what;
    void (*set)(RenameOptions&);
    const char* oldName;
    const char* expected;  // nullptr: the fields are not filled in
};

void InsertAt(RenameOptions& o, const char* pos) { o.m_bInsert = 1; o.m_strInsStr1 = "X"; o.m_strInsAtPos = pos; }
void ReplaceText(RenameOptions& o, const char* search) {
    o.m_bReplace = 1; o.m_nApplyTo = 2; o.m_strReStr1 = search; o.m_strReStr2 = "#";
}
void ReplaceRange(RenameOptions& o, const char* from, const char* to) {
    o.m_bReplace = 1; o.m_nApplyTo = 2; o.m_strReFromPos = from; o.m_strReToPos = to; o.m_strReStr2 = "#";
}
void Regex(RenameOptions& o, const char* pattern, const char* with, const char* from = "", const char* to = "") {
    ReplaceText(o, pattern);
    o.m_bRegex = 1; o.m_strReStr2 = with; o.m_strReFromPos = from; o.m_strReToPos = to;
}
void InsertBeside(RenameOptions& o, const char* search, bool after, bool back) {
    o.m_bInsert = 1; o.m_nApplyTo = 2; o.m_strInsStr1 = "ab"; o.m_strInsStr2 = search;
    (after ? o.m_bInsAfter : o.m_bInsBefore) = 1;
    o.m_bSearchBack = back;
}

const AdvancedCase kAdvancedCases[] = {
    {"insert at the front", [](RenameOptions& o) { InsertAt(o, "0"); }, "report.txt", "Xreport.txt"},
    {"position past the end appends", [](RenameOptions& o) { InsertAt(o, "99"); }, "report.txt", "reportX.txt"},
    {"no dot: all prefix", [](RenameOptions& o) { InsertAt(o, "0"); }, "README", "XREADME"},
    {"read like atoi, negative counts as 0", [](RenameOptions& o) { InsertAt(o, " -4x9"); }, "ab.c", "Xab.c"},
    {"no dot, apply to extension", [](RenameOptions& o) { InsertAt(o, "0"); o.m_nApplyTo = 1; }, "README", "README.X"},
    {"no dot, extension unchanged: no dot added", [](RenameOptions& o) { ReplaceText(o, "z"); o.m_nApplyTo = 1; }, "README", "README"},
    {"range 0-0 on the extension", [](RenameOptions& o) { ReplaceRange(o, "0", "0"); o.m_nApplyTo = 1; }, "a.txt", "a.#xt"},
    {"first match replaced", [](RenameOptions& o) { ReplaceText(o, "abc"); }, "xabcabc", "x#abc"},
    {"backward: last match", [](RenameOptions& o) { ReplaceText(o, "abc"); o.m_bSearchBack = 1; }, "xabcabc", "xabc#"},
    {"case folded, kept case", [](RenameOptions& o) { ReplaceText(o, "ABC"); }, "xAbCd", "x#d"},
    {"case sensitive misses", [](RenameOptions& o) { ReplaceText(o, "ABC"); o.m_bCaseSensitive = 1; }, "xAbCd", "xAbCd"},
    {"wildcard inside", [](RenameOptions& o) { ReplaceText(o, "2*final"); }, "photo_2023_final.jpg", "photo_#.jpg"},
    {"leading star starts at 0", [](RenameOptions& o) { ReplaceText(o, "*_"); }, "photo_2023_final.jpg", "#2023_final.jpg"},
    {"trailing star runs to the end", [](RenameOptions& o) { ReplaceText(o, "final*"); }, "photo_2023_final.jpg", "photo_2023_#"},
    {"pieces take the first occurrence", [](RenameOptions& o) { ReplaceText(o, "a*c"); }, "abcbc", "#bc"},
    {"empty piece", [](RenameOptions& o) { ReplaceText(o, "b**c"); }, "abxcd", "a#d"},
    {"missing piece: no match", [](RenameOptions& o) { ReplaceText(o, "c*a"); }, "abcb", "abcb"},
    {"insert after", [](RenameOptions& o) { InsertBeside(o, "1", true, false); }, "x1y1", "x1aby1"},
    {"backward, before", [](RenameOptions& o) { InsertBeside(o, "1", false, true); }, "x1y1", "x1yab1"},
    {"backward, after", [](RenameOptions& o) { InsertBeside(o, "1", true, true); }, "x1y1", "x1y1ab"},
    {"backward wildcard, before", [](RenameOptions& o) { InsertBeside(o, "2*_", false, true); }, "photo_2023_final", "photo_20ab23_final"},
    {"wildcard, after", [](RenameOptions& o) { InsertBeside(o, "o*2", true, false); }, "photo_2023", "photo_2ab023"},
    {"empty search: front", [](RenameOptions& o) { InsertBeside(o, "", false, false); o.m_nApplyTo = 0; }, "pic.gif", "abpic.gif"},
    {"From # alone", [](RenameOptions& o) { ReplaceRange(o, "2", ""); }, "abcdef", "#cdef"},
    {"To # alone", [](RenameOptions& o) { ReplaceRange(o, "", "2"); }, "abcdef", "abcd#"},
    {"range swapped", [](RenameOptions& o) { ReplaceRange(o, "3", "1"); }, "abcdef", "a#ef"},
    {"range to the last character", [](RenameOptions& o) { ReplaceRange(o, "1", "5"); }, "abcdef", "a#"},
    {"range clamped", [](RenameOptions& o) { ReplaceRange(o, "-5", "300"); }, "abc", "#"},
    {"huge number", [](RenameOptions& o) { ReplaceRange(o, "", "99999999999999999999999999"); }, "abc", "#"},
    // Positions count characters, whatever bytes they take; searches fold every letter.
    {"insert after multi-byte characters", [](RenameOptions& o) { InsertAt(o, "2"); }, "日本語.txt", "日本X語.txt"},
    {"insert after an emoji", [](RenameOptions& o) { InsertAt(o, "1"); o.m_nApplyTo = 1; }, "a.😀😀", "a.😀X😀"},
    {"range of Greek letters", [](RenameOptions& o) { ReplaceRange(o, "1", "2"); }, "ΑΒΓΔ.é", "Α#Δ.é"},
    {"From # alone, Cyrillic", [](RenameOptions& o) { ReplaceRange(o, "2", ""); }, "Жук.txt", "#к.txt"},
    {"To # alone, emoji", [](RenameOptions& o) { ReplaceRange(o, "", "1"); }, "日本😀", "日本#"},
    {"accented letters folded", [](RenameOptions& o) { ReplaceText(o, "ÉTÉ"); }, "xétéy", "x#y"},
    {"Greek and Cyrillic folded", [](RenameOptions& o) { ReplaceText(o, "σοφία_ЖУК"); }, "ΣΟΦΊΑ_жук.txt", "#.txt"},
    {"case sensitive misses é", [](RenameOptions& o) { ReplaceText(o, "É"); o.m_bCaseSensitive = 1; }, "été", "été"},
    {"backward, accented", [](RenameOptions& o) { ReplaceText(o, "É"); o.m_bSearchBack = 1; }, "éxé.txt", "éx#.txt"},
    {"wildcard over Japanese", [](RenameOptions& o) { ReplaceText(o, "本*.t"); }, "日本語.txt", "日#xt"},
    {"backward wildcard, emoji", [](RenameOptions& o) { ReplaceText(o, "😀*Ж"); o.m_bSearchBack = 1; }, "😀aЖ😀bж", "😀aЖ#"},
    {"backward before, multi-byte", [](RenameOptions& o) { InsertBeside(o, "é", false, true); }, "éxé", "éxabé"},
    {"damaged name comes out well-formed", [](RenameOptions& o) { InsertAt(o, "1"); }, "a\xFF\xC3.b\x80", "aX\uFFFD\uFFFD.b\uFFFD"},
    // Regular expressions: every match, or the last; Unicode case; the range limits the search.
    {"groups swapped", [](RenameOptions& o) { Regex(o, "(\\d+)-(.*)", "$2-$1"); }, "12-song.mp3", "song.mp3-12"},
    {"every match", [](RenameOptions& o) { Regex(o, "a", "#"); }, "banana", "b#n#n#"},
    {"backward: the last match", [](RenameOptions& o) { Regex(o, "a", "#"); o.m_bSearchBack = 1; }, "banana", "banan#"},
    {"empty matches", [](RenameOptions& o) { Regex(o, "x*", "-"); }, "ab", "-a-b-"},
    {"Unicode case folded", [](RenameOptions& o) { Regex(o, "É|Σ", "#"); }, "étéσςs", "#t###s"},
    {"regex case sensitive", [](RenameOptions& o) { Regex(o, "a", "#"); o.m_bCaseSensitive = 1; }, "Aa", "A#"},
    {"prefix only", [](RenameOptions& o) { Regex(o, "\\d", "#"); o.m_nApplyTo = 0; }, "a1.mp3", "a#.mp3"},
    {"From # alone: the first characters", [](RenameOptions& o) { Regex(o, "a", "#", "2"); }, "aaaa", "##aa"},
    {"To # alone: the last characters", [](RenameOptions& o) { Regex(o, "é", "#", "", "1"); }, "éééé", "ééé#"},
    {"both: from..to", [](RenameOptions& o) { Regex(o, "^.", "#", "3", "1"); }, "日本語です", "日#語です"},
    {"case escapes", [](RenameOptions& o) { Regex(o, "(\\w+)_(\\w+)", "\\u$1 \\U$2\\E!"); }, "hello_wörld", "Hello WÖRLD!"},
    {"lower case escape", [](RenameOptions& o) { Regex(o, "^.*$", "\\L$0"); }, "ÉTÉ.TXT", "été.txt"},
    {"whole match and dollar", [](RenameOptions& o) { Regex(o, "b", "[$&$0$$\\$&]"); }, "abc", "a[bb$$&]c"},
    {"named group, fields kept", [](RenameOptions& o) { Regex(o, "(?<n>\\d+)", "<taken>${n}"); }, "x7", "x<taken>7"},
    {"unknown group is empty", [](RenameOptions& o) { Regex(o, "(a)", "$2x"); }, "ab", "xb"},
    {"not filled in, whatever the mode",
     [](RenameOptions& o) { o.m_bInsert = 1; o.m_strInsStr1 = "x"; o.m_strInsStr2 = "y"; o.m_strReStr2 = "z"; }, "a.txt", nullptr},
};

TEST(AdvancedName, Composes) {
    for (const AdvancedCase& c : kAdvancedCases) {
        RenameOptions o;
        c.set(o);
        std::string name = "stale";
        EXPECT_EQ(c.expected ? 1 : -3, ComposeAdvancedBareName(o, c.oldName, name)) << c.what;
        EXPECT_EQ(c.expected ? c.expected : "", name) << c.what;
    }
}

// Refused patterns and replacements give PCRE2's message and the character where it
// stopped; a pattern that backtracks without end gives up on the name.
TEST(AdvancedName, RefusesBadPatterns) {
    const std::string longName(255, 'a');
    const struct { const char *pattern, *with; std::string name; int result; const char* message; size_t at; } cases[] = {
        {"(a", "", "a", -5, "missing closing parenthesis", 2},
        {"é[", "", "a", -5, "missing terminating ] for character class", 2},
        {"a", "${1", "a", -5, "expected closing curly bracket in replacement string", 3},
        {"a", "\\k", "b", 1, "", 0},  // a replacement is looked at only where the pattern matches
        {"(a+)+\\d", "", longName, -4, "", 0},
        {"(a|aa)*$", "", longName + "!", -4, "", 0},
    };
    for (const auto& c : cases) {
        RenameOptions o;
        Regex(o, c.pattern, c.with);
        std::string name;
        PatternError error;
        EXPECT_EQ(ComposeAdvancedBareName(o, c.name, name, nullptr, &error), c.result) << c.pattern;
        EXPECT_EQ(error.message, c.message) << c.pattern;
        EXPECT_EQ(error.at, c.at) << c.pattern;
    }
}

}  // namespace
