#include "app/open_target.h"

#include "platform/move_rules.h"

namespace {

// "\\?\C:\dir" is "C:\dir" in the program's text, which reaches every name exactly anyway.
std::string PlainPath(const std::string& path) {
    if (path.rfind("\\\\?\\UNC\\", 0) == 0) return "\\\\" + path.substr(8);
    if (path.rfind("\\\\?\\", 0) == 0 && path.size() >= 6 && path[5] == ':') return path.substr(4);
    return path;
}

}  // namespace

OpenTarget OpenTargetOf(const std::vector<std::string>& given, FileServices& files) {
    OpenTarget target;
    for (const std::string& raw : given) {
        const std::string path = PlainPath(raw);
        if (path.empty()) continue;
        FileStatus status;
        const bool exists = files.GetStatus(path, status);
        if (target.directory.empty()) {
            if (!exists) {
                target.missing = path;
                return target;
            }
            if (status.attribute & kFileDirectory) {
                target.directory = path;
                return target;
            }
            target.directory = DirectoryOf(path);
        }
        if (exists && !(status.attribute & kFileDirectory) && DirectoryOf(path) == target.directory)
            target.files.push_back(path.substr(target.directory.size()));
    }
    return target;
}
