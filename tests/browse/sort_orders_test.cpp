#include "browse/sort_orders.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

#include "browse/name_compare.h"
#include "reference_sort.h"

namespace {

using Names = std::vector<std::string>;

struct OrderCase {
    int order;
    Names input;
    Names expected;
};

const std::string kA254(254, 'a');
const std::string kA255(255, 'a');

class NameOrderTable : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NameOrderTable, SortsToExpected) {
    Names names = GetParam().input;
    SortNamesForOrder(GetParam().order, names);
    EXPECT_EQ(names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, NameOrderTable, ::testing::Values(
    OrderCase{2, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}, {"a1.txt", "a2.txt", "a10.txt", "b.txt"}},
    OrderCase{3, {"a1.txt", "b.txt", "a2.txt", "a10.txt"}, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}},
    OrderCase{2, {"x7.dat", "x007.dat"}, {"x007.dat", "x7.dat"}},
    OrderCase{2, {"a13.txt", "ab12cd34.txt", "a11.txt"}, {"a11.txt", "ab12cd34.txt", "a13.txt"}},
    OrderCase{2, {"report2023", "b.txt", "a2.txt", "file1."}, {"file1.", "a2.txt", "b.txt", "report2023"}},
    OrderCase{3, {"report2023", "b.txt", "a2.txt", "file1."}, {"a2.txt", "file1.", "report2023", "b.txt"}},
    OrderCase{4, {"y.txt", ".profile5", "x.3"}, {"x.3", ".profile5", "y.txt"}},
    OrderCase{2, {".profile5", "a1.txt"}, {"a1.txt", ".profile5"}},
    // wraparound: 2^64 reads as 0, 10^20 - 1 as 7766279631452241919
    OrderCase{2, {"n99999999999999999999.txt", "z7766279631452241918.txt", "m1.txt", "n18446744073709551616.txt"},
              {"n18446744073709551616.txt", "m1.txt", "z7766279631452241918.txt", "n99999999999999999999.txt"}},
    // a digit counts for the group only within the first 255 characters
    OrderCase{2, {"b.txt", kA255 + "1.txt", kA254 + "2.txt"}, {kA254 + "2.txt", kA255 + "1.txt", "b.txt"}},
    OrderCase{6, {"README", "name.", "b.txt", "archive.tar.gz", "a.TXT", "c.doc"},
              {"c.doc", "archive.tar.gz", "a.TXT", "b.txt", "name.", "README"}},
    OrderCase{7, {"README", "name.", "b.txt", "archive.tar.gz", "a.TXT", "c.doc"},
              {"b.txt", "a.TXT", "archive.tar.gz", "c.doc", "README", "name."}},
    // "_" sorts before letters: case folds to lower, not upper
    OrderCase{1, {"b", "a_", "aB", "c", "a"}, {"c", "b", "aB", "a_", "a"}},
    // names equal but for case: byte order in the order's direction
    OrderCase{1, {"Abc", "ABC", "abc"}, {"abc", "Abc", "ABC"}},
    OrderCase{6, {"a.txt", "A.TXT", "A.txt"}, {"A.TXT", "A.txt", "a.txt"}},
    OrderCase{3, {"F1.x", "f1.x"}, {"f1.x", "F1.x"}},
    // 0 and negative belong to the list box, 8 and 9 to the dated sort, 10 and more are unsorted
    OrderCase{0, {"b", "a"}, {"b", "a"}},
    OrderCase{-3, {"b", "a"}, {"b", "a"}},
    OrderCase{8, {"b", "a"}, {"b", "a"}},
    OrderCase{10, {"b", "c", "a"}, {"b", "c", "a"}},
    OrderCase{1000, {"b1.c", "a2.c"}, {"b1.c", "a2.c"}}));

struct KeyCase {
    const char* text;
    uint64_t key;
};

class NumericKeyTable : public ::testing::TestWithParam<KeyCase> {};

TEST_P(NumericKeyTable, ReadsFirstDigitRun) { EXPECT_EQ(NumericKey(GetParam().text), GetParam().key); }

INSTANTIATE_TEST_SUITE_P(Keys, NumericKeyTable, ::testing::Values(
    KeyCase{"18446744073709551616", 0u}, KeyCase{"99999999999999999999", 7766279631452241919u},
    KeyCase{"18446744073709551615", 18446744073709551615u}, KeyCase{"ab12cd34", 12u},
    KeyCase{"x007", 7u}, KeyCase{"abc", 0u}, KeyCase{"", 0u}));

Names NamesOf(const std::vector<DatedName>& dated) {
    Names out;
    for (const DatedName& d : dated)
        out.push_back(d.name);
    return out;
}

