#include "browse/name_compare.h"

int FindCaretIndex(const std::vector<std::string>& entries, const std::string& name) {
    int firstEqual = -1;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (entries[i] == name) return static_cast<int>(i);
        if (firstEqual < 0 && CompareNoCase(entries[i], name) == 0) firstEqual = static_cast<int>(i);
    }
    return firstEqual;
}
