// The real services on a real disk, each case in a fresh temp directory. Results are
// checked with the Win32 calls directly, not through the services under test.
#include "platform/win32_file_services.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <map>

namespace {

using Names = std::vector<std::string>;
constexpr TimeValue k2040 = 2223361800LL;  // 2040-06-15 08:30:00 UTC

// Names that the platform's usual path handling rewrites ("foo." is taken for "foo", "CON"
// for a device), beside the names they would become, and two names equal but for case
// (made so on the Linux side). Each service reaches exactly the entry it names, or fails
// and changes nothing; no other file changes. A move never replaces a file.
TEST(Win32Services, EveryEntryIsReachedByItsOwnName) {
    const std::string accented = "été.txt", upper = "ÉTÉ.TXT";
    const Names names = {"foo", "foo.", "bar", "bar ", "a.txt", "A.TXT", "CON", "nul", "COM1.log", "aux.c", accented};
    const std::string nul(1, '\0');
    using Act = std::function<bool(FileServices&, const std::string&)>;
    const auto move = [](const std::string& from, const std::string& to) -> Act {
        return [from, to](FileServices& s, const std::string& d) { return !s.MoveFile(d + from, d + to); };
    };
    const auto sizeOf = [](FileServices& s, const std::string& path) {
        FileStatus status;
        return s.GetStatus(path, status) ? status.size : 0;
    };
    const auto setStatus = [](unsigned attribute, TimeValue modified, const std::string& name) -> Act {
        return [=](FileServices& s, const std::string& d) {
            FileStatus status;
            status.attribute = attribute, status.modified = modified;
            return !s.SetStatus(d + name, status);
        };
    };
    // What the action returns, and the files it changes ("" for gone).
    const struct { const char* what; Act act; bool ok; std::map<std::string, std::string> changed; } cases[] = {
        {"delete foo.", [](FileServices& s, const std::string& d) { return s.DeleteFile(d + "foo."); }, true,
         {{"foo.", ""}}},
        {"delete bar and device names", [](FileServices& s, const std::string& d) {
             bool all = true;
             for (const char* name : {"bar ", "CON", "nul", "COM1.log", "aux.c"}) all = s.DeleteFile(d + name) && all;
             return all; }, true, {{"bar ", ""}, {"CON", ""}, {"nul", ""}, {"COM1.log", ""}, {"aux.c", ""}}},
        {"move foo. to a name ending in a dot", move("foo.", "foo2."), true, {{"foo.", ""}, {"foo2", "foo."}}},
        {"move CON", move("CON", "CON_r"), true, {{"CON", ""}, {"CON_r", "CON"}}},
        {"move bar  onto bar", move("bar ", "bar"), false, {}},
        {"never onto a file of another name in another case", move("foo", "BAR"), false, {}},
        {"into a directory that is not there", move("foo", "none\\foo"), false, {}},
        {"case only, trailing dot dropped", move("bar", "BAR."), true, {{"bar", ""}, {"BAR", "bar"}}},
        {"case only onto the other spelling", move("a.txt", "A.TXT"), false, {}},
        {"case only of an accented name", move(accented, upper), true, {{accented, ""}, {upper, accented}}},
        {"case only of a device name: refused as a new name", move("aux.c", "AUX.C"), false, {}},
        {"status", [&](FileServices& s, const std::string& d) {
             return sizeOf(s, d + "foo.") == 4 && sizeOf(s, d + "bar ") == 4 && sizeOf(s, d + "CON") == 3; }, true, {}},
        {"hide bar ", setStatus(kFileArchive | kFileHidden, 0, "bar "), true, {{"bar ", "bar  h"}}},
        {"new time for nul", setStatus(kFileArchive, k2040, "nul"), true, {{"nul", "nul restamped"}}},
        {"new access time alone for foo.", [](FileServices& s, const std::string& d) {
             FileStatus status;
             status.attribute = kFileArchive, status.accessed = k2040;
             WIN32_FILE_ATTRIBUTE_DATA data;
             return !s.SetStatus(d + "foo.", status) &&
                    ::GetFileAttributesExA(Exact(d + "foo.").c_str(), GetFileExInfoStandard, &data) &&
                    ((static_cast<long long>(data.ftLastAccessTime.dwHighDateTime) << 32 |
                      data.ftLastAccessTime.dwLowDateTime) - 116444736000000000LL) / 10000000 == k2040; },
         true, {}},
        {"recycle: names the shell would misread and twins in case are not handed to it", [&](FileServices& s, const std::string& d) {
             using R = FileServices::RecycleResult;
             bool all = true;
             for (const char* name : {"foo.", "bar ", "CON", "nul", "COM1.log", "aux.c", "a.txt", "A.TXT"})
                 all = s.RecycleFile(d + name) == R::NoBin && all;
             // Without the folder that holds Wine's trash, nothing can go to the bin.
             char dataHome[4096] = "";
             ::GetEnvironmentVariableA("XDG_DATA_HOME", dataHome, sizeof dataHome);
             ::SetEnvironmentVariableA("XDG_DATA_HOME", (std::string(dataHome) + "/missing").c_str());
             all = s.RecycleFile(d + "bar") == R::NoBin && all;
             ::SetEnvironmentVariableA("XDG_DATA_HOME", dataHome);
             ::SetFileAttributesA(Exact(d + "bar").c_str(), FILE_ATTRIBUTE_READONLY);
             return all && s.RecycleFile(d + "bar") == R::Failed && s.RecycleFile(d + "gone") == R::Failed &&
                    s.RecycleFile(d + "foo") == R::Recycled && s.RecycleFile(d + accented) == R::Recycled &&
                    InTrash(d + "foo") && InTrash(d + accented); },
         true, {{"foo", ""}, {accented, ""}, {"bar", "bar r"}}},
        {"a NUL byte names nothing", [&](FileServices& s, const std::string& d) {
             FileStatus status;
             std::string read;
             bool none = true;
             for (const std::string& path : {d + "a.txt" + nul + "x", d + nul + "a.txt"})
                 none = none && !s.DeleteFile(path) && !s.GetStatus(path, status) && s.SetStatus(path, status) &&
                        s.MoveFile(path, d + "b.txt") && s.MoveFile(d + "a.txt", path) &&
                        !s.ReadFile(path, read) && !s.WriteFileReplacing(path, "new") &&
                        !s.EnumerateDirectory(path + "\\", [](const FindEntry&) {}) && s.ChangeDir(path) == -1;
             return none; }, true, {}},
    };
    constexpr long long kMade = 1000000000;  // 2001-09-09
    ASSERT_TRUE(TrashIsTheBuilds()) << "run under scripts/lib.sh's with_wine";
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        std::map<std::string, std::string> expected;
        for (const std::string& name : names) {
            dir.WriteFile(name, name);
            ASSERT_TRUE(SetWriteTime(dir.path() + name, kMade)) << name;
            expected[name] = name;
        }
        Win32FileServices files;
        EXPECT_EQ(c.act(files, dir.path()), c.ok);
        for (const auto& [name, state] : c.changed) {
            if (state.empty()) expected.erase(name);
            else expected[name] = state;
        }
        EXPECT_EQ(Files(dir.path(), true, false, kMade), expected);
    }
}

