#include <climits>
#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "naming/rename_options.h"
#include "settings/settings_format.h"

namespace {

// The main window's kept fields with their start values.
struct Fields {
    RenameOptions o;
    int warnRen = 1, fileFilter = 0, fileSort = 0, autoSel = 0, noRefresh = 0, warnDel = 1,
        toolTip = 1, setAttrib = 0, timeDate = 0, abortError = 1, useNewDir = 0;
    std::string destination;
    SettingsBinding b;

    Fields() {
        o.m_strSearchMask = "*.*";
        BindRenameOptions(b, o);
        int* programSettings[] = {&warnRen, &fileFilter, &fileSort, &autoSel, &noRefresh, &warnDel,
                                  &toolTip, &setAttrib, &timeDate, &abortError, &useNewDir};
        SettingRow rows[] = {kRowWarnRen, kRowFileFilter, kRowFileSort, kRowAutoSel, kRowNoRefresh,
                             kRowWarnDel, kRowToolTip, kRowSetAttrib, kRowTimeDate, kRowAbortError,
                             kRowUseNewDir};
        for (int i = 0; i < 11; ++i) b.Bind(rows[i], programSettings[i]);
        b.Bind(kRowDestination, &destination);
    }
    Fields(const Fields&) = delete;

    std::string Value(int row) const {
        return b.text[row] ? *b.text[row] : b.number[row] ? std::to_string(*b.number[row]) : "";
    }
    // Every field differs from its start value; texts keep outer blanks.
    void SetDistinct() {
        for (int row = 1; row < kSettingRowCount; ++row) {
            if (b.text[row]) *b.text[row] = " v" + std::to_string(row) + " = x ";
            else if (kSettingKeys[row].kind == SettingKind::Flag) *b.number[row] ^= 1;
            else *b.number[row] = -1000 * row;
        }
    }
};

const WindowRect kRect{-8, 20, 1600, 1200};
const char kDir[] = " C:\\My Dir\\ ";

bool Same(const WindowRect& a, const WindowRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

std::vector<std::string> Lines(const std::string& file) {
    std::vector<std::string> lines;
    for (size_t pos = 0, end; pos < file.size(); pos = end + 2) {
        end = file.find("\r\n", pos);
        lines.push_back(file.substr(pos, end - pos));
    }
    return lines;
}
std::string Join(const std::vector<std::string>& lines, const char* eol = "\r\n") {
    std::string out;
    for (const std::string& l : lines) out += l + eol;
    return out;
}
std::string SavedDistinct() {
    Fields saved;
    saved.SetDistinct();
    return FormatSettings(kRect, kDir, saved.b);
}

TEST(SettingsFormat, StartValuesFile) {
    Fields f;
    EXPECT_EQ(SettingsBindingProblem(f.b), "");
    EXPECT_EQ(FormatSettings({1, 2, 3, 4}, "C:\\", f.b),
              "[Startup Settings for Vorlix v3.11]\r\nWINDOWPOS=1,2,3,4\r\nDEFDIR=C:\\\r\n"
              "SRCHSTR=*.*\r\nWARNREN=1\r\nFILEFILTER=0\r\nFILESORT=0\r\nCHGPREFIX=0\r\n"
              "NEWPREFIX=\r\nPREFIXPOS=2\r\nPREFIXUP=0\r\nPREFIXLOW=0\r\nPREFIXCNT=0\r\n"
              "CHGEXTENSION=0\r\nNEWEXT=\r\nEXTPOS=2\r\nEXTUP=0\r\nEXTLOW=0\r\nEXTCNT=0\r\n"
              "STARTCNT=001\r\nINCCNT=1\r\nALPHACNT=0\r\nAPPLYTO=0\r\nSEARCHBACK=0\r\n"
              "CASESENSITVIE=0\r\nINSERT=0\r\nINSSTR1=\r\nINSSTR2=\r\nINSATPOS=\r\nINSAFTER=0\r\n"
              "INSBEFORE=0\r\nREPLACE=0\r\nRESTR1=\r\nRESTR2=\r\nREFROMPOS=\r\nRETOPOS=\r\n"
              "AUTOSEL=0\r\nNOREFLESH=0\r\nWARNDEL=1\r\nTOOLTIP=1\r\nSETATTRIB=0\r\nTIMEDATE=0\r\n"
              "ABORTERROR=1\r\nUSENEWDIR=0\r\nDESTINATION=\r\n");
}

TEST(SettingsFormat, BindingProblems) {
    const struct { std::function<void(Fields&)> edit; const char* problem; } cases[] = {
        {[](Fields& f) { f.b.number[kRowFileSort] = nullptr; }, "FILESORT is not bound"},
        {[](Fields& f) { f.b.text[kRowFileSort] = &f.destination; }, "FILESORT is bound to the wrong kind of field"},
        {[](Fields& f) { f.b.Bind(kRowDefDir, &f.destination); }, "DEFDIR is the start directory, not a field"},
    };
    for (const auto& c : cases) {
        Fields f;
        c.edit(f);
        EXPECT_EQ(SettingsBindingProblem(f.b), c.problem);
    }
}

// A saved file, changed as each case says, read into start values: the rows
// in [from, to) must come back as saved, all others keep their start values.
TEST(SettingsFormat, ReadsByPosition) {
    using Edit = std::function<std::string(std::vector<std::string>)>;
    auto drop = [](int line) {
        return Edit([line](std::vector<std::string> l) { l.erase(l.begin() + line - 1); return Join(l); });
    };
    const struct { const char* name; Edit edit; bool window; int from, to; } cases[] = {
        {"as saved", [](std::vector<std::string> l) { return Join(l); }, true, 0, 43},
        {"LF line ends", [](std::vector<std::string> l) { return Join(l, "\n"); }, true, 0, 43},
        {"no final line end", [](std::vector<std::string> l) { std::string s = Join(l); return s.substr(0, s.size() - 2); }, true, 0, 43},
        {"other header", [](std::vector<std::string> l) { l[0] = "[x]"; return Join(l); }, true, 0, 43},
        {"line 2 not WINDOWPOS", [](std::vector<std::string> l) { l[1] = "POS=1,2,3,4"; return Join(l); }, false, 0, 43},
        {"more than 45 lines", [](std::vector<std::string> l) { l.push_back("DESTINATION=x"); return Join(l); }, true, 0, 43},
        {"FILEFILTER line deleted", drop(6), true, 0, 3},
        {"header missing", drop(1), false, 0, 0},
        {"extra line in the middle", [](std::vector<std::string> l) { l.insert(l.begin() + 10, "x"); return Join(l); }, true, 0, 8},
        {"cut after line 10", [](std::vector<std::string> l) { l.resize(10); return Join(l); }, true, 0, 8},
        {"one line", [](std::vector<std::string> l) { return l[0]; }, false, 0, 0},
        {"empty", [](std::vector<std::string>) { return std::string(); }, false, 0, 0},
    };
    Fields saved, start;
    saved.SetDistinct();
    const std::vector<std::string> lines = Lines(FormatSettings(kRect, kDir, saved.b));
    ASSERT_EQ(lines.size(), 45u);
    for (const auto& c : cases) {
        Fields f;
        SettingsReadResult r = ReadSettings(c.edit(lines), f.b);
        EXPECT_EQ(r.windowRead, c.window) << c.name;
        EXPECT_TRUE(!c.window || Same(r.window, kRect)) << c.name;
        EXPECT_EQ(r.startDirRead, c.from == 0 && c.to > 0) << c.name;
        EXPECT_EQ(r.startDir, r.startDirRead ? kDir : "") << c.name;
        EXPECT_EQ(r.toolTipStored, kRowToolTip < c.to) << c.name;
        for (int row = 1; row < kSettingRowCount; ++row) {
            const Fields& expected = row >= c.from && row < c.to ? saved : start;
            EXPECT_EQ(f.Value(row), expected.Value(row)) << c.name << ": " << kSettingKeys[row].key;
        }
    }
}

// One line of a saved file replaced; the field starts as "77" / "old".
TEST(SettingsFormat, ReadsLineValues) {
    const struct { int line; const char* text; SettingRow row; const char* value; } cases[] = {
        {5, "WARNREN=2", kRowWarnRen, "1"},       {5, "WARNREN=-1", kRowWarnRen, "0"},
        {5, "WARNREN=", kRowWarnRen, "0"},        {5, "WARNREN=yes", kRowWarnRen, "0"},
        {5, "WARNREN= \t+3", kRowWarnRen, "1"},   {7, "FILESORT=7abc", kRowFileSort, "7"},
        {7, "FILESORT=", kRowFileSort, "0"},      {6, "FILEFILTER=-12", kRowFileFilter, "-12"},
        {7, "FILESORT=99999999999", kRowFileSort, "2147483647"},
        {7, "FILESORT=-99999999999", kRowFileSort, "-2147483648"},
        {7, "FILEFILTER=3", kRowFileSort, "77"},  {7, "FILESORT 3", kRowFileSort, "77"},
        {7, "filesort=3", kRowFileSort, "77"},    {9, "NEWPREFIX=  a b  ", kRowNewPrefix, "  a b  "},
        {9, "NEWPREFIX=", kRowNewPrefix, ""},     {34, "RESTR2=a=b", kRowReStr2, "a=b"},
        {15, "NEWEXT=abc\r", kRowNewExt, "abc\r"},
        // Found later in the line, but cut by the key's length from the start.
        {45, "xDESTINATION=D:\\", kRowDestination, "=D:\\"},
        {25, "x CASESENSITVIE=1", kRowCaseSensitive, "0"}, {25, "CASESENSITIVE=1", kRowCaseSensitive, "77"},
        {38, "NOREFLESH=1", kRowNoRefresh, "1"},
    };
    const std::vector<std::string> lines = Lines(SavedDistinct());
    for (const auto& c : cases) {
        std::vector<std::string> edited = lines;
        edited[c.line - 1] = c.text;
        Fields f;
        if (f.b.text[c.row]) *f.b.text[c.row] = "old";
        else *f.b.number[c.row] = 77;
        ReadSettings(Join(edited), f.b);
        EXPECT_EQ(f.Value(c.row), c.value) << c.text;
    }
}

TEST(SettingsFormat, WindowPosLine) {
    const struct { const char* line; bool read; WindowRect r; } cases[] = {
        {"WINDOWPOS=10,20,630,470", true, {10, 20, 630, 470}},
        {"WINDOWPOS= 10, 20, 630, 470", true, {10, 20, 630, 470}},
        {"WINDOWPOS=-5,-6,+7,8junk", true, {-5, -6, 7, 8}},
        {"WINDOWPOS=99999999999,0,0,0", true, {INT_MAX, 0, 0, 0}},
        {"WINDOWPOS=10,20,30", false, {}},     {"WINDOWPOS=10 ,20,630,470", false, {}},
        {"windowpos=1,2,3,4", false, {}},      {"", false, {}},
        {"XWINDOWPOS=1,2,3,4", false, {}},     {"WINDOWPOS=", false, {}},
    };
    for (const auto& c : cases) {
        Fields f;
        SettingsReadResult r = ReadSettings(std::string("h\n") + c.line + "\nDEFDIR=D:\\\n", f.b);
        EXPECT_EQ(r.windowRead, c.read) << c.line;
        EXPECT_TRUE(!c.read || Same(r.window, c.r)) << c.line;
        EXPECT_EQ(r.startDir, "D:\\") << c.line;
    }
}

TEST(SettingsFormat, PathForExe) {
    const struct { const char* exe; const char* ini; } cases[] = {
        {"D:\\Tools\\Renamer.exe", "D:\\Tools\\renamer.ini"}, {"/opt/Vx/Vorlix.EXE", "/opt/Vx/vorlix.ini"},
        {"C:\\A.B\\Prog", "C:\\A.B\\prog.ini"},            {"C:\\d/s\\My.Tool.exe", "C:\\d/s\\my.tool.ini"},
        {"Renamer.exe", "renamer.ini"},                    {"C:\\X\\\xC4Z.exe", "C:\\X\\\xC4z.ini"},
    };
    for (const auto& c : cases) EXPECT_EQ(SettingsPathForExe(c.exe), c.ini);
}

}  // namespace
