#include <climits>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "naming/rename_options.h"
#include "naming/utf8.h"
#include "settings/date_time_text.h"
#include "settings/settings_format.h"

namespace {

// A file's lines without their line ends.
std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    for (size_t pos = 0, end; pos < file.size(); pos = end + 2)
        lines.push_back(file.substr(pos, (end = file.find("\r\n", pos)) - pos));
    return lines;
}
std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string out;
    for (const std::string& l : lines) out += l + eol;
    return out;
}
// What `file` holds for a row, as it would be written.
std::string Value(const SettingsFile& file, int row) {
    return Lines(FormatSettings(file))[size_t(row) + 2].substr(std::string(kSettingKeys[row].key).size() + 1);
}

const char kDir[] = " C:\\Мои документы\\ ";

// A saved file with every row changed from its start value; texts keep outer blanks.
const std::vector<std::string> kSaved = {
    "[Startup Settings for Vorlix v3.11]", "WINDOWPOS=-8,20,1600,1200", std::string("DEFDIR=") + kDir,
    "SRCHSTR= *.é日 ", "WARNREN=0", "FILEFILTER=-3000", "FILESORT=-4000", "CHGPREFIX=1", "NEWPREFIX= v6 = é日😀 ",
    "PREFIXPOS=-7000", "PREFIXUP=1", "PREFIXLOW=1", "PREFIXCNT=1", "CHGEXTENSION=1", "NEWEXT= v12 ", "EXTPOS=-13000",
    "EXTUP=1", "EXTLOW=1", "EXTCNT=1", "STARTCNT= v17 ", "INCCNT= v18 ", "ALPHACNT=1", "APPLYTO=-20000",
    "SEARCHBACK=1", "CASESENSITVIE=1", "INSERT=1", "INSSTR1= v24 ", "INSSTR2= v25 ", "INSATPOS= 26 ", "INSAFTER=1",
    "INSBEFORE=1", "REPLACE=1", "RESTR1= v30 ", "RESTR2= v31 ", "REFROMPOS= 32 ", "RETOPOS= 33 ", "AUTOSEL=1",
    "NOREFLESH=1", "WARNDEL=0", "TOOLTIP=0", "SETATTRIB=1", "TIMEDATE=1", "ABORTERROR=0", "USENEWDIR=1",
    "DESTINATION= v43 = é日😀 ", "REGEX=1",
};

std::string Window(const SettingsFile& r) {
    const auto& w = r.window;
    return r.windowRead ? std::to_string(w.left) + "," + std::to_string(w.top) + "," + std::to_string(w.right) + "," +
                              std::to_string(w.bottom) : "-";
}

