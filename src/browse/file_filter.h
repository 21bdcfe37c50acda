#pragma once

// One entry of the attribute-filter combo: an entry is listed when its
// attribute word is 0, or has a bit of `accept` and none of `reject`
// (read-only 0x01, hidden 0x02, system 0x04, directory 0x10, archive 0x20).
struct FileFilterMask {
    unsigned accept;
    unsigned reject;
};

constexpr int kFileFilterCount = 5;

// Indexed by the filter combo's entry (m_nFileFilter).
extern const FileFilterMask FileFilterMasks[kFileFilterCount];

// The combo's texts, in combo order.
extern const char* const kFileFilterTexts[kFileFilterCount];

// Whether an entry with attribute word `attrib` is listed under filter
// `filterIndex`. An index outside 0..4 can only come from a hand-edited
// settings file; it behaves as 0 ("Show ALL files"), so the user still sees
// every file instead of an empty list, and directories stay out as always.
bool PassesFileFilter(unsigned attrib, int filterIndex);
