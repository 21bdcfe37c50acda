#include "app/open_target.h"

#include "platform/move_rules.h"

OpenTarget OpenTargetOf(const std::vector<std::string>& paths, FileServices& files) {
    OpenTarget target;
    for (const std::string& path : paths) {
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
