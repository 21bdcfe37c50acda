// A recording stand-in for the platform's file and time services: an in-memory tree of
// drives, directories and files that keeps the same contract as the real services
// (a move never replaces a file, a case-only rename changes the name, a read-only file
// takes its attributes before its times), can show what the real file system here
// cannot (attribute word 0, creation times, a read-only file refusing new times, drives
// without a medium), fails on request, and logs every call for tests to check.
//
// Paths are Windows paths ("C:\dir\file.txt"); "/" counts as "\". Names are compared
// without regard to ASCII case and keep the spelling they were created with. A path
// without a drive is taken from the current directory.
//
// Install with SetPlatform(&fake) and restore with SetPlatform(nullptr) (or use
// FakePlatformScope).
#pragma once

#include "platform/file_services.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeEntry {
    std::string path;   // full path as spelled, directories without a trailing "\"
    std::string name;   // last part of the path
    unsigned attrib = kFileArchive;  // kFileDirectory for a directory
    TimeValue modified = 0;
    TimeValue created = 0;   // 0: none kept (the status then reports `modified`)
    TimeValue accessed = 0;  // likewise
    std::string contents;    // a file's bytes; its size is contents.size() unless `size` is set
    uint64_t size = 0;
    bool IsDir() const { return (attrib & kFileDirectory) != 0; }
};

class FakeFileServices : public FileServices {
public:
    // Starts with drive C: ready, holding only its root, current directory "C:\".
    FakeFileServices();

    // --- Building the tree. Missing parent directories are created, their drives added.
    // Returns the entry so a test can adjust it; an existing entry is replaced.
    FakeEntry& AddDir(const std::string& path, TimeValue modified = 0);
    FakeEntry& AddFile(const std::string& path, unsigned attrib = kFileArchive, TimeValue modified = 0,
                       const std::string& contents = std::string());
    // A drive (1 for A); not ready means present but without a medium (ChangeDrive fails).
    void AddDrive(int drive, bool ready = true);

    // --- Looking at the tree.
    FakeEntry* Find(const std::string& path);
    const FakeEntry* Find(const std::string& path) const;
    bool Exists(const std::string& path) const { return Find(path) != nullptr; }
    // Names in a directory as spelled, sorted without regard to case; no "." or "..".
    std::vector<std::string> Names(const std::string& dir) const;
    // The current directory, ending in "\" ("C:\" at start).
    std::string CurrentDir() const;

    // --- Scripted failures (paths compared without regard to case).
    std::set<std::string> failMove;       // MoveFile fails when its source or target is here
    std::set<std::string> failDelete;     // DeleteFile fails for these
    std::set<std::string> failStatus;     // GetStatus fails for these
    std::set<std::string> failSetStatus;  // SetStatus fails for these, changing nothing
    std::set<std::string> failRead;       // ReadFile fails for these
    std::set<std::string> failWrite;      // WriteFileReplacing fails for these
    std::set<std::string> failChangeDir;  // ChangeDir fails for these
    // A read-only file refuses new times (as on Windows and for a non-root user under
    // Wine). Set to false to have them taken, as root can under Wine.
    bool readOnlyRefusesTimes = true;

    // --- The clock: local time is UTC plus this many seconds, with no daylight saving.
    TimeValue now = 0;
    int64_t utcOffset = 0;

    // --- The log: one line per call, in call order:
    //   "Enumerate C:\a\"          "GetDrive"             "ChangeDrive 4"
    //   "ChangeDir C:\a\"          "Move C:\a\x -> C:\a\y" "Delete C:\a\x"
    //   "GetStatus C:\a\x"         "SetStatus C:\a\x"      "ReadFile C:\a\x"
    //   "WriteFile C:\a\x"
    // and, inside a SetStatus, one line per change it makes, in order:
    //   "SetAttrib C:\a\x 0x21"    "SetTimes C:\a\x m=1000 c=0 a=0"
    // A call that fails has " failed" appended. The clock calls are not logged.
    std::vector<std::string> log;
    // The log lines that start with `prefix` ("Move", "SetTimes", ...).
    std::vector<std::string> Calls(const std::string& prefix) const;

    // FileServices
    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override;
    int GetDrive() override;
    int ChangeDrive(int drive) override;
    int ChangeDir(const std::string& path) override;
    bool MoveFile(const std::string& from, const std::string& to) override;
    bool DeleteFile(const std::string& path) override;
    bool GetStatus(const std::string& path, FileStatus& status) override;
    bool SetStatus(const std::string& path, const FileStatus& status, std::string& error) override;
    TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) override;
    LocalTime ToLocalTime(TimeValue time) override;
    TimeValue Now() override;
    bool ReadFile(const std::string& path, std::string& contents) override;
    bool WriteFileReplacing(const std::string& path, const std::string& contents) override;

private:
    // Full path without a trailing "\" ("C:" for a root), "." and ".." resolved; "" when
    // the path cannot be read.
    std::string Resolve(const std::string& path) const;
    bool InSet(const std::set<std::string>& set, const std::string& resolved) const;
    bool DriveReady(int drive) const;
    void Log(const std::string& line, bool ok);

    std::map<std::string, FakeEntry> m_entries;  // by lower-case resolved path
    std::map<int, bool> m_drives;                // drive number -> ready
    std::map<int, std::string> m_driveDirs;      // current directory of each drive, resolved
    int m_drive = 3;
};

// Installs a stand-in for the life of a scope.
class FakePlatformScope {
public:
    explicit FakePlatformScope(FileServices& services) : m_previous(SetPlatform(&services)) {}
    ~FakePlatformScope() { SetPlatform(m_previous); }
    FakePlatformScope(const FakePlatformScope&) = delete;
    FakePlatformScope& operator=(const FakePlatformScope&) = delete;

private:
    FileServices* m_previous;
};
