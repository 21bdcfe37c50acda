#include "browse/file_filter.h"

#include <gtest/gtest.h>

namespace {

enum { kAll = 0, kNormal = 1, kNoHidden = 2, kNoReadOnly = 3, kNoSystem = 4 };

struct FilterCase {
    unsigned attrib;
    int filter;
    bool listed;
};

class FileFilterTable : public ::testing::TestWithParam<FilterCase> {};

TEST_P(FileFilterTable, ListsOrNot) {
    const FilterCase& c = GetParam();
    EXPECT_EQ(PassesFileFilter(c.attrib, c.filter), c.listed) << std::hex << c.attrib << " filter " << c.filter;
}

INSTANTIATE_TEST_SUITE_P(Attributes, FileFilterTable, ::testing::Values(
    FilterCase{0x00, kAll, true}, FilterCase{0x00, kNormal, true}, FilterCase{0x00, kNoReadOnly, true},
    FilterCase{0x01, kAll, true}, FilterCase{0x800, kAll, false}, FilterCase{0x820, kAll, true},  // 0x800: compressed
    FilterCase{0x20, kNormal, true}, FilterCase{0x21, kNormal, false}, FilterCase{0x22, kNoHidden, false},
    FilterCase{0x24, kNoHidden, true}, FilterCase{0x21, kNoReadOnly, false}, FilterCase{0x26, kNoReadOnly, true},
    FilterCase{0x24, kNoSystem, false}, FilterCase{0x23, kNoSystem, true},
    FilterCase{0x10, kAll, false}, FilterCase{0x30, kNormal, false}, FilterCase{0x12, kNoReadOnly, false},
    // an index no combo entry has behaves as "Show ALL files"
    FilterCase{0x01, 5, true}, FilterCase{0x01, -1, true}, FilterCase{0x10, 99, false},
    FilterCase{0x800, 7, false}));

}  // namespace
