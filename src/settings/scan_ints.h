// Reading whole numbers out of user text and settings lines.
//
// These follow the rules of the C library's atoi and of sscanf with "%d"
// conversions, but are written out here on purpose: the library's versions
// differ between C runtimes in corner cases and overflow of %d is undefined,
// while text typed by the user or found in a settings file can be anything.
// A number too large for int is clamped to INT_MIN or INT_MAX.
#pragma once

#include <string>

// atoi: leading blanks (space, \t, \n, \v, \f, \r), an optional sign, then
// decimal digits up to the first other character; 0 when there are none.
int AtoiClamped(const std::string& text);

// sscanf(text, format, ...) for formats made only of "%d", "%<width>d",
// blanks and literal characters:
//  - a conversion skips blanks, then takes an optional sign and digits; a
//    width limits the characters of the number, its sign included;
//  - a blank in the format skips any number of blanks in the text;
//  - any other format character must match the next text character exactly;
//  - reading stops at the first mismatch, at the end of the text or at a NUL.
// Each converted number is stored into *fields[i] at once, so a reading that
// stops part-way keeps what it converted. Returns the count of conversions.
// A format with more conversions than fieldCount stops at the first extra one.
int ScanInts(const std::string& text, const char* format, int* const fields[], int fieldCount);
