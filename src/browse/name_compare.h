#pragma once

#include "naming/case_map.h"

#include <string>

// Case folding of single-byte text: only ASCII A-Z map to a-z, every other
// byte (accented letters of the code page included) stays as it is, so the
// result does not depend on the C locale.
inline char FoldAsciiCase(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

// Name comparison is CompareNoCase of naming/case_map.h (_stricmp semantics in the
// C locale: bytes as unsigned values after A-Z are mapped to a-z; a name that is a
// prefix of the other is the smaller).

// The name with A-Z mapped to a-z. Comparing two folded texts with the
// ordinary std::string comparison gives the same sign as CompareNoCase of
// the originals (std::char_traits<char> compares bytes as unsigned).
std::string FoldedCopy(const std::string& text);
