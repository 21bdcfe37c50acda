#include "browse/sort_orders.h"

#include <algorithm>
#include <cstddef>
#include <functional>
#include <string_view>
#include <utility>
#include <vector>

#include "browse/name_compare.h"
#include "naming/utf8.h"
#include "platform/civil_time.h"

const char* const kSortOrderTexts[kSortBoxEntries] = {
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
    "Date taken (old  to  new)",
    "Date taken (new  to  old)",
    "Sort filenames naturally [2 before 10]",
};

namespace {

// The order of each entry of the sort box.
const int kOrderOfEntry[kSortBoxEntries] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, kNaturalOrder};

}  // namespace

int SortOrderOfEntry(int entry) {
    return entry >= 0 && entry < kSortBoxEntries ? kOrderOfEntry[entry] : entry;
}

int SortEntryOfOrder(int order) {
    for (int entry = 0; entry < kSortBoxEntries; ++entry)
        if (kOrderOfEntry[entry] == order) return entry;
    return -1;
}

namespace {

// Only this many leading characters (code points) of the prefix or extension are
// searched for the digit that makes a name numbered.
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

// Folded copies of all names (FoldCase), end to end in one buffer. A folded
// name may be longer or shorter in bytes than the name.
class FoldedNames {
public:
    explicit FoldedNames(std::size_t totalLength) { buffer_.reserve(totalLength); }
    // Returns the folded name's offset; its length is then Size() - offset.
    std::size_t Add(const std::string& name) {
        const std::size_t offset = buffer_.size();
        // Most names are ASCII throughout: only A-Z fold, byte for byte.
        buffer_.resize(offset + name.size());
        char* out = &buffer_[offset];
        unsigned char high = 0;
        for (std::size_t i = 0; i < name.size(); ++i) {
            high |= static_cast<unsigned char>(name[i]);
            out[i] = FoldAsciiCase(name[i]);
        }
        if (high >= 0x80) {
            buffer_.resize(offset);
            for (std::size_t pos = 0; pos < name.size();)
                AppendUtf8(buffer_, ToLowerCodePoint(DecodeUtf8(name, pos)));
        }
        return offset;
    }
    std::size_t Size() const { return buffer_.size(); }
    std::string_view At(std::size_t offset, std::size_t length) const {
        return std::string_view(buffer_.data() + offset, length);
    }

private:
    std::string buffer_;
};

// A name's place in the folded buffer; with its Head, the name comparison of every order.
struct FoldedName {
    uint64_t head = 0;  // Head of the folded name
    std::size_t offset = 0;
    std::size_t length = 0;
};

FoldedName AddFoldedName(FoldedNames& folded, const std::string& name) {
    FoldedName k;
    k.offset = folded.Add(name);
    k.length = folded.Size() - k.offset;
    k.head = Head(folded.At(k.offset, k.length));
    return k;
}

int CompareNames(const FoldedNames& folded, const FoldedName& a, const FoldedName& b) {
    return CompareHeadThenText(a.head, folded.At(a.offset, a.length), b.head, folded.At(b.offset, b.length));
}

// Reorders positions [first, last) of `at` (each the index of a record, whose key
// is keys[index]) exactly as a selection sort does that, for each position in turn,
// takes the first of the records that come earliest among the rest (`compare`,
// three-way, below 0 for the key that comes first) and swaps it into place. That
// sort is not stable: records that compare equal (names that differ only in letter
// case) end up where its swaps put them.
//
// Done here in O(n log n): one ordinary sort ranks the keys, equal keys sharing a
// rank, so position i is to receive the i-th smallest rank. The positions still to
// be placed are kept per rank, each rank's positions as a heap with the first one
// on top; that one is the record the selection sort would take. When it is not the
// record at i already, the record at i moves to the taken record's position, which
// replaces i (the first of its rank's positions) in that rank's heap.
template <class Key, class Compare>
void SelectionSortRange(std::vector<std::size_t>& at, const std::vector<Key>& keys, std::size_t first,
                        std::size_t last, Compare compare) {
    const std::size_t count = last - first;
    if (count < 2)
        return;
    // Sorted as copies: the comparisons then read contiguous memory.
    std::vector<std::pair<Key, std::size_t>> byRank;
    byRank.reserve(count);
    for (std::size_t p = first; p < last; ++p)
        byRank.emplace_back(keys[at[p]], p - first);
    std::sort(byRank.begin(), byRank.end(),
              [&](const auto& a, const auto& b) { return compare(a.first, b.first) < 0; });
    std::vector<std::size_t> rankAt(count);  // by position in the range
    std::vector<std::size_t> heapBegin(1, 0);  // by rank: where its positions start in `heaps`
    for (std::size_t k = 0; k < count; ++k) {
        if (k > 0 && compare(byRank[k - 1].first, byRank[k].first) != 0)
            heapBegin.push_back(k);
        rankAt[byRank[k].second] = heapBegin.size() - 1;
    }
    const std::size_t ranks = heapBegin.size();
    std::vector<std::size_t> heapSize(ranks, 0);
    std::vector<std::size_t> heaps(count);  // each rank's positions, ascending: already a heap
    for (std::size_t p = 0; p < count; ++p) {
        const std::size_t r = rankAt[p];
        heaps[heapBegin[r] + heapSize[r]++] = p;
    }

    const std::greater<std::size_t> firstOnTop;
    auto heapOf = [&](std::size_t r) {
        return std::make_pair(heaps.begin() + static_cast<std::ptrdiff_t>(heapBegin[r]),
                              heaps.begin() + static_cast<std::ptrdiff_t>(heapBegin[r] + heapSize[r]));
    };
    std::size_t smallest = 0;  // the smallest rank with positions left
    for (std::size_t i = 0; i + 1 < count; ++i) {
        while (heapSize[smallest] == 0)
            ++smallest;
        auto [takeBegin, takeEnd] = heapOf(smallest);
        const std::size_t taken = *takeBegin;
        std::pop_heap(takeBegin, takeEnd, firstOnTop);
        --heapSize[smallest];
        if (taken == i)
            continue;
        const std::size_t moved = rankAt[i];
        auto [movedBegin, movedEnd] = heapOf(moved);  // i is on top
        std::pop_heap(movedBegin, movedEnd, firstOnTop);
        *(movedEnd - 1) = taken;
        std::push_heap(movedBegin, movedEnd, firstOnTop);
        rankAt[taken] = moved;
        std::swap(at[first + i], at[first + taken]);
    }
}

// Moves the keyed records to the front in one forward pass: each position that
// holds an unkeyed record takes the first keyed record after it, until none is
// left. Returns the number of keyed records. The search for the next keyed record
// resumes where the last one stopped: every position it passed holds an unkeyed
// record, the one that the swap left there included.
template <class Keyed>
std::size_t PartitionKeyed(std::vector<std::size_t>& at, Keyed keyed) {
    std::size_t next = 0;
    for (std::size_t i = 0; i < at.size(); ++i) {
        if (keyed(at[i]))
            continue;
        next = std::max(next, i + 1);
        while (next < at.size() && !keyed(at[next]))
            ++next;
        if (next == at.size())
            return i;
        std::swap(at[i], at[next]);
    }
    return at.size();
}

std::vector<std::size_t> Positions(std::size_t count) {
    std::vector<std::size_t> at(count);
    for (std::size_t i = 0; i < count; ++i)
        at[i] = i;
    return at;
}

template <class Record>
void PermuteBy(std::vector<Record>& records, const std::vector<std::size_t>& at) {
    std::vector<Record> sorted;
    sorted.reserve(records.size());
    for (std::size_t index : at)
        sorted.push_back(std::move(records[index]));
    records.swap(sorted);
}

std::size_t TotalLength(const std::vector<std::string>& names) {
    std::size_t total = 0;
    for (const std::string& name : names)
        total += name.size();
    return total;
}

bool IsDigitAt(std::string_view text, std::size_t i) { return i < text.size() && IsDigit(text[i]); }

// The natural comparison of two folded names, without the last tie by bytes.
int CompareNaturalFolded(std::string_view a, std::string_view b) {
    int zeros = 0;  // fewer leading zeros first, when nothing else tells the names apart
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        if (!IsDigit(a[i]) || !IsDigit(b[j])) {
            if (a[i] != b[j])  // UTF-8 bytes keep code point order
                return static_cast<unsigned char>(a[i]) < static_cast<unsigned char>(b[j]) ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const std::size_t zerosA = i;
        const std::size_t zerosB = j;
        while (i < a.size() && a[i] == '0') ++i;
        while (j < b.size() && b[j] == '0') ++j;
        const std::size_t digitsA = i;
        const std::size_t digitsB = j;
        while (IsDigitAt(a, i)) ++i;
        while (IsDigitAt(b, j)) ++j;
        // Without leading zeros, the longer run is the greater number.
        if (i - digitsA != j - digitsB) return i - digitsA < j - digitsB ? -1 : 1;
        const int c = a.substr(digitsA, i - digitsA).compare(b.substr(digitsB, j - digitsB));
        if (c != 0) return CompareSigned(c);
        if (zeros == 0 && digitsA - zerosA != digitsB - zerosB) zeros = digitsA - zerosA < digitsB - zerosB ? -1 : 1;
    }
    if (i < a.size() || j < b.size()) return i < a.size() ? 1 : -1;
    return zeros;
}

void SortNaturally(std::vector<std::string>& names) {
    FoldedNames folded(TotalLength(names));
    std::vector<FoldedName> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) keys[i] = AddFoldedName(folded, names[i]);
    std::vector<std::size_t> at = Positions(names.size());
    std::sort(at.begin(), at.end(), [&](std::size_t x, std::size_t y) {
        const int c = CompareNaturalFolded(folded.At(keys[x].offset, keys[x].length),
                                           folded.At(keys[y].offset, keys[y].length));
        return c != 0 ? c < 0 : names[x] < names[y];  // std::string compares bytes as unsigned
    });
    PermuteBy(names, at);
}

}  // namespace

