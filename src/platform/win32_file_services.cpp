// The real file and time services, on the Win32 API and the C runtime.
#include <windows.h>
#include <shellapi.h>

#include <direct.h>

#include "platform/win32_file_services.h"

#include "platform/civil_time.h"
#include "platform/executable_path.h"
#include "platform/move_rules.h"
#include "platform/wide_text.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <thread>
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
    wchar_t* text = nullptr;
    DWORD length = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                        FORMAT_MESSAGE_IGNORE_INSERTS,
                                    nullptr, code, 0, reinterpret_cast<wchar_t*>(&text), 0, nullptr);
    std::string message;
    if (length != 0 && text != nullptr) message = FromWide(std::wstring_view(text, length));
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

Failure FailureOf(const char* what, const std::string& path, DWORD code) {
    return Failure{std::string("Cannot ") + what + " of " + path + ": " + SystemMessage(code), std::string()};
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

bool StartsWith(const std::wstring& text, const wchar_t* prefix) { return text.rfind(prefix, 0) == 0; }

// What the platform makes of ".", "X:" or a lone backslash: the current directory (of a
// drive) or the current root. They hold no name of their own that it could rewrite.
std::wstring CurrentPathOf(const wchar_t* place) {
    std::wstring full(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = ::GetFullPathNameW(place, static_cast<DWORD>(full.size()), &full[0], nullptr);
        if (length == 0) return std::wstring();
        if (length < full.size()) return full.substr(0, length);
        full.resize(length);
    }
}

// `path` in the "\\?\" form, which turns the platform's rewriting of names off
// ("C:\dir\foo." stays "foo.", "C:\dir\CON" is a file): made absolute against the current
// directory, "/" read as "\", "." and ".." parts resolved, every other part kept as written.
bool ExactWidePath(std::wstring path, std::wstring& exact, int depth = 0) {
    if (StartsWith(path, L"\\\\?\\") || StartsWith(path, L"\\\\.\\")) {
        exact = path;  // already beyond the rewriting
        return true;
    }
    std::replace(path.begin(), path.end(), L'/', L'\\');
    std::wstring root, rest;
    if (StartsWith(path, L"\\\\")) {  // \\server\share\rest
        const size_t server = path.find(L'\\', 2);
        const size_t share = server == std::wstring::npos ? server : path.find(L'\\', server + 1);
        root = L"\\\\?\\UNC\\" + path.substr(2, share == std::wstring::npos ? share : share - 2) + L"\\";
        if (share != std::wstring::npos) rest = path.substr(share + 1);
    } else if (path.size() >= 3 && path[1] == L':' && path[2] == L'\\') {
        root = L"\\\\?\\" + path.substr(0, 3);
        rest = path.substr(3);
    } else {
        // Relative to a current directory, which is itself an absolute path.
        std::wstring base;
        if (path.size() >= 2 && path[1] == L':') {
            base = CurrentPathOf(path.substr(0, 2).c_str());
            rest = path.substr(2);
        } else if (!path.empty() && path[0] == L'\\') {
            base = CurrentPathOf(L"\\");
            rest = path.substr(1);
        } else {
            base = CurrentPathOf(L".");
            rest = path;
        }
        if (base.empty() || depth > 0) return false;
        if (base.back() != L'\\') base += L'\\';
        return ExactWidePath(base + rest, exact, depth + 1);
    }
    std::vector<std::wstring> parts;
    for (size_t start = 0; start <= rest.size();) {
        size_t end = rest.find(L'\\', start);
        if (end == std::wstring::npos) end = rest.size();
        const std::wstring part = rest.substr(start, end - start);
        if (part == L"..") {
            if (!parts.empty()) parts.pop_back();
        } else if (!part.empty() && part != L".") {
            parts.push_back(part);
        }
        start = end + 1;
    }
    exact = root;
    for (size_t i = 0; i < parts.size(); ++i) exact += (i ? L"\\" : L"") + parts[i];
    if (!parts.empty() && rest.back() == L'\\') exact += L'\\';
    return true;
}

bool ExactPath(const std::string& path, std::wstring& exact) {
    std::wstring wide;
    if (!ToWide(path, wide) || !ExactWidePath(wide, exact)) {
        ::SetLastError(ERROR_INVALID_NAME);
        return false;
    }
    return true;
}

// A path for a new name, which the platform's usual rules shape.
bool NewPath(const std::string& path, std::wstring& wide) {
    if (ToWide(path, wide)) return true;
    ::SetLastError(ERROR_INVALID_NAME);
    return false;
}

bool MoveOnce(const std::wstring& from, const std::wstring& to) {
    return ::MoveFileW(from.c_str(), to.c_str()) != FALSE;
}

// Names compared as the file system compares them when it ignores case.
bool SameToFileSystem(const wchar_t* a, int aLength, const wchar_t* b, int bLength) {
    return ::CompareStringOrdinal(a, aLength, b, bLength, TRUE) == CSTR_EQUAL;
}

bool SameToFileSystem(const std::string& a, const std::string& b) {
    std::wstring wa, wb;
    return ToWide(a, wa) && ToWide(b, wb) &&
           SameToFileSystem(wa.c_str(), static_cast<int>(wa.size()), wb.c_str(), static_cast<int>(wb.size()));
}

// Whether the directory of `source` (exact form) holds another entry than `source` whose
// name is `name` without regard to case. A file system that tells case apart (Wine on
// Linux) can hold "a.txt" and "A.TXT" side by side; a rename of one into the other then
// must not go through a temporary name, since the platform would take either name for the
// other and refuse the moves there and back. When the directory cannot be searched, the
// answer is yes, which keeps the rename to a single move.
bool AnotherEntryNamed(const std::wstring& source, const std::wstring& name) {
    const size_t cut = source.rfind(L'\\');
    if (cut == std::wstring::npos || name.empty()) return true;
    const std::wstring own = source.substr(cut + 1);
    // The name with its last character a wildcard: the platform's own matching, which
    // ignores case, narrows the directory down to a few names.
    std::wstring pattern = source.substr(0, cut + 1) + name;
    pattern.back() = L'?';
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        return error != ERROR_FILE_NOT_FOUND && error != ERROR_NO_MORE_FILES;
    }
    bool found = false;
    do {
        found = own != data.cFileName &&
                SameToFileSystem(data.cFileName, -1, name.c_str(), static_cast<int>(name.size()));
    } while (!found && ::FindNextFileW(find, &data));
    ::FindClose(find);
    return found;
}

