#include <gtest/gtest.h>

#include "naming/basic_name.h"
#include "naming/rename_options.h"

namespace {

struct BasicCase {
    const char* what;
    void (*set)(RenameOptions&);
    const char* oldName;
    const char* counter;
    const char* expected;
};

const BasicCase kBasicCases[] = {
    {"only the last dot splits", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 0; o.m_strNewExt = "zip"; },
     "archive.tar.gz", "", "archive.tar.zip"},
    {"empty old prefix", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 0; o.m_strNewPrefix = "x"; },
     ".profile", "", "x.profile"},
    {"no extension keeps a trailing dot", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_strNewPrefix = "_old"; },
     "README", "", "README_old."},
    {"name ending in a dot", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 1; o.m_strNewExt = "txt"; },
     "name.", "", "name.txt"},
    {"one leading dot of the new ext dropped", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 0; o.m_strNewExt = ".bak"; },
     "name.x", "", "name.bak"},
    {"only one leading dot dropped", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 0; o.m_strNewExt = "..bak"; },
     "name.x", "", "name..bak"},
    {"empty replacing prefix", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 0; },
     "a.txt", "", ".txt"},
    {"upper case covers counter, not ext", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_bCountPrefix = 1; o.m_strNewPrefix = "-"; o.m_bPrefixUpper = 1; },
     "photo.jpg", "ab", "PHOTO-AB.jpg"},
    {"counter sits by the new text", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_bCountPrefix = 1; o.m_nPrefixPos = 1; o.m_strNewPrefix = "v"; },
     "x.doc", "01", "v01x.doc"},
    {"counter for the ext ignored by the prefix", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_bChangeExt = 1; o.m_bCountExt = 1; o.m_nExtPos = 2; o.m_strNewPrefix = "p"; },
     "a.b", "7", "ap.b7"},
    {"ext lower case, every letter", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_bExtLower = 1; o.m_strNewExt = "ÄΣЖ"; },
     "a.JPG", "", "a.jpgäσж"},
    {"prefix and ext upper case", [](RenameOptions& o) { o.m_bChangePrefix = o.m_bPrefixUpper = o.m_bChangeExt = o.m_bExtUpper = 1; },
     "émile.txt", "", "ÉMILE.TXT"},
    {"no case: Japanese, emoji", [](RenameOptions& o) { o.m_bChangePrefix = o.m_bPrefixLower = 1; o.m_strNewPrefix = "_Ж"; },
     "日本😀.TXT", "", "日本😀_ж.TXT"},
    {"damaged bytes read as U+FFFD", [](RenameOptions& o) { o.m_bChangeExt = 1; o.m_strNewExt = "\xC4X"; },
     "a\xFF.b", "", "a\uFFFD.b\uFFFDX"},
    {"bad positions empty the parts", [](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_bChangeExt = 1; o.m_nPrefixPos = 3; o.m_nExtPos = -1; },
     "a.txt", "", "."},
};

TEST(BasicName, Composes) {
    for (const BasicCase& c : kBasicCases) {
        RenameOptions o;
        c.set(o);
        EXPECT_EQ(c.expected, ComposeBasicBareName(o, c.oldName, c.counter)) << c.what;
    }
}

}  // namespace
