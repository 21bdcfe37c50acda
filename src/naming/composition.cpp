#include "naming/composition.h"

#include "naming/advanced_name.h"
#include "naming/basic_name.h"

bool IsFullPath(const std::string& path) {
    const auto letter = [](char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); };
    if (path.size() >= 3 && letter(path[0]) && path[1] == ':' && path[2] == '\\') return true;
    if (path.compare(0, 2, "\\\\") != 0) return false;
    const size_t serverEnd = path.find('\\', 2);
    if (serverEnd == std::string::npos || serverEnd == 2) return false;
    const size_t shareEnd = path.find('\\', serverEnd + 1);
    return (shareEnd == std::string::npos ? path.size() : shareEnd) > serverEnd + 1;
}

int FinishComposition(const CompositionTarget& t, const std::string& bareName, int& firstFlag,
                      std::string& newName, std::vector<std::string>& newNames,
                      std::string& caretName) {
    if (t.previewRun) {
        newNames.push_back(bareName);
        newName = bareName;
        return kComposedPreview;
    }
    const bool toDestination = t.useNewDir && !t.destination.empty();
    if (!toDestination && firstFlag == 0 && !t.noRefresh) {
        caretName = bareName;
        firstFlag = 1;
    }
    newName = (toDestination ? t.destination : t.curDir) + bareName;
    return kComposedPath;
}

int ComposeBasicName(const RenameOptions& o, const CompositionTarget& t,
                     const std::string& oldName, const std::string& counterText,
                     int& firstFlag, std::string& newName, std::vector<std::string>& newNames,
                     std::string& caretName) {
    newName.clear();
    return FinishComposition(t, ComposeBasicBareName(o, oldName, counterText), firstFlag,
                             newName, newNames, caretName);
}

int ComposeAdvancedName(const RenameOptions& o, const CompositionTarget& t,
                        const std::string& oldName, int& firstFlag, std::string& newName,
                        std::vector<std::string>& newNames, std::string& caretName) {
    newName.clear();
    std::string bareName;
    const int status = ComposeAdvancedBareName(o, oldName, bareName);
    if (status == kAdvancedNotFilledIn) return status;
    return FinishComposition(t, bareName, firstFlag, newName, newNames, caretName);
}
