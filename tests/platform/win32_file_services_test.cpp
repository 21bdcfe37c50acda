// The real services on a real disk, in a fresh temp directory per test. Results are
// checked with the Win32 calls directly, not through the services under test.
#include <windows.h>

#include "platform/executable_path.h"
#include "platform/file_services.h"
#include "support/fake_file_services.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <ctime>

namespace {

using Names = std::vector<std::string>;

constexpr TimeValue k2040 = 2223361800LL;  // 2040-06-15 08:30:00 UTC
constexpr TimeValue k1965 = -141832800LL;  // 1965-07-04 10:00:00 UTC

class DiskTest : public ::testing::Test {
protected:
    void SetUp() override {
        char base[MAX_PATH];
        ::GetTempPathA(MAX_PATH, base);
        static unsigned counter = 0;
        for (;;) {
            char name[MAX_PATH];
            std::snprintf(name, sizeof name, "%svorlix-platform-%lu-%u", base,
                          static_cast<unsigned long>(::GetCurrentProcessId()), counter++);
            if (::CreateDirectoryA(name, nullptr)) {
                dir = std::string(name) + "\\";
                break;
            }
        }
    }
    void TearDown() override { RemoveTree(dir); }

    static void RemoveTree(const std::string& path) {
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((path + "*").c_str(), &data);
        if (find != INVALID_HANDLE_VALUE) {
            do {
                const std::string name = data.cFileName;
                if (name == "." || name == "..") continue;
                ::SetFileAttributesA((path + name).c_str(), FILE_ATTRIBUTE_NORMAL);
                if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(path + name + "\\");
                } else {
                    ::DeleteFileA((path + name).c_str());
                }
            } while (::FindNextFileA(find, &data));
            ::FindClose(find);
        }
        ::RemoveDirectoryA(path.c_str());
    }

    std::string Write(const std::string& name, const std::string& contents) const {
        const std::string path = dir + name;
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        EXPECT_NE(file, INVALID_HANDLE_VALUE) << path;
        DWORD written = 0;
        ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        ::CloseHandle(file);
        return path;
    }

    std::string MakeDir(const std::string& name) const {
        EXPECT_TRUE(::CreateDirectoryA((dir + name).c_str(), nullptr));
        return dir + name + "\\";
    }

