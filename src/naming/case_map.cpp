#include "naming/case_map.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "naming/utf8.h"

namespace {

// Code points first, first + step, ... last map to the code point delta above them.
struct CaseRun {
    char32_t first;
    char32_t last;
    std::uint8_t step;
    std::int32_t delta;
};

#include "naming/case_table.inc"

template <std::size_t N>
char32_t MapByRuns(const CaseRun (&runs)[N], char32_t c) {
    const CaseRun* run = std::upper_bound(runs, runs + N, c,
                                          [](char32_t x, const CaseRun& r) { return x < r.first; });
    if (run == runs) return c;
    --run;
    if (c > run->last || (c - run->first) % run->step != 0) return c;
    return static_cast<char32_t>(static_cast<std::int32_t>(c) + run->delta);
}

unsigned char FoldAscii(unsigned char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c - 'A' + 'a') : c;
}

// Maps every character of text; ASCII-only text stays in place.
template <typename MapAscii, typename MapCodePoint>
void MapText(std::string& text, MapAscii mapAscii, MapCodePoint map) {
    std::size_t pos = 0;
    while (pos < text.size() && static_cast<unsigned char>(text[pos]) < 0x80) {
        text[pos] = mapAscii(text[pos]);
        ++pos;
    }
    if (pos == text.size()) return;
    std::string mapped(text, 0, pos);
    mapped.reserve(text.size() + 8);
    while (pos < text.size()) AppendUtf8(mapped, map(DecodeUtf8(text, pos)));
    text.swap(mapped);
}

}  // namespace

char ToUpperAscii(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

char ToLowerAscii(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool IsDigitAscii(char c) {
    return c >= '0' && c <= '9';
}

bool IsLetterAscii(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

char32_t ToUpperCodePoint(char32_t c) {
    if (c < 0x80) return static_cast<char32_t>(ToUpperAscii(static_cast<char>(c)));
    return MapByRuns(kUpperRuns, c);
}

char32_t ToLowerCodePoint(char32_t c) {
    if (c < 0x80) return FoldAscii(static_cast<unsigned char>(c));
    return MapByRuns(kLowerRuns, c);
}

void MakeUpper(std::string& text) {
    MapText(text, [](char c) { return ToUpperAscii(c); }, [](char32_t c) { return ToUpperCodePoint(c); });
}

void MakeLower(std::string& text) {
    MapText(text, [](char c) { return ToLowerAscii(c); }, [](char32_t c) { return ToLowerCodePoint(c); });
}

void ApplyCase(std::string& part, int upper, int lower) {
    if (upper)
        MakeUpper(part);
    else if (lower)
        MakeLower(part);
}

std::string FoldCase(std::string_view text) {
    std::string folded(text);
    MakeLower(folded);
    return folded;
}

int CompareNoCase(std::string_view a, std::string_view b) {
    std::size_t i = 0, j = 0;
    while (i < a.size() && j < b.size()) {
        const unsigned char x = static_cast<unsigned char>(a[i]);
        const unsigned char y = static_cast<unsigned char>(b[j]);
        if (x < 0x80 && y < 0x80) {
            const unsigned char fx = FoldAscii(x), fy = FoldAscii(y);
            if (fx != fy) return fx < fy ? -1 : 1;
            ++i;
            ++j;
            continue;
        }
        const char32_t cx = ToLowerCodePoint(DecodeUtf8(a, i));
        const char32_t cy = ToLowerCodePoint(DecodeUtf8(b, j));
        if (cx != cy) return cx < cy ? -1 : 1;
    }
    if (i == a.size() && j == b.size()) return 0;
    return i == a.size() ? -1 : 1;
}

int CompareBytes(const std::string& a, const std::string& b) {
    const int c = a.compare(b);  // std::char_traits<char> compares bytes as unsigned
    return c < 0 ? -1 : (c > 0 ? 1 : 0);
}
