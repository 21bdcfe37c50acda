#include "naming/advanced_name.h"

#include <algorithm>

#include "naming/case_map.h"
#include "naming/position_field.h"
#include "naming/rename_options.h"
#include "naming/split_name.h"

namespace {

// The first n characters; n below 0 counts as 0, above the length as the length.
std::string FirstN(const std::string& text, long long n) {
    if (n <= 0) return std::string();
    if (n >= static_cast<long long>(text.size())) return text;
    return text.substr(0, static_cast<std::size_t>(n));
}

// The last n characters, clamped the same way.
std::string LastN(const std::string& text, long long n) {
    if (n <= 0) return std::string();
    if (n >= static_cast<long long>(text.size())) return text;
    return text.substr(text.size() - static_cast<std::size_t>(n));
}

std::string Reversed(const std::string& text) {
    return std::string(text.rbegin(), text.rend());
}

SearchMatch FindWildcard(const std::string& h, const std::string& p) {
    SearchMatch m;
    const std::size_t firstStar = p.find('*');
    const std::string lead = p.substr(0, firstStar);
    std::size_t cursor = 0;
    if (!lead.empty()) {
        const std::size_t at = h.find(lead);
        if (at == std::string::npos) return m;
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
        const std::string piece =
            p.substr(restAt, nextStar == std::string::npos ? std::string::npos : nextStar - restAt);
        const std::size_t at = h.find(piece, cursor);
        if (at == std::string::npos) return m;
        cursor = at + piece.size();
        if (nextStar == std::string::npos) {
            m.length = cursor - m.start;
            break;
        }
        restAt = nextStar + 1;
    }
    m.found = true;
    return m;
}

// Inserting beside, or replacing, a searched text. A backward search runs forward over
// the reversed texts, so "the first match" becomes the last one and the result is
// reversed back; the inserted or replacing text is reversed with them so that it
// reads as typed in the final name.
std::string ChangeAtSearchedText(const RenameOptions& o, const std::string& w,
                                 const std::string& searchText, const std::string& newText,
                                 bool insert) {
    const bool back = o.m_bSearchBack != 0;
    const std::string h = back ? Reversed(w) : w;
    const std::string s = back ? Reversed(searchText) : searchText;
    const std::string t = back ? Reversed(newText) : newText;
    const SearchMatch m = FindSearchText(h, s, o.m_bCaseSensitive != 0);
    if (!m.found) return w;
    std::string changed;
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

std::string InsertAtPosition(const RenameOptions& o, const std::string& w) {
    const long long p = ParsePositionNumber(o.m_strInsAtPos);
    if (p >= static_cast<long long>(w.size())) return w + o.m_strInsStr1;
    const std::string front = FirstN(w, p);
    return front + o.m_strInsStr1 + w.substr(front.size());
}

// The range replaces the characters at positions from..to inclusive; "First/From #"
// alone replaces the first f characters, "Last/To #" alone the last t.
std::string ReplaceRange(const RenameOptions& o, const std::string& w) {
    const long long len = static_cast<long long>(w.size());
    if (o.m_strReToPos.empty()) {
        const long long f = ParsePositionNumber(o.m_strReFromPos);
        return o.m_strReStr2 + LastN(w, len - f);
    }
    if (o.m_strReFromPos.empty()) {
        const long long t = ParsePositionNumber(o.m_strReToPos);
        return FirstN(w, len - t) + o.m_strReStr2;
    }
    long long f = ParsePositionNumber(o.m_strReFromPos);
    long long t = ParsePositionNumber(o.m_strReToPos);
    if (f > t) std::swap(f, t);
    return FirstN(w, f) + o.m_strReStr2 + LastN(w, len - t - 1);
}

std::string ChangeWorkingPart(const RenameOptions& o, const std::string& w) {
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

}  // namespace

SearchMatch FindSearchText(const std::string& haystack, const std::string& pattern,
                           bool caseSensitive) {
    std::string h = haystack;
    std::string p = pattern;
    if (!caseSensitive) {
        // Upper-casing keeps every position, so the match applies to the original text.
        MakeUpper(h);
        MakeUpper(p);
    }
    if (p.find('*') != std::string::npos) return FindWildcard(h, p);
    SearchMatch m;
    const std::size_t at = h.find(p);
    if (at == std::string::npos) return m;
    m.found = true;
    m.start = at;
    m.length = p.size();
    return m;
}

int ComposeAdvancedBareName(const RenameOptions& o, const std::string& oldName,
                            std::string& bareName) {
    bareName.clear();
    if (o.m_strInsAtPos.empty() && o.m_strReStr1.empty() && o.m_strReFromPos.empty() &&
        o.m_strReToPos.empty() && !o.m_bInsBefore && !o.m_bInsAfter)
        return kAdvancedNotFilledIn;

    const NameParts parts = SplitName(oldName);
    switch (o.m_nApplyTo) {
        case 1: {
            // A name without a dot has an empty extension and is kept whole in front of
            // the changed one; the dot goes between them only when there is something to
            // separate, so an unchanged name stays exactly as it was.
            const std::string changed = ChangeWorkingPart(o, parts.extension);
            if (parts.hasDot)
                bareName = parts.prefix + "." + changed;
            else
                bareName = changed.empty() ? oldName : oldName + "." + changed;
            break;
        }
        case 2:
            bareName = ChangeWorkingPart(o, oldName);
            break;
        default:
            // Prefix only, also for a value no radio button gives (a settings file can
            // hold any number): that is the option's start value.
            bareName = ChangeWorkingPart(o, parts.prefix) + (parts.hasDot ? "." + parts.extension
                                                                          : std::string());
            break;
    }
    return kAdvancedComposed;
}