// As a caller stamps a read-only file: its attributes off with the new time, then back on
// in one call (hidden and read-only at once). Times before 1970 and past 2038 read back.
TEST(Win32Services, ReadOnlyFileTakesNewTimesAndKeepsItsAttributes) {
    TempDir dir;
    const std::string path = dir.WriteFile("ro.txt");
    const DWORD readOnlyHidden = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN;
    ASSERT_TRUE(::SetFileAttributesA(path.c_str(), readOnlyHidden));
    Win32FileServices files;
    FileStatus saved, status;
    ASSERT_TRUE(files.GetStatus(path, saved));
    ASSERT_EQ(saved.attribute & 0x07, readOnlyHidden);
    for (TimeValue when : {k2040, TimeValue{-141832800}, TimeValue{4102444800LL}}) {
        FileStatus stamp, restore;
        stamp.modified = when;
        restore.attribute = saved.attribute;
        std::optional<Failure> failure = files.SetStatus(path, stamp);
        if (!failure) failure = files.SetStatus(path, restore);
        EXPECT_FALSE(failure) << failure->message;
        TimeValue listed = 0;
        files.EnumerateDirectory(dir.path(), [&](const FindEntry& e) { if (e.name == "ro.txt") listed = e.writeTime; });
        ASSERT_TRUE(files.GetStatus(path, status));
        EXPECT_EQ((std::vector<TimeValue>{status.modified, listed}), (std::vector<TimeValue>{when, when}));
        EXPECT_EQ(::GetFileAttributesA(path.c_str()) & 0x07, readOnlyHidden);
    }
    EXPECT_FALSE(files.DeleteFile(path));
    status.attribute = kFileArchive;
    status.modified = 0;
    const std::optional<Failure> cleared = files.SetStatus(path, status);
    EXPECT_FALSE(cleared) << cleared->message;
    EXPECT_EQ(::GetFileAttributesA(path.c_str()) & 0x07, 0u);
    status.modified = k2040;
    const std::optional<Failure> none = files.SetStatus(dir.path() + "none.txt", status);
    ASSERT_TRUE(none);
    EXPECT_NE(none->message.find(dir.path() + "none.txt"), std::string::npos) << none->message;
}

