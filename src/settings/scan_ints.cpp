#include "settings/scan_ints.h"

#include <climits>
#include <cstdint>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\v' || c == '\f' || c == '\r';
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Reads an optional sign and digits from text[pos], taking at most maxChars
// characters (sign included). Returns false, with pos unchanged, when no digit
// was found. The magnitude saturates far above the int range, so any count of
// digits is safe and the result is clamped rather than wrapped.
bool ReadSignedDigits(const std::string& text, size_t& pos, size_t maxChars, int& value) {
    size_t p = pos;
    size_t end = text.size();
    if (maxChars < end - p) end = p + maxChars;
    bool negative = false;
    if (p < end && (text[p] == '+' || text[p] == '-')) {
        negative = text[p] == '-';
        ++p;
    }
    if (p >= end || !IsDigit(text[p])) return false;
    const std::uint64_t cap = std::uint64_t(INT_MAX) + 2;  // beyond both limits
    std::uint64_t magnitude = 0;
    for (; p < end && IsDigit(text[p]); ++p) {
        magnitude = magnitude * 10 + std::uint64_t(text[p] - '0');
        if (magnitude > cap) magnitude = cap;
    }
    std::int64_t signedValue = negative ? -std::int64_t(magnitude) : std::int64_t(magnitude);
    if (signedValue > INT_MAX) signedValue = INT_MAX;
    if (signedValue < INT_MIN) signedValue = INT_MIN;
    value = int(signedValue);
    pos = p;
    return true;
}

// The text as the C functions see it: a NUL ends it.
std::string UpToNul(const std::string& text) {
    size_t nul = text.find('\0');
    return nul == std::string::npos ? text : text.substr(0, nul);
}

}  // namespace

int AtoiClamped(const std::string& rawText) {
    const std::string text = UpToNul(rawText);
    size_t pos = 0;
    while (pos < text.size() && IsBlank(text[pos])) ++pos;
    int value = 0;
    if (!ReadSignedDigits(text, pos, text.size(), value)) return 0;
    return value;
}

int ScanInts(const std::string& rawText, const char* format, int* const fields[], int fieldCount) {
    const std::string text = UpToNul(rawText);
    size_t pos = 0;
    int converted = 0;
    for (const char* f = format; *f != '\0';) {
        if (IsBlank(*f)) {
            while (IsBlank(*f)) ++f;
            while (pos < text.size() && IsBlank(text[pos])) ++pos;
            continue;
        }
        if (*f != '%') {
            if (pos >= text.size() || text[pos] != *f) break;
            ++pos;
            ++f;
            continue;
        }
        ++f;
        size_t width = 0;
        while (IsDigit(*f)) {
            if (width < 1000) width = width * 10 + size_t(*f - '0');
            ++f;
        }
        if (*f != 'd' || converted >= fieldCount) break;
        ++f;
        while (pos < text.size() && IsBlank(text[pos])) ++pos;
        int value = 0;
        if (!ReadSignedDigits(text, pos, width == 0 ? text.size() : width, value)) break;
        *fields[converted] = value;
        ++converted;
    }
    return converted;
}
