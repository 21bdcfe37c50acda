#include "naming/advanced_name.h"

#include <algorithm>
#include <memory>

#include "naming/case_map.h"
#include "naming/name_pattern.h"
#include "naming/position_field.h"
#include "naming/rename_options.h"
#include "naming/split_name.h"
#include "naming/utf8.h"

namespace {

// The rules work on characters (code points): positions and lengths count characters,
// and nothing cuts one in two. They run on std::u32string, one unit per character, or,
// when the working part and the option texts are all ASCII (most names are), on the
// bytes themselves, which are then characters too.

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char32_t Lower(char32_t c) { return ToLowerCodePoint(c); }

// An option text in the units of Text (only ASCII text is taken as std::string).
template <class Text>
Text Units(const std::string& text);
template <>
std::string Units<std::string>(const std::string& text) { return text; }
template <>
std::u32string Units<std::u32string>(const std::string& text) { return DecodeUtf8Text(text); }

// The first n characters; n below 0 counts as 0, above the length as the length.
template <class Text>
Text FirstN(const Text& text, long long n) {
    if (n <= 0) return Text();
    if (n >= static_cast<long long>(text.size())) return text;
    return text.substr(0, static_cast<std::size_t>(n));
}

// The last n characters, clamped the same way.
template <class Text>
Text LastN(const Text& text, long long n) {
    if (n <= 0) return Text();
    if (n >= static_cast<long long>(text.size())) return text;
    return text.substr(text.size() - static_cast<std::size_t>(n));
}

template <class Text>
Text Reversed(const Text& text) {
    return Text(text.rbegin(), text.rend());
}

template <class Text>
SearchMatch FindWildcard(const Text& h, const Text& p) {
    SearchMatch m;
    const std::size_t firstStar = p.find('*');
    const Text lead = p.substr(0, firstStar);
    std::size_t cursor = 0;
    if (!lead.empty()) {
        const std::size_t at = h.find(lead);
        if (at == Text::npos) return m;
        m.start = at;
        cursor = at + lead.size();
    }
    std::size_t restAt = firstStar + 1;
    for (;;) {
        if (restAt >= p.size()) {  // the pattern ends with "*"
            m.length = h.size() - m.start;
            break;
        }
        const std::size_t nextStar = p.find('*', restAt);
        const Text piece = p.substr(restAt, nextStar == Text::npos ? Text::npos : nextStar - restAt);
        const std::size_t at = h.find(piece, cursor);
        if (at == Text::npos) return m;
        cursor = at + piece.size();
        if (nextStar == Text::npos) {
            m.length = cursor - m.start;
            break;
        }
        restAt = nextStar + 1;
    }
    m.found = true;
    return m;
}

// Without caseSensitive both texts are compared lower-mapped: the simple mappings keep
// one character for one, so a match's positions hold in the original text.
template <class Text>
SearchMatch FindIn(Text h, Text p, bool caseSensitive) {
    if (!caseSensitive) {
        for (auto& c : h) c = Lower(c);
        for (auto& c : p) c = Lower(c);
    }
    if (p.find('*') != Text::npos) return FindWildcard(h, p);
    SearchMatch m;
    const std::size_t at = h.find(p);
    if (at == Text::npos) return m;
    m.found = true;
    m.start = at;
    m.length = p.size();
    return m;
}

// Inserting beside, or replacing, a searched text. A backward search runs forward over
// the reversed texts, so "the first match" becomes the last one and the result is
// reversed back; the inserted or replacing text is reversed with them so that it
// reads as typed in the final name.
template <class Text>
Text ChangeAtSearchedText(const RenameOptions& o, const Text& w, const std::string& searchText,
                          const std::string& newText, bool insert) {
    const bool back = o.m_bSearchBack != 0;
    const Text h = back ? Reversed(w) : w;
    const Text s = back ? Reversed(Units<Text>(searchText)) : Units<Text>(searchText);
    const Text t = back ? Reversed(Units<Text>(newText)) : Units<Text>(newText);
    const SearchMatch m = FindIn(h, s, o.m_bCaseSensitive != 0);
    if (!m.found) return w;
    Text changed;
    if (insert) {
        // In reversed text "before" lies after the match.
        const bool after = back ? o.m_bInsBefore != 0 : o.m_bInsAfter != 0;
        const std::size_t point = after ? m.start + m.length : m.start;
        changed = h.substr(0, point) + t + h.substr(point);
    } else {
        changed = h.substr(0, m.start) + t + h.substr(m.start + m.length);
    }
    return back ? Reversed(changed) : changed;
}

template <class Text>
Text InsertAtPosition(const RenameOptions& o, const Text& w) {
    const long long p = ParsePositionNumber(o.m_strInsAtPos);
    const Text text = Units<Text>(o.m_strInsStr1);
    if (p >= static_cast<long long>(w.size())) return w + text;
    const Text front = FirstN(w, p);
    return front + text + w.substr(front.size());
}

// The range replaces the characters at positions from..to inclusive; "First/From #"
// alone replaces the first f characters, "Last/To #" alone the last t.
template <class Text>
Text ReplaceRange(const RenameOptions& o, const Text& w) {
    const long long len = static_cast<long long>(w.size());
    const Text with = Units<Text>(o.m_strReStr2);
    if (o.m_strReToPos.empty()) {
        const long long f = ParsePositionNumber(o.m_strReFromPos);
        return with + LastN(w, len - f);
    }
    if (o.m_strReFromPos.empty()) {
        const long long t = ParsePositionNumber(o.m_strReToPos);
        return FirstN(w, len - t) + with;
    }
    long long f = ParsePositionNumber(o.m_strReFromPos);
    long long t = ParsePositionNumber(o.m_strReToPos);
    if (f > t) std::swap(f, t);
    return FirstN(w, f) + with + LastN(w, len - t - 1);
}

template <class Text>
Text ChangeText(const RenameOptions& o, const Text& w) {
    if (o.m_bInsert) {
        if (!o.m_strInsAtPos.empty()) return InsertAtPosition(o, w);
        return ChangeAtSearchedText(o, w, o.m_strInsStr2, o.m_strInsStr1, true);
    }
    if (o.m_bReplace) {
        if (!o.m_strReStr1.empty())
            return ChangeAtSearchedText(o, w, o.m_strReStr1, o.m_strReStr2, false);
        return ReplaceRange(o, w);
    }
    return w;
}

std::string ChangeWorkingPart(const RenameOptions& o, const std::string& w) {
    if (IsAsciiText(w) && IsAsciiText(o.m_strInsStr1) && IsAsciiText(o.m_strInsStr2) &&
        IsAsciiText(o.m_strReStr1) && IsAsciiText(o.m_strReStr2))
        return ChangeText(o, w);
    return EncodeUtf8Text(ChangeText(o, DecodeUtf8Text(w)));
}

// The characters [first, first + count) of a working part of `length` characters that a
// pattern searches: those the range rule would replace, or all when no position is set.
void SearchedRange(const RenameOptions& o, std::size_t length, std::size_t& first, std::size_t& count) {
    const long long len = static_cast<long long>(length);
    auto clamp = [len](long long n) { return std::min(std::max(n, 0LL), len); };
    long long from = 0, to = len;
    if (!o.m_strReFromPos.empty() && o.m_strReToPos.empty()) {
        to = clamp(ParsePositionNumber(o.m_strReFromPos));
    } else if (o.m_strReFromPos.empty() && !o.m_strReToPos.empty()) {
        from = len - clamp(ParsePositionNumber(o.m_strReToPos));
    } else if (!o.m_strReFromPos.empty()) {
        long long f = ParsePositionNumber(o.m_strReFromPos);
        long long t = ParsePositionNumber(o.m_strReToPos);
        if (f > t) std::swap(f, t);
        from = clamp(f);
        to = std::max(from, clamp(t + 1));
    }
    first = static_cast<std::size_t>(from);
    count = static_cast<std::size_t>(to - from);
}

int StatusOf(NamePattern::Outcome outcome) {
    switch (outcome) {
        case NamePattern::Outcome::TooLong: return kAdvancedPatternTooLong;
        case NamePattern::Outcome::BadReplacement: return kAdvancedPatternInvalid;
        case NamePattern::Outcome::Replaced: break;
    }
    return kAdvancedComposed;
}

int ReplaceByPattern(const RenameOptions& o, const NamePattern& pattern, const std::string& w, std::string& changed,
                     PatternError* error) {
    const bool back = o.m_bSearchBack != 0;
    if (o.m_strReFromPos.empty() && o.m_strReToPos.empty())  // the whole part, as mostly
        return StatusOf(pattern.Replace(w, o.m_strReStr2, back, changed, error));
    std::size_t first = 0;
    std::size_t count = 0;
    SearchedRange(o, CountCodePoints(w), first, count);
    const std::string_view all(w);
    const std::size_t begin = CodePointOffset(all, first);
    const std::size_t end = begin + CodePointOffset(all.substr(begin), count);
    std::string middle;
    const int status = StatusOf(pattern.Replace(all.substr(begin, end - begin), o.m_strReStr2, back, middle, error));
    if (status == kAdvancedComposed) changed = w.substr(0, begin) + middle + w.substr(end);
    return status;
}

}  // namespace