// A name in `dir` that no file has; the process id and a counter keep two programs and
// two renames apart.
std::string FreeTemporaryName(const std::string& dir) {
    static unsigned counter = 0;
    for (;;) {
        char name[64];
        std::snprintf(name, sizeof name, "~vorlix%lx-%x.tmp",
                      static_cast<unsigned long>(::GetCurrentProcessId()), counter++);
        const std::string path = dir + name;
        std::wstring exact;
        if (!ExactPath(path, exact) || ::GetFileAttributesW(exact.c_str()) == INVALID_FILE_ATTRIBUTES) return path;
    }
}

// Under Wine the bin is the desktop's trash, "Trash" in the folder $XDG_DATA_HOME (a
// Linux path; ~/.local/share without it). Wine makes the trash only inside a folder that
// exists, and where it cannot, its shell deletes for good without a word. On Windows: true.
bool WineTrashAvailable() {
    const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
    if (ntdll == nullptr || ::GetProcAddress(ntdll, "wine_get_version") == nullptr) return true;
    std::vector<wchar_t> value(32768);
    std::wstring folder;
    DWORD length = ::GetEnvironmentVariableW(L"XDG_DATA_HOME", value.data(), static_cast<DWORD>(value.size()));
    if (length > 0 && length < value.size()) {
        using DosName = WCHAR*(CDECL*)(const char*);
        const auto dosName = reinterpret_cast<DosName>(reinterpret_cast<void*>(
            ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
        WCHAR* dos = dosName != nullptr ? dosName(FromWide(value.data()).c_str()) : nullptr;
        if (dos == nullptr) return false;
        folder = dos;
        ::HeapFree(::GetProcessHeap(), 0, dos);
    } else {
        // The home folder as Wine tells it: "\??\Z:\home\user".
        length = ::GetEnvironmentVariableW(L"WINEHOMEDIR", value.data(), static_cast<DWORD>(value.size()));
        if (length == 0 || length >= value.size()) return false;
        folder = value.data();
        if (StartsWith(folder, L"\\??\\")) folder = folder.substr(4);
        folder += L"\\.local\\share";
    }
    const DWORD attributes = ::GetFileAttributesW(folder.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Whether the shell's delete with undo puts a file of `size` bytes on the drive `root`
// ("C:\\") into its recycle bin. Otherwise it deletes the file for good without a word:
// drives other than fixed ones (removable, network, optical, RAM disks) have no bin, nor
// has Wine without its trash, and a volume the user set to delete at once, or whose bin
// is smaller than the file, keeps nothing either. (The bin's own query cannot tell: under
// Wine it answers for any drive.)
bool DriveKeepsInBin(const std::wstring& root, uint64_t size) {
    if (::GetDriveTypeW(root.c_str()) != DRIVE_FIXED || !WineTrashAvailable()) return false;
    wchar_t volume[MAX_PATH] = L"";
    if (!::GetVolumeNameForVolumeMountPointW(root.c_str(), volume, MAX_PATH)) return true;
    const std::wstring name = volume;  // \\?\Volume{guid}\ -> {guid}
    const size_t open = name.find(L'{'), close = name.find(L'}');
    if (open == std::wstring::npos || close == std::wstring::npos || close < open) return true;
    const std::wstring key = L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\BitBucket\\Volume\\" +
                             name.substr(open, close - open + 1);
    const auto setting = [&](const wchar_t* value, DWORD& data) {
        DWORD bytes = sizeof data;
        return ::RegGetValueW(HKEY_CURRENT_USER, key.c_str(), value, RRF_RT_REG_DWORD, nullptr, &data, &bytes) ==
               ERROR_SUCCESS;
    };
    DWORD nuke = 0, megabytes = 0;
    if (setting(L"NukeOnDelete", nuke) && nuke != 0) return false;
    return !setting(L"MaxCapacity", megabytes) || size <= static_cast<uint64_t>(megabytes) * 1024 * 1024;
}

bool SetAttributeWord(const std::wstring& path, DWORD word) {
    return ::SetFileAttributesW(path.c_str(), word == 0 ? FILE_ATTRIBUTE_NORMAL : word) != FALSE;
}

bool ReadUpTo(const std::string& path, size_t maxBytes, std::string& contents) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return false;
    HandleCloser file(::CreateFileW(exact.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
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
std::optional<Failure> SetAttributes(const std::wstring& exact, const std::string& path, DWORD current,
                                     DWORD wanted) {
    const DWORD hiddenSystem = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
    bool ok = true;
    if ((wanted & FILE_ATTRIBUTE_READONLY) && ((wanted | current) & hiddenSystem)) {
        ok = SetAttributeWord(exact, wanted & ~FILE_ATTRIBUTE_READONLY);
    }
    if (ok) ok = SetAttributeWord(exact, wanted);
    if (!ok) return FailureOf("set the attributes", path, ::GetLastError());
    return std::nullopt;
}

// Opened for writing, as any change of its contents would be: a file that stays
// read-only refuses new times. A time given as 0 is not passed on, so it stays as it is.
std::optional<Failure> SetTimes(const std::wstring& exact, const std::string& path, const FileStatus& status) {
    FILETIME modified, created, accessed;
    if ((status.modified != 0 && !FileTimeOf(status.modified, modified)) ||
        (status.created != 0 && !FileTimeOf(status.created, created)) ||
        (status.accessed != 0 && !FileTimeOf(status.accessed, accessed))) {
        return Failure{"Cannot set the times of " + path + ": The time is out of range.", std::string()};
    }
    HandleCloser file(::CreateFileW(exact.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE ||
        !::SetFileTime(file.get(), status.created != 0 ? &created : nullptr,
                       status.accessed != 0 ? &accessed : nullptr, status.modified != 0 ? &modified : nullptr)) {
        return FailureOf("set the times", path, ::GetLastError());
    }
    return std::nullopt;
}

// Starts reading the directory `dir`; without a handle, `readable` tells whether it was
// read all the same: an empty root directory has no "." to report.
HANDLE FindFirstEntry(const std::string& dir, WIN32_FIND_DATAW& data, bool& readable) {
    std::wstring pattern;
    readable = false;
    if (!ExactPath(dir, pattern)) return INVALID_HANDLE_VALUE;
    if (pattern.back() != L'\\') pattern += L'\\';
    pattern += L'*';
    HANDLE find = ::FindFirstFileW(pattern.c_str(), &data);
    const DWORD error = find == INVALID_HANDLE_VALUE ? ::GetLastError() : ERROR_SUCCESS;
    readable = error == ERROR_SUCCESS || error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES;
    return find;
}

bool WriteNew(const std::wstring& path, const std::string& contents) {
    HandleCloser file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

}  // namespace

bool Win32FileServices::EnumerateDirectory(const std::string& dir,
                                           const std::function<void(const FindEntry&)>& entry) {
    WIN32_FIND_DATAW data;
    bool readable = false;
    HANDLE find = FindFirstEntry(dir, data, readable);
    if (find == INVALID_HANDLE_VALUE) return readable;
    // A name holding U+FFFD may be one the platform could not read as a name (a lone
    // surrogate; under Wine, bytes that are not UTF-8), which then leads to another entry
    // or to none. Such names wait until the end, where twins among them show.
    std::vector<FindEntry> held;
    do {
        FindEntry found;
        found.name = FromWide(data.cFileName);
        found.attrib = AttributeWord(data.dwFileAttributes);
        found.writeTime = SecondsOf(data.ftLastWriteTime);
        found.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
        if (found.name.find("\xEF\xBF\xBD") == std::string::npos) entry(found);
        else held.push_back(found);
    } while (::FindNextFileW(find, &data));
    ::FindClose(find);
    for (FindEntry& found : held) {
        const std::string path = dir + (dir.back() == '\\' ? "" : "\\") + found.name;
        std::wstring exact;
        found.strayName = std::count_if(held.begin(), held.end(), [&](const FindEntry& other) {
                              return other.name == found.name;
                          }) > 1 || !ExactPath(path, exact) || ::GetFileAttributesW(exact.c_str()) == INVALID_FILE_ATTRIBUTES;
        entry(found);
    }
    return true;
}

int Win32FileServices::GetDrive() { return _getdrive(); }
int Win32FileServices::ChangeDrive(int drive) { return _chdrive(drive) == 0 ? 0 : -1; }
int Win32FileServices::ChangeDir(const std::string& path) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return -1;
    const DWORD attributes = ::GetFileAttributesW(exact.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return -1;
    // The process's current directory takes paths by the usual rules, which would read
    // "trip." as "trip", and may be limited to the short path length. The program lists
    // and changes files by exact full paths: where the usual rules do not reach this very
    // directory, its drive's root is made current instead.
    std::wstring plain = StartsWith(exact, L"\\\\?\\UNC\\") ? L"\\\\" + exact.substr(8) : exact.substr(4);
    if (plain.back() == L'\\' && plain.size() > 3) plain.pop_back();
    if (CurrentPathOf(plain.c_str()) == plain && ::SetCurrentDirectoryW(plain.c_str())) return 0;
    if (plain.size() < 2 || plain[1] != L':') return -1;
    const wchar_t root[] = {plain[0], L':', L'\\', L'\0'};
    return ::SetCurrentDirectoryW(root) ? 0 : -1;
}

bool Win32FileServices::CanList(const std::string& dir) {
    WIN32_FIND_DATAW data;
    bool readable = false;
    HANDLE find = FindFirstEntry(dir, data, readable);
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
    return readable;
}

namespace {

// `exactTarget`: the new name is reached exactly too, so the usual rules do not rewrite it.
std::optional<Failure> MoveWithRules(const std::string& from, const std::string& to, bool exactTarget,
                                     const std::function<void(const std::string&, const std::string&)>& told) {
    std::wstring source, target;
    if (!ExactPath(from, source) || !(exactTarget ? ExactPath(to, target) : NewPath(to, target)))
        return MoveFailure(from, to);
    // The platform treats a new name that differs only in case as the file itself and
    // keeps the old spelling: such a rename goes through another name, unless another
    // file answers to the new name as well.
    const std::string stored = exactTarget ? to : StoredTargetPath(to);
    const auto same = [](const std::string& a, const std::string& b) { return SameToFileSystem(a, b); };
    std::wstring storedName;
    if (!IsCaseOnlyRename(from, stored, same) || !ToWide(stored.substr(DirectoryOf(stored).size()), storedName) ||
        AnotherEntryNamed(source, storedName)) {
        if (MoveOnce(source, target)) return std::nullopt;
        return MoveFailure(from, to);
    }
    const std::string temp = FreeTemporaryName(DirectoryOf(stored));
    if (told) told(from, temp);
    DWORD error = 0;
    // The file's own names are reached exactly; the new one is made by the usual rules
    // unless it is to be exact as well.
    const TemporaryRename result =
        RenameThroughTemporary(from, stored, temp, [&](const std::string& a, const std::string& b) {
            std::wstring wa, wb;
            const bool named =
                ExactPath(a, wa) && (b == stored && !exactTarget ? NewPath(b, wb) : ExactPath(b, wb));
            if (named && MoveOnce(wa, wb)) return true;
            if (error == 0) error = ::GetLastError();
            return false;
        });
    if (result == TemporaryRename::kDone) return std::nullopt;
    ::SetLastError(error != 0 ? error : ERROR_ALREADY_EXISTS);
    return MoveFailure(from, to, result == TemporaryRename::kLeftAtTemporary ? temp : std::string());
}

}  // namespace

std::optional<Failure> Win32FileServices::MoveFile(const std::string& from, const std::string& to) {
    return MoveWithRules(from, to, false, onTemporaryName);
}

std::optional<Failure> Win32FileServices::MoveFileToExactName(const std::string& from, const std::string& to) {
    return MoveWithRules(from, to, true, onTemporaryName);
}

bool Win32FileServices::ExistsAsSpelled(const std::string& path) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return false;
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(exact.c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return false;
    ::FindClose(find);
    const size_t cut = exact.rfind(L'\\');
    return exact.compare(cut + 1, std::wstring::npos, data.cFileName) == 0;
}

bool Win32FileServices::DeleteFile(const std::string& path) {
    std::wstring exact;
    return ExactPath(path, exact) && ::DeleteFileW(exact.c_str()) != FALSE;
}

// The shell reads the path by the usual rules, so it is handed only paths that those
// rules leave naming this very file; that it is gone is checked by its exact name.
FileServices::RecycleResult Win32FileServices::RecycleFile(const std::string& path) {
    std::wstring exact, wide;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ExactPath(path, exact) || !::GetFileAttributesExW(exact.c_str(), GetFileExInfoStandard, &data) ||
        (data.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY))) {
        return RecycleResult::Failed;
    }
    const uint64_t size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    if (!ShellNamesExactly(path) || !ToWide(path, wide) ||
        AnotherEntryNamed(exact, exact.substr(exact.rfind(L'\\') + 1)) || !DriveKeepsInBin(wide.substr(0, 3), size)) {
        return RecycleResult::NoBin;
    }
    wide.push_back(L'\0');  // a list of one path, ended by an empty one
    SHFILEOPSTRUCTW operation = {};
    operation.wFunc = FO_DELETE;
    operation.pFrom = wide.c_str();
    operation.fFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
    if (::SHFileOperationW(&operation) != 0 || operation.fAnyOperationsAborted) return RecycleResult::Failed;
    if (::GetFileAttributesW(exact.c_str()) != INVALID_FILE_ATTRIBUTES) return RecycleResult::Failed;
    return RecycleResult::Recycled;
}

bool Win32FileServices::GetStatus(const std::string& path, FileStatus& status) {
    std::wstring exact;
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!ExactPath(path, exact) || !::GetFileAttributesExW(exact.c_str(), GetFileExInfoStandard, &data)) {
        return false;
    }
    status.modified = SecondsOf(data.ftLastWriteTime);
    status.created = IsZero(data.ftCreationTime) ? status.modified : SecondsOf(data.ftCreationTime);
    status.accessed = IsZero(data.ftLastAccessTime) ? status.modified : SecondsOf(data.ftLastAccessTime);
    status.size = (static_cast<uint64_t>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    status.attribute = static_cast<unsigned>(data.dwFileAttributes & 0xFF & ~FILE_ATTRIBUTE_NORMAL);
    status.modifiedTicks = Ticks(data.ftLastWriteTime);
    return true;
}

std::optional<Failure> Win32FileServices::SetModifiedTicks(const std::string& path, int64_t ticks) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return FailureOf("set the times", path, ::GetLastError());
    FILETIME modified;
    modified.dwLowDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks));
    modified.dwHighDateTime = static_cast<DWORD>(static_cast<uint64_t>(ticks) >> 32);
    HandleCloser file(::CreateFileW(exact.c_str(), GENERIC_WRITE,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (ticks < 0 || file.get() == INVALID_HANDLE_VALUE || !::SetFileTime(file.get(), nullptr, nullptr, &modified))
        return FailureOf("set the times", path, ::GetLastError());
    return std::nullopt;
}

std::optional<Failure> Win32FileServices::SetStatus(const std::string& path, const FileStatus& status) {
    std::wstring exact;
    const DWORD current = ExactPath(path, exact) ? ::GetFileAttributesW(exact.c_str()) : INVALID_FILE_ATTRIBUTES;
    if (current == INVALID_FILE_ATTRIBUTES) return FailureOf("set the status", path, ::GetLastError());
    const DWORD wanted = (current & kKeptBits) | (status.attribute & kStatusBits);
    const bool attributesDiffer = ((current ^ status.attribute) & kStatusBits) != 0;
    const bool wasReadOnly = (current & FILE_ATTRIBUTE_READONLY) != 0;
    const bool times = status.modified != 0 || status.created != 0 || status.accessed != 0;

    // A read-only file has to lose the bit before anything else can change; a file
    // that becomes read-only gets the bit only after its times.
    if (attributesDiffer && wasReadOnly) {
        if (std::optional<Failure> failure = SetAttributes(exact, path, current, wanted)) return failure;
    }
    if (times) {
        if (std::optional<Failure> failure = SetTimes(exact, path, status)) return failure;
    }
    if (attributesDiffer && !wasReadOnly) return SetAttributes(exact, path, current, wanted);
    return std::nullopt;
}

TimeValue Win32FileServices::MakeLocalTime(int year, int month, int day, int hour, int minute, int second) {
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

LocalTime Win32FileServices::ToLocalTime(TimeValue value) {
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

TimeValue Win32FileServices::Now() {
    FILETIME time;
    ::GetSystemTimeAsFileTime(&time);
    return SecondsOf(time);
}

bool Win32FileServices::ReadFile(const std::string& path, std::string& contents) {
    return ReadUpTo(path, static_cast<size_t>(-1), contents);
}

bool Win32FileServices::ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) {
    return ReadUpTo(path, maxBytes, contents);
}

// One reader a core, and at least two: while one waits for its file to open, the other
// reads. More than one a core was slower under Wine, whose file requests queue anyway.
int Win32FileServices::PieceReaders() { return static_cast<int>(std::clamp(std::thread::hardware_concurrency(), 2u, 8u)); }

bool Win32FileServices::ReadFilePieces(const std::string& path,
                                       const std::function<void(uint64_t, const PieceRead&)>& use) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return false;
    HandleCloser file(::CreateFileW(exact.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size;
    if (file.get() == INVALID_HANDLE_VALUE || !::GetFileSizeEx(file.get(), &size)) return false;
    const PieceRead read = [&file](uint64_t offset, size_t want, std::string& out) {
        LARGE_INTEGER at;
        at.QuadPart = static_cast<LONGLONG>(offset);
        out.resize(want);
        DWORD got = 0;
        if (offset > static_cast<uint64_t>(INT64_MAX) || want > MAXDWORD ||
            !::SetFilePointerEx(file.get(), at, nullptr, FILE_BEGIN) ||
            !::ReadFile(file.get(), out.data(), static_cast<DWORD>(want), &got, nullptr))
            return false;
        out.resize(got);
        return true;
    };
    use(static_cast<uint64_t>(size.QuadPart), read);
    return true;
}

// The new contents go to a name made up for them in the same directory: the system
// creates it as a new file, so it can never be a file of the user's. Only when it
// is complete does it take the old file's place, in one step, carrying the old file's
// attributes (a hidden file stays hidden). A read-only file is not replaced.
bool Win32FileServices::WriteFileReplacing(const std::string& path, const std::string& contents) {
    std::wstring target, dir;
    if (!NewPath(path, target)) return false;
    const std::string dirText = DirectoryOf(path);
    if (!NewPath(dirText.empty() ? std::string(".") : dirText, dir)) return false;
    wchar_t tempName[MAX_PATH + 1] = L"";
    if (!::GetTempFileNameW(dir.c_str(), L"vor", 0, tempName)) return false;
    const std::wstring temp = tempName;
    bool ok = WriteNew(temp, contents);
    const DWORD old = ::GetFileAttributesW(target.c_str());
    if (ok && old == INVALID_FILE_ATTRIBUTES) {
        // No file yet: nor is one replaced that appeared meanwhile.
        ok = ::MoveFileExW(temp.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH) != FALSE;
    } else if (ok) {
        // Wine's ReplaceFile keeps the replacement's attributes, Windows' the replaced
        // file's: giving the replacement the old ones first keeps them on both.
        const DWORD carried = old & (kStatusBits | kKeptBits) & ~FILE_ATTRIBUTE_READONLY;
        ok = !(old & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) &&
             ::SetFileAttributesW(temp.c_str(), carried ? carried : FILE_ATTRIBUTE_NORMAL) &&
             ::ReplaceFileW(target.c_str(), temp.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                            nullptr);
    }
    if (!ok) {
        ::SetFileAttributesW(temp.c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(temp.c_str());
    }
    return ok;
}

bool Win32FileServices::AppendFile(const std::string& path, const std::string& contents) {
    std::wstring wide;
    if (!NewPath(path, wide)) return false;
    HandleCloser file(::CreateFileW(wide.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ, nullptr, OPEN_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file.get() == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    return ::WriteFile(file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
           written == contents.size();
}

bool Win32FileServices::MakeDirectory(const std::string& path) {
    std::wstring wide;
    if (!NewPath(path, wide)) return false;
    while (!wide.empty() && (wide.back() == L'\\' || wide.back() == L'/')) wide.pop_back();
    const DWORD found = ::GetFileAttributesW(wide.c_str());
    if (found != INVALID_FILE_ATTRIBUTES) return (found & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const size_t cut = wide.find_last_of(L"\\/");
    // The parent first; a drive's root always exists.
    if (cut != std::wstring::npos && cut > 2 && !MakeDirectory(FromWide(wide.substr(0, cut)))) return false;
    return ::CreateDirectoryW(wide.c_str(), nullptr) || ::GetLastError() == ERROR_ALREADY_EXISTS;
}

bool Win32FileServices::GetIdentity(const std::string& path, FileIdentity& identity) {
    std::wstring exact;
    if (!ExactPath(path, exact)) return false;
    // No access asked for: a file another program holds can still be named.
    HandleCloser file(::CreateFileW(exact.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    BY_HANDLE_FILE_INFORMATION info;
    if (file.get() == INVALID_HANDLE_VALUE || !::GetFileInformationByHandle(file.get(), &info)) return false;
    identity.volume = info.dwVolumeSerialNumber;
    identity.number = (static_cast<uint64_t>(info.nFileIndexHigh) << 32) | info.nFileIndexLow;
    identity.size = (static_cast<uint64_t>(info.nFileSizeHigh) << 32) | info.nFileSizeLow;
    identity.directory = (info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    return true;
}

namespace {

// Open for reading and writing, sharing reading only: no other program can write, replace
// or delete the file while this handle lives.
class Win32HeldFile : public HeldFile {
public:
    explicit Win32HeldFile(HANDLE handle) : m_file(handle) {}
    bool Read(std::string& contents) override {
        LARGE_INTEGER size, start = {};
        if (!::GetFileSizeEx(m_file.get(), &size) || !::SetFilePointerEx(m_file.get(), start, nullptr, FILE_BEGIN))
            return false;
        contents.resize(static_cast<size_t>(size.QuadPart));
        for (size_t done = 0; done < contents.size();) {
            DWORD got = 0;
            const DWORD want = static_cast<DWORD>(std::min<size_t>(contents.size() - done, 1u << 30));
            if (!::ReadFile(m_file.get(), &contents[done], want, &got, nullptr) || got == 0) return false;
            done += got;
        }
        return true;
    }
    bool Rewrite(const std::string& contents) override {
        LARGE_INTEGER start = {};
        return ::SetFilePointerEx(m_file.get(), start, nullptr, FILE_BEGIN) && Write(contents) &&
               ::SetEndOfFile(m_file.get());
    }
    bool Append(const std::string& contents) override {
        LARGE_INTEGER none = {};
        return ::SetFilePointerEx(m_file.get(), none, nullptr, FILE_END) && Write(contents);
    }

private:
    bool Write(const std::string& contents) {
        DWORD written = 0;
        return ::WriteFile(m_file.get(), contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr) &&
               written == contents.size();
    }
    HandleCloser m_file;
};

}  // namespace

std::unique_ptr<HeldFile> Win32FileServices::HoldFile(const std::string& path, bool create, HoldRefusal& why) {
    std::wstring exact;
    HANDLE file = INVALID_HANDLE_VALUE;
    if (ExactPath(path, exact))
        file = ::CreateFileW(exact.c_str(), GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                             create ? OPEN_ALWAYS : OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        why = error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION ? HoldRefusal::HeldElsewhere
              : error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND  ? HoldRefusal::Missing
                                                                                 : HoldRefusal::Failed;
        return nullptr;
    }
    why = HoldRefusal::None;
    return std::make_unique<Win32HeldFile>(file);
}

namespace {
std::string FolderOfVariable(const wchar_t* name) {
    wchar_t buffer[32768];
    const DWORD length = ::GetEnvironmentVariableW(name, buffer, 32768);
    if (length == 0 || length >= 32768) return std::string();
    std::string path = FromWide(std::wstring(buffer, length));
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path;
}
}  // namespace

std::string LocalAppDataPath() { return FolderOfVariable(L"LOCALAPPDATA"); }
std::string AppDataPath() { return FolderOfVariable(L"APPDATA"); }

std::string ExecutablePath() {
    std::vector<wchar_t> buffer(MAX_PATH);
    for (;;) {
        DWORD length = ::GetModuleFileNameW(nullptr, buffer.data(), static_cast<DWORD>(buffer.size()));
        if (length == 0) return std::string();
        if (length < buffer.size()) return FromWide(std::wstring_view(buffer.data(), length));
        buffer.resize(buffer.size() * 2);
    }
}

namespace {
// An argument as a full path, without a final backslash (a drive's root keeps its own);
// "" for an empty one.
std::string FullPathOf(const wchar_t* arg) {
    std::wstring full;
    if (arg[0] != L'\0') {
        const DWORD length = ::GetFullPathNameW(arg, 0, nullptr, nullptr);
        if (length != 0) {
            full.resize(length);
            const DWORD written = ::GetFullPathNameW(arg, length, &full[0], nullptr);
            full.resize(written < length ? written : 0);
        }
    }
    while (full.size() > 3 && full.back() == L'\\') full.pop_back();
    return full.empty() ? std::string() : FromWide(full.c_str());
}
}  // namespace

CommandLine ReadCommandLine() {
    CommandLine line;
    int count = 0;
    LPWSTR* args = ::CommandLineToArgvW(::GetCommandLineW(), &count);
    if (!args) return line;
    int first = 1;
    if (count > 2 && ::lstrcmpiW(args[1], L"/rules") == 0) {
        line.rulesPath = FullPathOf(args[2]);
        first = 3;
    } else if (count > 2 && ::lstrcmpiW(args[1], L"/select") == 0) {
        line.gather = true;
        first = 2;
    }
    for (int i = first; i < count; ++i) {
        const std::string path = FullPathOf(args[i]);
        if (!path.empty()) line.paths.push_back(path);
    }
    ::LocalFree(args);
    return line;
}

std::string SystemErrorText(unsigned long code) { return SystemMessage(code); }
