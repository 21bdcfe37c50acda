#include "naming/basic_name.h"

#include "naming/case_map.h"
#include "naming/rename_options.h"
#include "naming/split_name.h"
#include "naming/utf8.h"

namespace {

// A position value the radio groups cannot produce (only a settings file can) puts
// nothing in place of the half.
std::string PlaceNewText(int position, const std::string& newText, const std::string& oldText) {
    switch (position) {
        case 0: return newText;
        case 1: return newText + oldText;
        case 2: return oldText + newText;
        default: return std::string();
    }
}

}  // namespace

std::string ComposeBasicBareName(const RenameOptions& o, const std::string& oldName,
                                 const std::string& counterText) {
    const NameParts old = SplitName(oldName);

    std::string prefix = old.prefix;
    if (o.m_bChangePrefix) {
        const std::string counter = o.m_bCountPrefix ? counterText : std::string();
        prefix = PlaceNewText(o.m_nPrefixPos, o.m_strNewPrefix + counter, old.prefix);
        ApplyCase(prefix, o.m_bPrefixUpper, o.m_bPrefixLower);
    }

    std::string ext = "." + old.extension;
    if (o.m_bChangeExt) {
        // ".bak" and "bak" mean the same; only the one dot the name supplies is dropped.
        std::string newExt = o.m_strNewExt;
        if (!newExt.empty() && newExt[0] == '.') newExt.erase(0, 1);
        const std::string counter = o.m_bCountExt ? counterText : std::string();
        ext = "." + PlaceNewText(o.m_nExtPos, newExt + counter, old.extension);
        ApplyCase(ext, o.m_bExtUpper, o.m_bExtLower);
    }
    // The parts of a damaged old name that no rule touched come out well-formed too.
    return ToValidUtf8(prefix + ext);
}
