#pragma once

// Attribute bits of a directory entry as the enumeration reports them.
constexpr unsigned kAttribReadOnly = 0x01;
constexpr unsigned kAttribHidden = 0x02;
constexpr unsigned kAttribSystem = 0x04;
constexpr unsigned kAttribDirectory = 0x10;
constexpr unsigned kAttribArchive = 0x20;

// One entry of the attribute-filter combo: an entry is listed when its
// attribute word is 0, or has a bit of `accept` and none of `reject`.
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
