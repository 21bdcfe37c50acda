#pragma once

#include <string>

// Names are single-byte text. Case mapping touches only the ASCII letters A-Z and
// a-z, whatever the code page, so every other byte (accented letters included)
// comes out as it went in, on every build.

char ToUpperAscii(char c);
char ToLowerAscii(char c);
bool IsDigitAscii(char c);
bool IsLetterAscii(char c);

// In place, like the string class's MakeUpper/MakeLower.
void MakeUpper(std::string& text);
void MakeLower(std::string& text);
// Upper case when `upper` is set, else lower case when `lower` is set (a part of a name
// under its pair of case boxes).
void ApplyCase(std::string& part, int upper, int lower);

// Case-insensitive three-way comparison that folds A-Z to a-z before comparing the
// bytes as unsigned values, as the C runtime's _stricmp does in the "C" locale. The
// folding direction matters for the six characters between 'Z' and 'a'.
int CompareNoCase(const std::string& a, const std::string& b);

// Three-way comparison of the bytes as unsigned values (strcmp).
int CompareBytes(const std::string& a, const std::string& b);
