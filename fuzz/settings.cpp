// Any bytes as a settings file and as date and time text. Checks that reading
// never crashes, that every text read stops short of a NUL and within its
// field's limit in characters, that a file read as UTF-8 or through a code page
// gives well-formed UTF-8, that parsed dates and times always lie in their
// ranges, and that whatever was read is written and read back unchanged.
//
// Settings files are hand-edited: inputs up to a megabyte (one line or many)
// are tried from the start, under a memory limit, unless the command line
// asks otherwise.
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "naming/utf8.h"
#include "settings/date_time_text.h"
#include "settings/settings_format.h"

namespace {

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

// The file's lines without their line ends; values never hold a "\n".
std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    for (size_t pos = 0; pos < file.size();) {
        const size_t end = file.find('\n', pos);
        lines.push_back(file.substr(pos, end - 1 - pos));
        pos = end + 1;
    }
    return lines;
}

// `ansi` stands in for the system's code page; without it the bytes of a file that
// is not UTF-8 stay as they are, and only the limits are checked.
void CheckSettings(const std::string& data, const CodePageToUtf8& ansi) {
    const SettingsFile first = ReadSettings(data, SettingsFile(), ansi);
    const std::string saved = FormatSettings(first);
    const std::vector<std::string> lines = Lines(saved);
    Require(lines.size() == 2 + size_t(kSettingRowCount), "45 lines");
    for (int row = 0; row < kSettingRowCount; ++row) {
        const SettingKey& key = kSettingKeys[row];
        const std::string value = lines[2 + size_t(row)].substr(std::string(key.key).size() + 1);
        Require(value.find('\0') == std::string::npos, "value without NUL");
        Require(!ansi || IsValidUtf8(value), "value in UTF-8");
        Require(key.maxChars == 0 || CountCodePoints(value) <= size_t(key.maxChars), "text within its limit");
        Require(key.kind != SettingKind::Flag || value == "0" || value == "1", "flag is 0 or 1");
    }
    if (!ansi) return;
    const SettingsFile second = ReadSettings(saved, SettingsFile(), ansi);
    Require(second.windowRead && second.toolTipStored, "window and tooltip read back");
    Require(FormatSettings(second) == saved, "round trip");
}

// A settings file made of the input's lines: the first two as the header and
// the window line, each later one as the value of its row's key, repeated to
// some hundreds of characters. So every row is read, and every text outgrows
// its field's limit, whatever the mutations produced.
std::string KeyedLongLines(const std::string& data) {
    std::vector<std::string> lines;
    for (size_t pos = 0; pos <= data.size() && lines.size() < 2 + kSettingRowCount;) {
        size_t end = data.find('\n', pos);
        end = end == std::string::npos ? data.size() : end;
        lines.push_back(data.substr(pos, end - pos));
        pos = end + 1;
    }
    lines.resize(2 + kSettingRowCount);
    std::string out = lines[0] + "\nWINDOWPOS=" + lines[1] + "\n";
    for (int row = 0; row < kSettingRowCount; ++row) {
        const std::string& value = lines[2 + row];
        out += kSettingKeys[row].key;
        out += '=';
        for (size_t length = 0; length < 600; length += value.size() + 1) out += value;
        out += '\n';
    }
    return out;
}

void CheckDateTime(const std::string& text) {
    int month, day, year;
    ParseDate(text, month, day, year);
    Require(year >= 1980 && month >= 1 && month <= 12 && day >= 1 && day <= 31, "date range");
    int m2, d2, y2;
    ParseDate(FormatDate(month, day, year), m2, d2, y2);
    Require(m2 == month && d2 == day && y2 == year, "date round trip");

    int hour, minute, second;
    ParseTime(text, hour, minute, second);
    Require(hour >= 0 && hour <= 23 && minute >= 0 && minute <= 59 && second >= 0 && second <= 59,
            "time range");
    int h2, mi2, s2;
    ParseTime(FormatTime(hour, minute, second), h2, mi2, s2);
    Require(h2 == hour && mi2 == minute && s2 == second, "time round trip");
}

}  // namespace

// Runs before libFuzzer reads its flags: these defaults go first, so that any
// given on the command line still win.
extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    static const char* const kDefaults[] = {"-max_len=1048576", "-len_control=0", "-rss_limit_mb=1024",
                                            "-malloc_limit_mb=64"};
    static std::vector<char*> args;
    args.assign(*argv, *argv + 1);
    for (const char* flag : kDefaults) args.push_back(const_cast<char*>(flag));
    args.insert(args.end(), *argv + 1, *argv + *argc);
    args.push_back(nullptr);
    *argc = static_cast<int>(args.size()) - 1;
    *argv = args.data();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckSettings(text, Latin1ToUtf8);
    CheckSettings(text, CodePageToUtf8());
    CheckSettings(KeyedLongLines(text), Latin1ToUtf8);
    CheckDateTime(text);
    return 0;
}
