#pragma once

#include <cstddef>
#include <string>

struct RenameOptions;
struct PatternError;
class NamePattern;

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
constexpr int kAdvancedPatternTooLong = -4;  // the pattern hit a matching limit on this name
constexpr int kAdvancedPatternInvalid = -5;  // the pattern or its replacement is wrong

// Whether the replace runs by regular expression: "Replace" (and not "INSERT") with
// "Regular expression" ticked and a pattern in the replace "string:". Without a pattern
// the range of positions is replaced as ever.
bool UsesNamePattern(const RenameOptions& o);

// The new bare name of one file by the advanced insert and replace rules. Returns -3
// (and an empty bareName) when none of "at pos #", the replace "string:", "First/From #",
// "Last/To #", "Before or" and "After" is filled in, whatever the mode; else 1.
//
// By regular expression every match in the working part is replaced (the last one only
// with "Search String Backward"); "First/From #" and "Last/To #", when filled, keep the
// search to the characters the range rule would replace. `pattern` is the replace
// "string:" compiled with the case option, made once for many names (without it, it is
// compiled here). A pattern that does not compile, or a replacement that PCRE2 refuses,
// gives -5 with `error` filled in; a matching limit hit on this name gives -4.
int ComposeAdvancedBareName(const RenameOptions& o, const std::string& oldName, std::string& bareName,
                            const NamePattern* pattern = nullptr, PatternError* error = nullptr);
