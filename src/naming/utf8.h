// Text inside the program is UTF-8, held in std::string: file names, option texts,
// settings and tooltip texts alike. Wherever the user sees a position or a length
// (insert positions, replace ranges, field limits, the length check of new names, the
// tooltip line limit) it counts characters, that is Unicode code points, never bytes,
// and no operation cuts a character in two.
//
// Damaged text. Bytes that are not well-formed UTF-8 can only come from damaged files
// (or a fuzzer); they are read by one rule, that of DecodeUtf8: each byte that does not
// begin a well-formed sequence is one character, U+FFFD REPLACEMENT CHARACTER, and
// reading goes on with the next byte. U+FFFD rather than the byte's Latin-1 letter,
// because a damaged byte must not pass for a letter that the user could have meant:
// it is not case-mapped, it matches no letter typed, and a composed name shows the
// damage instead of a plausible-looking wrong letter. Every name the compositions put
// together from such input is well-formed (invalid bytes come out as U+FFFD).
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

constexpr char32_t kReplacementCharacter = 0xFFFD;

// The character that begins at text[pos] (pos < text.size()); pos moves past it. Not
// well-formed (a stray continuation byte, a lead byte without all its continuation
// bytes, an overlong form, a surrogate, a value above U+10FFFF, the bytes F5 to FF):
// U+FFFD, and pos moves by one byte.
char32_t DecodeUtf8(std::string_view text, std::size_t& pos);

// Appends the UTF-8 form of c; a surrogate or a value above U+10FFFF appends U+FFFD.
void AppendUtf8(std::string& out, char32_t c);

bool IsAsciiText(std::string_view text);
bool IsValidUtf8(std::string_view text);

// The text with each invalid byte replaced by U+FFFD; well-formed text unchanged.
std::string ToValidUtf8(std::string text);

// The characters of a text, and back.
std::u32string DecodeUtf8Text(std::string_view text);
std::string EncodeUtf8Text(std::u32string_view chars);

std::size_t CountCodePoints(std::string_view text);
// The length of the text in UTF-16 units, as the file system counts a name: a character
// beyond U+FFFF takes two.
std::size_t CountUtf16Units(std::string_view text);

// The number of bytes that the first n characters of the text take (all of it when it
// holds fewer): text.substr(0, CodePointOffset(text, n)) is its first n characters.
std::size_t CodePointOffset(std::string_view text, std::size_t n);

// The length of the text without a sequence at its end that was cut short (a lead
// byte followed by fewer continuation bytes than it announces): where a read stopped
// after a fixed number of bytes, the rest of that character lies beyond it.
std::size_t WholeCharactersLength(std::string_view text);

// Turns text in a single-byte or double-byte code page into UTF-8. The program's text
// files are UTF-8, but files of earlier versions are in the system's ANSI code page,
// which only the platform can convert (on Windows MultiByteToWideChar with CP_ACP, then
// to UTF-8).
using CodePageToUtf8 = std::function<std::string(std::string_view bytes)>;

// ISO 8859-1: each byte is the code point of the same value. Where no code page is at
// hand (the native build's tests and fuzz targets), it stands in for the ANSI one.
std::string Latin1ToUtf8(std::string_view bytes);

// A text file's bytes as UTF-8. A file that begins with the UTF-8 byte-order mark is
// UTF-8 (the mark is skipped; damaged bytes read as U+FFFD). Otherwise a file that is
// well-formed UTF-8 is taken as it is, and any other file is in the ANSI code page and
// goes through `ansi` (its result made well-formed). Without `ansi` such a file keeps its
// bytes, for callers that still work in the ANSI code page themselves. The result is a
// view of `bytes` or of `storage`.
std::string_view TextFileAsUtf8(std::string_view bytes, const CodePageToUtf8& ansi,
                                std::string& storage);
