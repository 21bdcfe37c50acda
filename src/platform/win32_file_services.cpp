// The real file and time services, on the Win32 API and the C runtime.
#include <windows.h>

#include <direct.h>

#include "platform/civil_time.h"
#include "platform/executable_path.h"
#include "platform/file_services.h"
#include "platform/move_rules.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

// 100-ns intervals from 1601-01-01 to 1970-01-01.
constexpr int64_t kEpochTicks = 116444736000000000LL;
constexpr int64_t kTicksPerSecond = 10000000LL;
// The attribute bits a status record carries into a file.
constexpr DWORD kStatusBits = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                              FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE;
// Settable bits beyond the status record's byte: a new attribute byte keeps them.
constexpr DWORD kKeptBits = FILE_ATTRIBUTE_TEMPORARY | FILE_ATTRIBUTE_OFFLINE |
                            FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;

int64_t Ticks(const FILETIME& time) {
    return static_cast<int64_t>((static_cast<uint64_t>(time.dwHighDateTime) << 32) | time.dwLowDateTime);
}

// Whole seconds, rounded down, so that times before 1970 come out right as well.
TimeValue SecondsOf(const FILETIME& time) {
    int64_t ticks = Ticks(time) - kEpochTicks;
    int64_t seconds = ticks / kTicksPerSecond;
    if (ticks % kTicksPerSecond < 0) --seconds;
    return seconds;
}

bool FileTimeOf(TimeValue seconds, FILETIME& time) {
    constexpr int64_t kFirst = -kEpochTicks / kTicksPerSecond;
    constexpr int64_t kLast = (INT64_MAX - kEpochTicks) / kTicksPerSecond;
    if (seconds < kFirst || seconds > kLast) return false;
    const uint64_t ticks = static_cast<uint64_t>(seconds * kTicksPerSecond + kEpochTicks);
    time.dwLowDateTime = static_cast<DWORD>(ticks);
    time.dwHighDateTime = static_cast<DWORD>(ticks >> 32);
    return true;
}

bool IsZero(const FILETIME& time) { return time.dwLowDateTime == 0 && time.dwHighDateTime == 0; }

// A file with no attribute at all reports "normal"; the program knows it as the word 0.
unsigned AttributeWord(DWORD attributes) {
    return attributes == FILE_ATTRIBUTE_NORMAL ? 0u : static_cast<unsigned>(attributes);
}

// The system's text for an error code, without its line end.
std::string SystemMessage(DWORD code) {
    char* text = nullptr;
    DWORD length = ::FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, reinterpret_cast<char*>(&text), 0, nullptr);
    std::string message;
    if (length != 0 && text != nullptr) message.assign(text, length);
    if (text != nullptr) ::LocalFree(text);
    while (!message.empty() && (message.back() == '\r' || message.back() == '\n' || message.back() == ' ')) {
        message.pop_back();
    }
    if (message.empty()) {
        char number[40];
        std::snprintf(number, sizeof number, "Error %lu.", static_cast<unsigned long>(code));
        message = number;
    }
    return message;
}

std::string Failure(const char* what, const std::string& path, DWORD code) {
    return std::string("Cannot ") + what + " of " + path + ": " + SystemMessage(code);
}

