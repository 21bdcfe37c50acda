#include "platform/move_rules.h"

namespace {
char FoldAscii(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// A name the platform takes for a device whatever its extension: CON, PRN, AUX, NUL,
// CONIN$, CONOUT$, COM and LPT with a digit (superscript 1 to 3 included), blanks
// before the extension ignored ("CON .txt" is CON too).
bool IsDeviceName(const std::string& name) {
    std::string base = name.substr(0, name.find('.'));
    while (!base.empty() && base.back() == ' ') base.pop_back();
    for (char& c : base) c = FoldAscii(c);
    if (base == "con" || base == "prn" || base == "aux" || base == "nul" || base == "conin$" || base == "conout$")
        return true;
    const std::string port = base.substr(0, 3);
    if (port != "com" && port != "lpt") return false;
    const std::string digit = base.substr(3);
    return (digit.size() == 1 && digit[0] >= '0' && digit[0] <= '9') || digit == "\xC2\xB9" ||
           digit == "\xC2\xB2" || digit == "\xC2\xB3";
}
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

bool ShellNamesExactly(const std::string& path) {
    if (path.size() < 4 || !((path[0] >= 'A' && path[0] <= 'Z') || (path[0] >= 'a' && path[0] <= 'z')) ||
        path[1] != ':' || path[2] != '\\') {
        return false;
    }
    size_t units = 0;  // UTF-16 units: one per character, two beyond the first plane
    for (unsigned char c : path) {
        if ((c & 0xC0) != 0x80) units += c >= 0xF0 ? 2 : 1;
        if (c < 0x20 || std::string("/:*?\"<>|").find(static_cast<char>(c)) != std::string::npos) {
            if (!(c == ':' && units == 2)) return false;
        }
    }
    if (units > kShellPathLimit) return false;
    for (size_t start = 3; start <= path.size();) {
        size_t end = path.find('\\', start);
        if (end == std::string::npos) end = path.size();
        const std::string part = path.substr(start, end - start);
        if (part.empty() || part.back() == '.' || part.back() == ' ' || IsDeviceName(part)) return false;
        start = end + 1;
    }
    return true;
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
