// The portable helpers of the platform services: text-mode reads cut like fgets,
// calendar arithmetic with overflowing fields, and the rename rules.
#include "platform/civil_time.h"
#include "platform/move_rules.h"
#include "platform/text_chunks.h"

#include <gtest/gtest.h>

#include <map>

namespace {

using Chunks = std::vector<std::string>;

struct ChunkCase {
    const char* what;
    std::string stored;
    size_t maxChars;
    Chunks expected;
};

TEST(ReadTextChunks, CutsLikeTextModeFgets) {
    const std::string line78(78, 'a');
    const std::string line79(79, 'b');
    const std::string line100(100, 'c');
    const ChunkCase cases[] = {
        {"empty file", "", 79, {}},
        {"no room at all", "abc\n", 0, {}},
        {"CR LF lines", "one\r\ntwo\r\n", 79, {"one\n", "two\n"}},
        {"LF lines", "one\ntwo\n", 79, {"one\n", "two\n"}},
        {"last line without line end", "one\r\nlast", 79, {"one\n", "last"}},
        {"empty lines", "\r\n\n", 79, {"\n", "\n"}},
        {"lone CR stays", "x\ry\r\n", 79, {"x\ry\n"}},
        {"CR CR LF keeps one CR", "a\r\r\n", 79, {"a\r\n"}},
        {"CR at the very end stays", "a\r", 79, {"a\r"}},
        {"Ctrl-Z ends the file", "one\r\n\x1atwo\r\n", 79, {"one\n"}},
        {"Ctrl-Z inside a line", "on\x1a" "e\r\n", 79, {"on"}},
        {"78 characters fit with their line end", line78 + "\r\n" + "next\r\n", 79, {line78 + "\n", "next\n"}},
        {"79 characters leave the line end for the next read", line79 + "\r\n", 79, {line79, "\n"}},
        {"long line continues as the next piece", line100 + "\r\nz\r\n", 79,
         {line100.substr(0, 79), line100.substr(79) + "\n", "z\n"}},
        {"CR LF counts as one character", "ab\r\ncd\r\n", 3, {"ab\n", "cd\n"}},
        {"one character a read", "ab\r\n", 1, {"a", "b", "\n"}},
    };
    for (const ChunkCase& c : cases) {
        EXPECT_EQ(ReadTextChunks(c.stored, c.maxChars), c.expected) << c.what;
    }
}

struct CalendarCase {
    const char* what;
    int year, month, day, hour, minute, second;
    int64_t seconds;
    LocalTime normal;
};

TEST(CalendarSeconds, RunsOverflowingFieldsIntoTheNextOnes) {
    const CalendarCase cases[] = {
        {"epoch", 1970, 1, 1, 0, 0, 0, 0, {1970, 1, 1, 0, 0, 0}},
        {"last second before the epoch", 1969, 12, 31, 23, 59, 59, -1, {1969, 12, 31, 23, 59, 59}},
        {"before 1970", 1965, 7, 4, 10, 0, 0, -141832800, {1965, 7, 4, 10, 0, 0}},
        {"first second past 32 bits", 2038, 1, 19, 3, 14, 8, 2147483648LL, {2038, 1, 19, 3, 14, 8}},
        {"year 2040", 2040, 6, 15, 8, 30, 0, 2223361800LL, {2040, 6, 15, 8, 30, 0}},
        {"first platform year", 1601, 1, 1, 0, 0, 0, -11644473600LL, {1601, 1, 1, 0, 0, 0}},
        {"February 30 of a common year", 1999, 2, 30, 12, 0, 0, 920376000, {1999, 3, 2, 12, 0, 0}},
        {"February 30 of a leap year", 2000, 2, 30, 0, 0, 0, 951868800, {2000, 3, 1, 0, 0, 0}},
        {"2100 is no leap year", 2100, 2, 29, 0, 0, 0, 4107456000LL + 86400, {2100, 3, 1, 0, 0, 0}},
        {"month 13", 1999, 13, 1, 0, 0, 0, 946684800, {2000, 1, 1, 0, 0, 0}},
        {"month 0", 1999, 0, 1, 0, 0, 0, 912470400, {1998, 12, 1, 0, 0, 0}},
        {"day 0", 2000, 1, 0, 0, 0, 0, 946598400, {1999, 12, 31, 0, 0, 0}},
        {"day 45 of month 13", 1999, 13, 45, 0, 0, 0, 946684800 + 44 * 86400, {2000, 2, 14, 0, 0, 0}},
        {"hour -1", 2000, 3, 1, -1, 0, 0, 951868800 - 3600, {2000, 2, 29, 23, 0, 0}},
        {"second -1", 2000, 1, 1, 0, 0, -1, 946684799, {1999, 12, 31, 23, 59, 59}},
        {"minute 60", 2000, 1, 1, 23, 60, 0, 946684800 + 86400, {2000, 1, 2, 0, 0, 0}},
    };
    for (const CalendarCase& c : cases) {
        EXPECT_EQ(CalendarSeconds(c.year, c.month, c.day, c.hour, c.minute, c.second), c.seconds) << c.what;
        const LocalTime t = NormalizeCalendar(c.year, c.month, c.day, c.hour, c.minute, c.second);
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::vector<int>{c.normal.year, c.normal.month, c.normal.day, c.normal.hour, c.normal.minute,
                                    c.normal.second}))
            << c.what;
    }
}

