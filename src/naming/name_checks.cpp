#include "naming/name_checks.h"

#include <unordered_map>

#include "naming/case_map.h"
#include "naming/utf8.h"

NameProblem FindNameProblem(const std::string& name) {
    NameProblem problem;
    // The byte count bounds the unit count from above: most names need no count.
    if (name.size() > kMaxNewNameLength && CountUtf16Units(name) > kMaxNewNameLength) {
        problem.kind = NameProblem::Kind::kTooLong;
        return problem;
    }
    // Every byte of a multi-byte character is 0x80 or above, so ASCII bytes are characters.
    const std::string::size_type at = name.find_first_of("\"*/:<>?\\|");
    if (at != std::string::npos) {
        problem.kind = NameProblem::Kind::kInvalidCharacter;
        problem.character = name[at];
    }
    return problem;
}

int FindDuplicateName(const std::vector<std::string>& names) {
    std::unordered_map<std::string, int> latest;  // folded name -> its latest index so far
    latest.reserve(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
        auto [at, added] = latest.emplace(FoldCase(names[i]), static_cast<int>(i));
        if (!added) return at->second;
    }
    return -1;
}
