#include "tools/delete_files.h"

using Kind = DeletePrompt::Kind;

std::size_t DeleteFiles(const std::string& dir, const std::vector<DeleteEntry>& entries, bool warn,
                        FileServices& files, const AskUser& ask) {
    for (const DeleteEntry& entry : entries) {
        if (entry.strayName) {
            ask({Kind::kCannot, StrayNameText(entry.name)});
            return 0;
        }
    }
    if (entries.empty() || (warn && !ask({Kind::kSure, "Delete " + std::to_string(entries.size()) + " files?"})))
        return 0;
    std::size_t deleted = 0;
    for (const DeleteEntry& entry : entries) {
        const std::string path = dir + entry.name;
        FileServices::RecycleResult result = files.RecycleFile(path);
        if (result == FileServices::RecycleResult::NoBin) {
            if (!ask({Kind::kForGood, path + " cannot go to the Recycle Bin.\n\nDelete it for good?"})) break;
            result = files.DeleteFile(path) ? FileServices::RecycleResult::Recycled
                                            : FileServices::RecycleResult::Failed;
        }
        if (result == FileServices::RecycleResult::Failed) {
            ask({Kind::kCannot, "Cannot delete file: " + path});
            break;
        }
        ++deleted;
    }
    return deleted;
}
