#include <gtest/gtest.h>

#include "naming/preview_line.h"
#include "naming/rename_options.h"

namespace {

struct PreviewCase {
    void (*set)(RenameOptions&);
    const char* expected;
};

const PreviewCase kPreviews[] = {
    {[](RenameOptions&) {}, "(NO CHANGES)"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 0; o.m_strNewPrefix = "IMG_"; o.m_bCountPrefix = 1; },
     "IMG_001.{Old Extension}"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 0; o.m_strNewPrefix = "IMG_"; o.m_bCountPrefix = 1; o.m_bPrefixLower = 1; },
     "img_001.{Old Extension}"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_strNewPrefix = "_v"; o.m_bPrefixUpper = 1; },
     "{OLD PREFIX}_V.{Old Extension}"},
    {[](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 0; o.m_strNewExt = ".jpg"; },
     "{Old Prefix}.jpg"},
    {[](RenameOptions& o) { o.m_bChangeExt = 1; o.m_strNewExt = ".bak"; },
     "{Old Prefix}.{Old Extension}.bak"},
    {[](RenameOptions& o) { o.m_bChangeExt = 1; o.m_nExtPos = 0; o.m_bCountExt = 1; o.m_strStartCount.clear(); o.m_bAlphaCount = 1; },
     "{Old Prefix}.a"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 1; o.m_bCountPrefix = 1; o.m_strStartCount.clear(); o.m_bAlphaCount = 1; },
     "A{Old Prefix}.{Old Extension}"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_nPrefixPos = 7; o.m_bPrefixUpper = 1; },
     "{OLD PREFIX}.{Old Extension}"},
    {[](RenameOptions& o) { o.m_bChangePrefix = 1; o.m_bReplace = 1; }, "(No Real Time Preview for Advance mode)"},
    {[](RenameOptions& o) { o.m_bInsert = 1; }, "(No Real Time Preview for Advance mode)"},
};

TEST(RealTimePreview, ShowsThePattern) {
    for (const PreviewCase& c : kPreviews) {
        RenameOptions o;
        c.set(o);
        EXPECT_EQ(c.expected, RealTimePreviewText(o));
    }
}

}  // namespace
