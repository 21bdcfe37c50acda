#include "naming/case_map.h"

#include <cstddef>

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

void MakeUpper(std::string& text) {
    for (char& c : text) c = ToUpperAscii(c);
}

void MakeLower(std::string& text) {
    for (char& c : text) c = ToLowerAscii(c);
}

namespace {

template <typename Fold>
int CompareFolded(const std::string& a, const std::string& b, Fold fold) {
    const std::size_t n = a.size() < b.size() ? a.size() : b.size();
    for (std::size_t i = 0; i < n; ++i) {
        const unsigned char ca = static_cast<unsigned char>(fold(a[i]));
        const unsigned char cb = static_cast<unsigned char>(fold(b[i]));
        if (ca != cb) return ca < cb ? -1 : 1;
    }
    if (a.size() == b.size()) return 0;
    return a.size() < b.size() ? -1 : 1;
}

}  // namespace

void ApplyCase(std::string& part, int upper, int lower) {
    if (upper)
        MakeUpper(part);
    else if (lower)
        MakeLower(part);
}

int CompareNoCase(const std::string& a, const std::string& b) {
    return CompareFolded(a, b, ToLowerAscii);
}

int CompareBytes(const std::string& a, const std::string& b) {
    return CompareFolded(a, b, [](char c) { return c; });
}
