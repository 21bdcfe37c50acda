// The settings file of a test program lies beside the test executable, as the
// program's lies beside its own. A guard takes whatever is there out of the
// way for one test and puts it back afterwards, so tests start from a known
// state and leave nothing behind.
#pragma once

#include "settings/settings_format.h"
#include "winui/afx.h"

#include <direct.h>

#include <cstdio>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>

// Worked out here from the module's own name, independently of the program's
// code, so a test notices if the program looks elsewhere.
inline std::string SettingsFileOfThisProgram() {
    char module[MAX_PATH] = "";
    ::GetModuleFileNameA(nullptr, module, MAX_PATH);
    std::string path = module;
    size_t slash = path.find_last_of("\\/");
    std::string dir = path.substr(0, slash + 1);
    std::string name = path.substr(slash + 1);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.resize(dot);
    for (char& c : name)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return dir + name + ".ini";
}

inline bool ReadWholeFile(const std::string& path, std::string& contents) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    std::ostringstream all;
    all << in.rdbuf();
    contents = all.str();
    return true;
}

inline bool IsDirectory(const std::string& path) {
    DWORD attributes = ::GetFileAttributesA(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SettingsFileGuard {
public:
    SettingsFileGuard() : m_path(SettingsFileOfThisProgram()) {
        m_hadFile = !IsDirectory(m_path) && ReadWholeFile(m_path, m_saved);
        Remove();
    }
    ~SettingsFileGuard() {
        Remove();
        if (m_hadFile) Write(m_saved);
    }
    SettingsFileGuard(const SettingsFileGuard&) = delete;
    SettingsFileGuard& operator=(const SettingsFileGuard&) = delete;

    const std::string& path() const { return m_path; }
    void Write(const std::string& contents) const {
        std::ofstream out(m_path, std::ios::binary | std::ios::trunc);
        out << contents;
    }
    bool Exists() const { return ::GetFileAttributesA(m_path.c_str()) != INVALID_FILE_ATTRIBUTES; }
    std::string Read() const {
        std::string contents;
        ReadWholeFile(m_path, contents);
        return contents;
    }
    // Takes away the file, or a directory a test put in its place.
    void Remove() const {
        if (IsDirectory(m_path)) {
            _rmdir(m_path.c_str());
        } else {
            std::remove(m_path.c_str());
        }
    }

private:
    std::string m_path;
    std::string m_saved;
    bool m_hadFile = false;
};

// A settings file of the header, line 2 as given, and the rows up to the last
// one given; rows not given get an empty line, which carries no key and so
// leaves that field at its start value.
inline std::string SettingsText(const std::string& line2,
                                std::initializer_list<std::pair<SettingRow, std::string>> rows) {
    int last = -1;
    for (const auto& row : rows) last = row.first > last ? row.first : last;
    std::string text = std::string(kSettingsHeader) + "\r\n" + line2 + "\r\n";
    for (int n = 0; n <= last; ++n) {
        for (const auto& row : rows)
            if (row.first == n) text += std::string(kSettingKeys[n].key) + "=" + row.second;
        text += "\r\n";
    }
    return text;
}