class HandleCloser {
public:
    explicit HandleCloser(HANDLE handle) : m_handle(handle) {}
    ~HandleCloser() {
        if (m_handle != INVALID_HANDLE_VALUE) ::CloseHandle(m_handle);
    }
    HandleCloser(const HandleCloser&) = delete;
    HandleCloser& operator=(const HandleCloser&) = delete;
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

bool MoveOnce(const std::string& from, const std::string& to) {
    return ::MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

// A name in `dir` that no file has; the process id and a counter keep two programs and
// two renames apart.
std::string FreeTemporaryName(const std::string& dir) {
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "~vorlix%lx-%x.tmp",
                      static_cast<unsigned long>(::GetCurrentProcessId()), counter++);
        std::string path = dir + name;
        if (::GetFileAttributesA(path.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
    }
}

bool SetAttributeWord(const std::string& path, DWORD word) {
    return ::SetFileAttributesA(path.c_str(), word == 0 ? FILE_ATTRIBUTE_NORMAL : word) != FALSE;
}

class Win32FileServices : public FileServices {
public:
    bool EnumerateDirectory(const std::string& dir,
                            const std::function<void(const FindEntry&)>& entry) override {
        std::string pattern = dir;
        if (!pattern.empty() && pattern.back() != '\\' && pattern.back() != '/') pattern += '\\';
        pattern += '*';
        WIN32_FIND_DATAA data;
        HANDLE find = ::FindFirstFileA(pattern.c_str(), &data);
        if (find == INVALID_HANDLE_VALUE) {
            // An empty root directory has no "." to report: it is read, with no entries.
            DWORD error = ::GetLastError();
            return error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
        }
        do {
            FindEntry found;
            found.name = data.cFileName;
            found.attrib = AttributeWord(data.dwFileAttributes);
            found.writeTime = SecondsOf(data.ftLastWriteTime);
            entry(found);
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
        return true;
    }

    int GetDrive() override { return _getdrive(); }
    int ChangeDrive(int drive) override { return _chdrive(drive) == 0 ? 0 : -1; }
    int ChangeDir(const std::string& path) override { return _chdir(path.c_str()) == 0 ? 0 : -1; }

    bool MoveFile(const std::string& from, const std::string& to) override {
        if (!IsCaseOnlyRename(from, to)) return MoveOnce(from, to);
        // The platform treats the new name as the file itself and keeps the old spelling.
        const std::string target = StoredTargetPath(to);
        const std::string temp = FreeTemporaryName(DirectoryOf(target));
        DWORD error = 0;
        bool done = RenameThroughTemporary(from, target, temp,
                                           [&error](const std::string& a, const std::string& b) {
                                               if (MoveOnce(a, b)) return true;
                                               if (error == 0) error = ::GetLastError();
                                               return false;
                                           });
        if (!done) ::SetLastError(error);
        return done;
    }

    bool DeleteFile(const std::string& path) override { return ::DeleteFileA(path.c_str()) != FALSE; }

    bool GetStatus(const std::string& path, FileStatus& status) override {
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (!::GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return false;
        status.modified = SecondsOf(data.ftLastWriteTime);
        status.created = IsZero(data.ftCreationTime) ? status.modified : SecondsOf(data.ftCreationTime);
        status.accessed = IsZero(data.ftLastAccessTime) ? status.modified : SecondsOf(data.ftLastAccessTime);
        status.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        status.attribute = static_cast<unsigned>(data.dwFileAttributes & 0xFF & ~FILE_ATTRIBUTE_NORMAL);
        return true;
    }

    bool SetStatus(const std::string& path, const FileStatus& status, std::string& error) override {
        const DWORD current = ::GetFileAttributesA(path.c_str());
        if (current == INVALID_FILE_ATTRIBUTES) {
            error = Failure("set the status", path, ::GetLastError());
            return false;
        }
        const DWORD wanted = (current & kKeptBits) | (status.attribute & kStatusBits);
        const bool attributesDiffer = ((current ^ status.attribute) & kStatusBits) != 0;
        const bool wasReadOnly = (current & FILE_ATTRIBUTE_READONLY) != 0;

        // A read-only file has to lose the bit before anything else can change; a file
        // that becomes read-only gets the bit only after its times.
        if (attributesDiffer && wasReadOnly && !SetAttributes(path, current, wanted, error)) return false;
        if (status.modified != 0 && !SetTimes(path, status, error)) return false;
        if (attributesDiffer && !wasReadOnly && !SetAttributes(path, current, wanted, error)) return false;
        return true;
    }

    TimeValue MakeLocalTime(int year, int month, int day, int hour, int minute, int second) override {
        const LocalTime t = NormalizeCalendar(year, month, day, hour, minute, second);
        if (t.year < kFirstPlatformYear || t.year > kLastPlatformYear) return -1;
        SYSTEMTIME local = {};
        local.wYear = static_cast<WORD>(t.year);
        local.wMonth = static_cast<WORD>(t.month);
        local.wDay = static_cast<WORD>(t.day);
        local.wHour = static_cast<WORD>(t.hour);
        local.wMinute = static_cast<WORD>(t.minute);
        local.wSecond = static_cast<WORD>(t.second);
        SYSTEMTIME utc;
        FILETIME time;
        if (!::TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc) || !::SystemTimeToFileTime(&utc, &time)) {
            return -1;
        }
        return SecondsOf(time);
    }

    LocalTime ToLocalTime(TimeValue value) override {
        FILETIME time;
        SYSTEMTIME utc, local;
        if (!FileTimeOf(value, time) || !::FileTimeToSystemTime(&time, &utc) ||
            !::SystemTimeToTzSpecificLocalTime(nullptr, &utc, &local)) {
            // Outside the platform's range there are no time-zone rules: tell it in UTC.
            return CalendarFields(value);
        }
        LocalTime t;
        t.year = local.wYear;
        t.month = local.wMonth;
        t.day = local.wDay;
        t.hour = local.wHour;
        t.minute = local.wMinute;
        t.second = local.wSecond;
        return t;
    }

    TimeValue Now() override {
        FILETIME time;
        ::GetSystemTimeAsFileTime(&time);
        return SecondsOf(time);
    }

    bool ReadFile(const std::string& path, std::string& contents) override {
        return ReadUpTo(path, static_cast<size_t>(-1), contents);
    }

    bool ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) override {
        return ReadUpTo(path, maxBytes, contents);
    }

    bool WriteFileReplacing(const std::string& path, const std::string& contents) override {
        const std::string temp = path + ".new";
        if (!WriteNew(temp, contents)) {
            ::DeleteFileA(temp.c_str());
            return false;
        }
        if (!::MoveFileExA(temp.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            ::DeleteFileA(temp.c_str());
            return false;
        }
        return true;
    }

private:
    static bool ReadUpTo(const std::string& path, size_t maxBytes, std::string& contents) {
        HandleCloser file(::CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) return false;
        std::string text;
        std::vector<char> buffer(std::min<size_t>(maxBytes, 64 * 1024));
        while (text.size() < maxBytes) {
            const size_t want = std::min(buffer.size(), maxBytes - text.size());
            DWORD got = 0;
            if (!::ReadFile(file.get(), buffer.data(), static_cast<DWORD>(want), &got, nullptr)) return false;
            if (got == 0) break;
            text.append(buffer.data(), got);
        }
        contents.swap(text);
        return true;
    }

    // Under Wine a non-root user cannot change the hidden and system bits of a file
    // without write permission, and read-only takes that permission away first: so a
    // word with read-only is set in two steps, the other bits before read-only.
    static bool SetAttributes(const std::string& path, DWORD current, DWORD wanted, std::string& error) {
        const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
        bool ok = true;
        if ((wanted & FILE_ATTRIBUTE_READONLY) && ((wanted | current) & hiddenSystem)) {
            ok = SetAttributeWord(path, wanted & ~FILE_ATTRIBUTE_READONLY);
        }
        if (ok) ok = SetAttributeWord(path, wanted);
        if (!ok) error = Failure("set the attributes", path, ::GetLastError());
        return ok;
    }

    // Opened for writing, as any change of its contents would be: a file that stays
    // read-only refuses new times.
    static bool SetTimes(const std::string& path, const FileStatus& status, std::string& error) {
        FILETIME modified, created, accessed;
        if (!FileTimeOf(status.modified, modified) || (status.created != 0 && !FileTimeOf(status.created, created)) ||
            (status.accessed != 0 && !FileTimeOf(status.accessed, accessed))) {
            error = "Cannot set the times of " + path + ": The time is out of range.";
            return false;
        }
        HandleCloser file(::CreateFileA(path.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                        OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE ||
            !::SetFileTime(file.get(), status.created != 0 ? &created : nullptr,
                           status.accessed != 0 ? &accessed : nullptr, &modified)) {
            error = Failure("set the times", path, ::GetLastError());
            return false;
        }
        return true;
    }

    static bool WriteNew(const std::string& path, const std::string& contents) {
        HandleCloser file(::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (file.get() == INVALID_HANDLE_VALUE) return false;
        size_t done = 0;
        while (done < contents.size()) {
            DWORD written = 0;
            DWORD chunk = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 20));
            if (!::WriteFile(file.get(), contents.data() + done, chunk, &written, nullptr) || written == 0) return false;
            done += written;
        }
        return ::FlushFileBuffers(file.get()) != FALSE;
    }
};

Win32FileServices& RealServices() {
    static Win32FileServices services;
    return services;
}

FileServices* g_services = nullptr;

}  // namespace

FileServices& Platform() { return g_services != nullptr ? *g_services : RealServices(); }

FileServices* SetPlatform(FileServices* services) {
    FileServices* previous = &Platform();
    g_services = services;
    return previous;
}

std::string ExecutablePath() {
    std::vector<char> buffer(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameA(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return std::string(buffer.data(), length);
        buffer.resize(buffer.size() * 2);
    }
}
