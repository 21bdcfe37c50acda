#include "browse/sort_orders.h"

#include <algorithm>
#include <cstddef>
#include <string_view>

#include "browse/name_compare.h"

const char* const kSortOrderTexts[kSortOrderCount] = {
    "Sort filenames [A to Z] (Default)",
    "Sort filenames [Z to A]",
    "Numerical Prefix [Increasing]",
    "Numerical Prefix [Decreasing]",
    "Num# Extension [Increasing]",
    "Num# Extension [Decreasing]",
    "Ext. by type [x.CD to x.YZ]",
    "Ext. by type [x.YZ to x.CD]",
    "Date/Time (old  to  new)",
    "Date/Time (new  to  old)",
};

namespace {

// Only this many leading characters of the prefix or extension are searched
// for the digit that makes a name numbered.
constexpr std::size_t kDigitSearchLimit = 255;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

uint64_t DigitRunValue(const char* p, const char* end) {
    uint64_t value = 0;
    for (; p != end && IsDigit(*p); ++p)
        value = value * 10u + static_cast<uint64_t>(*p - '0');  // unsigned: wraps modulo 2^64
    return value;
}

// A name's sort keys, derived once before sorting. `index` points into the
// names being sorted and into the folded copies.
struct NameKey {
    uint64_t number = 0;
    std::size_t index = 0;
    std::size_t extOffset = 0;  // start of the extension in the folded name (orders 6, 7)
    bool keyed = false;         // belongs to the group placed first (orders 2-7)
};

int CompareSigned(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

// Tie-break shared by every order: whole name without regard to case, then
// plain bytes (std::string compares chars as unsigned).
int CompareNames(const std::string& foldedA, const std::string& rawA,
                 const std::string& foldedB, const std::string& rawB) {
    int c = foldedA.compare(foldedB);
    if (c == 0)
        c = rawA.compare(rawB);
    return CompareSigned(c);
}

}  // namespace

FileListFill FileListFillForOrder(int order) {
    if (order <= 0)
        return FileListFill::kListBoxSorts;
    if (order == 8 || order == 9)
        return FileListFill::kSortDatedNames;
    return FileListFill::kSortNames;
}

DatedName MakeDatedName(const std::string& name, int64_t lastWriteUtcSeconds) {
    return DatedName{name, BreakDownUtc(lastWriteUtcSeconds)};
}

uint64_t NumericKey(const std::string& text) {
    const char* begin = text.data();
    const char* end = begin + text.size();
    const char* first = std::find_if(begin, end, IsDigit);
    return DigitRunValue(first, end);
}

bool NumericGroupKey(const std::string& name, bool ofExtension, uint64_t* key) {
    const std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const char* begin = name.data() + (ofExtension ? dot + 1 : 0);
    const char* end = ofExtension ? name.data() + name.size() : name.data() + dot;
    const char* searchEnd = (end - begin) > static_cast<std::ptrdiff_t>(kDigitSearchLimit)
                                ? begin + kDigitSearchLimit
                                : end;
    const char* first = std::find_if(begin, searchEnd, IsDigit);
    if (first == searchEnd)
        return false;
    *key = DigitRunValue(first, end);
    return true;
}

void SortNamesForOrder(int order, std::vector<std::string>& names) {
    if (order < 1 || order > 7 || names.size() < 2)
        return;
    const bool descending = order == 1 || order == 3 || order == 5 || order == 7;
    const bool byNumber = order >= 2 && order <= 5;
    const bool byExtension = order == 6 || order == 7;

    const std::size_t n = names.size();
    std::vector<std::string> folded(n);
    std::vector<NameKey> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        folded[i] = FoldedCopy(names[i]);
        NameKey& k = keys[i];
        k.index = i;
        if (byNumber) {
            k.keyed = NumericGroupKey(names[i], order >= 4, &k.number);
        } else if (byExtension) {
            const std::string::size_type dot = names[i].rfind('.');
            k.keyed = dot != std::string::npos && dot + 1 < names[i].size();
            k.extOffset = k.keyed ? dot + 1 : 0;
        }
    }

    // Three-way comparison in ascending sense, keyed group and rest alike
    // (for the rest, number and extension are left zero and empty).
    auto compareAscending = [&](const NameKey& a, const NameKey& b) {
        if (a.number != b.number)
            return a.number < b.number ? -1 : 1;
        const std::string& fa = folded[a.index];
        const std::string& fb = folded[b.index];
        if (byExtension && a.keyed) {
            const std::string_view ea(fa.data() + a.extOffset, fa.size() - a.extOffset);
            const std::string_view eb(fb.data() + b.extOffset, fb.size() - b.extOffset);
            const int c = ea.compare(eb);
            if (c != 0)
                return CompareSigned(c);
        }
        return CompareNames(fa, names[a.index], fb, names[b.index]);
    };
    std::sort(keys.begin(), keys.end(), [&](const NameKey& a, const NameKey& b) {
        if (a.keyed != b.keyed)
            return a.keyed;  // the keyed group goes first in both directions
        const int c = compareAscending(a, b);
        return descending ? c > 0 : c < 0;
    });

    std::vector<std::string> sorted;
    sorted.reserve(n);
    for (const NameKey& k : keys)
        sorted.push_back(std::move(names[k.index]));
    names.swap(sorted);
}

void SortDatedForOrder(int order, std::vector<DatedName>& names) {
    if ((order != 8 && order != 9) || names.size() < 2)
        return;
    const bool descending = order == 9;

    struct DatedKey {
        UtcDateTime time;
        std::size_t index;
    };
    const std::size_t n = names.size();
    std::vector<std::string> folded(n);
    std::vector<DatedKey> keys(n);
    for (std::size_t i = 0; i < n; ++i) {
        folded[i] = FoldedCopy(names[i].name);
        keys[i] = DatedKey{names[i].time, i};
    }
    std::sort(keys.begin(), keys.end(), [&](const DatedKey& a, const DatedKey& b) {
        int c = CompareUtcDateTime(a.time, b.time);
        if (c == 0)
            c = CompareNames(folded[a.index], names[a.index].name, folded[b.index], names[b.index].name);
        return descending ? c > 0 : c < 0;
    });

    std::vector<DatedName> sorted;
    sorted.reserve(n);
    for (const DatedKey& k : keys)
        sorted.push_back(std::move(names[k.index]));
    names.swap(sorted);
}
