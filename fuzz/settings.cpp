// Any bytes as a settings file and as date and time text. Checks that reading
// never crashes, that parsed dates and times always lie in their ranges, and
// that whatever was read is written and read back unchanged.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "naming/rename_options.h"
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

void CheckSettings(const std::string& data) {
    Fields first;
    const SettingsReadResult r1 = ReadSettings(data, first.b);
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

extern "C" int LLVMFuzzerTestOneInput(const unsigned char* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    CheckSettings(text);
    CheckDateTime(text);
    return 0;
}
