// A recording stand-in for the platform's file and time services: an in-memory tree of
// drives, directories and files with the same contract as the real services (a move never
// replaces a file, a case-only rename changes the name, a read-only file takes its
// attributes before its times). It shows what the real file system here cannot: attribute
// word 0, creation times, a read-only file refusing new times, drives without a medium.
//
// Paths are Windows paths ("C:\dir\file.txt"; "/" counts as "\"), compared without regard
// to ASCII case; names keep the spelling they were created with, and a name is never
// rewritten ("foo." is not "foo") except as a move's target. A path without a drive is
// taken from the current directory; a path holding a NUL names nothing. Local time is UTC.
#pragma once

#include "platform/file_services.h"

#include <map>
#include <set>
#include <string>
#include <vector>

struct FakeEntry {
    std::string path;                // full path as spelled, without a trailing "\" ("C:" for a root)
    unsigned attrib = kFileArchive;  // kFileDirectory for a directory
    // `created` and `accessed` 0: none kept (the status then reports `modified`).
    TimeValue modified = 0, created = 0, accessed = 0;
    int64_t modifiedTicks = 0;  // the exact count, when one was set; else `modified` in whole seconds
    std::string contents;    // a file's bytes; its size is contents.size() unless `size` is set
    // `id`: its identity's number, given when it is made and kept through moves.
    uint64_t size = 0, id = 0;
    bool IsDir() const { return (attrib & kFileDirectory) != 0; }
    std::string Name() const { return path.substr(path.rfind('\\') + 1); }  // the last part of the path
    uint64_t Size() const { return size != 0 ? size : contents.size(); }
};

class FakeFileServices : public FileServices {
public:
    // Starts with drive C: ready, holding only its root, which is current.
    FakeFileServices() { AddDrive(3); }

    // Missing parent directories are created and their drives added. An existing entry
    // is replaced; the entry is returned so that a test can adjust it.
    FakeEntry& AddDir(const std::string& path, TimeValue modified = 0);
    FakeEntry& AddFile(const std::string& path, unsigned attrib = kFileArchive, TimeValue modified = 0,
                       const std::string& contents = std::string());
    // A drive (1 for A); one that is not ready has no medium (ChangeDrive fails).
    void AddDrive(int drive, bool ready = true);
    FakeEntry* Find(const std::string& path);
    // The files (no folders) of the directories given ("C:\d\"), in the order of their keys.
    std::vector<const FakeEntry*> FilesIn(std::initializer_list<const char*> dirs) const;

    TimeValue now = 0;  // what Now() gives

    // One line per call, in call order: "Enumerate C:\a\", "GetDrive", "ChangeDrive 4",
    // "ChangeDir C:\a\", "Move C:\a\x -> C:\a\y", "Delete C:\a\x", "Recycle C:\a\x",
    // "GetStatus C:\a\x", "SetStatus C:\a\x", "ReadFile C:\a\x", "ReadFileStart C:\a\x 4096"
    // (at most 4096 bytes), "WriteFile C:\a\x", "Append C:\a\x", "MakeDir C:\a",
    // "SetTicks C:\a\x 123", "MoveExact C:\a\x -> C:\a\y", "GetIdentity C:\a\x",
    // "Hold C:\a\x" and "Held C:\a\x" for each read or write of a held file; inside a SetStatus one line per
    // change, in order: "SetAttrib C:\a\x 0x21", "SetTimes C:\a\x m=1000 c=0 a=0".
    // A call that fails has " failed" appended, a file that cannot go to the bin " no bin".
    // The clock calls are not logged.
    std::vector<std::string> log;

    // The file system's rule for names: by default "A.TXT" and "a.txt" name one entry (and
    // only ASCII letters fold, as no rule of the program's is borrowed); when set, they
    // are two, as on a disk that tells case apart.
    bool caseSensitive = false;
    // Drives ("D:") and files ("C:\a\x") that cannot go to a recycle bin, in lower case
    // (list here a name the shell would misread, which the real services keep from the bin).
    std::set<std::string> noBin;

    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override;
    int GetDrive() override;
    int ChangeDrive(int drive) override;
    int ChangeDir(const std::string& path) override;
    std::optional<Failure> MoveFile(const std::string& from, const std::string& to) override;
    std::optional<Failure> MoveFileToExactName(const std::string& from, const std::string& to) override;
    bool ExistsAsSpelled(const std::string& path) override;
    bool DeleteFile(const std::string& path) override;
    RecycleResult RecycleFile(const std::string& path) override;
    bool GetStatus(const std::string& path, FileStatus& status) override;
    std::optional<Failure> SetStatus(const std::string& path, const FileStatus& status) override;
    std::optional<Failure> SetModifiedTicks(const std::string& path, int64_t ticks) override;
    TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) override;
    LocalTime ToLocalTime(TimeValue time) override;
    TimeValue Now() override { return now; }
    bool ReadFile(const std::string& path, std::string& contents) override;
    bool ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) override;
    bool WriteFileReplacing(const std::string& path, const std::string& contents) override;
    bool AppendFile(const std::string& path, const std::string& contents) override;
    bool MakeDirectory(const std::string& path) override;
    bool GetIdentity(const std::string& path, FileIdentity& identity) override;
    std::unique_ptr<HeldFile> HoldFile(const std::string& path, bool create, HoldRefusal& why) override;

    // A resolved path as the entries are keyed: lower case unless `caseSensitive`.
    std::string Key(const std::string& resolved) const;

private:
    bool Held(const std::string& path) const;
    bool Write(const char* logged, const std::string& path, const std::string& contents, bool append);
    // A move to the name `stored`, logged as `logged` + "FROM -> TO".
    std::optional<Failure> Move(const char* logged, const std::string& from, const std::string& to,
                                const std::string& stored);
    // Full path as in FakeEntry::path, "." and ".." resolved.
    std::string Resolve(const std::string& path) const;
    bool Ready(const std::string& resolved) const;
    bool Log(const std::string& line, bool ok);

    std::map<std::string, FakeEntry> m_entries;  // by Key of the resolved path
    std::set<std::string> m_held;                // by Key, held here
    uint64_t m_lastId = 0;
    std::map<int, bool> m_drives;                // drive number -> ready
    std::string m_current = "C:";                // current directory, resolved
};
