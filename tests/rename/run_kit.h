// Real files under a run: what a directory holds, the file services with a window onto
// the run's moves, and a main window listing a directory.
#pragma once

#include "app/rename_dlg.h"
#include "platform/wide_text.h"
#include "support/ui_test_kit.h"

#include <functional>
#include <string>
#include <vector>

// The progress window of this thread: tests run side by side on one desktop, so a
// search by title alone could find another test's window.
inline HWND ProgressWindowOfThisThread() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM lp) -> BOOL {
        if (TextOf(hwnd) == "Renaming in progress...") *reinterpret_cast<HWND*>(lp) = hwnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// Takes a listed file away as another program would, keeping it in "elsewhere".
inline void TakeAway(const TempDir& dir, const std::string& name) {
    ::CreateDirectoryA((dir.path() + "elsewhere").c_str(), nullptr);
    ::MoveFileA((dir.path() + name).c_str(), (dir.path() + "elsewhere\\" + name).c_str());
}

// The real file services with a window onto the run's moves: a test sees each move
// before it happens and may change its target, while the files stay real.
class ObservedFiles : public Win32FileServices {
public:
    std::function<void(const std::string& from, std::string& to)> beforeMove;
    std::vector<std::string> moved;  // sources of the moves asked for, in order

    std::optional<Failure> MoveFile(const std::string& from, const std::string& to) override {
        moved.push_back(from);
        std::string target = to;
        if (beforeMove) beforeMove(from, target);
        return Win32FileServices::MoveFile(from, target);
    }
};

// A main window listing `dir` with every file selected, as the user sees it before
// pressing "&Rename it!": no confirmation is asked and failed moves are only counted.
// On the real file services unless others are given.
struct ListedWindow {
    explicit ListedWindow(const std::string& dir, bool selectAll = true, FileServices* files = nullptr,
                          const std::string& journal = std::string())
        : kit(files, journal) {
        dlg.Create();
        dlg.m_bWarnRename = dlg.m_bAbortOnError = FALSE;
        dlg.m_browse.m_strCurDir = dir;
        dlg.m_strSearchMask = "*.*";
        dlg.FillFileList();
        if (selectAll) ::SendMessageA(List(), LB_SELITEMRANGEEX, 0, ::SendMessageA(List(), LB_GETCOUNT, 0, 0) - 1);
    }
    ~ListedWindow() { dlg.DestroyWindow(); }
    HWND List() { return dlg.GetDlgItem(IDC_FILELIST); }
    LRESULT Selected() { return ::SendMessageA(List(), LB_GETSELCOUNT, 0, 0); }
    void Rename() { ClickButton(dlg.GetDlgItem(IDC_RENAME)); }

    MainWindowKit kit;
    CRenameDlg& dlg = kit.dlg;
};
