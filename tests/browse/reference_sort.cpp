#include "reference_sort.h"

#include <cstdint>
#include <utility>

#include "naming/case_map.h"
#include "naming/utf8.h"

namespace {

// _stricmp widened to every script: each character (code point) goes to its simple
// lower-case mapping, then the code points compare as unsigned values up to the first
// difference or the end of either name.
int Stricmp(const std::string& a, const std::string& b) {
    const std::u32string x = DecodeUtf8Text(a), y = DecodeUtf8Text(b);
    for (std::size_t k = 0;; ++k) {
        const char32_t ca = k < x.size() ? ToLowerCodePoint(x[k]) : 0;
        const char32_t cb = k < y.size() ? ToLowerCodePoint(y[k]) : 0;
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

bool HasLastDot(const std::string& name) { return name.rfind('.') != std::string::npos; }
std::string Prefix(const std::string& name) { return name.substr(0, name.rfind('.')); }
std::string Extension(const std::string& name) { return name.substr(name.rfind('.') + 1); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// From the first digit of the text, its run of digits, modulo 2^64.
uint64_t NumericKeyOf(const std::string& text) {
    std::size_t k = 0;
    while (k < text.size() && !IsDigit(text[k])) ++k;
    uint64_t key = 0;
    for (; k < text.size() && IsDigit(text[k]); ++k) key = key * 10 + static_cast<uint64_t>(text[k] - '0');
    return key;
}

std::string KeyText(int order, const std::string& name) {
    return order == 2 || order == 3 ? Prefix(name) : Extension(name);
}

// A digit among the first 255 characters of the key text.
bool BelongsNumeric(int order, const std::string& name) {
    if (!HasLastDot(name)) return false;
    const std::u32string text = DecodeUtf8Text(KeyText(order, name));
    for (std::size_t k = 0; k < text.size() && k < 255; ++k)
        if (text[k] >= '0' && text[k] <= '9') return true;
    return false;
}

bool BelongsByExtension(const std::string& name) {
    return HasLastDot(name) && name.rfind('.') != name.size() - 1;
}

// Scan i = 0, 1, ...: a keyed entry stays; an outsider swaps with the first keyed
// entry after it; when there is none the scan stops, and where it stopped is the
// number of keyed entries.
template <class Belongs>
std::size_t Partition(std::vector<std::string>& a, Belongs belongs) {
    std::size_t i = 0;
    while (i < a.size()) {
        if (!belongs(a[i])) {
            std::size_t j = i + 1;
            while (j < a.size() && !belongs(a[j])) ++j;
            if (j == a.size()) break;
            std::swap(a[i], a[j]);
        }
        ++i;
    }
    return i;
}

// For each position i from first to last - 2 the candidate starts as i and is
// replaced by a later j only when j comes strictly before it; then i and the
// candidate swap.
template <class T, class Before>
void SelectionSort(std::vector<T>& a, std::size_t first, std::size_t last, Before before) {
    for (std::size_t i = first; i + 2 <= last; ++i) {
        std::size_t candidate = i;
        for (std::size_t j = i + 1; j < last; ++j)
            if (before(a[j], a[candidate])) candidate = j;
        if (candidate != i) std::swap(a[i], a[candidate]);
    }
}

// By name: j comes first when the name comparison finds the candidate greater
// (ascending) or smaller (descending).
void SortByName(std::vector<std::string>& a, std::size_t first, std::size_t last, bool ascending) {
    SelectionSort(a, first, last, [ascending](const std::string& j, const std::string& c) {
        return ascending ? Stricmp(c, j) > 0 : Stricmp(c, j) < 0;
    });
}

void SortByNameDescending(std::vector<std::string>& a) { SortByName(a, 0, a.size(), false); }

void SortByNumber(int order, std::vector<std::string>& a) {
    const std::size_t m = Partition(a, [order](const std::string& name) { return BelongsNumeric(order, name); });
    const bool increasing = order == 2 || order == 4;
    SelectionSort(a, 0, m, [order, increasing](const std::string& j, const std::string& c) {
        const uint64_t kj = NumericKeyOf(KeyText(order, j)), kc = NumericKeyOf(KeyText(order, c));
        if (increasing) return kj < kc || (kj == kc && Stricmp(c, j) > 0);
        return kj > kc || (kj == kc && Stricmp(c, j) < 0);
    });
    SortByName(a, m, a.size(), increasing);
}

void SortByExtension(int order, std::vector<std::string>& a) {
    const std::size_t m = Partition(a, BelongsByExtension);
    SelectionSort(a, 0, m, [order](const std::string& j, const std::string& c) {
        int e = Stricmp(Extension(j), Extension(c));
        if (e == 0) e = Stricmp(j, c);
        return order == 6 ? e < 0 : e > 0;
    });
    SortByName(a, m, a.size(), order == 6);
}

}  // namespace

void ReferenceSortNames(int order, std::vector<std::string>& a) {
    if (order == 1) SortByNameDescending(a);
    else if (order >= 2 && order <= 5) SortByNumber(order, a);
    else if (order == 6 || order == 7) SortByExtension(order, a);
}

void ReferenceSortDated(int order, std::vector<DatedName>& a) {
    if (order < 8 || order > 11) return;
    SelectionSort(a, 0, a.size(), [order](const DatedName& j, const DatedName& c) {
        const UtcDateTime& tj = j.time;
        const UtcDateTime& tc = c.time;
        int64_t e = tj.year - tc.year;
        if (e == 0) e = tj.month - tc.month;
        if (e == 0) e = tj.day - tc.day;
        if (e == 0) e = tj.hour - tc.hour;
        if (e == 0) e = tj.minute - tc.minute;
        if (e == 0) e = tj.second - tc.second;
        if (e == 0) e = Stricmp(j.name, c.name);
        return order % 2 == 0 ? e < 0 : e > 0;
    });
}
