#include "browse/file_filter.h"

const FileFilterMask FileFilterMasks[kFileFilterCount] = {
    {0x27, 0x10},  // all files
    {0x20, 0x17},  // only normal (archive) files
    {0x25, 0x12},  // hide hidden files
    {0x26, 0x11},  // hide read-only files
    {0x23, 0x14},  // hide system files
};

const char* const kFileFilterTexts[kFileFilterCount] = {
    "Show ALL files",
    "Show only 'Normal' files",
    "Hide all 'Hidden' files",
    "Hide all 'Read-Only' files",
    "Hide all 'System' files",
};

bool PassesFileFilter(unsigned attrib, int filterIndex) {
    if (filterIndex < 0 || filterIndex >= kFileFilterCount)
        filterIndex = 0;
    if (attrib == 0)
        return true;
    const FileFilterMask& m = FileFilterMasks[filterIndex];
    return (attrib & m.accept) != 0 && (attrib & m.reject) == 0;
}
