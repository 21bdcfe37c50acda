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

// The first eight bytes of a text as one number (zeros past its end), so that
// most comparisons are settled without reaching the text itself; equal heads
// fall back to comparing the texts.
uint64_t Head(std::string_view text) {
    uint64_t head = 0;
    for (std::size_t i = 0; i < 8; ++i)
        head = (head << 8) | (i < text.size() ? static_cast<unsigned char>(text[i]) : 0u);
    return head;
}

int CompareSigned(int value) { return value < 0 ? -1 : (value > 0 ? 1 : 0); }

int CompareHeadThenText(uint64_t headA, std::string_view a, uint64_t headB, std::string_view b) {
    if (headA != headB)
        return headA < headB ? -1 : 1;
    return CompareSigned(a.compare(b));  // std::string_view compares bytes as unsigned
}

// Folded copies of all names, end to end in one buffer.
class FoldedNames {
public:
    explicit FoldedNames(std::size_t totalLength) { buffer_.reserve(totalLength); }
    std::size_t Add(const std::string& name) {
        const std::size_t offset = buffer_.size();
        for (char c : name)
            buffer_.push_back(FoldAsciiCase(c));
        return offset;
    }
    std::string_view At(std::size_t offset, std::size_t length) const {
        return std::string_view(buffer_.data() + offset, length);
    }

private:
    std::string buffer_;
};

// The whole-name part of every order's comparison: the name without regard
// to case, then, for names equal but for case, plain bytes.
struct NameTieKey {
    uint64_t head = 0;  // Head of the folded name
    std::size_t folded = 0;
    std::size_t length = 0;
    std::size_t index = 0;  // position in the array being sorted
};

NameTieKey MakeNameTieKey(FoldedNames& folded, const std::string& name, std::size_t index) {
    NameTieKey k;
    k.folded = folded.Add(name);
    k.length = name.size();
    k.head = Head(folded.At(k.folded, k.length));
    k.index = index;
    return k;
}

int CompareNames(const FoldedNames& folded, const NameTieKey& a, const std::string& rawA, const NameTieKey& b,
                 const std::string& rawB) {
    const int c = CompareHeadThenText(a.head, folded.At(a.folded, a.length), b.head, folded.At(b.folded, b.length));
    return c != 0 ? c : CompareSigned(rawA.compare(rawB));
}

template <class Record, class Key>
void PermuteBy(std::vector<Record>& records, const std::vector<Key>& keys) {
    std::vector<Record> sorted;
    sorted.reserve(records.size());
    for (const Key& k : keys)
        sorted.push_back(std::move(records[k.name.index]));
    records.swap(sorted);
}

std::size_t TotalLength(const std::vector<std::string>& names) {
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    return total;
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

    // For names outside the keyed group number and extension stay zero/empty,
    // so the same comparison serves both groups.
    struct Key {
        uint64_t number = 0;   // orders 2-5
        uint64_t extHead = 0;  // orders 6, 7: Head of the folded extension
        std::size_t extOffset = 0;
        bool keyed = false;
        NameTieKey name;
    };
    FoldedNames folded(TotalLength(names));
    std::vector<Key> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        Key& k = keys[i];
        k.name = MakeNameTieKey(folded, names[i], i);
        if (byNumber) {
            k.keyed = NumericGroupKey(names[i], order >= 4, &k.number);
        } else if (byExtension) {
            const std::string::size_type dot = names[i].rfind('.');
            k.keyed = dot != std::string::npos && dot + 1 < names[i].size();
            k.extOffset = k.keyed ? dot + 1 : names[i].size();
            k.extHead = Head(folded.At(k.name.folded + k.extOffset, k.name.length - k.extOffset));
        }
    }

    auto compareAscending = [&](const Key& a, const Key& b) {
        if (a.number != b.number)
            return a.number < b.number ? -1 : 1;
        if (byExtension) {
            const int c = CompareHeadThenText(
                a.extHead, folded.At(a.name.folded + a.extOffset, a.name.length - a.extOffset),
                b.extHead, folded.At(b.name.folded + b.extOffset, b.name.length - b.extOffset));
            if (c != 0)
                return c;
        }
        return CompareNames(folded, a.name, names[a.name.index], b.name, names[b.name.index]);
    };
    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        if (a.keyed != b.keyed)
            return a.keyed;  // the keyed group goes first in both directions
        const int c = compareAscending(a, b);
        return descending ? c > 0 : c < 0;
    });
    PermuteBy(names, keys);
}

void SortDatedForOrder(int order, std::vector<DatedName>& names) {
    if ((order != 8 && order != 9) || names.size() < 2)
        return;
    const bool descending = order == 9;

    struct Key {
        UtcDateTime time;
        NameTieKey name;
    };
    std::size_t total = 0;
    for (const DatedName& d : names)
        total += d.name.size();
    FoldedNames folded(total);
    std::vector<Key> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        keys[i] = Key{names[i].time, MakeNameTieKey(folded, names[i].name, i)};

    std::sort(keys.begin(), keys.end(), [&](const Key& a, const Key& b) {
        int c = CompareUtcDateTime(a.time, b.time);
        if (c == 0)
            c = CompareNames(folded, a.name, names[a.name.index].name, b.name, names[b.name.index].name);
        return descending ? c > 0 : c < 0;
    });
    PermuteBy(names, keys);
}
