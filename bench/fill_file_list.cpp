// How long the main window's file list takes to fill in each of the sort box's orders,
// on a directory of 10,000 and one of 100,000 files, with the real list box.
// The aim: for 100,000 files no order takes longer than order 0, where the
// list box sorts the names itself as they are added.
//
//   bench_fill_file_list [N ...]     (default: 10000 100000)
//
// The directory is made under the temp directory and removed afterwards.
#include "bench_clock.h"
#include "app/rename_dlg.h"
#include "browse/sort_orders.h"
#include "platform/win32_file_services.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int kRounds = 2;  // each order is timed this often; the best run counts

// Names with numbers in the prefix, in the extension or nowhere, and several
// extensions, so that every order has a keyed group and a rest to sort.
std::string BenchName(unsigned i) {
    char name[64];
    unsigned n = (i * 7919u) % 1000003u;  // numbers out of step with creation order
    switch (i % 7) {
    case 0: std::snprintf(name, sizeof name, "IMG_%07u.jpg", n); break;
    case 1: std::snprintf(name, sizeof name, "report-%u-final.DOC", n); break;
    case 2: std::snprintf(name, sizeof name, "track%u.mp3", n); break;
    case 3: std::snprintf(name, sizeof name, "data.%03u", n); break;
    case 4: std::snprintf(name, sizeof name, "Notes %u", n); break;
    case 5: std::snprintf(name, sizeof name, "archive%u.tar.gz", n); break;
    default: std::snprintf(name, sizeof name, "readme_%u.txt", n); break;
    }
    return name;
}

// Under Wine every new name makes it scan the whole directory for a name that
// differs only in case, so creating 100,000 files one by one takes about an hour.
// There the files are made (and removed) by a Unix shell, which Wine can start;
// the last-write times are then set through the ordinary calls, which find
// existing names at once.
using UnixPathOf = char*(__cdecl*)(const WCHAR*);

UnixPathOf WineUnixPath() {
    FARPROC found = ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name");
    return reinterpret_cast<UnixPathOf>(reinterpret_cast<void*>(found));
}

std::string UnixPath(const std::string& path) {
    std::wstring wide(path.begin(), path.end());
    char* unix = WineUnixPath()(wide.c_str());
    std::string result = unix ? unix : "";
    ::HeapFree(::GetProcessHeap(), 0, unix);
    return result;
}

bool WriteText(const std::string& path, const std::string& text) {
    HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    BOOL ok = ::WriteFile(file, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    ::CloseHandle(file);
    return ok && written == text.size();
}

// Runs shell commands and waits for them. Wine does not wait for a Unix process
// (its handle is signalled at once), so the script leaves a mark file when all
// its commands have succeeded and the bench waits for that file.
bool RunShell(const std::string& besideDir, const std::string& commands) {
    std::string base = besideDir.substr(0, besideDir.size() - 1);
    std::string scriptPath = base + ".sh", markPath = base + ".done";
    ::DeleteFileA(markPath.c_str());
    std::string script = "set -e\n" + commands + "echo > '" + UnixPath(markPath) + "'\n";
    bool ok = WriteText(scriptPath, script);
    std::string command = "/bin/sh \"" + UnixPath(scriptPath) + "\"";  // Windows quoting rules
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    ok = ok && ::CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                                &process);
    if (ok) {
        ::CloseHandle(process.hThread);
        ::CloseHandle(process.hProcess);
        ok = false;
        for (int waited = 0; waited < 120000 && !ok; waited += 20) {
            ::Sleep(20);
            ok = ::GetFileAttributesA(markPath.c_str()) != INVALID_FILE_ATTRIBUTES;
        }
    }
    ::DeleteFileA(markPath.c_str());
    ::DeleteFileA(scriptPath.c_str());
    return ok;
}

bool CreateWithShell(const std::string& dir, unsigned count) {
    std::string commands = "cd '" + UnixPath(dir) + "'\n";
    for (unsigned i = 0; i < count; ++i) commands += ": > '" + BenchName(i) + "'\n";
    return RunShell(dir, commands);
}

bool MakeFiles(const std::string& dir, unsigned count) {
    const bool underWine = WineUnixPath() != nullptr;
    if (underWine && !CreateWithShell(dir, count)) return false;
    // Last-write times spread over some ten years from 2015 on, a few sharing a second.
    const int64_t base = 1420070400;
    for (unsigned i = 0; i < count; ++i) {
        std::string path = dir + BenchName(i);
        HANDLE file = ::CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, underWine ? OPEN_EXISTING : CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
        if (file == INVALID_HANDLE_VALUE) return false;
        int64_t seconds = base + static_cast<int64_t>((i * 2654435761u) % 315360000u);
        ULONGLONG ticks = static_cast<ULONGLONG>(seconds) * 10000000ULL + 116444736000000000ULL;
        FILETIME written = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
        ::SetFileTime(file, nullptr, nullptr, &written);
        ::CloseHandle(file);
    }
    return true;
}

