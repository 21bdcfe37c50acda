#include "browse/sort_orders.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <set>

#include "browse/key_order.h"
#include "browse/name_compare.h"
#include "naming/utf8.h"
#include "reference_sort.h"

namespace {

using Names = std::vector<std::string>;

// Across 800 years (month ends, leap days, 1970 and 2038) and at the ends of the
// 64-bit range the date order must follow the seconds.
TEST(SortOrders, DatesFollowTheSecondsInAnyEra) {
    std::vector<DatedName> expected = {MakeDatedName("min", INT64_MIN)};
    for (int64_t t = -11676096000; t < 13569465600; t += 2 * 86400 + 3601)  // 1600 to 2400
        expected.push_back(MakeDatedName(std::to_string(t), t));
    expected.push_back(MakeDatedName("max", INT64_MAX));
    std::vector<DatedName> dated = expected;
    std::shuffle(dated.begin(), dated.end(), std::mt19937(5));
    SortDatedForOrder(8, dated);
    for (std::size_t i = 0; i < dated.size(); ++i) EXPECT_EQ(dated[i].name, expected[i].name);
}

// Random names rich in what the orders look at (digit runs past 2^64, dots
// anywhere, digits around character 255, also after characters of several bytes),
// with many equal keys (mostly short digit runs) and many names that differ from
// another only in letter case (B.txt, b.txt; é and É, ς and Σ, ẞ and ß, the Kelvin
// sign and k, which change length in bytes), with letters of several scripts, an
// emoji and a damaged byte.
Names RandomNames(std::mt19937& rng, std::size_t count) {
    const char* const letters[] = {"a", "b", "c", "A", "B", "C", "_", "-", "~", "é", "É", "ς", "σ", "Σ", "ß", "ẞ",
                                   "\u212A", "k", "ж", "Ж", "日", "😀", "\xE9"};
    Names names;
    std::set<std::string> seen;
    while (names.size() < count) {
        std::string s;
        if (rng() % 20 == 0)
            for (std::size_t k = 250 + rng() % 8; k > 0; --k) s += rng() % 2 ? "q" : "é";
        for (int parts = 1 + rng() % 5; parts > 0; --parts) {
            const int kind = static_cast<int>(rng() % 100);  // digits, a dot, or letters
            if (kind >= 30 && kind < 50) { s += '.'; continue; }
            for (int k = static_cast<int>(rng() % (kind >= 30 ? 3 : rng() % 4 ? 2 : 22)); k >= 0; --k)
                s += kind < 30 ? std::string(1, static_cast<char>('0' + rng() % 10)) : letters[rng() % 23];
        }
        for (int variants = rng() % 2 ? 0 : static_cast<int>(rng() % 4); variants >= 0; --variants) {
            if (seen.insert(s).second)
                names.insert(names.begin() + static_cast<std::ptrdiff_t>(rng() % (names.size() + 1)), s);
            if (s.find('\xE9') != std::string::npos) {  // keep the damaged byte as it is
                for (char& c : s)
                    if (rng() % 2) c = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : FoldAsciiCase(c);
                continue;
            }
            std::u32string chars = DecodeUtf8Text(s);
            for (char32_t& c : chars)
                if (rng() % 2) c = ToLowerCodePoint(c) == c ? ToUpperCodePoint(c) : ToLowerCodePoint(c);
            s = EncodeUtf8Text(chars);
        }
    }
    return names;
}

// Order 0 and negative ones are the sorted list box's own; 8 and 9 sort by time.
TEST(SortOrders, FillOfEachOrder) {
    using F = FileListFill;
    const F fills[] = {F::kListBoxSorts, F::kListBoxSorts, F::kSortNames, F::kSortNames, F::kSortNames,
                       F::kSortNames, F::kSortNames, F::kSortNames, F::kSortNames, F::kSortDatedNames,
                       F::kSortDatedNames, F::kSortTakenNames, F::kSortTakenNames, F::kSortNames, F::kSortNames};
    for (int order = -1; order <= 13; ++order) EXPECT_EQ(FileListFillForOrder(order), fills[order + 1]) << order;
}

// After a refill the caret goes to the name as spelled, else to its first case twin.
TEST(NameCompare, FindsTheCaretEntry) {
    const Names entries = {"a.txt", "ÉTÉ.txt", "été.txt", "Été.TXT", "жук"};
    const struct { const char* name; int index; } cases[] = {
        {"été.txt", 2}, {"été.TXT", 1}, {"ЖУК", 4}, {"b.txt", -1},
    };
    for (const auto& c : cases) EXPECT_EQ(FindCaretIndex(entries, c.name), c.index) << c.name;
}

// Whatever the keys, the order is the comparison's own stable one: keys that disagree
// with it (in order, or in which of two equal names comes first) only cost time.
TEST(SortOrders, OrderByKeysIsTheStableOrderOfTheComparison) {
    const Names names = {"b", "A", "a", "c", "B"};
    auto compare = [&names](std::size_t x, std::size_t y) {
        const char a = FoldAsciiCase(names[x][0]), b = FoldAsciiCase(names[y][0]);
        return a < b ? -1 : a > b ? 1 : 0;
    };
    const Names keyRows[] = {{"b", "a", "a", "c", "b"}, {"b", "a2", "a1", "c", "b"}, {"e", "d", "c", "b", "a"},
                             {"a", "a", "a", "a", "a"}};
    for (const Names& keys : keyRows)
        EXPECT_EQ(StableOrderByKeys(keys, compare), (std::vector<std::size_t>{1, 2, 0, 4, 3})) << keys[1];
}

// Orders outside 1-9 (the list box's own, and unsorted ones) leave the names as they are.
TEST(SortOrders, AgreeWithTheSelectionSort) {
    for (unsigned seed = 1; seed <= 60; ++seed) {
        std::mt19937 rng(seed);
        const Names input = RandomNames(rng, 1 + seed * 7 % 120);
        std::vector<DatedName> dated;
        const int64_t units[] = {1, 60, 3600, 86400, 2678400, 31622400};  // times differing in one field
        for (const std::string& name : input)  // few distinct times, so many equal ones
            dated.push_back(MakeDatedName(name, (static_cast<int64_t>(rng() % 5) - 2) * 2000000000 +
                                                    static_cast<int64_t>(rng() % 3) * units[rng() % 6]));
        for (int order : {-3, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 1000}) {
            Names fast = input, slow = input;
            std::vector<DatedName> fastDated = dated, slowDated = dated;
            SortNamesForOrder(order, fast);
            ReferenceSortNames(order, slow);
            SortDatedForOrder(order, fastDated);
            ReferenceSortDated(order, slowDated);
            EXPECT_EQ(fast, slow) << "order " << order << " seed " << seed;
            for (std::size_t i = 0; i < dated.size(); ++i)
                ASSERT_EQ(fastDated[i].name, slowDated[i].name) << "order " << order << " seed " << seed;
        }
    }
}

// The natural order, literally: a name as pieces, each a run of digits (its value as
// digits without leading zeros, and how many zeros led) or one lower-mapped character.
struct Piece { bool number; std::u32string digits; std::size_t zeros; char32_t first; };
std::vector<Piece> Pieces(const std::string& name) {
    std::u32string s = DecodeUtf8Text(name);
    for (char32_t& c : s) c = ToLowerCodePoint(c);
    auto digit = [&](std::size_t i) { return i < s.size() && s[i] >= '0' && s[i] <= '9'; };
    std::vector<Piece> pieces;
    for (std::size_t i = 0, j; i < s.size(); i = j) {
        for (j = i; digit(j); ++j) {}
        if (j == i) { pieces.push_back({false, U"", 0, s[j++]}); continue; }
        std::size_t zeros = 0;
        while (zeros < j - i && s[i + zeros] == '0') ++zeros;
        pieces.push_back({true, s.substr(i + zeros, j - i - zeros), zeros, s[i]});
    }
    return pieces;
}
bool NaturallyBefore(const std::string& a, const std::string& b) {
    const std::vector<Piece> x = Pieces(a), y = Pieces(b);
    int zeros = 0;
    for (std::size_t k = 0; k < x.size() && k < y.size(); ++k) {
        if (!x[k].number || !y[k].number) {
            if (x[k].first != y[k].first) return x[k].first < y[k].first;
        } else if (x[k].digits.size() != y[k].digits.size()) {
            return x[k].digits.size() < y[k].digits.size();
        } else if (x[k].digits != y[k].digits) {
            return x[k].digits < y[k].digits;
        } else if (zeros == 0 && x[k].zeros != y[k].zeros) {
            zeros = x[k].zeros < y[k].zeros ? -1 : 1;
        }
    }
    if (x.size() != y.size()) return x.size() < y.size();
    return zeros != 0 ? zeros < 0 : a < b;
}

TEST(SortOrders, NaturalOrderFollowsTheLiteralReference) {
    Names names = {"b1", "a10", "B1", "a02", "a2"};
    SortNamesForOrder(kNaturalOrder, names);
    EXPECT_EQ(names, (Names{"a2", "a02", "a10", "B1", "b1"}));
    for (unsigned seed = 1; seed <= 8; ++seed) {
        std::mt19937 rng(seed);
        Names fast = RandomNames(rng, 20 + seed * 37 % 200), slow = fast;
        SortNamesForOrder(kNaturalOrder, fast);
        std::sort(slow.begin(), slow.end(), NaturallyBefore);
        EXPECT_EQ(fast, slow) << "seed " << seed;
    }
}

}  // namespace
