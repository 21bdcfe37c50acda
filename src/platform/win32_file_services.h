// The real file and time services, on the Win32 API and the C runtime. They keep no
// state of their own (the current drive and directory are the process's): WinMain
// makes the program's on its stack, and a test may make its own.
#pragma once

#include "platform/file_services.h"

#include "platform/no_file_macros.h"
#include <string>
#include <vector>

class Win32FileServices : public FileServices {
public:
    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override;
    int PieceReaders() override;
    bool CanList(const std::string& dir) override;
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
    TimeValue Now() override;
    bool ReadFile(const std::string& path, std::string& contents) override;
    bool ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) override;
    bool ReadFilePieces(const std::string& path, const std::function<void(uint64_t, const PieceRead&)>& use) override;
    bool WriteFileReplacing(const std::string& path, const std::string& contents) override;
    bool AppendFile(const std::string& path, const std::string& contents) override;
    bool MakeDirectory(const std::string& path) override;
    bool GetIdentity(const std::string& path, FileIdentity& identity) override;
    std::unique_ptr<HeldFile> HoldFile(const std::string& path, bool create, HoldRefusal& why) override;
};

// The user's folder of local application data (%LOCALAPPDATA%), ending in a backslash;
// "" when the system names none.
std::string LocalAppDataPath();
// The user's roaming application data (%APPDATA%), ending in a backslash; "" when none.
std::string AppDataPath();

// What the program was started with, each path a full path in the program's text
// without a final backslash (a drive's root keeps its own):
//   vorlix.exe [PATH...]             folders or files to open
//   vorlix.exe /rules FILE [PATH...] a rule set to open as well
//   vorlix.exe /select FILE          one of several files chosen in Explorer, which
//                                    starts the program once for each
// The switches may be written in any case.
struct CommandLine {
    std::vector<std::string> paths;
    std::string rulesPath;
    bool gather = false;  // "/select"
};
CommandLine ReadCommandLine();

// The system's text for an error code (GetLastError, a registry function's result).
std::string SystemErrorText(unsigned long code);