bool UsesNamePattern(const RenameOptions& o) {
    return !o.m_bInsert && o.m_bReplace && o.m_bRegex && !o.m_strReStr1.empty();
}

SearchMatch FindSearchText(const std::string& haystack, const std::string& pattern,
                           bool caseSensitive) {
    if (IsAsciiText(haystack) && IsAsciiText(pattern)) return FindIn(haystack, pattern, caseSensitive);
    return FindIn(DecodeUtf8Text(haystack), DecodeUtf8Text(pattern), caseSensitive);
}

int ComposeAdvancedBareName(const RenameOptions& o, const std::string& oldName, std::string& bareName,
                            const NamePattern* pattern, PatternError* error) {
    bareName.clear();
    if (o.m_strInsAtPos.empty() && o.m_strReStr1.empty() && o.m_strReFromPos.empty() &&
        o.m_strReToPos.empty() && !o.m_bInsBefore && !o.m_bInsAfter)
        return kAdvancedNotFilledIn;

    std::unique_ptr<NamePattern> ownPattern;
    if (!UsesNamePattern(o)) {
        pattern = nullptr;
    } else if (!pattern) {
        ownPattern = std::make_unique<NamePattern>(o.m_strReStr1, o.m_bCaseSensitive != 0);
        pattern = ownPattern.get();
    }
    if (pattern && pattern->CompileError()) {
        if (error) *error = *pattern->CompileError();
        return kAdvancedPatternInvalid;
    }
    int status = kAdvancedComposed;
    auto change = [&](const std::string& w) {
        if (!pattern) return ChangeWorkingPart(o, w);
        std::string changed;
        status = ReplaceByPattern(o, *pattern, w, changed, error);
        return changed;
    };

    // The kept rest of a damaged name comes out well-formed too.
    std::string repaired;
    const std::string& name = IsValidUtf8(oldName) ? oldName : (repaired = ToValidUtf8(oldName));
    const NameParts parts = SplitName(name);
    switch (o.m_nApplyTo) {
        case 1: {
            // A name without a dot has an empty extension and is kept whole in front of
            // the changed one; the dot goes between them only when there is something to
            // separate, so an unchanged name stays exactly as it was.
            const std::string changed = change(parts.extension);
            if (parts.hasDot)
                bareName = parts.prefix + "." + changed;
            else
                bareName = changed.empty() ? name : name + "." + changed;
            break;
        }
        case 2:
            bareName = change(name);
            break;
        default:
            // Prefix only, also for a value no radio button gives (a settings file can
            // hold any number): that is the option's start value.
            bareName = change(parts.prefix) + (parts.hasDot ? "." + parts.extension : std::string());
            break;
    }
    if (status != kAdvancedComposed) bareName.clear();
    return status;
}
