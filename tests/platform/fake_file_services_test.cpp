// The stand-in keeps the contract of the real services, so UI tests that run on it
// test what the program will meet on disk.
#include "support/fake_file_services.h"

#include <gtest/gtest.h>

namespace {

using Names = std::vector<std::string>;

// C:\d\ holds a.txt, readme.txt, ro.txt (read-only) and the directory sub\.
void MakeTree(FakeFileServices& fake) {
    fake.AddFile("C:\\d\\a.txt", kFileArchive, 1000, "A");
    fake.AddFile("C:\\d\\readme.txt", kFileArchive, 1000, "R");
    fake.AddFile("C:\\d\\ro.txt", kFileReadOnly | kFileArchive, 1000, "O");
    fake.AddDir("C:\\d\\sub");
    fake.log.clear();
}

TEST(FakeFileServices, MoveNeverReplacesAndChangesCase) {
    struct Case {
        const char* what;
        const char* from;
        const char* to;
        bool ok;
        Names inD;
    } const cases[] = {
        {"rename", "C:\\d\\a.txt", "C:\\d\\b.txt", true, {"b.txt", "readme.txt", "ro.txt", "sub"}},
        {"target exists", "C:\\d\\a.txt", "C:\\d\\readme.txt", false, {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"target exists in other case", "C:\\d\\a.txt", "C:\\d\\README.TXT", false,
         {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"case only", "C:\\d\\readme.txt", "C:\\d\\README.TXT", true, {"a.txt", "README.TXT", "ro.txt", "sub"}},
        {"trailing dots and blanks dropped", "C:\\d\\a.txt", "C:\\d\\b. .", true, {"b", "readme.txt", "ro.txt", "sub"}},
        {"missing source", "C:\\d\\none.txt", "C:\\d\\b.txt", false, {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"missing target directory", "C:\\d\\a.txt", "C:\\d\\none\\a.txt", false,
         {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"into a subdirectory", "C:\\d\\a.txt", "C:\\d\\sub\\a.txt", true, {"readme.txt", "ro.txt", "sub"}},
        {"read-only file moves", "C:\\d\\ro.txt", "C:\\d\\ro2.txt", true, {"a.txt", "readme.txt", "ro2.txt", "sub"}},
        {"invalid character", "C:\\d\\a.txt", "C:\\d\\a?.txt", false, {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"device name", "C:\\d\\a.txt", "C:\\d\\con.txt", false, {"a.txt", "readme.txt", "ro.txt", "sub"}},
        {"directories are not moved", "C:\\d\\sub", "C:\\d\\sub2", false, {"a.txt", "readme.txt", "ro.txt", "sub"}},
    };
    for (const Case& c : cases) {
        FakeFileServices fake;
        MakeTree(fake);
        EXPECT_EQ(fake.MoveFile(c.from, c.to), c.ok) << c.what;
        EXPECT_EQ(fake.Names("C:\\d\\"), c.inD) << c.what;
        EXPECT_EQ(fake.log, Names{std::string("Move ") + c.from + " -> " + c.to + (c.ok ? "" : " failed")}) << c.what;
    }
}

TEST(FakeFileServices, MovedFileKeepsContentsAndTimes) {
    FakeFileServices fake;
    MakeTree(fake);
    ASSERT_TRUE(fake.MoveFile("C:\\d\\readme.txt", "C:\\d\\README.TXT"));
    const FakeEntry* moved = fake.Find("C:\\d\\readme.txt");
    ASSERT_NE(moved, nullptr);
    EXPECT_EQ(moved->path, "C:\\d\\README.TXT");
    EXPECT_EQ(moved->contents, "R");
    EXPECT_EQ(moved->modified, 1000);
}

TEST(FakeFileServices, ScriptedMoveFailureAndRelativeTarget) {
    FakeFileServices fake;
    MakeTree(fake);
    fake.failMove.insert("c:\\D\\B.TXT");
    EXPECT_FALSE(fake.MoveFile("C:\\d\\a.txt", "C:\\d\\b.txt"));
    ASSERT_EQ(fake.ChangeDir("C:\\d\\sub"), 0);
    // A bare target name lands in the current directory.
    EXPECT_TRUE(fake.MoveFile("C:\\d\\a.txt", "moved.txt"));
    EXPECT_EQ(fake.Names("C:\\d\\sub\\"), Names{"moved.txt"});
}

TEST(FakeFileServices, SetStatusOrdersAttributesAndTimes) {
    struct Case {
        const char* what;
        unsigned attrib;        // of the file before
        FileStatus status;
        bool refuses;           // readOnlyRefusesTimes
        bool ok;
        Names steps;            // log lines after "SetStatus ..."
        unsigned attribAfter;
        TimeValue modifiedAfter;
    } const cases[] = {
        {"times only", 0x20, {5000, 0, 0, 0, 0x20}, true, true, {"SetTimes F m=5000 c=0 a=0"}, 0x20, 5000},
        {"nothing to do", 0x20, {0, 0, 0, 0, 0x20}, true, true, {}, 0x20, 1000},
        {"becomes read-only after its times", 0x20, {5000, 0, 0, 0, 0x21}, true, true,
         {"SetTimes F m=5000 c=0 a=0", "SetAttrib F 0x21"}, 0x21, 5000},
        {"read-only cleared before the times", 0x21, {5000, 0, 0, 0, 0x20}, true, true,
         {"SetAttrib F 0x20", "SetTimes F m=5000 c=0 a=0"}, 0x20, 5000},
        {"read-only file refuses times", 0x21, {5000, 0, 0, 0, 0x21}, true, false,
         {"SetTimes F m=5000 c=0 a=0 failed"}, 0x21, 1000},
        {"read-only file takes times as root does", 0x21, {5000, 0, 0, 0, 0x21}, false, true,
         {"SetTimes F m=5000 c=0 a=0"}, 0x21, 5000},
        {"read-only file made hidden, times refused", 0x21, {5000, 0, 0, 0, 0x23}, true, false,
         {"SetAttrib F 0x23", "SetTimes F m=5000 c=0 a=0 failed"}, 0x23, 1000},
        {"attribute word 0 kept", 0x00, {0, 0, 0, 0, 0x00}, true, true, {}, 0x00, 1000},
        {"attribute word 0 made hidden", 0x00, {0, 0, 0, 0, 0x02}, true, true, {"SetAttrib F 0x02"}, 0x02, 1000},
        {"only the four bits count", 0x800, {0, 0, 0, 0, 0x00}, true, true, {}, 0x800, 1000},
    };
    for (const Case& c : cases) {
        FakeFileServices fake;
        fake.AddFile("F", c.attrib, 1000);
        fake.readOnlyRefusesTimes = c.refuses;
        fake.log.clear();
        std::string error;
        EXPECT_EQ(fake.SetStatus("F", c.status, error), c.ok) << c.what;
        EXPECT_EQ(error.empty(), c.ok) << c.what << ": " << error;
        Names steps(fake.log.begin() + 1, fake.log.end());
        EXPECT_EQ(steps, c.steps) << c.what;
        EXPECT_EQ(fake.log[0], std::string("SetStatus F") + (c.ok ? "" : " failed")) << c.what;
        EXPECT_EQ(fake.Find("F")->attrib, c.attribAfter) << c.what;
        EXPECT_EQ(fake.Find("F")->modified, c.modifiedAfter) << c.what;
    }
}

// How a caller stamps a read-only file and keeps it read-only: clear, stamp, restore.
TEST(FakeFileServices, ReadOnlyFileStampedInTwoCallsStaysReadOnly) {
    FakeFileServices fake;
    fake.AddFile("C:\\ro.txt", kFileReadOnly | kFileArchive, 1000);
    std::string error;
    EXPECT_TRUE(fake.SetStatus("C:\\ro.txt", {7000, 0, 0, 0, 0}, error)) << error;
    EXPECT_TRUE(fake.SetStatus("C:\\ro.txt", {0, 0, 0, 0, kFileReadOnly | kFileArchive}, error)) << error;
    FileStatus status;
    ASSERT_TRUE(fake.GetStatus("C:\\ro.txt", status));
    EXPECT_EQ(status.modified, 7000);
    EXPECT_EQ(status.attribute, kFileReadOnly | kFileArchive);
    EXPECT_EQ(fake.Calls("Set"),
              (Names{"SetStatus C:\\ro.txt", "SetAttrib C:\\ro.txt 0x00", "SetTimes C:\\ro.txt m=7000 c=0 a=0",
                     "SetStatus C:\\ro.txt", "SetAttrib C:\\ro.txt 0x21"}));
}

TEST(FakeFileServices, StatusTimesStandInAndZeroTimesAreLeftAlone) {
    FakeFileServices fake;
    fake.AddFile("C:\\f.txt", kFileArchive, 1000, "12345");
    FileStatus status;
    ASSERT_TRUE(fake.GetStatus("C:\\f.txt", status));
    EXPECT_EQ((std::vector<int64_t>{status.created, status.accessed, static_cast<int64_t>(status.size)}),
              (std::vector<int64_t>{1000, 1000, 5}));
    std::string error;
    ASSERT_TRUE(fake.SetStatus("C:\\f.txt", {2000, 3000, 0, 0, kFileArchive}, error));
    ASSERT_TRUE(fake.GetStatus("C:\\f.txt", status));
    EXPECT_EQ((std::vector<int64_t>{status.modified, status.created, status.accessed}),
              (std::vector<int64_t>{2000, 3000, 2000}));
    EXPECT_FALSE(fake.GetStatus("C:\\none.txt", status));
    EXPECT_FALSE(fake.SetStatus("C:\\none.txt", status, error));
    EXPECT_NE(error.find("C:\\none.txt"), std::string::npos);
}

TEST(FakeFileServices, EnumerationReportsDotsWordZeroAndFailsForMissingDirectories) {
    FakeFileServices fake;
    fake.AddFile("C:\\d\\plain", 0, 42);
    fake.AddDir("C:\\d\\sub.dir");
    fake.AddFile("C:\\top.txt");
    Names seen;
    std::vector<unsigned> words;
    ASSERT_TRUE(fake.EnumerateDirectory("C:\\d\\", [&](const FindEntry& e) {
        seen.push_back(e.name);
        words.push_back(e.attrib);
    }));
    EXPECT_EQ(seen, (Names{".", "..", "plain", "sub.dir"}));
    EXPECT_EQ(words, (std::vector<unsigned>{0x10, 0x10, 0x00, 0x10}));
    seen.clear();
    ASSERT_TRUE(fake.EnumerateDirectory("C:\\", [&](const FindEntry& e) { seen.push_back(e.name); }));
    EXPECT_EQ(seen, (Names{"d", "top.txt"}));
    EXPECT_FALSE(fake.EnumerateDirectory("C:\\none\\", [](const FindEntry&) {}));
    EXPECT_FALSE(fake.EnumerateDirectory("C:\\top.txt\\", [](const FindEntry&) {}));
}

TEST(FakeFileServices, DrivesAndCurrentDirectory) {
    FakeFileServices fake;
    fake.AddDir("C:\\a\\b");
    fake.AddFile("C:\\a\\f.txt");
    fake.AddDir("D:\\data");
    fake.AddDrive(1, false);
    struct Step {
        const char* what;
        int (*act)(FakeFileServices&);
        int result;
        const char* currentDir;
    } const steps[] = {
        {"start", [](FakeFileServices& f) { return f.GetDrive(); }, 3, "C:\\"},
        {"drive without medium", [](FakeFileServices& f) { return f.ChangeDrive(1); }, -1, "C:\\"},
        {"unknown drive", [](FakeFileServices& f) { return f.ChangeDrive(26); }, -1, "C:\\"},
        {"enter a directory", [](FakeFileServices& f) { return f.ChangeDir("C:\\a\\b"); }, 0, "C:\\a\\b\\"},
        {"through ..", [](FakeFileServices& f) { return f.ChangeDir("C:\\a\\b\\..\\"); }, 0, "C:\\a\\"},
        {"missing directory", [](FakeFileServices& f) { return f.ChangeDir("C:\\x"); }, -1, "C:\\a\\"},
        {"a file", [](FakeFileServices& f) { return f.ChangeDir("C:\\a\\f.txt"); }, -1, "C:\\a\\"},
        {"other drive's directory", [](FakeFileServices& f) { return f.ChangeDir("D:\\data"); }, 0, "D:\\data\\"},
        {"back to C keeps its directory", [](FakeFileServices& f) { return f.ChangeDrive(3); }, 0, "C:\\a\\"},
    };
    for (const Step& s : steps) {
        EXPECT_EQ(s.act(fake), s.result) << s.what;
        EXPECT_EQ(fake.CurrentDir(), s.currentDir) << s.what;
    }
    EXPECT_EQ(fake.Calls("ChangeDrive"), (Names{"ChangeDrive 1 failed", "ChangeDrive 26 failed", "ChangeDrive 3"}));
}

TEST(FakeFileServices, LocalTimeUsesTheOffsetAndRunsDaysIntoTheNextMonth) {
    FakeFileServices fake;
    fake.utcOffset = 3600;
    EXPECT_EQ(fake.MakeLocalTime(1999, 2, 30, 12, 0, 0), 920376000 - 3600);
    const LocalTime t = fake.ToLocalTime(920376000 - 3600);
    EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour}), (std::vector<int>{1999, 3, 2, 12}));
    EXPECT_EQ(fake.MakeLocalTime(2040, 6, 15, 9, 30, 0), 2223361800LL);
    EXPECT_EQ(fake.MakeLocalTime(1500, 1, 1, 0, 0, 0), -1);
}

TEST(FakeFileServices, WriteReplacingAndDelete) {
    struct Case {
        const char* what;
        const char* path;
        bool ok;
    } const cases[] = {
        {"new file", "C:\\d\\new.ini", true},
        {"replaces a file", "C:\\d\\a.txt", true},
        {"a directory stands there", "C:\\d\\sub", false},
        {"missing directory", "C:\\none\\a.ini", false},
        {"read-only file", "C:\\d\\ro.txt", false},
    };
    for (const Case& c : cases) {
        FakeFileServices fake;
        MakeTree(fake);
        const FakeEntry* before = fake.Find(c.path);
        const std::string old = before != nullptr ? before->contents : "";
        EXPECT_EQ(fake.WriteFileReplacing(c.path, "new"), c.ok) << c.what;
        std::string read;
        if (c.ok) {
            EXPECT_TRUE(fake.ReadFile(c.path, read)) << c.what;
            EXPECT_EQ(read, "new") << c.what;
        } else if (before != nullptr && !fake.Find(c.path)->IsDir()) {
            EXPECT_EQ(fake.Find(c.path)->contents, old) << c.what;
        }
    }
    FakeFileServices fake;
    MakeTree(fake);
    EXPECT_TRUE(fake.DeleteFile("C:\\d\\a.txt"));
    EXPECT_FALSE(fake.DeleteFile("C:\\d\\ro.txt"));
    EXPECT_FALSE(fake.DeleteFile("C:\\d\\a.txt"));
    EXPECT_FALSE(fake.DeleteFile("C:\\d\\sub"));
    EXPECT_EQ(fake.Names("C:\\d"), (Names{"readme.txt", "ro.txt", "sub"}));
}

}  // namespace
