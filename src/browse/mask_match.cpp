#include "browse/mask_match.h"

#include "browse/name_compare.h"

namespace {

// Glob match over mask[0, maskLen). On a mismatch only the most recent "*"
// is retried, one character further each time: an earlier "*" never needs
// another try, because whatever the later one would skip it could have
// skipped too. That keeps the work at one pass of the name per star position
// at most, never exponential.
bool MatchGlob(const std::string& mask, std::string::size_type maskLen, const std::string& name) {
    const std::string::size_type npos = std::string::npos;
    std::string::size_type m = 0, s = 0;
    std::string::size_type starM = npos, starS = 0;
    while (s < name.size()) {
        if (m < maskLen && mask[m] == '*') {
            starM = m++;
            starS = s;
        } else if (m < maskLen && (mask[m] == '?' || FoldAsciiCase(mask[m]) == FoldAsciiCase(name[s]))) {
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

}  // namespace

bool MatchMask(const std::string& mask, const std::string& name) {
    if (mask.empty())
        return false;
    if (MatchGlob(mask, mask.size(), name))
        return true;
    const std::string::size_type n = mask.size();
    return n >= 2 && mask[n - 2] == '.' && mask[n - 1] == '*' && MatchGlob(mask, n - 2, name);
}
