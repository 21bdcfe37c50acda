// The checks of the full preview on the new names: names the file system would refuse,
// and names that would be the same file.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The longest new name that passes, in UTF-16 units as the file system counts it (a
// character beyond U+FFFF takes two); one more warns, in the preview and in the run.
constexpr std::size_t kMaxNewNameLength = 255;

// What "Find Invalid Characters" finds in one name: too long comes first, then the
// leftmost of the nine characters no file name may hold (" * / : < > ? \ |).
// Characters beyond ASCII and control characters are not checked.
struct NameProblem {
    enum class Kind { kNone, kTooLong, kInvalidCharacter };
    Kind kind = Kind::kNone;
    char character = 0;  // kInvalidCharacter: the one found
};

NameProblem FindNameProblem(const std::string& name);

// "Check for Duplicates": among the names in list order, the first name that equals
// an earlier one without regard to case (CompareNoCase); returns the index of that
// earlier one, the first of the pair, or -1 when all differ.
// Every earlier name counts, not only the neighbour, so the list's own collation
// need not bring equal names together.
int FindDuplicateName(const std::vector<std::string>& names);