int CompareNatural(const std::string& a, const std::string& b) {
    const int c = CompareNaturalFolded(FoldCase(a), FoldCase(b));
    return c != 0 ? c : CompareSigned(CompareBytes(a, b));
}

FileListFill FileListFillForOrder(int order) {
    if (order <= 0)
        return FileListFill::kListBoxSorts;
    if (order == 8 || order == 9)
        return FileListFill::kSortDatedNames;
    if (order == 10 || order == 11)
        return FileListFill::kSortTakenNames;
    return FileListFill::kSortNames;
}

DatedName MakeDatedName(const std::string& name, int64_t lastWriteUtcSeconds) {
    const LocalTime t = CalendarFields(lastWriteUtcSeconds);
    return DatedName{name, UtcDateTime{t.year, t.month, t.day, t.hour, t.minute, t.second}};
}

bool NumericGroupKey(const std::string& name, bool ofExtension, uint64_t* key) {
    const std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    const char* begin = name.data() + (ofExtension ? dot + 1 : 0);
    const char* end = ofExtension ? name.data() + name.size() : name.data() + dot;
    // A text of no more bytes than the limit has no more characters either.
    const std::size_t length = static_cast<std::size_t>(end - begin);
    const char* searchEnd =
        length > kDigitSearchLimit
            ? begin + CodePointOffset(std::string_view(begin, length), kDigitSearchLimit)
            : end;
    const char* first = std::find_if(begin, searchEnd, IsDigit);
    if (first == searchEnd)
        return false;
    *key = DigitRunValue(first, end);
    return true;
}

