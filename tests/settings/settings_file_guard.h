// The settings file of a test program lies beside the test executable, as the
// program's lies beside its own. A guard takes whatever is there out of the
// way for one test and puts it back afterwards. The tests of one program run
// side by side in separate processes and share that file, so guards take
// turns: one at a time, system-wide.
#pragma once

#include "platform/executable_path.h"
#include "settings/settings_format.h"
#include "support/ui_test_kit.h"

#include <direct.h>

#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

class SettingsFileGuard {
public:
    SettingsFileGuard() {
        ::WaitForSingleObject(m_turn, INFINITE);
        char module[MAX_PATH] = "";
        ::GetModuleFileNameA(nullptr, module, MAX_PATH);
        m_path = PathBesideExecutable(module, ".ini");
        m_hadFile = FileExists(m_path);
        m_saved = ReadFile(m_path);
        Remove();
    }
    ~SettingsFileGuard() {
        Remove();
        if (m_hadFile) Write(m_saved);
        ::ReleaseMutex(m_turn);
        ::CloseHandle(m_turn);
    }

    const std::string& path() const { return m_path; }
    void Write(const std::string& contents) const { std::ofstream(m_path, std::ios::binary) << contents; }
    // Takes away the file, or a directory a test put in its place.
    void Remove() const { _rmdir(m_path.c_str()); std::remove(m_path.c_str()); }

private:
    HANDLE m_turn = ::CreateMutexA(nullptr, FALSE, "VorlixTestSettingsFile");
    std::string m_path, m_saved;
    bool m_hadFile = false;
};

// A settings file of the header, line 2 as given and the rows given; the other
// rows are empty lines, which leave their fields alone.
inline std::string SettingsText(const std::string& line2,
                                std::initializer_list<std::pair<SettingRow, std::string>> rows) {
    std::vector<std::string> lines(kSettingRowCount);
    for (const auto& row : rows) lines[row.first] = std::string(kSettingKeys[row.first].key) + "=" + row.second;
    std::string text = std::string(kSettingsHeader) + "\r\n" + line2 + "\r\n";
    for (const std::string& line : lines) text += line + "\r\n";
    return text;
}
