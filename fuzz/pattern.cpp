// Any bytes become a regular expression, its replacement, the range and flags of the
// replace, and a name. Whatever they are, composing must end (the matching limits are
// on), give a well-formed UTF-8 name or a told refusal, and trip no sanitizer.
#include <cstddef>
#include <cstdint>
#include <string>

#include "naming/advanced_name.h"
#include "naming/name_pattern.h"
#include "naming/preview_line.h"
#include "naming/rename_options.h"
#include "naming/utf8.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < 3) return 0;
    const uint8_t flags = data[0];
    // The second byte separates the texts, so any byte can occur in them.
    const char sep = static_cast<char>(data[1]);
    std::string f[3];
    std::size_t field = 0;
    for (std::size_t i = 2; i < size && field < 3; ++i) {
        if (static_cast<char>(data[i]) == sep)
            ++field;
        else
            f[field].push_back(static_cast<char>(data[i]));
    }

    RenameOptions o;
    o.m_bReplace = 1;
    o.m_bRegex = 1;
    o.m_strReStr1 = f[0];
    o.m_strReStr2 = f[1];
    o.m_bCaseSensitive = flags & 1;
    o.m_bSearchBack = (flags >> 1) & 1;
    o.m_nApplyTo = (flags >> 2) % 3;
    if (flags & 0x20) o.m_strReFromPos = std::to_string(flags & 7);
    if (flags & 0x40) o.m_strReToPos = std::to_string((flags >> 3) & 7);

    const NamePattern pattern(o.m_strReStr1, o.m_bCaseSensitive != 0);
    std::string name;
    PatternError error;
    const int result = ComposeAdvancedBareName(o, f[2], name, &pattern, &error);
    if (result == kAdvancedComposed && !IsValidUtf8(name)) __builtin_trap();
    if (result == kAdvancedPatternInvalid && error.message.empty()) __builtin_trap();
    if (result != kAdvancedComposed && result != kAdvancedPatternInvalid && result != kAdvancedPatternTooLong &&
        result != kAdvancedNotFilledIn)
        __builtin_trap();
    // The preview line compiles the pattern on its own and must agree.
    const bool invalid = RealTimePreviewText(o) == kPreviewInvalidPattern;
    if (!o.m_strReStr1.empty() && invalid != pattern.CompileError().has_value()) __builtin_trap();
    return 0;
}
