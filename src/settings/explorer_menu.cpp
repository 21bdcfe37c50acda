#include "settings/explorer_menu.h"

#include <algorithm>

namespace {

const char kVerbName[] = "Rename with Vorlix";
const char kRuleSetClass[] = "Vorlix.RuleSet";

}  // namespace

const std::vector<std::string>& ExplorerMenuKeys() {
    static const std::vector<std::string> keys = {
        "Directory\\shell\\Vorlix", "Directory\\Background\\shell\\Vorlix", "*\\shell\\Vorlix", ".vorlixrules",
        kRuleSetClass};
    return keys;
}

std::vector<ClassesValue> ExplorerMenuValues(const std::string& exePath) {
    const std::string exe = "\"" + exePath + "\"";
    const std::vector<std::string>& k = ExplorerMenuKeys();
    return {
        {k[0], "", kVerbName},
        {k[0], "Icon", exe},
        {k[0] + "\\command", "", exe + " \"%1\""},
        {k[1], "", kVerbName},
        {k[1], "Icon", exe},
        {k[1] + "\\command", "", exe + " \"%V\""},
        {k[2], "", kVerbName},
        {k[2], "Icon", exe},
        {k[2], "MultiSelectModel", "Player"},
        {k[2] + "\\command", "", exe + " /select \"%1\""},
        {k[3], "", kRuleSetClass},
        {k[4], "", "Vorlix rule set"},
        {k[4] + "\\DefaultIcon", "", exe + ",0"},
        {k[4] + "\\shell\\open\\command", "", exe + " /rules \"%1\""},
    };
}

bool IsExplorerMenuOn(ClassesRegistry& registry, const std::string& exePath) {
    const std::vector<ClassesValue> values = ExplorerMenuValues(exePath);
    return std::all_of(values.begin(), values.end(), [&](const ClassesValue& v) { return registry.HasValue(v); });
}

std::string SetExplorerMenu(ClassesRegistry& registry, bool on, const std::string& exePath) {
    std::string error;
    if (on) {
        for (const ClassesValue& value : ExplorerMenuValues(exePath))
            if (!(error = registry.SetValue(value)).empty()) return error;
    } else {
        for (const std::string& key : ExplorerMenuKeys())
            if (!(error = registry.DeleteKey(key)).empty()) return error;
    }
    return error;
}
