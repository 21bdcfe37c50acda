#include "browse/sort_orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
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

class NameOrderTable : public ::testing::TestWithParam<OrderCase> {};

TEST_P(NameOrderTable, SortsToExpected) {
    Names names = GetParam().input;
    SortNamesForOrder(GetParam().order, names);
    EXPECT_EQ(names, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Edges, NameOrderTable, ::testing::Values(
    OrderCase{2, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}, {"a1.txt", "a2.txt", "a10.txt", "b.txt"}},
    OrderCase{3, {"a1.txt", "b.txt", "a2.txt", "a10.txt"}, {"a10.txt", "a2.txt", "a1.txt", "b.txt"}},
    OrderCase{2, {"a13.txt", "x7.dat", "ab12cd34.txt", "a11.txt", "x007.dat"},
              {"x007.dat", "x7.dat", "a11.txt", "ab12cd34.txt", "a13.txt"}},
    OrderCase{2, {"report2023", ".profile5", "b.txt", "a2.txt", "file1."}, {"file1.", "a2.txt", ".profile5", "b.txt", "report2023"}},
    OrderCase{3, {"report2023", ".profile5", "b.txt", "a2.txt", "file1."}, {"a2.txt", "file1.", "report2023", "b.txt", ".profile5"}},
    OrderCase{4, {"y.txt", ".profile5", "x.3"}, {"x.3", ".profile5", "y.txt"}},
    // wraparound: 2^64 reads as 0, 10^20 - 1 as 7766279631452241919
    OrderCase{2, {"n99999999999999999999.txt", "z7766279631452241918.txt", "m1.txt", "n18446744073709551616.txt"},
              {"n18446744073709551616.txt", "m1.txt", "z7766279631452241918.txt", "n99999999999999999999.txt"}},
    // a digit counts for the group only within the first 255 characters
    OrderCase{2, {"b.txt", std::string(255, 'a') + "1.txt", std::string(254, 'a') + "2.txt"},
              {std::string(254, 'a') + "2.txt", std::string(255, 'a') + "1.txt", "b.txt"}},
    OrderCase{6, {"README", "name.", "b.txt", "archive.tar.gz", "a.TXT", "c.doc"},
              {"c.doc", "archive.tar.gz", "a.TXT", "b.txt", "name.", "README"}},
    OrderCase{7, {"README", "name.", "b.txt", "archive.tar.gz", "a.TXT", "c.doc"},
              {"b.txt", "a.TXT", "archive.tar.gz", "c.doc", "README", "name."}},
    // negative orders belong to the list box, 10 and more are unsorted
    OrderCase{-3, {"b", "a"}, {"b", "a"}}, OrderCase{1000, {"b1.c", "a2.c"}, {"b1.c", "a2.c"}}));

Names NamesOf(const std::vector<DatedName>& dated) {
    Names out;
    for (const DatedName& d : dated)
        out.push_back(d.name);
    return out;
}

// Only the order of the times matters: across 800 years (month ends, leap days,
// 1970 and 2038 among them) and at the ends of the 64-bit range it must follow the seconds.
TEST(DatedOrders, FollowTheSecondsInAnyEra) {
    std::vector<DatedName> expected = {MakeDatedName("min", INT64_MIN)};
    for (int64_t t = -11676096000; t < 13569465600; t += 2 * 86400 + 3601)  // 1600 to 2400
        expected.push_back(MakeDatedName(std::to_string(t), t));
    expected.push_back(MakeDatedName("max", INT64_MAX));
    std::vector<DatedName> dated = expected;
    std::shuffle(dated.begin(), dated.end(), std::mt19937(5));
    SortDatedForOrder(8, dated);
    EXPECT_TRUE(NamesOf(dated) == NamesOf(expected));
}

// Random names rich in what the orders look at: digit runs (some past 2^64),
// dots anywhere, letter case, a few long names with digits around position 255.
std::string RandomName(std::mt19937& rng) {
    std::uniform_int_distribution<int> pick(0, 99);
    std::string s;
    if (pick(rng) < 5)
        s.assign(250 + pick(rng) % 8, 'q');
    for (int parts = 1 + pick(rng) % 5; parts > 0; --parts) {
        const int kind = pick(rng);  // a run of digits, a dot, or a few letters
        if (kind >= 30 && kind < 50) { s += '.'; continue; }
        for (int k = pick(rng) % (kind < 30 ? 22 : 3); k >= 0; --k)
            s += kind < 30 ? static_cast<char>('0' + pick(rng) % 10) : "abcABC_-~"[pick(rng) % 9];
    }
    return s.size() > 259 ? s.substr(s.size() - 259) : s;
}

// Distinct names, with now and then a variant that differs from one only in case.
Names RandomNames(std::mt19937& rng, std::size_t count) {
    Names names;
    std::set<std::string> seen;
    while (names.size() < count) {
        std::string s = RandomName(rng);
        if (!seen.insert(FoldedCopy(s)).second) continue;
        names.push_back(s);
        if (rng() % 4 == 0) {
            for (char& c : s)
                if (rng() % 2)
                    c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : FoldAsciiCase(c);
            names.insert(names.begin() + static_cast<std::ptrdiff_t>(rng() % names.size()), s);
        }
    }
    return names;
}

// The literal selection sort's pick among names equal but for case follows the
// input order, so there the fast sort must only agree on the group's place and
// use byte order inside it; everywhere else both must agree exactly.
TEST(SortOrderProperty, AgreesWithTheSelectionSort) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const Names input = RandomNames(rng, 1 + seed * 7 % 120);
        std::vector<DatedName> dated;
        const int64_t units[] = {1, 60, 3600, 86400, 2678400, 31622400};  // times differing in one field
        for (const std::string& name : input)  // few distinct times, so many equal ones
            dated.push_back(MakeDatedName(name, (static_cast<int64_t>(rng() % 5) - 2) * 2000000000 +
                                                    static_cast<int64_t>(rng() % 3) * units[rng() % 6]));
        for (int order = 1; order <= 9; ++order) {
            std::vector<DatedName> fast = dated, slow = dated;
            if (order <= 7) {
                Names f = input, s = input;
                SortNamesForOrder(order, f);
                ReferenceSortNames(order, s);
                for (std::size_t i = 0; i < f.size(); ++i)
                    fast[i] = MakeDatedName(f[i], 0), slow[i] = MakeDatedName(s[i], 0);
            } else {
                SortDatedForOrder(order, fast);
                ReferenceSortDated(order, slow);
            }
            Names sortedFast = NamesOf(fast), sortedInput = input;
            std::sort(sortedFast.begin(), sortedFast.end());
            std::sort(sortedInput.begin(), sortedInput.end());
            ASSERT_EQ(sortedFast, sortedInput) << "order " << order << " lost or changed a name";
            for (std::size_t i = 0; i < fast.size(); ++i) {
                ASSERT_TRUE(FoldedCopy(fast[i].name) == FoldedCopy(slow[i].name) &&
                            CompareUtcDateTime(fast[i].time, slow[i].time) == 0)
                    << "order " << order << " seed " << seed << ": " << fast[i].name << " / " << slow[i].name;
                if (i > 0 && FoldedCopy(fast[i - 1].name) == FoldedCopy(fast[i].name) &&
                    CompareUtcDateTime(fast[i - 1].time, fast[i].time) == 0) {
                    EXPECT_TRUE(order % 2 ? fast[i - 1].name >= fast[i].name : fast[i - 1].name <= fast[i].name)
                        << "order " << order << ": " << fast[i - 1].name << " / " << fast[i].name;
                }
            }
        }
    }
}

}  // namespace
