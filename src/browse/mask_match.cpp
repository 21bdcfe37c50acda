#include "browse/mask_match.h"

#include "browse/name_compare.h"
#include "naming/utf8.h"

namespace {

// Glob match of mask[0, maskLen) over name[0, nameLen), one unit per character,
// comparing fold(unit). On a mismatch only the most recent "*" is retried, one
// character further each time: an earlier "*" never needs another try, because
// whatever the later one would skip it could have skipped too. That keeps the work
// at one pass of the name per star position at most, never exponential.
template <typename Unit, typename Fold>
bool MatchGlob(const Unit* mask, std::size_t maskLen, const Unit* name, std::size_t nameLen, Fold fold) {
    const std::size_t npos = static_cast<std::size_t>(-1);
    std::size_t m = 0, s = 0;
    std::size_t starM = npos, starS = 0;
    while (s < nameLen) {
        if (m < maskLen && mask[m] == '*') {
            starM = m++;
            starS = s;
        } else if (m < maskLen && (mask[m] == '?' || fold(mask[m]) == fold(name[s]))) {
            ++m;
            ++s;
        } else if (starM != npos) {
            m = starM + 1;
            s = ++starS;
        } else {
            return false;
        }
    }
    while (m < maskLen && mask[m] == '*')
        ++m;
    return m == maskLen;
}

// A mask that ends in ".*" also matches what the mask without it matches.
template <typename Unit, typename Fold>
bool MatchWholeMask(const Unit* mask, std::size_t n, const Unit* name, std::size_t nameLen, Fold fold) {
    if (MatchGlob(mask, n, name, nameLen, fold))
        return true;
    return n >= 2 && mask[n - 2] == '.' && mask[n - 1] == '*' && MatchGlob(mask, n - 2, name, nameLen, fold);
}

// Every character lower-mapped, one unit each.
std::u32string FoldedChars(const std::string& text) {
    std::u32string chars = DecodeUtf8Text(text);
    for (char32_t& c : chars)
        c = ToLowerCodePoint(c);
    return chars;
}

}  // namespace

bool MatchMask(const std::string& mask, const std::string& name) {
    if (mask.empty())
        return false;
    // Most names and masks are ASCII: bytes are characters, and only A-Z fold.
    if (IsAsciiText(mask) && IsAsciiText(name))
        return MatchWholeMask(mask.data(), mask.size(), name.data(), name.size(), FoldAsciiCase);
    const std::u32string m = FoldedChars(mask), s = FoldedChars(name);
    return MatchWholeMask(m.data(), m.size(), s.data(), s.size(), [](char32_t c) { return c; });
}
