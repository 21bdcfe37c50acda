#pragma once

#include <string>
#include <string_view>

// Letter case of UTF-8 text, by the simple (one code point to one code point) case
// mappings of the Unicode Character Database, for every script: the same table in
// every build, whatever the platform's locale. Bytes that are not well-formed UTF-8
// read as U+FFFD (naming/utf8.h), which has no case.

char ToUpperAscii(char c);
char ToLowerAscii(char c);
bool IsDigitAscii(char c);
bool IsLetterAscii(char c);

// The simple upper- and lower-case mappings of one code point (itself when it has none).
char32_t ToUpperCodePoint(char32_t c);
char32_t ToLowerCodePoint(char32_t c);

// In place, like the string class's MakeUpper/MakeLower, for every letter ("émile" ->
// "ÉMILE"). A mapping may change a character's length in bytes, never the number of
// characters.
void MakeUpper(std::string& text);
void MakeLower(std::string& text);
// Upper case when `upper` is set, else lower case when `lower` is set (a part of a name
// under its pair of case boxes).
void ApplyCase(std::string& part, int upper, int lower);

// Comparisons without regard to case fold every character to lower case, as _stricmp
// does with A-Z, so that ASCII names compare exactly as _stricmp has them (the folding
// direction matters for the six characters between 'Z' and 'a'), and then compare
// code points as unsigned values; a text that is the start of the other is the smaller.
//
// FoldCase is the text with every character lower-mapped (well-formed UTF-8). Folded
// texts compare byte by byte (std::string's compare) in the same order as
// CompareNoCase compares the originals, since UTF-8 keeps code point order.
std::string FoldCase(std::string_view text);
int CompareNoCase(std::string_view a, std::string_view b);

// Three-way comparison of the bytes as unsigned values (strcmp).
int CompareBytes(const std::string& a, const std::string& b);
