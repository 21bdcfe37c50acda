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

#include "naming/rename_options.h"
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

struct Fields {
    RenameOptions options;
    int numbers[kSettingRowCount] = {};
    std::string destination;
    SettingsBinding b;
    Fields() {
        BindRenameOptions(b, options);
        for (int row = 1; row < kSettingRowCount; ++row) {
            if (kSettingKeys[row].kind != SettingKind::Text && !b.number[row])
                b.Bind(SettingRow(row), &numbers[row]);
        }
        b.Bind(kRowDestination, &destination);
        Require(SettingsBindingProblem(b).empty(), "complete binding");
    }
};

// `ansi` stands in for the system's code page; without it the bytes of a file that
// is not UTF-8 stay as they are, and only the limits are checked.
void CheckSettings(const std::string& data, const CodePageToUtf8& ansi) {
    Fields first;
    const SettingsReadResult r1 = ReadSettings(data, first.b, ansi);
    Require(r1.startDir.find('\0') == std::string::npos, "start directory without NUL");
    Require(!ansi || IsValidUtf8(r1.startDir), "start directory in UTF-8");
    for (int row = 1; row < kSettingRowCount; ++row) {
        if (!first.b.text[row]) continue;
        const std::string& text = *first.b.text[row];
        Require(text.find('\0') == std::string::npos, "text without NUL");
        Require(!ansi || IsValidUtf8(text), "text in UTF-8");
        const int limit = kSettingKeys[row].maxChars;
        Require(limit == 0 || CountCodePoints(text) <= size_t(limit), "text within its limit");
    }
    if (!ansi) return;
    const std::string saved = FormatSettings(r1.window, r1.startDir, first.b);
    Fields second;
    const SettingsReadResult r2 = ReadSettings(saved, second.b);
    Require(r2.startDirRead && r2.startDir == r1.startDir, "start directory round trip");
    Require(r2.windowRead && r2.window.left == r1.window.left && r2.window.top == r1.window.top &&
                r2.window.right == r1.window.right && r2.window.bottom == r1.window.bottom,
            "window round trip");
    Require(r2.toolTipStored, "tooltip stored");
    for (int row = 1; row < kSettingRowCount; ++row) {
        if (first.b.text[row]) {
            Require(*first.b.text[row] == *second.b.text[row], "text round trip");
        } else {
            Require(*first.b.number[row] == *second.b.number[row], "number round trip");
            if (kSettingKeys[row].kind == SettingKind::Flag)
                Require(*first.b.number[row] == 0 || *first.b.number[row] == 1, "flag is 0 or 1");
        }
    }
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
