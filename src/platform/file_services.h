// The file-system and clock services the program relies on, behind one interface,
// so that behaviour the real file system cannot show here (attribute word 0, a
// read-only file refusing new times, a failing move) can be tested with a stand-in.
// Plain types only: no Windows headers.
#pragma once

#include "platform/failure.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "platform/no_file_macros.h"

// Attribute bits of a file.
constexpr unsigned kFileReadOnly = 0x01;
constexpr unsigned kFileHidden = 0x02;
constexpr unsigned kFileSystem = 0x04;
constexpr unsigned kFileDirectory = 0x10;
constexpr unsigned kFileArchive = 0x20;

// One directory entry as the enumeration gives it.
struct FindEntry {
    std::string name;        // bare name, at most 259 characters
    unsigned attrib = 0;     // attribute word (0 for a file with no attribute at all)
    int64_t writeTime = 0;   // last write, seconds since 1970-01-01 UTC
    uint64_t size = 0;
    // The name does not lead back to this entry: the platform's name is not valid Unicode
    // (shown with U+FFFD), so no operation may be done by it; it would reach another
    // entry or none.
    bool strayName = false;
};

// What the user is told when an operation is asked for an entry with a stray name.
std::string StrayNameText(const std::string& name);

// Time value: whole seconds since 1970-01-01 00:00:00 UTC, 64 bits wide so that
// dates from 2038 on work. 0 in a status record means "no time" (left alone).
using TimeValue = int64_t;

// Status of one file: its times, size and attribute byte.
struct FileStatus {
    TimeValue modified = 0;
    TimeValue created = 0;   // the last-modified time stands in where none is kept
    TimeValue accessed = 0;  // likewise
    uint64_t size = 0;
    unsigned attribute = 0;
    // The last-modified time as the file system counts it (100 ns since 1601-01-01 UTC):
    // kept so that a time put back is exactly the one the file had.
    int64_t modifiedTicks = 0;
};

// Who a file is, whatever its name: a file keeps its volume and number through renames
// and moves on its volume, and a run changes no file's size. 0s where it is not known.
struct FileIdentity {
    uint32_t volume = 0;
    uint64_t number = 0;
    uint64_t size = 0;
    bool directory = false;
};
inline bool SameFile(const FileIdentity& a, const FileIdentity& b) {
    return a.number != 0 && a.volume == b.volume && a.number == b.number && a.size == b.size;
}

// A file held open by this program: others may read it meanwhile, but not write, replace
// or delete it, until the holder lets it go (destroys it). One holder at a time: another
// program (or another holder here) is refused the same file.
class HeldFile {
public:
    virtual ~HeldFile() = default;
    // The whole contents, as stored.
    virtual bool Read(std::string& contents) = 0;
    // The contents replaced by `contents`, in place.
    virtual bool Rewrite(const std::string& contents) = 0;
    virtual bool Append(const std::string& contents) = 0;
};

// A local date and time broken down.
struct LocalTime {
    int year = 1970, month = 1, day = 1, hour = 0, minute = 0, second = 0;
};

// Paths are full paths in the program's text ("C:\dir\name"). A path naming an existing
// entry (a directory read, a file moved away, deleted, read or changed) reaches exactly
// the entry of that name: the platform's rewriting of names does not apply to it, so
// "foo." is not "foo", "bar " is not "bar" and "CON" or "aux.c" are files like any other.
// A new name (the target of a move, a file written) is made by the platform's usual
// rules. A path holding a NUL character names nothing: every operation on it fails.
class FileServices {
public:
    virtual ~FileServices() = default;

    // Calls `entry` for every entry of the directory `dir` (a path ending in a
    // backslash), "." and ".." included where the file system reports them.
    // Returns false when the directory cannot be read.
    virtual bool EnumerateDirectory(const std::string& dir,
                                    const std::function<void(const FindEntry&)>& entry) = 0;

    // Whether the directory `dir` can be read, as EnumerateDirectory would (a folder that
    // may be passed through but not listed cannot), without reading it all.
    virtual bool CanList(const std::string& dir) {
        return EnumerateDirectory(dir, [](const FindEntry&) {});
    }

    // Current drive, 1 for A.
    virtual int GetDrive() = 0;
    // Makes a drive current (1 for A); 0 on success, -1 when there is no such drive or medium.
    virtual int ChangeDrive(int drive) = 0;
    // Makes a directory (drive included) current, reached by its exact name; 0 on success,
    // -1 when it cannot be entered.
    virtual int ChangeDir(const std::string& path) = 0;

    // Renames or moves one file. Never replaces an existing file: fails when the target
    // exists (also when it differs only in case from another file). A rename that changes
    // only the case of the name changes it on disk. Trailing dots and blanks of the target
    // name are dropped. The failure's message is MoveFailure's (move_rules.h); when the
    // file could be neither renamed nor put back after a first step, its `leftAs` is the
    // path the file was left under (the user has to be told where it is).
    virtual std::optional<Failure> MoveFile(const std::string& from, const std::string& to) = 0;
    // Deletes one file for good; fails for a read-only file.
    virtual bool DeleteFile(const std::string& path) = 0;
    // Sends one file to the recycle bin, where the user can get it back. Fails, leaving
    // it alone, for a read-only file or one that is not there. NoBin, leaving it alone too,
    // where the file cannot go to a bin: its drive has none (or would delete it for good),
    // or its name is one the shell's path rules would take for another entry (see
    // ShellNamesExactly in move_rules.h, and a twin differing only in case). A file that
    // is still there under its exact name after the shell's work counts as a failure.
    enum class RecycleResult { Recycled, NoBin, Failed };
    virtual RecycleResult RecycleFile(const std::string& path) = 0;
    // Where <windows.h> comes after this header, calls of MoveFile and DeleteFile are
    // turned into these names; they lead to the members above.
    std::optional<Failure> MoveFileA(const std::string& from, const std::string& to) { return MoveFile(from, to); }
    bool DeleteFileA(const std::string& path) { return DeleteFile(path); }

