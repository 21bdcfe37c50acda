// The new bare name ("prefix.extension", before the platform drops a trailing dot)
// that the basic and the advanced options make of an old name.
#include <gtest/gtest.h>

#include "naming/advanced_name.h"
#include "naming/basic_name.h"
#include "naming/rename_options.h"

namespace {

using Set = void (*)(RenameOptions&);

void Prefix(RenameOptions& o, int pos, const char* text) { o.m_bChangePrefix = 1, o.m_nPrefixPos = pos, o.m_strNewPrefix = text; }
void Ext(RenameOptions& o, int pos, const char* text) { o.m_bChangeExt = 1, o.m_nExtPos = pos, o.m_strNewExt = text; }

TEST(BasicName, Composes) {
    const struct { const char* what; Set set; const char *oldName, *counter, *expected; } cases[] = {
        {"only the last dot splits", [](auto& o) { Ext(o, 0, "zip"); }, "archive.tar.gz", "", "archive.tar.zip"},
        {"empty old prefix", [](auto& o) { Prefix(o, 0, "x"); }, ".profile", "", "x.profile"},
        {"no extension keeps a trailing dot", [](auto& o) { Prefix(o, 2, "_old"); }, "README", "", "README_old."},
        {"name ending in a dot", [](auto& o) { Ext(o, 1, "txt"); }, "name.", "", "name.txt"},
        {"one leading dot of the new ext dropped", [](auto& o) { Ext(o, 0, ".bak"); }, "name.x", "", "name.bak"},
        {"only one leading dot dropped", [](auto& o) { Ext(o, 0, "..bak"); }, "name.x", "", "name..bak"},
        {"empty replacing prefix", [](auto& o) { Prefix(o, 0, ""); }, "a.txt", "", ".txt"},
        {"upper case covers counter, not ext", [](auto& o) { Prefix(o, 2, "-"), o.m_bCountPrefix = o.m_bPrefixUpper = 1; },
         "photo.jpg", "ab", "PHOTO-AB.jpg"},
        {"counter sits by the new text", [](auto& o) { Prefix(o, 1, "v"), o.m_bCountPrefix = 1; }, "x.doc", "01", "v01x.doc"},
        {"counter for the ext ignored by the prefix", [](auto& o) { Prefix(o, 2, "p"), Ext(o, 2, ""), o.m_bCountExt = 1; },
         "a.b", "7", "ap.b7"},
        {"ext lower case, only ASCII", [](auto& o) { Ext(o, 2, "\xC4X"), o.m_bExtLower = 1; }, "a.JPG", "", "a.jpg\xC4x"},
        {"bad positions empty the parts", [](auto& o) { Prefix(o, 3, ""), Ext(o, -1, ""); }, "a.txt", "", "."},
    };
    for (const auto& c : cases) {
        RenameOptions o;
        c.set(o);
        EXPECT_EQ(c.expected, ComposeBasicBareName(o, c.oldName, c.counter)) << c.what;
    }
}

void InsertAt(RenameOptions& o, const char* pos) { o.m_bInsert = 1, o.m_strInsStr1 = "X", o.m_strInsAtPos = pos; }
void ReplaceText(RenameOptions& o, const char* search) {
    o.m_bReplace = 1, o.m_nApplyTo = 2, o.m_strReStr1 = search, o.m_strReStr2 = "#";
}
void ReplaceRange(RenameOptions& o, const char* from, const char* to) {
    ReplaceText(o, ""), o.m_strReFromPos = from, o.m_strReToPos = to;
}
void InsertBeside(RenameOptions& o, const char* search, bool after, bool back) {
    o.m_bInsert = 1, o.m_nApplyTo = 2, o.m_strInsStr1 = "ab", o.m_strInsStr2 = search, o.m_bSearchBack = back;
    (after ? o.m_bInsAfter : o.m_bInsBefore) = 1;
}

TEST(AdvancedName, Composes) {
    const struct { const char* what; Set set; const char *oldName, *expected; } cases[] = {  // nullptr: not filled in
        {"insert at the front", [](auto& o) { InsertAt(o, "0"); }, "report.txt", "Xreport.txt"},
        {"position past the end appends", [](auto& o) { InsertAt(o, "99"); }, "report.txt", "reportX.txt"},
        {"no dot: all prefix", [](auto& o) { InsertAt(o, "0"); }, "README", "XREADME"},
        {"read like atoi, negative counts as 0", [](auto& o) { InsertAt(o, " -4x9"); }, "ab.c", "Xab.c"},
        {"no dot, apply to extension", [](auto& o) { InsertAt(o, "0"); o.m_nApplyTo = 1; }, "README", "README.X"},
        {"range 0-0 on the extension", [](auto& o) { ReplaceRange(o, "0", "0"); o.m_nApplyTo = 1; }, "a.txt", "a.#xt"},
        {"first match replaced", [](auto& o) { ReplaceText(o, "abc"); }, "xabcabc", "x#abc"},
        {"backward: last match", [](auto& o) { ReplaceText(o, "abc"); o.m_bSearchBack = 1; }, "xabcabc", "xabc#"},
        {"case folded, kept case", [](auto& o) { ReplaceText(o, "ABC"); }, "xAbCd", "x#d"},
        {"case sensitive misses", [](auto& o) { ReplaceText(o, "ABC"); o.m_bCaseSensitive = 1; }, "xAbCd", "xAbCd"},
        {"wildcard inside", [](auto& o) { ReplaceText(o, "2*final"); }, "photo_2023_final.jpg", "photo_#.jpg"},
        {"leading star starts at 0", [](auto& o) { ReplaceText(o, "*_"); }, "photo_2023_final.jpg", "#2023_final.jpg"},
        {"trailing star runs to the end", [](auto& o) { ReplaceText(o, "final*"); }, "photo_2023_final.jpg", "photo_2023_#"},
        {"pieces take the first occurrence", [](auto& o) { ReplaceText(o, "a*c"); }, "abcbc", "#bc"},
        {"empty piece", [](auto& o) { ReplaceText(o, "b**c"); }, "abxcd", "a#d"},
        {"missing piece: no match", [](auto& o) { ReplaceText(o, "c*a"); }, "abcb", "abcb"},
        {"insert after", [](auto& o) { InsertBeside(o, "1", true, false); }, "x1y1", "x1aby1"},
        {"backward, before", [](auto& o) { InsertBeside(o, "1", false, true); }, "x1y1", "x1yab1"},
        {"backward, after", [](auto& o) { InsertBeside(o, "1", true, true); }, "x1y1", "x1y1ab"},
        {"backward wildcard, before", [](auto& o) { InsertBeside(o, "2*_", false, true); }, "photo_2023_final", "photo_20ab23_final"},
        {"wildcard, after", [](auto& o) { InsertBeside(o, "o*2", true, false); }, "photo_2023", "photo_2ab023"},
        {"empty search: front", [](auto& o) { InsertBeside(o, "", false, false); o.m_nApplyTo = 0; }, "pic.gif", "abpic.gif"},
        {"From # alone", [](auto& o) { ReplaceRange(o, "2", ""); }, "abcdef", "#cdef"},
        {"To # alone", [](auto& o) { ReplaceRange(o, "", "2"); }, "abcdef", "abcd#"},
        {"range swapped", [](auto& o) { ReplaceRange(o, "3", "1"); }, "abcdef", "a#ef"},
        {"range to the last character", [](auto& o) { ReplaceRange(o, "1", "5"); }, "abcdef", "a#"},
        {"range clamped", [](auto& o) { ReplaceRange(o, "-5", "300"); }, "abc", "#"},
        {"huge number", [](auto& o) { ReplaceRange(o, "", "99999999999999999999999999"); }, "abc", "#"},
        {"not filled in, whatever the mode",
         [](auto& o) { o.m_bInsert = 1, o.m_strInsStr1 = "x", o.m_strInsStr2 = "y", o.m_strReStr2 = "z"; }, "a.txt", nullptr},
    };
    for (const auto& c : cases) {
        RenameOptions o;
        c.set(o);
        std::string name = "stale";
        EXPECT_EQ(c.expected ? 1 : -3, ComposeAdvancedBareName(o, c.oldName, name)) << c.what;
        EXPECT_EQ(c.expected ? c.expected : "", name) << c.what;
    }
}

}  // namespace
