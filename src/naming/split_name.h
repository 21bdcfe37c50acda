#pragma once

#include <string>

// The two halves of a file name, split at its last dot.
struct NameParts {
    std::string prefix;     // before the last dot (the whole name when there is none)
    std::string extension;  // after the last dot
    bool hasDot = false;
};

// Only the last dot counts: earlier dots belong to the prefix.
NameParts SplitName(const std::string& name);
