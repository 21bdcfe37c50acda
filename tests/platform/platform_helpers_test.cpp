// The portable helpers of the platform services: text-mode reads cut like fgets,
// calendar arithmetic with overflowing fields, and the rename rules.
#include "platform/civil_time.h"
#include "platform/executable_path.h"
#include "platform/move_rules.h"
#include "platform/text_chunks.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Texts = std::vector<std::string>;

TEST(ReadTextChunks, CutsLikeTextModeFgets) {
    const std::string a78(78, 'a'), b79(79, 'b'), c100(100, 'c');
    const struct { const char* stored; size_t max; Texts expected; } cases[] = {
        {"", 79, {}},
        {"one\r\ntwo\n", 79, {"one\n", "two\n"}},
        {"one\r\nlast", 79, {"one\n", "last"}},
        {"x\ry\r\r\n", 79, {"x\ry\r\n"}},
        {"one\r\n\x1atwo\r\n", 79, {"one\n"}},
        {"ab\r\ncd\r\n", 3, {"ab\n", "cd\n"}},
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
}

TEST(MoveRules, CaseOnlyRenamesAndStoredNames) {
    const struct { const char* from; const char* to; bool caseOnly; } cases[] = {
        {"C:\\a\\readme.txt", "C:\\a\\README.TXT", true},
        {"C:\\a\\readme.txt", "C:\\a\\readme.txt", false},
        {"C:\\a\\readme", "C:\\a\\README. .", true},
        {"C:\\a\\x.txt", "C:\\b\\X.TXT", false},
        {"C:\\a\\\xe9t\xe9.txt", "C:\\a\\\xc9T\xc9.txt", false},
        {"C:\\a\\[x].txt", "C:\\a\\{x}.txt", false},
    };
    for (const auto& c : cases) EXPECT_EQ(IsCaseOnlyRename(c.from, c.to), c.caseOnly) << c.from << " -> " << c.to;
    const std::pair<const char*, const char*> stored[] = {
        {"C:\\a\\b. .", "C:\\a\\b"}, {"C:\\a.\\b", "C:\\a.\\b"}, {"name...", "name"}, {"C:\\a\\..", "C:\\a\\.."}};
    for (const auto& c : stored) EXPECT_EQ(StoredTargetPath(c.first), c.second) << c.first;
}

// A case-only rename goes through a temporary name; whichever step fails, the file
// ends up under exactly one of its two real names, never under the temporary one.
TEST(MoveRules, RenameThroughTemporaryNeverLeavesTheFileUnderTheTemporaryName) {
    const struct { const char* failTarget; bool done; const char* endsAs; } cases[] = {
        {"", true, "A"}, {"tmp", false, "a"}, {"A", false, "a"}};
    for (const auto& c : cases) {
        std::map<std::string, std::string> files{{"a", "data"}};
        const MoveStep step = [&](const std::string& from, const std::string& to) {
            if (to == c.failTarget || files.count(from) == 0 || files.count(to) != 0) return false;
            files[to] = files[from];
            files.erase(from);
            return true;
        };
        EXPECT_EQ(RenameThroughTemporary("a", "A", "tmp", step), c.done) << c.failTarget;
        EXPECT_EQ(files, (std::map<std::string, std::string>{{c.endsAs, "data"}})) << c.failTarget;
    }
}

}  // namespace
