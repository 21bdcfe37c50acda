// Everything a run could change in a directory tree, read straight from the file
// system: each file's path (relative, as spelled on disk), contents, attributes and
// last-write time.
#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>
#include <tuple>

#include "support/ui_test_kit.h"

struct FileState {
    std::string contents;
    DWORD attributes = 0;
    uint64_t writeTime = 0;
    bool operator==(const FileState& o) const {
        return std::tie(contents, attributes, writeTime) == std::tie(o.contents, o.attributes, o.writeTime);
    }
};

using DirSnapshot = std::map<std::string, FileState>;

inline void AddToSnapshot(const std::string& root, const std::string& rel, DirSnapshot& out) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((root + rel + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return;
    do {
        std::string name = data.cFileName;
        if (name == "." || name == "..") continue;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            AddToSnapshot(root, rel + name + "\\", out);
            continue;
        }
        FileState& state = out[rel + name];
        state.contents = ReadFile(root + rel + name);
        state.attributes = data.dwFileAttributes;
        state.writeTime = (static_cast<uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                          data.ftLastWriteTime.dwLowDateTime;
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
}

// `root` ends in a backslash.
inline DirSnapshot Snapshot(const std::string& root) {
    DirSnapshot out;
    AddToSnapshot(root, "", out);
    return out;
}

// The names of the files directly in `dir`, as spelled on disk.
inline std::map<std::string, std::string> FilesIn(const std::string& dir) {
    std::map<std::string, std::string> out;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((dir + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) out[data.cFileName] = ReadFile(dir + data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return out;
}