// Every count breaks down into in-range fields that give the count back, far before
// 1970 and far past 2038.
TEST(CalendarFields, RoundTripsAcrossCenturies) {
    for (int64_t t = -40000000000LL; t <= 40000000000LL; t += 987654321LL) {
        for (int64_t offset : {0LL, 1LL, 86399LL}) {
            const LocalTime f = CalendarFields(t + offset);
            ASSERT_GE(f.month, 1);
            ASSERT_LE(f.month, 12);
            ASSERT_GE(f.day, 1);
            ASSERT_LE(f.day, 31);
            ASSERT_GE(f.hour, 0);
            ASSERT_LE(f.hour, 23);
            ASSERT_EQ(CalendarSeconds(f.year, f.month, f.day, f.hour, f.minute, f.second), t + offset) << t + offset;
        }
    }
}

TEST(MoveRules, CaseOnlyRenames) {
    struct Case {
        const char* from;
        const char* to;
        bool caseOnly;
    } const cases[] = {
        {"C:\\a\\readme.txt", "C:\\a\\README.TXT", true},
        {"C:\\a\\readme.txt", "C:\\a\\readme.txt", false},
        {"C:\\a\\readme.txt", "C:\\a\\other.txt", false},
        {"C:\\a\\readme", "C:\\a\\README.", true},
        {"C:\\a\\readme", "C:\\a\\readme. .", false},
        {"C:\\a\\x.txt", "C:\\b\\X.TXT", false},
        {"C:\\a\\x.txt", "C:\\a\\x.txt2", false},
        {"C:\\a\\\xe9t\xe9.txt", "C:\\a\\\xc9T\xc9.txt", false},
        {"C:\\a\\[x].txt", "C:\\a\\{x}.txt", false},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(IsCaseOnlyRename(c.from, c.to), c.caseOnly) << c.from << " -> " << c.to;
    }
}

TEST(MoveRules, StoredNamesAndDirectories) {
    const std::pair<const char*, const char*> stored[] = {
        {"C:\\a\\b. .", "C:\\a\\b"},
        {"C:\\a\\b", "C:\\a\\b"},
        {"C:\\a.\\b", "C:\\a.\\b"},
        {"C:\\a\\x.txt ", "C:\\a\\x.txt"},
        {"name...", "name"},
        {"C:\\a\\..", "C:\\a\\.."},
    };
    for (const auto& c : stored) EXPECT_EQ(StoredTargetPath(c.first), c.second) << c.first;

    const std::pair<const char*, const char*> dirs[] = {
        {"C:\\a\\b.txt", "C:\\a\\"},
        {"C:\\b.txt", "C:\\"},
        {"b.txt", ""},
        {"C:/a/b", "C:/a/"},
    };
    for (const auto& c : dirs) EXPECT_EQ(DirectoryOf(c.first), c.second) << c.first;
}

// A directory of names where a move fails for a target that exists or a step that is
// told to fail.
struct ScriptedDisk {
    std::map<std::string, std::string> files;
    std::vector<std::string> failTargets;
    std::vector<std::string> steps;

    MoveStep Step() {
        return [this](const std::string& from, const std::string& to) {
            steps.push_back(from + ">" + to);
            for (const std::string& fail : failTargets) {
                if (fail == to) return false;
            }
            if (files.count(from) == 0 || files.count(to) != 0) return false;
            files[to] = files[from];
            files.erase(from);
            return true;
        };
    }
};

TEST(MoveRules, RenameThroughTemporaryNeverLeavesTheFileUnderTheTemporaryName) {
    struct Case {
        const char* what;
        std::vector<std::string> failTargets;
        bool done;
        std::map<std::string, std::string> after;
        std::vector<std::string> steps;
    } const cases[] = {
        {"both steps work", {}, true, {{"A", "data"}}, {"a>tmp", "tmp>A"}},
        {"first step fails", {"tmp"}, false, {{"a", "data"}}, {"a>tmp"}},
        {"second step fails: moved back", {"A"}, false, {{"a", "data"}}, {"a>tmp", "tmp>A", "tmp>a"}},
    };
    for (const Case& c : cases) {
        ScriptedDisk disk;
        disk.files["a"] = "data";
        disk.failTargets = c.failTargets;
        EXPECT_EQ(RenameThroughTemporary("a", "A", "tmp", disk.Step()), c.done) << c.what;
        EXPECT_EQ(disk.files, c.after) << c.what;
        EXPECT_EQ(disk.steps, c.steps) << c.what;
    }
}

}  // namespace
