#pragma once

#include <string>

// The highest character position the "at pos #", "First/From #" and "Last/To #" edits take.
constexpr int kMaxPositionValue = 255;

// The number in a position field, read like atoi: leading blanks, one optional sign,
// then digits up to the first non-digit; a text without digits gives 0. Unlike atoi
// it clamps instead of overflowing, because a settings file can put any text into
// these fields.
long long ParsePositionNumber(const std::string& text);

// Whether a position edit may hold the text: digits only and a value of at most 255.
// The empty text (value 0) is accepted.
bool IsPositionTextAccepted(const std::string& text);
