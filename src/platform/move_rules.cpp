#include "platform/move_rules.h"

namespace {
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }
}  // namespace

bool EqualIgnoringCase(const std::string& a, const std::string& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    }
    return true;
}

std::string DirectoryOf(const std::string& path) {
    size_t cut = path.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : path.substr(0, cut + 1);
}

std::string StoredTargetPath(const std::string& path) {
    size_t nameStart = path.find_last_of("\\/");
    nameStart = nameStart == std::string::npos ? 0 : nameStart + 1;
    size_t end = path.size();
    while (end > nameStart && (path[end - 1] == '.' || path[end - 1] == ' ')) --end;
    if (end == nameStart) return path;
    return path.substr(0, end);
}

bool IsCaseOnlyRename(const std::string& from, const std::string& to, const SameIgnoringCase& same) {
    const std::string stored = StoredTargetPath(to);
    if (stored.empty() || IsSeparator(stored.back())) return false;
    return stored != from && same(stored, from);
}

TemporaryRename RenameThroughTemporary(const std::string& from, const std::string& to,
                                       const std::string& temp, const MoveStep& move) {
    if (!move(from, temp)) return TemporaryRename::kNotMoved;
    if (move(temp, to)) return TemporaryRename::kDone;
    return move(temp, from) ? TemporaryRename::kNotMoved : TemporaryRename::kLeftAtTemporary;
}

Failure MoveFailure(const std::string& from, const std::string& to, const std::string& leftAs) {
    Failure failure{"Error Moving/Renaming File:\nFrom-  " + from + "\nTo-  " + to, leftAs};
    if (!leftAs.empty()) failure.message += "\n\nThe file was left as-  " + leftAs;
    return failure;
}
