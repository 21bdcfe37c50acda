#include "naming/position_field.h"

#include "naming/case_map.h"

namespace {

// Far beyond any name length, small enough that sums and differences of a few of them
// stay well inside long long.
constexpr long long kPositionClamp = 1000000000000LL;

bool IsBlank(char c) {
    return c == ' ' || (c >= '\t' && c <= '\r');
}

}  // namespace

long long ParsePositionNumber(const std::string& text) {
    std::string::size_type i = 0;
    while (i < text.size() && IsBlank(text[i])) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        negative = text[i] == '-';
        ++i;
    }
    long long value = 0;
    for (; i < text.size() && IsDigitAscii(text[i]); ++i) {
        if (value < kPositionClamp) value = value * 10 + (text[i] - '0');
    }
    if (value > kPositionClamp) value = kPositionClamp;
    return negative ? -value : value;
}

bool IsPositionTextAccepted(const std::string& text) {
    for (char c : text)
        if (!IsDigitAscii(c)) return false;
    return ParsePositionNumber(text) <= kMaxPositionValue;
}