    // Moves a file to exactly the name given: unlike MoveFile, the target is not rewritten
    // ("foo." stays "foo."), so a file gets back a name that the usual rules would change.
    // Never replaces an existing file; a change of case only is carried out.
    virtual std::optional<Failure> MoveFileToExactName(const std::string& from, const std::string& to) = 0;
    // True when an entry exists whose name is spelt exactly as the last part of `path`
    // (case included): on a file system that ignores case, "A.TXT" exists for any path
    // "a.txt" names, but as spelt only when the file is called "A.TXT".
    virtual bool ExistsAsSpelled(const std::string& path) = 0;

    // Times, size and attributes of a file; false when it cannot be read.
    virtual bool GetStatus(const std::string& path, FileStatus& status) = 0;
    // Sets the attribute byte when it differs from the file's, and the times that are not
    // 0 (a time given as 0 stays exactly as it is). A read-only file gets its attributes
    // first, other files after the times (so new times on a file that stays read-only fail).
    // The failure names the path and the reason.
    virtual std::optional<Failure> SetStatus(const std::string& path, const FileStatus& status) = 0;
    // New times for a file, whatever its attributes: `status` is the file's status as
    // read, with the times to set in place of those read (a time given as 0 stays as it
    // is). A read-only file loses the bit only while its times are set and stays
    // read-only; its attributes are otherwise left alone. The failure is SetStatus's.
    std::optional<Failure> StampTimes(const std::string& path, const FileStatus& status);
    // Gives a writable file exactly the last-modified time `ticks` (FileStatus::modifiedTicks);
    // its other times and its attributes stay.
    virtual std::optional<Failure> SetModifiedTicks(const std::string& path, int64_t ticks) = 0;
    // The same for a file with the attribute word `attribute` as read, read-only or not,
    // as StampTimes does it.
    std::optional<Failure> StampModifiedTicks(const std::string& path, unsigned attribute, int64_t ticks);

    // Local date and time to a time value; the platform decides daylight saving, and
    // days beyond the end of a month run into the next one. -1 when not representable.
    virtual TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) = 0;
    // A time value broken down in local time.
    virtual LocalTime ToLocalTime(TimeValue time) = 0;
    virtual TimeValue Now() = 0;

    // Whole contents of a text file, as stored (line ends untouched); false when it cannot be read.
    virtual bool ReadFile(const std::string& path, std::string& contents) = 0;
    // At most the first `maxBytes` bytes of a file, as stored, whatever its size; false
    // when it cannot be read. For files of which only a known beginning is used.
    virtual bool ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) = 0;
    // Opens a file once to read pieces of it where its format says: `use` gets the file's
    // size and a reader of `size` bytes at `offset` (fewer at the end). False when the
    // file cannot be opened. This one reads the whole file first (for stand-ins).
    using PieceRead = std::function<bool(uint64_t offset, size_t size, std::string& out)>;
    virtual bool ReadFilePieces(const std::string& path, const std::function<void(uint64_t, const PieceRead&)>& use);
    // How many threads may call ReadFilePieces at once. Opening a file is mostly waiting,
    // so reading many files side by side pays even on one core; a stand-in that keeps
    // its files in memory without locks says 1.
    virtual int PieceReaders() { return 1; }
    // Writes a file so that its old contents stay intact until the new ones are complete:
    // the new file is written beside it and replaces it only when finished. False on failure,
    // and the old file is then as it was.
    virtual bool WriteFileReplacing(const std::string& path, const std::string& contents) = 0;
    // Adds `contents` at the end of a file, which is made when missing. False on failure.
    virtual bool AppendFile(const std::string& path, const std::string& contents) = 0;
    // Makes a directory and any missing directory above it; true when it exists afterwards.
    virtual bool MakeDirectory(const std::string& path) = 0;

    // The identity of the entry at exactly `path`; false when there is none or it cannot be opened.
    virtual bool GetIdentity(const std::string& path, FileIdentity& identity) = 0;
    // Holds the file at `path` (made, empty, when `create` and missing). Null when it cannot
    // be held; `why` then says whether it is missing, held by another, or refused otherwise.
    enum class HoldRefusal { None, Missing, HeldElsewhere, Failed };
    virtual std::unique_ptr<HeldFile> HoldFile(const std::string& path, bool create, HoldRefusal& why) = 0;
    // Told by MoveFile and MoveFileToExactName, before the file takes it, of the temporary
    // name a change of case goes through (`from` as given): should the program end between
    // the two moves, whoever was told knows where the file is.
    std::function<void(const std::string& from, const std::string& temporary)> onTemporaryName;

private:
    // Runs `stamp`, then gives a read-only file (by `attribute`) its bit back.
    std::optional<Failure> KeepingReadOnly(const std::string& path, unsigned attribute,
                                           const std::function<std::optional<Failure>()>& stamp);
};