TEST(DatedOrders, SameSecondByNameAndAnyEra) {
    const int64_t before1970 = -3155760000;  // 1870
    const int64_t after2038 = 4102444800;    // 2100
    std::vector<DatedName> dated = {MakeDatedName("b", 100), MakeDatedName("new", after2038),
                                    MakeDatedName("A", 100), MakeDatedName("old", before1970),
                                    MakeDatedName("c", 101)};
    SortDatedForOrder(8, dated);
    EXPECT_EQ(NamesOf(dated), (Names{"old", "A", "b", "c", "new"}));
    SortDatedForOrder(9, dated);
    EXPECT_EQ(NamesOf(dated), (Names{"new", "c", "b", "A", "old"}));
    SortDatedForOrder(10, dated);
    EXPECT_EQ(NamesOf(dated), (Names{"new", "c", "b", "A", "old"}));
}

// Random names rich in what the orders look at: digit runs (some past 2^64),
// dots anywhere, letter case, a few long names with digits around position 255.
std::string RandomName(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::string s;
    if (pick(rng) < 5)
        s.assign(250 + pick(rng) % 8, 'q');
    const int parts = 1 + pick(rng) % 5;
    for (int p = 0; p < parts; ++p) {
        const int kind = pick(rng);
        if (kind < 30) {
            for (int k = pick(rng) % 22; k >= 0; --k)
                s += static_cast<char>('0' + pick(rng) % 10);
        } else if (kind < 50) {
            s += '.';
        } else {
            static const char letters[] = "abcABC_-~";
            for (int k = pick(rng) % 3; k >= 0; --k)
                s += letters[pick(rng) % 9];
        }
    }
    return s.size() > 259 ? s.substr(s.size() - 259) : s;
}

Names RandomDistinctNames(std::mt19937& rng, int count) {
    Names names;
    std::set<std::string> seen;
    while (static_cast<int>(names.size()) < count) {
        std::string s = RandomName(rng);
        if (seen.insert(FoldedCopy(s)).second)
            names.push_back(s);
    }
    return names;
}

// Names with no two equal but for case leave the literal selection sort no
// choice, so both sorts must agree exactly.
TEST(SortOrderProperty, MatchesSelectionSortOnDistinctNames) {
    for (unsigned seed = 1; seed <= 40; ++seed) {
        std::mt19937 rng(seed);
        const Names input = RandomDistinctNames(rng, 1 + static_cast<int>(seed * 7 % 120));
        for (int order = 1; order <= 7; ++order) {
            Names fast = input, slow = input;
            SortNamesForOrder(order, fast);
            ReferenceSortNames(order, slow);
            ASSERT_EQ(fast, slow) << "order " << order << " seed " << seed;
        }
        std::vector<DatedName> dated;
        for (const std::string& name : input)  // few distinct seconds, so many equal times
            dated.push_back(MakeDatedName(name, (static_cast<int64_t>(rng() % 9) - 4) * 2000000000));
        for (int order = 8; order <= 9; ++order) {
            std::vector<DatedName> fast = dated, slow = dated;
            SortDatedForOrder(order, fast);
            ReferenceSortDated(order, slow);
            ASSERT_EQ(NamesOf(fast), NamesOf(slow)) << "order " << order << " seed " << seed;
        }
    }
}

// With case duplicates the selection sort's pick among them follows the
// input order; the fast sort must place the same group of equals at the same
// positions, and inside it use byte order in the order's direction.
TEST(SortOrderProperty, CaseDuplicatesFollowByteOrder) {
    for (unsigned seed = 100; seed < 130; ++seed) {
        std::mt19937 rng(seed);
        Names input = RandomDistinctNames(rng, 60);
        for (int k = 0; k < 30; ++k) {
            std::string variant = input[rng() % input.size()];
            for (char& c : variant) {
                if (rng() % 2)
                    c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : FoldAsciiCase(c);
            }
            input.insert(input.begin() + static_cast<std::ptrdiff_t>(rng() % input.size()), variant);
        }
        for (int order = 1; order <= 9; ++order) {
            Names fast, slow;
            if (order <= 7) {
                fast = slow = input;
                SortNamesForOrder(order, fast);
                ReferenceSortNames(order, slow);
            } else {
                std::vector<DatedName> a, b;
                for (const std::string& name : input)
                    a.push_back(MakeDatedName(name, 0));
                b = a;
                SortDatedForOrder(order, a);
                ReferenceSortDated(order, b);
                fast = NamesOf(a);
                slow = NamesOf(b);
            }
            const bool descending = order % 2 == 1;
            ASSERT_EQ(fast.size(), slow.size());
            for (size_t i = 0; i < fast.size(); ++i) {
                ASSERT_EQ(FoldedCopy(fast[i]), FoldedCopy(slow[i])) << "order " << order << " at " << i;
                if (i > 0 && FoldedCopy(fast[i - 1]) == FoldedCopy(fast[i])) {
                    EXPECT_TRUE(descending ? fast[i - 1] >= fast[i] : fast[i - 1] <= fast[i]) << order;
                }
            }
        }
    }
}

}  // namespace
