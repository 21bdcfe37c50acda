// The portable helpers of the platform services: text-mode reads cut like fgets,
// calendar arithmetic with overflowing fields, the rename rules and attribute choices.
#include "platform/attributes.h"
#include "platform/civil_time.h"
#include "platform/executable_path.h"
#include "platform/move_rules.h"
#include "platform/text_chunks.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <limits>
#include <map>

namespace {

using Texts = std::vector<std::string>;

TEST(ReadTextChunks, CutsLikeTextModeFgets) {
    const std::string a78(78, 'a'), b79(79, 'b'), c100(100, 'c');
    const struct { const char* stored; size_t max; Texts expected; } cases[] = {
        {"", 79, {}}, {"one\r\ntwo\n", 79, {"one\n", "two\n"}}, {"one\r\nlast", 79, {"one\n", "last"}},
        {"x\ry\r\r\n", 79, {"x\ry\r\n"}}, {"one\r\n\x1atwo\r\n", 79, {"one\n"}}, {"ab\r\ncd\r\n", 3, {"ab\n", "cd\n"}},
    };
    for (const auto& c : cases) EXPECT_EQ(ReadTextChunks(c.stored, c.max), c.expected) << c.stored;
    // At the edge of the buffer: 78 characters fit with their line end, 79 leave it for
    // the next read, and a longer line goes on in the next piece.
    EXPECT_EQ(ReadTextChunks(a78 + "\r\nz\r\n", 79), (Texts{a78 + "\n", "z\n"}));
    EXPECT_EQ(ReadTextChunks(b79 + "\r\n", 79), (Texts{b79, "\n"}));
    EXPECT_EQ(ReadTextChunks(c100 + "\r\n", 79), (Texts{c100.substr(0, 79), c100.substr(79) + "\n"}));
}

TEST(PathBesideExecutable, NamedAfterTheExecutableInLowerCase) {
    EXPECT_EQ(PathBesideExecutable("C:\\A.B\\Prog", ".ini"), "C:\\A.B\\prog.ini");
    EXPECT_EQ(PathBesideExecutable("C:\\d/s\\My.Tool.EXE", ".html"), "C:\\d/s\\my.tool.html");
}

std::vector<int> Fields(const LocalTime& t) { return {t.year, t.month, t.day, t.hour, t.minute, t.second}; }

TEST(CalendarSeconds, RunsOverflowingFieldsIntoTheNextOnes) {
    const struct { int y, mo, d, h, mi, s; int64_t seconds; std::vector<int> normal; } cases[] = {
        {1969, 12, 31, 23, 59, 59, -1, {1969, 12, 31, 23, 59, 59}},
        {2038, 1, 19, 3, 14, 8, 2147483648LL, {2038, 1, 19, 3, 14, 8}},
        {2000, 2, 30, 0, 0, 0, 951868800, {2000, 3, 1, 0, 0, 0}},
        {2100, 2, 29, 0, 0, 0, 4107542400LL, {2100, 3, 1, 0, 0, 0}},
        {1999, 0, 1, 0, 0, 0, 912470400, {1998, 12, 1, 0, 0, 0}},
        {1999, 13, 45, 0, 0, 0, 946684800 + 44 * 86400, {2000, 2, 14, 0, 0, 0}},
        {2000, 1, 0, 0, 0, -1, 946598399, {1999, 12, 30, 23, 59, 59}},
        {2000, 3, 1, -1, 0, 0, 951868800 - 3600, {2000, 2, 29, 23, 0, 0}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(CalendarSeconds(c.y, c.mo, c.d, c.h, c.mi, c.s), c.seconds) << c.y << "-" << c.mo << "-" << c.d;
        EXPECT_EQ(Fields(NormalizeCalendar(c.y, c.mo, c.d, c.h, c.mi, c.s)), c.normal) << c.y << "-" << c.mo;
    }
    // Every count breaks down into in-range fields that give it back, far on either side.
    for (int64_t t = -40000000000LL; t <= 40000000000LL; t += 987654321LL) {
        const LocalTime f = CalendarFields(t);
        ASSERT_TRUE(f.month >= 1 && f.month <= 12 && f.day >= 1 && f.day <= 31 && f.hour <= 23) << t;
        ASSERT_EQ(CalendarSeconds(f.year, f.month, f.day, f.hour, f.minute, f.second), t);
    }
    // At the ends of the 64-bit range: in-range fields, and counts beyond it cut to it.
    constexpr int64_t kMin = std::numeric_limits<int64_t>::min(), kMax = std::numeric_limits<int64_t>::max();
    for (int64_t t : {kMin, kMin + 86399, kMin + 86400, kMax - 86400, kMax}) {
        const LocalTime f = CalendarFields(t);
        ASSERT_TRUE(f.month >= 1 && f.month <= 12 && f.day >= 1 && f.hour <= 23 && f.second <= 59) << t;
    }
    constexpr int kBig = std::numeric_limits<int>::max(), kLow = std::numeric_limits<int>::min();
    const struct { int64_t y; int mo, d, h, mi, s; int64_t seconds; } ends[] = {
        {-292277022657LL, 1, 27, 8, 29, 52, kMin}, {-292277022657LL, 1, 27, 8, 29, 51, kMin},
        {-292277022657LL, 1, 27, 8, 29, 53, kMin + 1}, {292277026596LL, 12, 4, 15, 30, 7, kMax},
        {292277026596LL, 12, 4, 15, 30, 8, kMax}, {kMin, 1, 1, 0, 0, 0, kMin}, {kMax, 1, 1, 0, 0, 0, kMax},
        {1970, kBig, kBig, kBig, kBig, kBig, 5840741052706867LL}, {1970, kLow, kLow, kLow, kLow, kLow, -5840741061004928LL},
    };
    for (const auto& c : ends) EXPECT_EQ(CalendarSeconds(c.y, c.mo, c.d, c.h, c.mi, c.s), c.seconds) << c.y;
}

TEST(MoveRules, CaseOnlyRenamesAndStoredNames) {
    const struct { const char* from; const char* to; bool caseOnly; } cases[] = {
        {"C:\\a\\readme.txt", "C:\\a\\README.TXT", true}, {"C:\\a\\readme.txt", "C:\\a\\readme.txt", false},
        {"C:\\a\\readme", "C:\\a\\README. .", true}, {"C:\\a\\x.txt", "C:\\b\\X.TXT", false},
        {"C:\\a\\[x].txt", "C:\\a\\{x}.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsCaseOnlyRename(c.from, c.to, EqualIgnoringCase), c.caseOnly) << c.from << " -> " << c.to;
    const std::pair<const char*, const char*> stored[] = {
        {"C:\\a\\b. .", "C:\\a\\b"}, {"C:\\a.\\b", "C:\\a.\\b"}, {"name...", "name"}, {"C:\\a\\..", "C:\\a\\.."}};
    for (const auto& c : stored) EXPECT_EQ(StoredTargetPath(c.first), c.second) << c.first;
}

// Only a path the shell's usual path rules leave naming the same file is handed to it.
TEST(MoveRules, ShellNamesExactlyOnlyPathsItsRulesLeaveAlone) {
    // At most 259 UTF-16 units: an emoji takes two.
    const std::string longest = "C:\\" + std::string(256, 'x');
    const std::string astral = "C:\\" + std::string(255, 'x') + "\xF0\x9F\x98\x80";
    const struct { std::string path; bool exact; } cases[] = {
        {"C:\\dir\\a.txt", true}, {"z:\\ x\\.profile", true}, {"C:\\dir\\console.txt", true},
        {"C:\\dir\\COM10", true}, {"C:\\dir\\lpt", true}, {"C:\\dir\\été", true}, {longest, true},
        {longest + "x", false}, {astral, false}, {"C:\\dir\\foo.", false}, {"C:\\dir\\bar ", false},
        {"C:\\dir.\\a", false}, {"C:\\di \\a", false}, {"C:\\dir\\CON", false}, {"C:\\dir\\nul.txt", false},
        {"C:\\dir\\Aux .c", false}, {"C:\\dir\\com1.log", false}, {"C:\\LPT9\\a", false}, {"C:\\dir\\conout$", false},
        {"C:\\dir\\com\xC2\xB2", false}, {"C:\\dir\\..\\a", false}, {"C:\\dir\\.\\a", false}, {"C:\\dir\\\\a", false},
        {"C:\\dir\\", false}, {"C:\\dir\\a*", false}, {"C:\\dir\\a?", false}, {"C:\\dir\\a:s", false},
        {"C:\\dir/a", false}, {"C:\\dir\\a\tb", false}, {"C:a.txt", false}, {"\\\\server\\share\\a", false},
        {"dir\\a", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ShellNamesExactly(c.path), c.exact) << c.path;
}

// A case-only rename goes through a temporary name; whichever step fails, the file
// ends up under one of its two real names, and under the temporary one only when the
// way back is barred too, which the result tells.
TEST(MoveRules, RenameThroughTemporaryLeavesTheFileUnderTheTemporaryNameOnlyWhenItMust) {
    using R = TemporaryRename;
    const struct { std::vector<std::string> barred; R result; const char* endsAs; } cases[] = {
        {{}, R::kDone, "A"}, {{"tmp"}, R::kNotMoved, "a"}, {{"A"}, R::kNotMoved, "a"},
        {{"A", "a"}, R::kLeftAtTemporary, "tmp"}};
    for (const auto& c : cases) {
        std::map<std::string, std::string> files{{"a", "data"}};
        const MoveStep step = [&](const std::string& from, const std::string& to) {
            if (std::count(c.barred.begin(), c.barred.end(), to) || files.count(from) == 0 || files.count(to) != 0)
                return false;
            files[to] = files[from];
            return files.erase(from) == 1;
        };
        EXPECT_TRUE(RenameThroughTemporary("a", "A", "tmp", step) == c.result) << c.endsAs;
        EXPECT_EQ(files, (std::map<std::string, std::string>{{c.endsAs, "data"}})) << c.endsAs;
    }
}

// Each attribute chosen 0 is cleared, 1 set, 2 kept, and no other bit changes; the
// boxes of a word, applied as a choice, give its four bits back.
TEST(AttributeChoice, SetsClearsAndKeepsEachBitByItself) {
    const struct { AttributeChoice choice; unsigned word, expected; } cases[] = {
        {{2, 2, 2, 2}, 0x37, 0x37}, {{1, 1, 1, 1}, 0x00, 0x27}, {{0, 0, 0, 0}, 0xFF, 0xD8},
        {{1, 0, 2, 0}, 0x26, 0x05}, {{0, 2, 1, 2}, 0x13, 0x16},
    };
    for (const auto& c : cases) EXPECT_EQ(c.choice.Apply(c.word), c.expected) << std::hex << c.word;
    for (unsigned word : {0x00u, 0x01u, 0x06u, 0x20u, 0x35u})
        EXPECT_EQ(AttributeChoice::FromWord(word).Apply(word ^ 0xFFu), (word ^ 0xFFu) ^ 0x27u) << std::hex << word;
}

}  // namespace
