// "Regular expression" in the advanced replace: the replace "string:" is a pattern
// (PCRE2 syntax, Unicode throughout) and "with:" its replacement, in PCRE2's extended
// substitution syntax: $1..$99, ${name}, $0 or $& for the whole match, $$ for a
// dollar sign, \u \l \U..\E \L..\E to change the case of what follows. A reference to
// a group the pattern does not have, or one that took no part in the match, is empty.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

// What PCRE2 says is wrong, and the character (code point, from 0) where it found it.
struct PatternError {
    std::string message;
    std::size_t at = 0;
};

// One compiled pattern: made once whenever the pattern or its case option changes,
// then applied to each name. Matching is bounded (a match limit and a depth limit),
// so that a pattern that backtracks without end gives up on a name within
// milliseconds instead of hanging the window.
class NamePattern {
public:
    // Without caseSensitive letters of every script match either case (Unicode case
    // folding).
    NamePattern(const std::string& pattern, bool caseSensitive);
    ~NamePattern();
    NamePattern(const NamePattern&) = delete;
    NamePattern& operator=(const NamePattern&) = delete;

    // Set when the pattern does not compile; Replace then leaves every text alone.
    const std::optional<PatternError>& CompileError() const { return compileError_; }

    enum class Outcome {
        Replaced,        // `out` holds the text (the same text when nothing matched)
        TooLong,         // a limit was hit on this text
        BadReplacement,  // the replacement's syntax; `error` says where
    };
    // Every match in `text` replaced, or with lastOnly only the last one. `text` must be
    // well-formed UTF-8; bytes of the replacement that are not read as U+FFFD.
    Outcome Replace(std::string_view text, const std::string& replacement, bool lastOnly, std::string& out,
                    PatternError* error = nullptr) const;

private:
    struct Engine;
    std::unique_ptr<Engine> engine_;
    std::optional<PatternError> compileError_;
};

// The replacement as PCRE2 takes it: "$&" (which PCRE2 does not know) becomes "${0}";
// everything else, "$$", "\$&" and text between \Q and \E included, stays as it is.
std::string ToPcre2Replacement(const std::string& replacement);