// Beside the file lies one of the user's own, named as a temporary copy might be; the
// old file's attributes stay, and a read-only file is not replaced.
TEST(Win32Services, WriteFileReplacingKeepsTheOldFileWhenItCannotReplaceIt) {
    const std::string contents("new\r\nz\x1a\0z", 9);  // read back byte for byte
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    const std::set<std::string> two = {"old.ini", "old.ini.new"}, three = {"new.ini", "old.ini", "old.ini.new"};
    const struct { const char* name; DWORD oldAttributes; bool ok; std::set<std::string> after; } cases[] = {
        {"new.ini", 0, true, three}, {"old.ini", 0, true, two}, {"old.ini", hiddenSystem, true, two},
        {"old.ini", FILE_ATTRIBUTE_READONLY, false, two}, {"sub", 0, false, two}, {"none\\a.ini", 0, false, two},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.name) + " " + std::to_string(c.oldAttributes));
        TempDir dir;
        const std::string old = dir.WriteFile("old.ini", "old");
        dir.WriteFile("old.ini.new", "mine");
        dir.MakeDir("sub");
        ASSERT_TRUE(!c.oldAttributes || ::SetFileAttributesA(old.c_str(), c.oldAttributes));
        Win32FileServices files;
        EXPECT_EQ(files.WriteFileReplacing(dir.path() + c.name, contents), c.ok);
        EXPECT_EQ(::GetFileAttributesA(old.c_str()) & 0x07, c.oldAttributes);
        ::SetFileAttributesA(old.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(NamesIn(dir.path()), c.after);
        EXPECT_NE(::GetFileAttributesA((dir.path() + "sub").c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
        const bool replacing = std::string(c.name) == "old.ini";
        std::string read;
        EXPECT_EQ(files.ReadFile(dir.path() + c.name, read) ? read : "-", c.ok ? contents : replacing ? "old" : "-");
        EXPECT_EQ(ReadFile(old), c.ok && replacing ? contents : "old");
        EXPECT_EQ(ReadFile(dir.path() + "old.ini.new"), "mine");
    }
}

TEST(Win32Services, UnmappedDriveAndMissingDirectoryFail) {
    TempDir dir;
    char saved[MAX_PATH];
    ASSERT_NE(::GetCurrentDirectoryA(MAX_PATH, saved), 0u);
    Win32FileServices services;
    const int drive = services.GetDrive();
    int unmapped = 26;
    while (unmapped > 3 && (::GetLogicalDrives() & (1u << (unmapped - 1)))) --unmapped;
    ASSERT_GT(unmapped, 3);
    EXPECT_EQ(services.ChangeDrive(unmapped), -1);
    EXPECT_EQ(services.GetDrive(), drive);
    EXPECT_EQ(services.ChangeDir(dir.MakeDir("sub") + "..\\sub"), 0);
    EXPECT_EQ(services.ChangeDir(dir.path() + "none"), -1);
    EXPECT_FALSE(services.EnumerateDirectory(dir.path() + "none\\", [](const FindEntry&) {}));
    EXPECT_FALSE(services.CanList(dir.path() + "none\\"));
    // Entered by its exact name: "trip." is not "trip" (which does not exist here).
    EXPECT_EQ(services.ChangeDir(dir.MakeDir("trip.")), 0);
    EXPECT_TRUE(services.CanList(dir.path() + "trip.\\"));
    EXPECT_EQ(services.ChangeDrive(drive), 0);
    ::SetCurrentDirectoryA(saved);
}

// The platform's own conversion, before 1970 and past 2038 (days past the end of a month
// run on), and its first year.
TEST(Win32Services, LocalTimeRunsDaysOnAndRoundTrips) {
    Win32FileServices services;
    for (const std::vector<int>& c : {std::vector<int>{1965, 7, 4, 1965, 7, 4}, {2040, 2, 30, 2040, 3, 1}}) {
        const LocalTime t = services.ToLocalTime(services.MakeLocalTime(c[0], c[1], c[2], 8, 30, 59));
        EXPECT_EQ((std::vector<int>{t.year, t.month, t.day, t.hour, t.minute, t.second}),
                  (std::vector<int>{c[3], c[4], c[5], 8, 30, 59}));
    }
    EXPECT_LE(std::llabs(services.MakeLocalTime(2040, 6, 15, 8, 30, 0) - k2040), 86400);
    EXPECT_EQ(services.MakeLocalTime(1200, 1, 1, 0, 0, 0), -1);
}

}  // namespace
