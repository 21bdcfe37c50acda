#include "browse/mask_match.h"

#include <gtest/gtest.h>

#include <random>
#include <vector>

#include "browse/name_compare.h"

namespace {

struct MaskCase {
    std::string mask;
    std::string name;
    bool matches;
};

class MaskTable : public ::testing::TestWithParam<MaskCase> {};

TEST_P(MaskTable, Matches) {
    EXPECT_EQ(MatchMask(GetParam().mask, GetParam().name), GetParam().matches)
        << GetParam().mask << " / " << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(Masks, MaskTable, ::testing::Values(
    MaskCase{"*.TXT", "readme.txt", true}, MaskCase{"README.*", "readme.txt", true},
    MaskCase{"a?.txt", "ab.txt", true}, MaskCase{"a?.txt", "a.txt", false}, MaskCase{"a?.txt", "abc.txt", false},
    MaskCase{"*.*", "README", true}, MaskCase{"*.*", ".profile", true}, MaskCase{"*.*", "x.", true},
    MaskCase{"readme.*", "README", true}, MaskCase{"*.txt", "txt", false}, MaskCase{"*.", "README", false},
    MaskCase{"", "a", false}, MaskCase{"", "", false}, MaskCase{"?", "", false},
    MaskCase{"[a]", "[A]", true}, MaskCase{"\xE9*", "\xC9t\xE9", false},  // only ASCII letters fold
    MaskCase{"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*b", std::string(259, 'a'), false},
    MaskCase{"*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*a*", std::string(259, 'a'), true}));

// Plain dynamic programming over (mask, name) prefixes: slow but obviously right.
bool ReferenceGlob(const std::string& mask, const std::string& name) {
    std::vector<std::vector<char>> ok(mask.size() + 1, std::vector<char>(name.size() + 1, 0));
    ok[0][0] = 1;
    for (size_t i = 1; i <= mask.size(); ++i)
        for (size_t j = 0; j <= name.size(); ++j) {
            const char m = mask[i - 1];
            if (m == '*')
                ok[i][j] = ok[i - 1][j] || (j > 0 && ok[i][j - 1]);
            else if (j > 0)
                ok[i][j] = ok[i - 1][j - 1] && (m == '?' || FoldAsciiCase(m) == FoldAsciiCase(name[j - 1]));
        }
    return ok[mask.size()][name.size()] != 0;
}

TEST(MaskProperty, AgreesWithDynamicProgramming) {
    std::mt19937 rng(7);
    for (int round = 0; round < 20000; ++round) {
        std::string mask, name;
        for (int k = 1 + static_cast<int>(rng() % 8); k > 0; --k)
            mask += "aAb.*?*"[rng() % 7];
        for (int k = static_cast<int>(rng() % 10); k > 0; --k)
            name += "abB."[rng() % 4];
        const bool dotStar = mask.size() >= 2 && mask.compare(mask.size() - 2, 2, ".*") == 0;
        const bool expected = ReferenceGlob(mask, name) || (dotStar && ReferenceGlob(mask.substr(0, mask.size() - 2), name));
        ASSERT_EQ(MatchMask(mask, name), expected) << mask << " / " << name;
    }
}

}  // namespace
