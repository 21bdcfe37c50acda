#include "browse/file_filter.h"
#include "browse/mask_match.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "browse/name_compare.h"
#include "naming/utf8.h"

namespace {

enum { kAll = 0, kNormal = 1, kNoHidden = 2, kNoReadOnly = 3, kNoSystem = 4 };

// That the attributes of real files reach the filter: the browse UI tests.
TEST(FileFilter, ListsOrNot) {
    struct Row { unsigned attrib; int filter; bool listed; };
    for (const Row& row : {Row{0x02, kAll, true}, Row{0x02, kNoHidden, false}, Row{0x01, kNoReadOnly, false},
                           Row{0x04, kNoSystem, false}, Row{0x24, kNormal, false}, Row{0x00, kNormal, true}, Row{0x800, kAll, false}, Row{0x820, kAll, true}, Row{0x24, kNoHidden, true},
                           Row{0x26, kNoReadOnly, true}, Row{0x23, kNoSystem, true}, Row{0x10, kAll, false}, Row{0x30, kNormal, false},
                           Row{0x12, kNoReadOnly, false}, Row{0x01, 5, true}, Row{0x01, -1, true}, Row{0x10, 99, false},
                           Row{0x800, 7, false}})  // 0x800: compressed; an unknown index shows all files
        EXPECT_EQ(PassesFileFilter(row.attrib, row.filter), row.listed) << std::hex << row.attrib << " filter " << row.filter;
}

// Cases outside the random comparison's alphabet and sizes.
TEST(MaskMatch, Edges) {
    struct Row { std::string mask, name; bool matches; };
    for (const Row& row : {Row{"*.", "README", false}, Row{"", "a", false}, Row{"", "", false}, Row{"?", "", false},
                           Row{"[a]", "[A]", true}, Row{"é*", "Été", true}, Row{"*ЖУК.*", "мой жук", true},
                           Row{"?.txt", "😀.txt", true}, Row{"??.txt", "😀.txt", false}, Row{"Σ*", "ς", false},
                           Row{"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(259, 'a'), false},
                           Row{"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*", std::string(259, 'a'), true}})
        EXPECT_EQ(MatchMask(row.mask, row.name), row.matches) << row.mask << " / " << row.name;
}

// Plain dynamic programming over (mask, name) prefixes of characters: slow but obviously right.
bool ReferenceGlob(const std::string& maskText, const std::string& nameText) {
    const std::u32string mask = DecodeUtf8Text(maskText), name = DecodeUtf8Text(nameText);
    std::vector<std::vector<char>> ok(mask.size() + 1, std::vector<char>(name.size() + 1, 0));
    ok[0][0] = 1;
    for (size_t i = 1; i <= mask.size(); ++i)
        for (size_t j = 0; j <= name.size(); ++j) {
            const char32_t m = mask[i - 1];
            if (m == '*') ok[i][j] = ok[i - 1][j] || (j > 0 && ok[i][j - 1]);
            else if (j > 0) ok[i][j] = ok[i - 1][j - 1] && (m == '?' || ToLowerCodePoint(m) == ToLowerCodePoint(name[j - 1]));
        }
    return ok[mask.size()][name.size()] != 0;
}

// A mask ending in ".*" also matches the names its stem matches (dotless names).
TEST(MaskMatch, AgreesWithDynamicProgramming) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        std::string mask, name;
        const char* const maskPieces[] = {"a", "A", "b", ".", "*", "?", "*", "é", "Ж", "😀"};
        const char* const namePieces[] = {"a", "b", "B", ".", "É", "ж", "😀"};
        for (int k = 1 + static_cast<int>(rng() % 8); k > 0; --k) mask += maskPieces[rng() % 10];
        for (int k = static_cast<int>(rng() % 10); k > 0; --k) name += namePieces[rng() % 7];
        const bool dotStar = mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0;
        const bool expected = ReferenceGlob(mask, name) || (dotStar && ReferenceGlob(mask.substr(0, mask.size() - 2), name));
        ASSERT_EQ(MatchMask(mask, name), expected) << mask << " / " << name;
    }
}

}  // namespace
