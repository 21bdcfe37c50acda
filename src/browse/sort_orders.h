#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "browse/utc_time.h"

// The orders of the sort combo, by their value in m_nFileSort (and the settings file):
//   0  ascending by name, kept by the sorted list box itself (LB_ADDSTRING);
//   1  descending by name;
//   2/3  names whose prefix holds a number first, by that number up/down;
//   4/5  the same with the number in the extension;
//   6/7  names with a non-empty extension first, by extension up/down;
//   8/9  by last-write time, old to new / new to old;
//   10/11  by date taken, old to new / new to old: a photo's or video's own date in
//          local time, else the file's last-write time in local time;
//   12   naturally: as the desktop's file manager orders names (CompareNatural).
// In orders 2-7 the keyed group is first gathered at the front (each position
// that holds a name outside it takes the first keyed name after it), and the
// names outside it follow, by name in the order's direction; equal keys are
// ordered by name in the order's direction. Name comparison is CompareNoCase
// (letters of every script lower-mapped, as _stricmp does with A-Z). Each group,
// and the whole array in orders 1, 8 and 9, is ordered as by a selection sort
// that swaps the first of the earliest remaining entries into each position in
// turn (orders 10 and 11 as 8 and 9). That sort is not stable: names that CompareNoCase finds equal (B.txt and
// b.txt, É.txt and é.txt) keep the places its swaps give them, which depend on
// the enumeration order.
constexpr int kNaturalOrder = 12;

// The combo's entries: its texts in combo order, and the order each entry stands for.
constexpr int kSortBoxEntries = 13;
extern const char* const kSortOrderTexts[kSortBoxEntries];
int SortOrderOfEntry(int entry);
// The entry of an order; -1 for a value no entry stands for (the combo shows none).
int SortEntryOfOrder(int order);

// The natural comparison, three-way: runs of ASCII digits compare by their value,
// however long; any other character by its case-folded code point (FoldCase), and a
// digit against another character by code point too. Of names equal so far, the one
// with fewer leading zeros in its first digit run that differs in them comes first,
// and names equal even then (those differing only in case) by their UTF-8 bytes, so
// that only equal names compare equal: "a2" < "a02" < "a10" < "B1" < "b1".
int CompareNatural(const std::string& a, const std::string& b);

// How the file list is filled for an order index:
//   kListBoxSorts    order 0 and any negative index: add each name with
//                    LB_ADDSTRING and let the sorted list box place it;
//   kSortNames       orders 1-7 and 12, and any other: collect the names into a
//                    vector, SortNamesForOrder (which leaves the orders that
//                    have no entry in enumeration order), then LB_INSERTSTRING
//                    at positions 0, 1, 2, ...;
//   kSortDatedNames  orders 8 and 9: collect MakeDatedName records,
//                    SortDatedForOrder, then insert the names the same way;
//   kSortTakenNames  orders 10 and 11: the same with each file's date taken (else
//                    its last-write time), both in local time.
enum class FileListFill { kListBoxSorts, kSortNames, kSortDatedNames, kSortTakenNames };
FileListFill FileListFillForOrder(int order);

// A file name with its last-write time broken down in UTC.
struct DatedName {
    std::string name;
    UtcDateTime time;
};

DatedName MakeDatedName(const std::string& name, int64_t lastWriteUtcSeconds);

// Puts names in order 1 to 7 or 12; any other order leaves them as they are.
// O(n log n); each name's keys are derived once.
void SortNamesForOrder(int order, std::vector<std::string>& names);

// Puts records in order 8 or 9 (10 or 11 alike); any other order leaves them as they are.
void SortDatedForOrder(int order, std::vector<DatedName>& names);

// Whether a name belongs to the numbered group of orders 2/3 (ofExtension
// false: the prefix, the text before the last dot) or 4/5 (ofExtension true:
// the extension, after the last dot): it needs a last dot and a digit among
// the first 255 characters of that text. When it belongs, *key receives the
// numeric key of that text: its first run of digits, read to its end as an unsigned
// 64-bit number with wraparound (each digit multiplies by 10 and adds, modulo 2^64).
bool NumericGroupKey(const std::string& name, bool ofExtension, uint64_t* key);
