// Real files under a run: what a directory holds, the file services with a window onto
// the run's moves, and a main window listing a directory.
#pragma once

#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <windows.h>

#include "platform/file_services.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

using FileMap = std::map<std::string, std::string>;

// Every file under `root` (ending in a backslash) by relative path, with its contents;
// with `attributes` then " " and r, h, s for read-only, hidden and system when any is
// set; with `time` then "|" and the last-write time, so that any change shows.
inline FileMap Files(const std::string& root, bool attributes = false, bool time = false, const std::string& rel = "") {
    FileMap out;
    WIN32_FIND_DATAA d;
    HANDLE find = ::FindFirstFileA((root + rel + "*").c_str(), &d);
    if (find == INVALID_HANDLE_VALUE) return out;
    do {
        const std::string name = d.cFileName, path = rel + name;
        std::string flags;
        for (auto [bit, letter] : {std::pair<DWORD, char>{FILE_ATTRIBUTE_READONLY, 'r'}, {FILE_ATTRIBUTE_HIDDEN, 'h'},
                                   {FILE_ATTRIBUTE_SYSTEM, 's'}})
            if (d.dwFileAttributes & bit) flags += letter;
        if (!(d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            out[path] = ReadFile(root + path) + (attributes && !flags.empty() ? " " + flags : "") +
                        (time ? "|" + std::to_string(d.ftLastWriteTime.dwLowDateTime) : "");
        else if (name != "." && name != "..")
            for (const auto& entry : Files(root, attributes, time, path + "\\")) out.insert(entry);
    } while (::FindNextFileA(find, &d));
    ::FindClose(find);
    return out;
}

// Takes a listed file away as another program would, keeping it in "elsewhere".
inline void TakeAway(const TempDir& dir, const std::string& name) {
    ::CreateDirectoryA((dir.path() + "elsewhere").c_str(), nullptr);
    ::MoveFileA((dir.path() + name).c_str(), (dir.path() + "elsewhere\\" + name).c_str());
}

// The items of a list box, top to bottom.
inline std::vector<std::string> Items(HWND list) {
    std::vector<std::string> out;
    for (LRESULT i = 0, n = ::SendMessageA(list, LB_GETCOUNT, 0, 0); i < n; ++i) {
        std::string text(static_cast<size_t>(::SendMessageA(list, LB_GETTEXTLEN, i, 0)) + 1, '\0');
        text.resize(static_cast<size_t>(::SendMessageA(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(&text[0]))));
        out.push_back(text);
    }
    return out;
}

// The real file services, installed for the object's lifetime; a test sees each move
// before it happens and may change or refuse it, while the files stay real.
class ObservedFiles : public FileServices {
public:
    ObservedFiles() : m_inner(SetPlatform(this)) {}
    ~ObservedFiles() override { SetPlatform(m_inner); }

    // May change the target, or refuse the move by returning false (and then may say where
    // the file was left, as a rename through a temporary name that could not be undone does).
    std::function<bool(const std::string& from, std::string& to, std::string& leftAs)> beforeMove;
    std::vector<std::string> moved;  // sources of the moves asked for, in order

    bool MoveFile(const std::string& from, const std::string& to, std::string& leftAs) override {
        moved.push_back(from);
        std::string target = to;
        leftAs.clear();
        return (!beforeMove || beforeMove(from, target, leftAs)) && m_inner->MoveFile(from, target, leftAs);
    }
    bool SetStatus(const std::string& path, const FileStatus& status, std::string& error) override {
        return m_inner->SetStatus(path, status, error);
    }
    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override {
        return m_inner->EnumerateDirectory(dir, entry);
    }
    int GetDrive() override { return m_inner->GetDrive(); }
    int ChangeDrive(int drive) override { return m_inner->ChangeDrive(drive); }
    int ChangeDir(const std::string& path) override { return m_inner->ChangeDir(path); }
    bool DeleteFile(const std::string& path) override { return m_inner->DeleteFile(path); }
    bool GetStatus(const std::string& path, FileStatus& status) override { return m_inner->GetStatus(path, status); }
    TimeValue MakeLocalTime(int y, int mo, int d, int h, int mi, int s) override {
        return m_inner->MakeLocalTime(y, mo, d, h, mi, s);
    }
    LocalTime ToLocalTime(TimeValue time) override { return m_inner->ToLocalTime(time); }
    TimeValue Now() override { return m_inner->Now(); }
    bool ReadFile(const std::string& path, std::string& contents) override { return m_inner->ReadFile(path, contents); }
    bool ReadFileStart(const std::string& path, size_t maxBytes, std::string& contents) override {
        return m_inner->ReadFileStart(path, maxBytes, contents);
    }
    bool WriteFileReplacing(const std::string& path, const std::string& c) override {
        return m_inner->WriteFileReplacing(path, c);
    }

private:
    FileServices* m_inner;
};

// A main window listing `dir` with every file selected, as the user sees it before
// pressing "&Rename it!": no confirmation is asked and failed moves are only counted.
struct ListedWindow {
    explicit ListedWindow(const std::string& dir, bool selectAll = true) {
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

    TempDir settingsDir;  // for the window's settings file, never written
    CRenameDlg dlg{settingsDir.path() + "vorlix.ini"};
};

// The message boxes shown, each as "title|text".
inline std::vector<std::string> Told(const CapturingSink& sink) {
    std::vector<std::string> out;
    for (const ShownMessage& m : sink.messages) out.push_back(m.title + "|" + m.text);
    return out;
}
