#pragma once

#include "naming/case_map.h"

#include <string>
#include <vector>

// Case folding of ASCII letters alone: the fast path of the name comparisons for the
// common all-ASCII names, and the same as FoldCase on them.
inline char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Name comparison is CompareNoCase of naming/case_map.h (every letter lower-mapped by
// the simple Unicode case mappings, then code points compared as unsigned values, as
// _stricmp does for ASCII; a name that is a prefix of the other is the smaller).

// The entry the caret goes to after a refill: the entry spelled exactly as `name`, else
// the first that equals it without regard to case (names that differ only in case can
// stand side by side on some file systems); -1 when none does.
int FindCaretIndex(const std::vector<std::string>& entries, const std::string& name);