// A saved file, changed as each case says, read into start values: the rows
// in [0, upTo) must come back as saved, all others keep their start values.
// Then one line of it replaced (row -1: the window line, read as "l,t,r,b" or
// "-"); a line without its key leaves the field at its start value.
TEST(SettingsFormat, ReadsSavedFiles) {
    using L = std::vector<std::string>;
    const struct { const char* name; std::function<std::string(L)> edit; bool window; int upTo; } files[] = {
        {"as saved", [](L l) { return Join(l); }, true, 44},
        {"with a byte-order mark", [](L l) { return "\xEF\xBB\xBF" + Join(l); }, true, 44},
        {"LF line ends", [](L l) { return Join(l, "\n"); }, true, 44},
        {"no final line end", [](L l) { std::string s = Join(l); return s.substr(0, s.size() - 2); }, true, 44},
        {"45 lines, without REGEX", [](L l) { l.pop_back(); return Join(l); }, true, 43},
        {"FILEFILTER line missing", [](L l) { l.erase(l.begin() + 5); return Join(l); }, true, 3},
        {"extra line in the middle", [](L l) { l.insert(l.begin() + 10, "x"); return Join(l); }, true, 8},
        {"cut after line 10", [](L l) { l.resize(10); return Join(l); }, true, 8},
        {"empty", [](L) { return std::string(); }, false, 0},
    };
    const SettingsFile start, saved = ReadSettings(Join(kSaved), start);
    // Written back as read: UTF-8 without a byte-order mark, every key and value in its line.
    const std::vector<std::string>& lines = kSaved;
    EXPECT_EQ(FormatSettings(saved), Join(kSaved));
    for (int row = 0; row < kSettingRowCount; ++row) ASSERT_NE(Value(saved, row), Value(start, row)) << row;
    for (const auto& c : files) {
        const SettingsFile r = ReadSettings(c.edit(lines), start);
        EXPECT_EQ(Window(r), c.window ? "-8,20,1600,1200" : "-") << c.name;
        EXPECT_EQ(r.toolTipStored, kRowToolTip < c.upTo) << c.name;
        for (int row = 0; row < kSettingRowCount; ++row)
            EXPECT_EQ(Value(r, row), Value(row < c.upTo ? saved : start, row)) << c.name << " " << kSettingKeys[row].key;
    }
    using namespace std::string_literals;
    const std::string n256(256, 'n');
    const struct { int row; std::string text, value; } values[] = {
        {-1, "WINDOWPOS= 10, 20, 630, 470", "10,20,630,470"}, {-1, "WINDOWPOS=-5,-6,+7,8junk", "-5,-6,7,8"},
        {-1, "WINDOWPOS=99999999999,0,0,0", "2147483647,0,0,0"}, {-1, "WINDOWPOS=10,20,30", "-"},
        {-1, "WINDOWPOS=10 ,20,630,470", "-"}, {-1, "windowpos=1,2,3,4", "-"}, {kRowWarnRen, "WARNREN=2", "1"},
        {kRowWarnRen, "WARNREN=-1", "0"}, {kRowWarnRen, "WARNREN= \t+3", "1"}, {kRowFileSort, "FILESORT=7abc", "7"},
        {kRowFileSort, "FILESORT=99999999999", "2147483647"}, {kRowFileSort, "FILESORT=-99999999999", "-2147483648"},
        {kRowFileSort, "FILEFILTER=3", "0"}, {kRowFileSort, "filesort=3", "0"}, {kRowReStr2, "RESTR2=a=b", "a=b"},
        {kRowNewPrefix, "NEWPREFIX=  a b  ", "  a b  "}, {kRowCaseSensitive, "CASESENSITIVE=1", "0"},
        // Found later in the line, but cut by the key's length from the start.
        {kRowDestination, "xDESTINATION=D:\\", "=D:\\"}, {kRowNoRefresh, "NOREFLESH=1", "1"},
        {kRowDestination, "ЖDESTINATION=D:\\", "=D:\\"}, {-1, "ééééééééé 1,2,3,4 WINDOWPOS=", "1,2,3,4"},
        // A text ends at a NUL, so a path is not cut short later on.
        {kRowDestination, "DESTINATION=C:\\sub\0\\one.txt"s, "C:\\sub"}, {kRowDefDir, "DEFDIR=C:\\\0x\\"s, "C:\\"},
        {kRowNewExt, "NEWEXT=\0abc"s, ""}, {kRowFileSort, "FILESORT=1\0002"s, "1"},
        // Numbers are read whole (texts are cut to their limits: below).
        {kRowIncCnt, "INCCNT=2\0"s + n256, "2"}, {kRowFileFilter, "FILEFILTER=" + std::string(300, '0') + "3", "3"},
        {kRowFileSort, "FILESORT=12", "12"},
    };
    for (const auto& c : values) {
        std::vector<std::string> edited = lines;
        edited[c.row + 2] = c.text;
        const SettingsFile r = ReadSettings(Join(edited), SettingsFile());
        EXPECT_EQ(c.row < 0 ? Window(r) : Value(r, c.row), c.value) << c.text;
        EXPECT_TRUE(c.row == kRowDefDir || r.startDir == kDir) << c.text;
    }
    // Texts are cut to what their edit boxes hold, counting characters (0: no limit).
    const struct { size_t line; size_t limit; } limits[] = {
        {2, 0}, {3, 100}, {8, 256}, {14, 256}, {19, 20}, {20, 19}, {26, 256}, {27, 256}, {28, 4}, {32, 256}, {33, 256},
        {34, 4}, {35, 4}, {44, 0}};
    std::string e300;
    for (int i = 0; i < 300; ++i) e300 += "é";
    for (const auto& l : limits) {
        std::vector<std::string> edited = lines;
        const std::string key = edited[l.line].substr(0, edited[l.line].find('=') + 1);
        edited[l.line] = key + "😀" + e300;
        const std::string written = Lines(FormatSettings(ReadSettings(Join(edited), SettingsFile())))[l.line];
        EXPECT_EQ(CountCodePoints(written.substr(key.size())), l.limit ? l.limit : 301) << key;
    }
    // A file of an earlier version is in the ANSI code page, all of it.
    std::vector<std::string> ansi = lines;
    ansi[2] = "DEFDIR=C:\\Caf\xE9\\";
    ansi[2 + kRowNewPrefix] = "NEWPREFIX=\xE9t\xE9";
    const SettingsFile old = ReadSettings(Join(ansi), SettingsFile(), Latin1ToUtf8);
    EXPECT_EQ(old.startDir, "C:\\Café\\");
    EXPECT_EQ(old.options.m_strNewPrefix, "été");
}

