// The program's text is UTF-8; Windows speaks UTF-16. Every text that crosses from
// one to the other (file names, window texts, list entries, message boxes) goes
// through this pair, so that both sides agree on every character. Windows only.
#pragma once

#include <string>
#include <string_view>

// UTF-8 as UTF-16. False when the text holds a NUL (as a path it would name another,
// shorter one) or is not well-formed UTF-8; `wide` then holds the conversion with each
// ill-formed byte as U+FFFD, which serves to show the text but never to name a file.
bool ToWide(std::string_view text, std::wstring& wide);
// The same for a text that is only shown: whatever ToWide gives.
std::wstring ToWide(std::string_view text);

// UTF-16 as UTF-8; a lone surrogate half, which no character is, becomes U+FFFD.
std::string FromWide(std::wstring_view wide);
std::string FromWide(const wchar_t* wide);

// Bytes in the system's ANSI code page as UTF-8: the reading of files that an earlier
// version wrote in it (the settings file, tooltip.txt).
std::string AnsiToUtf8(std::string_view bytes);
