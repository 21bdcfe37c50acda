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

// The prefix (P) or the extension (E) changed: `text` at `pos` (0 replace, 1 before, 2 after the old one).
void P(RenameOptions& o, int pos, const char* text) { o.m_bChangePrefix = 1, o.m_nPrefixPos = pos, o.m_strNewPrefix = text; }
void E(RenameOptions& o, int pos, const char* text) { o.m_bChangeExt = 1, o.m_nExtPos = pos, o.m_strNewExt = text; }

const BasicCase kBasicCases[] = {
    {"only the last dot splits", [](RenameOptions& o) { E(o, 0, "zip"); }, "archive.tar.gz", "", "archive.tar.zip"},
    {"empty old prefix", [](RenameOptions& o) { P(o, 0, "x"); }, ".profile", "", "x.profile"},
    {"no extension keeps a trailing dot", [](RenameOptions& o) { P(o, 2, "_old"); }, "README", "", "README_old."},
    {"name ending in a dot", [](RenameOptions& o) { E(o, 1, "txt"); }, "name.", "", "name.txt"},
    {"one leading dot of the new ext dropped", [](RenameOptions& o) { E(o, 0, ".bak"); }, "name.x", "", "name.bak"},
    {"only one leading dot dropped", [](RenameOptions& o) { E(o, 0, "..bak"); }, "name.x", "", "name..bak"},
    {"empty replacing prefix", [](RenameOptions& o) { P(o, 0, ""); }, "a.txt", "", ".txt"},
    {"upper case covers counter, not ext", [](RenameOptions& o) { P(o, 2, "-"), o.m_bCountPrefix = o.m_bPrefixUpper = 1; },
     "photo.jpg", "ab", "PHOTO-AB.jpg"},
    {"counter sits by the new text", [](RenameOptions& o) { P(o, 1, "v"), o.m_bCountPrefix = 1; }, "x.doc", "01", "v01x.doc"},
    {"counter for the ext ignored by the prefix", [](RenameOptions& o) { P(o, 2, "p"), E(o, 2, ""), o.m_bCountExt = 1; },
     "a.b", "7", "ap.b7"},
    {"ext lower case, every letter", [](RenameOptions& o) { E(o, 2, "ÄΣЖ"), o.m_bExtLower = 1; }, "a.JPG", "", "a.jpgäσж"},
    {"prefix and ext upper case", [](RenameOptions& o) { P(o, 2, ""), E(o, 2, ""), o.m_bPrefixUpper = o.m_bExtUpper = 1; },
     "émile.txt", "", "ÉMILE.TXT"},
    {"no case: Japanese, emoji", [](RenameOptions& o) { P(o, 2, "_Ж"), o.m_bPrefixLower = 1; }, "日本😀.TXT", "", "日本😀_ж.TXT"},
    {"damaged bytes read as U+FFFD", [](RenameOptions& o) { E(o, 2, "\xC4X"); }, "a\xFF.b", "", "a\uFFFD.b\uFFFDX"},
    {"bad positions empty the parts", [](RenameOptions& o) { P(o, 3, ""), E(o, -1, ""); }, "a.txt", "", "."},
};

TEST(BasicName, Composes) {
    for (const BasicCase& c : kBasicCases) {
        RenameOptions o;
        c.set(o);
        EXPECT_EQ(c.expected, ComposeBasicBareName(o, c.oldName, c.counter)) << c.what;
    }
}

}  // namespace
