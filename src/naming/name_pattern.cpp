#include "naming/name_pattern.h"

#include <pcre2.h>

#include "naming/utf8.h"

namespace {

// Enough for any sensible pattern on a name of 255 characters (those take a few
// thousand steps), and reached within a few milliseconds by one that backtracks
// without end, such as (a+)+b on a long run of a's.
constexpr uint32_t kMatchLimit = 200000;
constexpr uint32_t kDepthLimit = 5000;
constexpr uint32_t kHeapLimitKib = 16 * 1024;

std::string MessageOf(int code) {
    PCRE2_UCHAR buffer[256];
    const int length = pcre2_get_error_message(code, buffer, sizeof buffer);
    return length < 0 ? "error " + std::to_string(code) : std::string(reinterpret_cast<char*>(buffer), length);
}

// A byte offset into UTF-8 text as a character position.
std::size_t CharacterAt(std::string_view text, std::size_t byteOffset) {
    return CountCodePoints(text.substr(0, std::min(byteOffset, text.size())));
}

bool IsLimit(int rc) {
    return rc == PCRE2_ERROR_MATCHLIMIT || rc == PCRE2_ERROR_DEPTHLIMIT || rc == PCRE2_ERROR_HEAPLIMIT;
}

// The last-only replacement runs the global substitution twice: first every match is
// refused and counted, then only the last one is taken. So both runs step through the
// matches as PCRE2 does, empty matches included.
struct LastOnly {
    enum { Off, Counting, Taking } step = Off;
    uint32_t count = 0;
};

int OnSubstitution(pcre2_substitute_callout_block* block, void* data) {
    auto* last = static_cast<LastOnly*>(data);
    switch (last->step) {
        case LastOnly::Off: return 0;
        case LastOnly::Counting: last->count = block->subscount; return 1;
        case LastOnly::Taking: return block->subscount == last->count ? 0 : 1;
    }
    return 0;
}

}  // namespace

struct NamePattern::Engine {
    pcre2_code* code = nullptr;
    pcre2_match_context* context = nullptr;
    pcre2_match_data* data = nullptr;
    LastOnly last;
    std::string buffer;
    // The last replacement as given and as PCRE2 takes it (well-formed, "$&" turned).
    std::string replacement;
    std::string pcreReplacement;
    bool replacementSet = false;

    ~Engine() {
        pcre2_match_data_free(data);
        pcre2_match_context_free(context);
        pcre2_code_free(code);
    }
};

NamePattern::NamePattern(const std::string& pattern, bool caseSensitive) {
    int code = 0;
    PCRE2_SIZE offset = 0;
    const uint32_t options = PCRE2_UTF | PCRE2_UCP | (caseSensitive ? 0u : PCRE2_CASELESS);
    pcre2_code* compiled = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(pattern.data()), pattern.size(), options,
                                         &code, &offset, nullptr);
    if (!compiled) {
        compileError_ = PatternError{MessageOf(code), CharacterAt(pattern, offset)};
        return;
    }
    engine_ = std::make_unique<Engine>();
    engine_->code = compiled;
    engine_->context = pcre2_match_context_create(nullptr);
    pcre2_set_match_limit(engine_->context, kMatchLimit);
    pcre2_set_depth_limit(engine_->context, kDepthLimit);
    pcre2_set_heap_limit(engine_->context, kHeapLimitKib);
    pcre2_set_substitute_callout(engine_->context, OnSubstitution, &engine_->last);
    engine_->data = pcre2_match_data_create_from_pattern(compiled, nullptr);
}

NamePattern::~NamePattern() = default;

NamePattern::Outcome NamePattern::Replace(std::string_view text, const std::string& replacement, bool lastOnly,
                                          std::string& out, PatternError* error) const {
    if (!engine_) {
        out.assign(text);
        return Outcome::Replaced;
    }
    Engine& e = *engine_;
    // Converted once for the many names a run composes.
    if (!e.replacementSet || e.replacement != replacement) {
        e.replacement = replacement;
        e.pcreReplacement = ToPcre2Replacement(ToValidUtf8(replacement));
        e.replacementSet = true;
    }
    const std::string& pcreReplacement = e.pcreReplacement;
    // Both texts are well-formed: PCRE2 need not check them again.
    const uint32_t options = PCRE2_SUBSTITUTE_GLOBAL | PCRE2_SUBSTITUTE_EXTENDED | PCRE2_SUBSTITUTE_UNKNOWN_UNSET |
                             PCRE2_SUBSTITUTE_UNSET_EMPTY | PCRE2_SUBSTITUTE_OVERFLOW_LENGTH | PCRE2_NO_UTF_CHECK;
    const PCRE2_SPTR subject = reinterpret_cast<PCRE2_SPTR>(text.empty() ? "" : text.data());
    auto substitute = [&]() {
        for (;;) {
            PCRE2_SIZE length = e.buffer.size();
            const int rc = pcre2_substitute(
                e.code, subject, text.size(), 0, options, e.data, e.context,
                reinterpret_cast<PCRE2_SPTR>(pcreReplacement.data()), pcreReplacement.size(),
                reinterpret_cast<PCRE2_UCHAR*>(e.buffer.data()), &length);
            if (rc == PCRE2_ERROR_NOMEMORY) {
                e.buffer.resize(length + 1);  // with room for the terminating zero
                continue;
            }
            if (rc >= 0) out.assign(e.buffer, 0, length);
            if (rc < 0 && !IsLimit(rc) && error)
                *error = PatternError{MessageOf(rc), length == PCRE2_UNSET ? 0 : CharacterAt(pcreReplacement, length)};
            return rc;
        }
    };
    if (e.buffer.size() < 2 * text.size() + pcreReplacement.size() + 64)
        e.buffer.resize(2 * text.size() + pcreReplacement.size() + 64);
    e.last = LastOnly{lastOnly ? LastOnly::Counting : LastOnly::Off, 0};
    int rc = substitute();  // counting, `out` is the text unchanged
    if (rc >= 0 && lastOnly && e.last.count > 0) {
        e.last.step = LastOnly::Taking;
        rc = substitute();
    }
    if (rc >= 0) return Outcome::Replaced;
    return IsLimit(rc) ? Outcome::TooLong : Outcome::BadReplacement;
}

std::string ToPcre2Replacement(const std::string& replacement) {
    std::string out;
    out.reserve(replacement.size() + 4);
    for (std::size_t i = 0; i < replacement.size(); ++i) {
        const char c = replacement[i];
        const char next = i + 1 < replacement.size() ? replacement[i + 1] : '\0';
        if (c == '\\' && next == 'Q') {
            // Quoted up to \E (or to the end): no "$&" inside is ours to change.
            const std::size_t end = replacement.find("\\E", i + 2);
            const std::size_t stop = end == std::string::npos ? replacement.size() : end + 2;
            out.append(replacement, i, stop - i);
            i = stop - 1;
        } else if ((c == '\\' || c == '$') && next != '\0' && !(c == '$' && next == '&')) {
            out += c;  // an escape, or "$$": the character after it is taken as it is
            out += next;
            ++i;
        } else if (c == '$' && next == '&') {
            out += "${0}";
            ++i;
        } else {
            out += c;
        }
    }
    return out;
}
