#include "browse/name_compare.h"

std::string FoldedCopy(const std::string& text) {
    std::string folded(text);
    for (char& c : folded)
        c = FoldAsciiCase(c);
    return folded;
}