    // Contents on disk; "<missing>" when the file cannot be opened.
    std::string Read(const std::string& name) const {
        HANDLE file = ::CreateFileA((dir + name).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
        if (file == INVALID_HANDLE_VALUE) return "<missing>";
        char buffer[256];
        DWORD got = 0;
        ::ReadFile(file, buffer, sizeof buffer, &got, nullptr);
        ::CloseHandle(file);
        return std::string(buffer, got);
    }

    // Names in a directory as the file system spells them, sorted, without "." and "..".
    static Names OnDisk(const std::string& path) {
        Names names;
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA((path + "*").c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) return names;
        do {
            const std::string name = data.cFileName;
            if (name != "." && name != "..") names.push_back(name);
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
        std::sort(names.begin(), names.end());
        return names;
    }

    static DWORD Attributes(const std::string& path) { return ::GetFileAttributesA(path.c_str()); }

    FileServices& services = Platform();
    std::string dir;
};

TEST_F(DiskTest, MoveNeverReplacesAndRenamesCaseOnDisk) {
    struct Case {
        const char* what;
        const char* from;
        const char* to;
        bool ok;
        Names after;
    } const cases[] = {
        {"rename", "a.txt", "b.txt", true, {"b.txt", "readme.txt", "sub"}},
        {"target exists", "a.txt", "readme.txt", false, {"a.txt", "readme.txt", "sub"}},
        {"target exists in other case", "a.txt", "README.TXT", false, {"a.txt", "readme.txt", "sub"}},
        {"case only", "readme.txt", "README.TXT", true, {"README.TXT", "a.txt", "sub"}},
        {"case only, trailing dot", "readme.txt", "Readme.txt.", true, {"Readme.txt", "a.txt", "sub"}},
        {"trailing dots and blanks dropped", "a.txt", "b. .", true, {"b", "readme.txt", "sub"}},
        {"missing source", "none.txt", "b.txt", false, {"a.txt", "readme.txt", "sub"}},
        {"missing target directory", "a.txt", "none\\a.txt", false, {"a.txt", "readme.txt", "sub"}},
        {"into a subdirectory", "a.txt", "sub\\a.txt", true, {"readme.txt", "sub"}},
        {"same name", "a.txt", "a.txt", true, {"a.txt", "readme.txt", "sub"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write("a.txt", "A");
        Write("readme.txt", "R");
        MakeDir("sub");
        EXPECT_EQ(services.MoveFile(dir + c.from, dir + c.to), c.ok);
        EXPECT_EQ(OnDisk(dir), c.after);
        // Whatever became of the files, their contents are whole.
        for (const std::string& name : OnDisk(dir)) {
            if (name != "sub") { EXPECT_EQ(Read(name), name[0] == 'a' || name[0] == 'b' ? "A" : "R") << name; }
        }
        TearDown();
        SetUp();
    }
}

TEST_F(DiskTest, ReadOnlyFileTakesNewTimesAndStaysReadOnly) {
    const std::string path = Write("ro.txt", "x");
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    std::string error;
    // As a caller stamps it: read-only off with the time, then the attributes back.
    FileStatus status;
    ASSERT_TRUE(services.GetStatus(path, status));
    const unsigned saved = status.attribute;
    ASSERT_TRUE(saved & kFileReadOnly);
    status.modified = k2040;
    status.created = status.accessed = 0;
    status.attribute = 0;
    EXPECT_TRUE(services.SetStatus(path, status, error)) << error;
    status.modified = 0;
    status.attribute = saved;
    EXPECT_TRUE(services.SetStatus(path, status, error)) << error;

    ASSERT_TRUE(services.GetStatus(path, status));
    EXPECT_EQ(status.modified, k2040);
    EXPECT_TRUE(Attributes(path) & FILE_ATTRIBUTE_READONLY);
    EXPECT_FALSE(services.DeleteFile(path));
}

TEST_F(DiskTest, AttributesAreSetAndCleared) {
    struct Case {
        const char* what;
        DWORD before;
        unsigned wanted;
        DWORD mustHave;
        DWORD mustLack;
    } const cases[] = {
        {"hidden", FILE_ATTRIBUTE_NORMAL, kFileHidden | kFileArchive, FILE_ATTRIBUTE_HIDDEN, FILE_ATTRIBUTE_READONLY},
        {"system", FILE_ATTRIBUTE_NORMAL, kFileSystem | kFileArchive, FILE_ATTRIBUTE_SYSTEM, FILE_ATTRIBUTE_HIDDEN},
        {"hidden, system and read-only at once", FILE_ATTRIBUTE_NORMAL, 0x27,
         FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_READONLY, 0},
        {"hidden cleared", FILE_ATTRIBUTE_HIDDEN, kFileArchive, 0, FILE_ATTRIBUTE_HIDDEN},
        {"read-only cleared", FILE_ATTRIBUTE_READONLY, kFileArchive, 0, FILE_ATTRIBUTE_READONLY},
        {"read-only and hidden: hidden cleared", FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN,
         kFileReadOnly | kFileArchive, FILE_ATTRIBUTE_READONLY, FILE_ATTRIBUTE_HIDDEN},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const std::string path = Write("f.txt", "x");
        ASSERT_TRUE(::SetFileAttributesA(path.c_str(), c.before));
        FileStatus status;
        status.attribute = c.wanted;
        std::string error;
        EXPECT_TRUE(services.SetStatus(path, status, error)) << error;
        const DWORD after = Attributes(path);
        EXPECT_EQ(after & c.mustHave, c.mustHave);
        EXPECT_EQ(after & c.mustLack, 0u);
        // The enumeration sees the same bits.
        services.EnumerateDirectory(dir, [&](const FindEntry& e) {
            if (e.name == "f.txt") { EXPECT_EQ(e.attrib & 0x07, after & 0x07); }
        });
        ::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileA(path.c_str());
    }
}

TEST_F(DiskTest, TimesBefore1970AndAfter2038ReadBack) {
    const std::string path = Write("t.txt", "x");
    for (TimeValue when : {k2040, k1965, TimeValue{4102444800LL}}) {
        FileStatus status;
        ASSERT_TRUE(services.GetStatus(path, status));
        status.modified = when;
        status.created = status.accessed = 0;
        std::string error;
        ASSERT_TRUE(services.SetStatus(path, status, error)) << error;
        ASSERT_TRUE(services.GetStatus(path, status));
        EXPECT_EQ(status.modified, when);
        TimeValue listed = 0;
        services.EnumerateDirectory(dir, [&](const FindEntry& e) {
            if (e.name == "t.txt") listed = e.writeTime;
        });
        EXPECT_EQ(listed, when);
    }
}

TEST_F(DiskTest, StatusOfMissingFilesAndRefusedChangesFail) {
    FileStatus status;
    EXPECT_FALSE(services.GetStatus(dir + "none.txt", status));
    std::string error;
    status.modified = k2040;
    EXPECT_FALSE(services.SetStatus(dir + "none.txt", status, error));
    EXPECT_NE(error.find(dir + "none.txt"), std::string::npos) << error;

    // A directory cannot be opened for writing its times: a readable reason comes back.
    const std::string sub = MakeDir("sub");
    ASSERT_TRUE(services.GetStatus(sub, status));
    EXPECT_TRUE(status.attribute & kFileDirectory);
    status.modified = k2040;
    error.clear();
    EXPECT_FALSE(services.SetStatus(sub, status, error));
    const std::string prefix = "Cannot set the times of " + sub + ": ";
    EXPECT_EQ(error.compare(0, prefix.size(), prefix), 0) << error;
    EXPECT_GT(error.size(), prefix.size()) << error;
}

TEST_F(DiskTest, EnumerationListsEverything) {
    Write("a.b.c", "1");
    Write("noext", "22");
    Write(".dotfirst", "3");
    MakeDir("sub.dir");
    MakeDir("plain");
    Names files, dirs;
    ASSERT_TRUE(services.EnumerateDirectory(dir, [&](const FindEntry& e) {
        ((e.attrib & kFileDirectory) ? dirs : files).push_back(e.name);
        if (!(e.attrib & kFileDirectory)) { EXPECT_GT(e.writeTime, 1000000000) << e.name; }
    }));
    std::sort(files.begin(), files.end());
    std::sort(dirs.begin(), dirs.end());
    EXPECT_EQ(files, (Names{".dotfirst", "a.b.c", "noext"}));
    EXPECT_EQ(dirs, (Names{".", "..", "plain", "sub.dir"}));

    // Without the trailing backslash too; an empty directory still has its dots.
    Names inSub;
    ASSERT_TRUE(services.EnumerateDirectory(dir + "plain", [&](const FindEntry& e) { inSub.push_back(e.name); }));
    std::sort(inSub.begin(), inSub.end());
    EXPECT_EQ(inSub, (Names{".", ".."}));
    EXPECT_FALSE(services.EnumerateDirectory(dir + "none\\", [](const FindEntry&) {}));
}

TEST_F(DiskTest, DeleteFileRefusesReadOnly) {
    const std::string plain = Write("plain.txt", "x");
    const std::string ro = Write("ro.txt", "x");
    ::SetFileAttributesA(ro.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_TRUE(services.DeleteFile(plain));
    EXPECT_FALSE(services.DeleteFile(ro));
    EXPECT_FALSE(services.DeleteFile(plain));
    EXPECT_EQ(OnDisk(dir), Names{"ro.txt"});
}

TEST_F(DiskTest, WriteFileReplacingKeepsTheOldFileOnFailure) {
    struct Case {
        const char* what;
        const char* name;
        bool ok;
        Names after;
    } const cases[] = {
        {"new file", "new.ini", true, {"new.ini", "old.ini", "sub"}},
        {"replaces a file", "old.ini", true, {"old.ini", "sub"}},
        {"a directory stands there", "sub", false, {"old.ini", "sub"}},
        {"missing directory", "none\\a.ini", false, {"old.ini", "sub"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Write("old.ini", "old");
        MakeDir("sub");
        EXPECT_EQ(services.WriteFileReplacing(dir + c.name, "new\r\ncontents"), c.ok);
        EXPECT_EQ(OnDisk(dir), c.after);
        std::string read;
        EXPECT_EQ(services.ReadFile(dir + c.name, read), c.ok);
        if (c.ok) { EXPECT_EQ(read, "new\r\ncontents"); }
        if (std::string(c.name) != "old.ini") { EXPECT_EQ(Read("old.ini"), "old"); }
        TearDown();
        SetUp();
    }
}

TEST_F(DiskTest, ReadFileKeepsEveryByte) {
    const std::string stored("a\r\nb\rc\x1a" "d\0e", 10);
    Write("bytes.txt", stored);
    std::string read;
    ASSERT_TRUE(services.ReadFile(dir + "bytes.txt", read));
    EXPECT_EQ(read, stored);
    EXPECT_FALSE(services.ReadFile(dir + "none.txt", read));
    EXPECT_FALSE(services.ReadFile(MakeDir("sub"), read));
}

TEST_F(DiskTest, DrivesAndDirectories) {
    char saved[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryA(MAX_PATH, saved), 0u);
    const int drive = services.GetDrive();
    ASSERT_GE(drive, 1);

    const DWORD mapped = ::GetLogicalDrives();
    int unmapped = 0;
    for (int d = 26; d >= 4 && unmapped == 0; --d) {
        if (!(mapped & (1u << (d - 1)))) unmapped = d;
    }
    ASSERT_NE(unmapped, 0);
    EXPECT_EQ(services.ChangeDrive(unmapped), -1);
    EXPECT_EQ(services.GetDrive(), drive);

    MakeDir("sub");
    EXPECT_EQ(services.ChangeDir(dir + "sub\\..\\sub"), 0);
    char now[MAX_PATH];
    ::GetCurrentDirectoryA(MAX_PATH, now);
    EXPECT_EQ(std::string(now) + "\\", dir + "sub\\");
    EXPECT_EQ(services.GetDrive(), (dir[0] & ~0x20) - 'A' + 1);
    EXPECT_EQ(services.ChangeDir(dir + "none"), -1);
    EXPECT_EQ(services.ChangeDrive(drive), 0);
    ::SetCurrentDirectoryA(saved);
}

TEST(Win32Clock, LocalTimeRunsDaysOnAndRoundTrips) {
    FileServices& services = Platform();
    EXPECT_EQ(services.MakeLocalTime(1999, 2, 30, 12, 0, 0), services.MakeLocalTime(1999, 3, 2, 12, 0, 0));
    struct Case {
        int year, month, day, hour, minute, second;
        LocalTime normal;
    } const cases[] = {
        {1999, 2, 30, 12, 0, 0, {1999, 3, 2, 12, 0, 0}},
        {2040, 6, 15, 8, 30, 0, {2040, 6, 15, 8, 30, 0}},
        {1980, 1, 1, 0, 0, 0, {1980, 1, 1, 0, 0, 0}},
        {1965, 7, 4, 10, 0, 0, {1965, 7, 4, 10, 0, 0}},
        {2003, 12, 32, 23, 59, 59, {2004, 1, 1, 23, 59, 59}},
    };
    for (const Case& c : cases) {
        const TimeValue value = services.MakeLocalTime(c.year, c.month, c.day, c.hour, c.minute, c.second);
        ASSERT_NE(value, -1) << c.year;
        const LocalTime t = services.ToLocalTime(value);
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::vector<int>{c.normal.year, c.normal.month, c.normal.day, c.normal.hour, c.normal.minute,
                                    c.normal.second}))
            << c.year << "-" << c.month << "-" << c.day;
    }
    // Local time is within a day of UTC.
    EXPECT_LE(std::llabs(services.MakeLocalTime(2040, 6, 15, 8, 30, 0) - k2040), 86400);
    EXPECT_EQ(services.MakeLocalTime(1200, 1, 1, 0, 0, 0), -1);
    EXPECT_LE(std::llabs(services.Now() - static_cast<TimeValue>(std::time(nullptr))), 5);
}

TEST(Win32Platform, StandInIsInstalledAndRemoved) {
    FileServices& real = Platform();
    FakeFileServices fake;
    EXPECT_EQ(SetPlatform(&fake), &real);
    EXPECT_EQ(&Platform(), &fake);
    {
        FakeEntry& entry = fake.AddFile("C:\\x.txt");
        (void)entry;
        EXPECT_TRUE(Platform().MoveFile("C:\\x.txt", "C:\\X.TXT"));
        EXPECT_EQ(fake.log, Names{"Move C:\\x.txt -> C:\\X.TXT"});
    }
    SetPlatform(nullptr);
    EXPECT_EQ(&Platform(), &real);
    const std::string exe = ExecutablePath();
    ASSERT_GT(exe.size(), 4u);
    EXPECT_EQ(exe.substr(exe.size() - 4), ".exe");
    EXPECT_NE(::GetFileAttributesA(exe.c_str()), INVALID_FILE_ATTRIBUTES);
}

}  // namespace
