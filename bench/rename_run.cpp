// How much a rename run adds to the platform's own cost of renaming: "&Rename it!"
// over N selected files in one directory (default 10,000), with its journal written,
// and then Undo Last Run of that run, each against a bare loop of MoveFileW over the
// same files in the same directory, before and after. Goal: the run and the undo each
// take at most 1.25 times the bare loop.
//
//   bench_rename_run [N]
//
// The directory is made under the temp directory and removed afterwards.
#include "bench_clock.h"
#include "app/rename_dlg.h"
#include "platform/win32_file_services.h"

#include <winternl.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// CreateFileA makes Wine scan the whole directory for a name differing only in case;
// a case-sensitive NtCreateFile looks the exact name up only, so making the files
// does not dwarf what is measured.
bool CreateExactFile(const std::string& path) {
    std::wstring nt = L"\\??\\" + std::wstring(path.begin(), path.end());
    UNICODE_STRING name;
    ::RtlInitUnicodeString(&name, nt.c_str());
    OBJECT_ATTRIBUTES attributes;
    InitializeObjectAttributes(&attributes, &name, 0, nullptr, nullptr);
    IO_STATUS_BLOCK io;
    HANDLE file = nullptr;
    NTSTATUS status = ::NtCreateFile(&file, GENERIC_WRITE | SYNCHRONIZE, &attributes, &io, nullptr,
                                     FILE_ATTRIBUTE_NORMAL, 0, FILE_CREATE /* 2 */,
                                     FILE_SYNCHRONOUS_IO_NONALERT | FILE_NON_DIRECTORY_FILE, nullptr, 0);
    if (status < 0) return false;
    ::CloseHandle(file);
    return true;
}

// A fresh directory under the temp directory, ending in a backslash ("" on failure).
std::string BenchDirectory(const char* what) {
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    std::string dir = std::string(temp) + "vorlix-bench-" + what + "-" + std::to_string(::GetCurrentProcessId());
    if (!::CreateDirectoryA(dir.c_str(), nullptr)) {
        std::fprintf(stderr, "cannot create %s\n", dir.c_str());
        return std::string();
    }
    return dir + "\\";
}

// Removes the directory with whatever files are left in it.
void RemoveBenchDirectory(const std::string& dir) {
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((dir + "*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) ::DeleteFileA((dir + data.cFileName).c_str());
        } while (::FindNextFileA(find, &data));
        ::FindClose(find);
    }
    ::RemoveDirectoryA(dir.c_str());
}

// The desktop's services, with every question answered OK.
class AnsweringUi : public DesktopUi {
public:
    int MessageBox(HWND, const std::string&, const std::string&, UINT) override { return IDOK; }
};

std::string Name(unsigned i, const char* tail) {
    char name[64];
    std::snprintf(name, sizeof name, "photo%05u%s.jpg", i, tail);
    return name;
}

// The bare loop: every file one rename, nothing else.
double BareLoop(const std::string& dir, unsigned count, const char* from, const char* to, unsigned& failed) {
    double t0 = BenchSeconds();
    for (unsigned i = 0; i < count; ++i) {
        const std::string a = dir + Name(i, from), b = dir + Name(i, to);
        const std::wstring wa(a.begin(), a.end()), wb(b.begin(), b.end());  // ASCII names
        if (!::MoveFileW(wa.c_str(), wb.c_str())) ++failed;
    }
    return BenchSeconds() - t0;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const unsigned count = argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 10000;

    const std::string dir = BenchDirectory("rename");
    if (dir.empty()) return 1;
    double t0 = BenchSeconds();
    for (unsigned i = 0; i < count; ++i) {
        if (!CreateExactFile(dir + Name(i, ""))) {
            std::fprintf(stderr, "cannot create the files in %s\n", dir.c_str());
            return 1;
        }
    }
    std::printf("%u files made in %.1f s\n", count, BenchSeconds() - t0);

    unsigned failed = 0;
    const double bareBefore = BareLoop(dir, count, "", "_a", failed);

    double run = 0, undo = 0;
    LRESULT listed = 0, selected = 0;
    const std::string journalDir = BenchDirectory("journal");
    {
        Win32FileServices files;
        AnsweringUi ui;
        // No settings file: the start values.
        CRenameDlg dlg(Services{files, ui, "", {}, journalDir + "Vorlix\\last-run.txt"});
        dlg.Create();
        dlg.m_browse.m_strCurDir = dir;
        dlg.m_strSearchMask = "*.*";
        dlg.FillFileList();
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        listed = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
        ::SendMessageA(list, LB_SELITEMRANGEEX, 0, listed - 1);
        selected = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
        dlg.m_bWarnRename = FALSE;
        dlg.m_bChangePrefix = 1;
        dlg.m_nPrefixPos = 2;
        dlg.m_strNewPrefix = "_b";  // photo00001_a.jpg -> photo00001_a_b.jpg
        t0 = BenchSeconds();
        dlg.OnRename();  // the whole run: moves, progress, refill of the list
        run = BenchSeconds() - t0;
        if (::SendMessageA(list, LB_GETCOUNT, 0, 0) != static_cast<LRESULT>(count)) ++failed;
        for (unsigned i = 0; i < count; ++i)
            if (::GetFileAttributesA((dir + Name(i, "_a_b")).c_str()) == INVALID_FILE_ATTRIBUTES) ++failed;
        t0 = BenchSeconds();
        dlg.OnUndoLastRun();  // the question answered, every file back, the list refilled
        undo = BenchSeconds() - t0;
        dlg.DestroyWindow();
    }
    for (unsigned i = 0; i < count; ++i)
        if (::GetFileAttributesA((dir + Name(i, "_a")).c_str()) == INVALID_FILE_ATTRIBUTES) ++failed;
    ::DeleteFileA((journalDir + "Vorlix\\last-run.txt").c_str());
    ::RemoveDirectoryA((journalDir + "Vorlix").c_str());
    ::RemoveDirectoryA(journalDir.c_str());

    const double bareAfter = BareLoop(dir, count, "_a", "_c", failed);
    const double bare = (bareBefore + bareAfter) / 2;

    std::printf("\n%-34s %10s %12s\n", "", "seconds", "per file ms");
    std::printf("%-34s %10.2f %12.3f\n", "bare MoveFileW loop (before run)", bareBefore, bareBefore * 1000 / count);
    std::printf("%-34s %10.2f %12.3f\n", "rename run (list of all files)", run, run * 1000 / count);
    std::printf("%-34s %10.2f %12.3f\n", "undo of that run", undo, undo * 1000 / count);
    std::printf("%-34s %10.2f %12.3f\n", "bare MoveFileW loop (after run)", bareAfter, bareAfter * 1000 / count);
    std::printf("\nrun / bare loop (mean of the two): %.2fx   (goal: at most 1.25x)\n", run / bare);
    std::printf("undo / bare loop (mean of the two): %.2fx   (goal: at most 1.25x)\n", undo / bare);
    std::printf("listed %ld, selected %ld, failures %u\n", static_cast<long>(listed), static_cast<long>(selected),
                failed);

    RemoveBenchDirectory(dir);
    return failed == 0 ? 0 : 1;
}
