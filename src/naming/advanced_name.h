#pragma once

#include <cstddef>
#include <string>

struct RenameOptions;

// Where a search text was found in a working text.
struct SearchMatch {
    bool found = false;
    std::size_t start = 0;   // in characters (code points) from the start of the text
    std::size_t length = 0;  // characters covered, from start
};

// Finds pattern in haystack. A pattern without "*" is found at its first occurrence
// (the empty pattern at 0). "*" stands for any run of characters: the literal text
// before the first "*" is found first (a leading "*" starts the match at 0), then each
// following piece at its first occurrence after the previous one, with no other
// occurrence tried; a trailing "*" runs the match to the end of the haystack. Without
// caseSensitive, letters of every script match either case (simple case mappings).
SearchMatch FindSearchText(const std::string& haystack, const std::string& pattern,
                           bool caseSensitive);

// Results of ComposeAdvancedBareName.
constexpr int kAdvancedComposed = 1;
constexpr int kAdvancedNotFilledIn = -3;

// The new bare name of one file by the advanced insert and replace rules. Returns -3
// (and an empty bareName) when none of "at pos #", the replace "string:", "First/From #",
// "Last/To #", "Before or" and "After" is filled in, whatever the mode; else 1.
int ComposeAdvancedBareName(const RenameOptions& o, const std::string& oldName,
                            std::string& bareName);
