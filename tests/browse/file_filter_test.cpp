#include "browse/file_filter.h"

#include <gtest/gtest.h>

namespace {

enum { kAll = 0, kNormal = 1, kNoHidden = 2, kNoReadOnly = 3, kNoSystem = 4 };

// The plain cases of each filter run on real files in the UI tests.
TEST(FileFilter, ListsOrNot) {
    struct Row { unsigned attrib; int filter; bool listed; };
    for (const Row& row : {Row{0x00, kNormal, true}, Row{0x800, kAll, false}, Row{0x820, kAll, true}, Row{0x24, kNoHidden, true},
                           Row{0x26, kNoReadOnly, true}, Row{0x23, kNoSystem, true}, Row{0x10, kAll, false}, Row{0x30, kNormal, false},
                           Row{0x12, kNoReadOnly, false}, Row{0x01, 5, true}, Row{0x01, -1, true}, Row{0x10, 99, false},
                           Row{0x800, 7, false}})  // 0x800: compressed; an unknown index shows all files
        EXPECT_EQ(PassesFileFilter(row.attrib, row.filter), row.listed) << std::hex << row.attrib << " filter " << row.filter;
}

}  // namespace