void SortNamesForOrder(int order, std::vector<std::string>& names) {
    if (order == kNaturalOrder && names.size() >= 2)
        return SortNaturally(names);
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
        FoldedName name;
    };
    FoldedNames folded(TotalLength(names));
    std::vector<Key> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        Key& k = keys[i];
        k.name = AddFoldedName(folded, names[i]);
        if (byNumber) {
            k.keyed = NumericGroupKey(names[i], order >= 4, &k.number);
        } else if (byExtension) {
            // Folding keeps the dots, and makes none.
            const std::string_view f = folded.At(k.name.offset, k.name.length);
            const std::size_t dot = f.rfind('.');
            k.keyed = dot != std::string_view::npos && dot + 1 < f.size();
            k.extOffset = k.keyed ? dot + 1 : f.size();
            k.extHead = Head(folded.At(k.name.offset + k.extOffset, k.name.length - k.extOffset));
        }
    }

    auto compareAscending = [&](const Key& a, const Key& b) {
        if (a.number != b.number)
            return a.number < b.number ? -1 : 1;
        if (byExtension) {
            const int c = CompareHeadThenText(
                a.extHead, folded.At(a.name.offset + a.extOffset, a.name.length - a.extOffset),
                b.extHead, folded.At(b.name.offset + b.extOffset, b.name.length - b.extOffset));
            if (c != 0)
                return c;
        }
        return CompareNames(folded, a.name, b.name);
    };
    auto compare = [&](const Key& a, const Key& b) {
        const int c = compareAscending(a, b);
        return descending ? -CompareSigned(c) : CompareSigned(c);
    };
    std::vector<std::size_t> at = Positions(names.size());
    const std::size_t keyed =
        order == 1 ? names.size() : PartitionKeyed(at, [&](std::size_t index) { return keys[index].keyed; });
    SelectionSortRange(at, keys, 0, keyed, compare);
    SelectionSortRange(at, keys, keyed, at.size(), compare);
    PermuteBy(names, at);
}

void SortDatedForOrder(int order, std::vector<DatedName>& names) {
    if (order < 8 || order > 11 || names.size() < 2)
        return;
    const bool descending = order == 9 || order == 11;

    std::size_t total = 0;
    for (const DatedName& d : names)
        total += d.name.size();
    FoldedNames folded(total);
    struct Key {
        UtcDateTime time;
        FoldedName name;
    };
    std::vector<Key> keys(names.size());
    for (std::size_t i = 0; i < names.size(); ++i)
        keys[i] = Key{names[i].time, AddFoldedName(folded, names[i].name)};

    std::vector<std::size_t> at = Positions(names.size());
    SelectionSortRange(at, keys, 0, at.size(), [&](const Key& a, const Key& b) {
        int c = CompareUtcDateTime(a.time, b.time);
        if (c == 0)
            c = CompareNames(folded, a.name, b.name);
        return descending ? -CompareSigned(c) : CompareSigned(c);
    });
    PermuteBy(names, at);
}
