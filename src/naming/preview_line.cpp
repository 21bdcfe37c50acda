#include "naming/preview_line.h"

#include "naming/advanced_name.h"
#include "naming/case_map.h"
#include "naming/name_pattern.h"
#include "naming/rename_options.h"
#include "naming/utf8.h"

const char* const kPreviewNoChanges = "(NO CHANGES)";
const char* const kPreviewAdvancedMode = "(No Real Time Preview for Advance mode)";
const char* const kPreviewInvalidPattern = "(INVALID PATTERN)";

namespace {

const char* const kOldPrefix = "{Old Prefix}";
const char* const kOldExtension = "{Old Extension}";

// The counter as typed; with no starting value, what the count begins with, except
// that an alphabetical count shows "A" in the prefix where the run writes "a".
std::string CounterDisplay(const RenameOptions& o, bool forPrefix) {
    if (!o.m_strStartCount.empty()) return o.m_strStartCount;
    if (o.m_bAlphaCount) return forPrefix ? "A" : "a";
    return "1";
}

}  // namespace

std::string RealTimePreviewText(const RenameOptions& o) {
    if (o.m_bInsert || o.m_bReplace) {
        // Compiled anew on every change of the options: the line tells at once when the
        // pattern typed so far cannot work.
        if (UsesNamePattern(o) && NamePattern(o.m_strReStr1, o.m_bCaseSensitive != 0).CompileError())
            return kPreviewInvalidPattern;
        return kPreviewAdvancedMode;
    }
    if (!o.m_bChangePrefix && !o.m_bChangeExt) return kPreviewNoChanges;

    std::string prefix = kOldPrefix;
    if (o.m_bChangePrefix) {
        const std::string d = o.m_bCountPrefix ? CounterDisplay(o, true) : std::string();
        const std::string& p = o.m_strNewPrefix;
        switch (o.m_nPrefixPos) {
            case 0: prefix = p + d; break;
            case 1: prefix = p + d + kOldPrefix; break;
            case 2: prefix = kOldPrefix + p + d; break;
            default: break;
        }
        ApplyCase(prefix, o.m_bPrefixUpper, o.m_bPrefixLower);
    }

    std::string ext = kOldExtension;
    if (o.m_bChangeExt) {
        const std::string d = o.m_bCountExt ? CounterDisplay(o, false) : std::string();
        std::string e = o.m_strNewExt;
        if (!e.empty() && e[0] == '.') e.erase(0, 1);
        switch (o.m_nExtPos) {
            case 0: ext = e + d; break;
            case 1: ext = e + d + kOldExtension; break;
            // Shown as typed, leading dot included, so "After" reads ".{Old Extension}.bak".
            case 2: ext = kOldExtension + o.m_strNewExt + d; break;
            default: break;
        }
        ApplyCase(ext, o.m_bExtUpper, o.m_bExtLower);
    }
    return ToValidUtf8(prefix + "." + ext);  // texts from a damaged settings file
}
