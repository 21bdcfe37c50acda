#include "platform/executable_path.h"

std::string PathBesideExecutable(const std::string& exePath, const std::string& extension) {
    const size_t slash = exePath.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = exePath.substr(nameStart);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    // Only A to Z, as the platform's own lower-casing of names does.
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return exePath.substr(0, nameStart) + name + extension;
}