// Each text parsed as a date or a time, and the three fields it must give (that their
// shown form reads back the same is the settings fuzz target's check).
TEST(DateTimeText, ParseTable) {
    const struct { bool date; const char* text; int a, b, c; } cases[] = {
        {1, "12/24/2003", 12, 24, 2003}, {1, "12-24-2003", 12, 24, 2003}, {1, "12242003", 12, 24, 2003},
        {1, "12/24", 12, 24, 1980}, {1, "07/14/03", 7, 14, 1980}, {1, "13/32/1999", 12, 31, 1999}, {1, "", 1, 1, 1980},
        {1, "0/0/0", 1, 1, 1980}, {1, "2/30/1999", 2, 30, 1999}, {1, "2000", 12, 1, 1980},
        {1, " 1/ 2/ 1999", 1, 2, 1999}, {1, "12/24/2003x", 12, 24, 2003},
        // "12 /24/2003": a blank before a literal is a mismatch; the last attempt keeps only "12".
        // "12/24-2003": the first attempt's two numbers survive the later, shorter attempts.
        // "-12242003": a width counts the sign: "-1", "22", "4200".
        {1, "12 /24/2003", 12, 1, 1980}, {1, "12/24-2003", 12, 24, 1980}, {1, "-12242003", 1, 22, 4200},
        // Too large for int: clamped while reading, then into range; a huge year stays huge.
        {1, "99999999999/1/1", 12, 1, 1980}, {1, "1/1/99999999999", 1, 1, INT_MAX},
        // Years past 9999 are read, but such a date is refused (below).
        {1, "12/31/9999", 12, 31, 9999}, {1, "1/1/99999", 1, 1, 99999}, {1, "01/01/10000", 1, 1, 10000},
        {0, "235959", 23, 59, 59}, {0, "25:61:61", 23, 59, 59}, {0, "-1:30:00", 0, 30, 0}, {0, "12:30", 12, 30, 0},
        {0, "", 0, 0, 0}, {0, "23-59-59", 23, 59, 59}, {0, "12345", 12, 34, 5},
        {0, "-99999999999:99999999999:-5", 0, 59, 0},
    };
    for (const auto& t : cases) {
        int a = -7, b = -7, c = -7;
        (t.date ? ParseDate : ParseTime)(t.text, a, b, c);
        EXPECT_TRUE(a == t.a && b == t.b && c == t.c) << t.text << " -> " << a << " " << b << " " << c;
        EXPECT_TRUE(!t.date || IsDateAccepted(t.text) == (t.c <= 9999)) << t.text;
    }
    EXPECT_EQ(FormatDate(5, 6, 999) + " " + FormatTime(-1, 5, 100), "05/06/0999 -1:05:100");
}

}  // namespace