void RemoveFiles(const std::string& dir, unsigned count) {
    if (WineUnixPath()) {
        RunShell(dir, "rm -rf '" + UnixPath(dir) + "'\n");
        return;
    }
    for (unsigned i = 0; i < count; ++i) ::DeleteFileA((dir + BenchName(i)).c_str());
    ::RemoveDirectoryA(dir.c_str());
}

int RunSize(unsigned count) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "vorlix-bench-" + std::to_string(::GetCurrentProcessId()) + "-" +
                      std::to_string(count) + "\\";
    if (!::CreateDirectoryA(dir.c_str(), nullptr)) {
        std::fprintf(stderr, "cannot create %s\n", dir.c_str());
        return 1;
    }
    double start = BenchSeconds();
    bool made = MakeFiles(dir, count);
    std::printf("%u files made in %.1f s\n", count, BenchSeconds() - start);
    if (!made) {
        std::fprintf(stderr, "cannot create the files in %s\n", dir.c_str());
        RemoveFiles(dir, count);
        return 1;
    }

    int failures = 0;
    {
        Win32FileServices files;
        DesktopUi ui;
        CRenameDlg dlg(Services{files, ui, ""});  // no settings file: the start values
        dlg.Create();
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        dlg.m_browse.m_strCurDir = dir;
        dlg.m_browse.m_nFileSort = 0;
        dlg.FillFileList();  // warm: the directory is read once, and each timed fill empties a full list

        double best[kSortBoxEntries];
        std::fill(best, best + kSortBoxEntries, 1e30);
        for (int round = 0; round < kRounds; ++round) {
            for (int order = 0; order < kSortBoxEntries; ++order) {
                dlg.m_browse.m_nFileSort = SortOrderOfEntry(order);
                double t0 = BenchSeconds();
                dlg.FillFileList();
                best[order] = std::min(best[order], BenchSeconds() - t0);
                LRESULT listed = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
                if (listed != static_cast<LRESULT>(count)) {
                    std::fprintf(stderr, "order %d listed %ld of %u files\n", order, static_cast<long>(listed), count);
                    ++failures;
                }
            }
        }
        std::printf("\n%-8s %-5s %-36s %10s %12s\n", "files", "order", "", "ms", "vs order 0");
        for (int order = 0; order < kSortBoxEntries; ++order) {
            std::printf("%-8u %-5d %-38s %10.0f %11.2fx%s\n", count, SortOrderOfEntry(order), kSortOrderTexts[order],
                        best[order] * 1000.0, best[order] / best[0],
                        best[order] > best[0] ? "  (slower than order 0)" : "");
        }
        std::printf("\n");

        // Where the time of a fill goes. The names go to the list box's own window
        // procedure, past the tooltips' subclass, as the fill sends them.
        WNDPROC listProc = reinterpret_cast<WNDPROC>(::GetClassLongPtrA(list, GCLP_WNDPROC));
        std::vector<std::string> names;
        double t0 = BenchSeconds();
        files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
            if (!(entry.attrib & kFileDirectory)) names.push_back(entry.name);
        });
        double enumerate = BenchSeconds() - t0;
        t0 = BenchSeconds();
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        double reset = BenchSeconds() - t0;
        std::vector<std::string> sorted = names;
        t0 = BenchSeconds();
        SortNamesForOrder(2, sorted);
        double sort = BenchSeconds() - t0;
        ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
        t0 = BenchSeconds();
        for (size_t i = 0; i < sorted.size(); ++i)
            ::CallWindowProcA(listProc, list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(sorted[i].c_str()));
        double insert = BenchSeconds() - t0;
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        t0 = BenchSeconds();
        for (const std::string& name : names)
            ::CallWindowProcA(listProc, list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        double add = BenchSeconds() - t0;
        ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
        std::printf("%u files: read the directory %.0f ms, empty the full list %.0f ms, sort (order 2) %.0f ms,\n"
                    "  insert in order %.0f ms, add to the sorted list box %.0f ms\n\n",
                    count, enumerate * 1000, reset * 1000, sort * 1000, insert * 1000, add * 1000);
        dlg.DestroyWindow();
    }
    RemoveFiles(dir, count);
    return failures;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    std::vector<unsigned> sizes;
    for (int i = 1; i < argc; ++i) sizes.push_back(static_cast<unsigned>(std::strtoul(argv[i], nullptr, 10)));
    if (sizes.empty()) sizes = {10000, 100000};
    int failures = 0;
    for (unsigned count : sizes) failures += RunSize(count);
    return failures == 0 ? 0 : 1;
}
