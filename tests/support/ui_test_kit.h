// Helpers for UI tests: windows built with the test's own services, driven with real
// messages (keystrokes into edits, button clicks, mouse clicks on list items), their
// message boxes answered.
#pragma once

#include "app/rename_dlg.h"
#include "platform/win32_file_services.h"
#include "winui/afx.h"
#include "winui/ui_services.h"

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

struct ShownMessage {
    std::string text;
    std::string title;
    UINT flags;
};

// The UI services of a test: records every message box and beep and answers boxes from
// a queue (IDOK when empty, IDYES for Yes/No boxes); hands each modal window to
// `onModal`, which must close it; records the help pages opened.
class RecordingUi : public UiServices {
public:
    int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) override;
    void Beep(UINT type) override { beeps.push_back(type); }
    void ModalStarted(CDialog& dialog) override;
    void OpenHelp(const std::string& path) override { helpOpened.push_back(path); }
    // Answers the Save and Open dialogs from `files` in turn ("" or none left: cancelled),
    // recording each as "Save|FOLDER" or "Open|FOLDER".
    std::string ChooseFile(HWND, bool save, const std::string& folder, const std::string&,
                           const std::string&) override {
        fileDialogs.push_back((save ? "Save|" : "Open|") + folder);
        if (files.empty()) return std::string();
        const std::string path = files.front();
        files.pop_front();
        return path;
    }

    void Answer(int button) { answers.push_back(button); }
    // The boxes shown, each as "title|text", with "|" and the box's flags when asked.
    std::vector<std::string> Told(bool withFlags = false) const;

    // Called for each box before it is answered (e.g. to look at the screen then).
    std::function<void(const ShownMessage&)> onMessage;
    std::function<void(CDialog&)> onModal;

    std::vector<ShownMessage> messages;
    std::vector<UINT> beeps;
    std::deque<int> answers;
    std::vector<std::string> helpOpened;
    std::deque<std::string> files;
    std::vector<std::string> fileDialogs;
};

// A fresh directory under the system temp directory, removed with its contents. Its
// files are made, read and removed under their exact names.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;
    // Full path ending in a backslash.
    const std::string& path() const { return m_path; }
    // Creates a file with `contents` (relative name, may include subfolders that exist).
    std::string WriteFile(const std::string& name, const std::string& contents = "x") const;
    std::string MakeDir(const std::string& name) const;

private:
    std::string m_path;
};

// The main window on the test's own services: a recording UI, the real file services
// unless a stand-in is given, and a settings file of its own (vorlix.ini in `dir`, a
// fresh directory the test may put files in too; read at start-up, written only when
// the test saves). Windows built from `services` share them, as a restart does. The run
// journal is kept in `appData`, away from the test's files, unless a path is given.
struct MainWindowKit {
    explicit MainWindowKit(FileServices* files = nullptr, const std::string& journal = std::string());
    // Creates the window (start-up runs), shows it and handles what start-up queued.
    bool Open();

    RecordingUi ui;
    Win32FileServices realFiles;
    TempDir dir;
    TempDir appData;
    const Services services;
    CRenameDlg dlg;
};

// Dispatches every queued message (through IsDialogMessage for `dialog` when given).
void PumpMessages(HWND dialog = nullptr);

// A test on a main window over the test's own services: `dlg`, opened before the test
// unless `open` is false, and any window Restart() makes, all destroyed after it.
// Windows that open on a directory make it current, and a temp directory left current
// could not be removed: the current directory is put back.
class WindowTest : public ::testing::Test {
protected:
    explicit WindowTest(FileServices* files = nullptr, bool open = true) : kit(files), m_open(open) {}
    void SetUp() override {
        ::GetCurrentDirectoryA(MAX_PATH, m_savedDir);
        if (!m_open) return;
        ASSERT_TRUE(kit.Open());
        hwnd = dlg.GetSafeHwnd();
        list = Item(IDC_FILELIST);
    }
    void TearDown() override {
        if (restarted) restarted->DestroyWindow();
        dlg.DestroyWindow();
        ::SetCurrentDirectoryA(m_savedDir);
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    // Closes the restarted window in hand, if any, and makes `restarted` anew on the same
    // services, as starting the program again does; false when it could not be created.
    bool Restart() {
        if (restarted) restarted->DestroyWindow();
        restarted = std::make_unique<CRenameDlg>(kit.services);
        const bool created = restarted->Create();
        PumpMessages(restarted->GetSafeHwnd());
        return created;
    }

    MainWindowKit kit;
    CRenameDlg& dlg = kit.dlg;
    RecordingUi& ui = kit.ui;
    TempDir& dir = kit.dir;
    HWND hwnd = nullptr, list = nullptr;
    std::unique_ptr<CRenameDlg> restarted;

private:
    bool m_open;
    char m_savedDir[MAX_PATH] = "";
};

// Hands `record` each message sent to a window of this thread while it lives, as the
// window procedure receives it (posted messages are not seen). One recorder at a time.
class MessageRecorder {
public:
    explicit MessageRecorder(std::function<void(const CWPSTRUCT&)> record);
    ~MessageRecorder();
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

private:
    std::function<void(const CWPSTRUCT&)> m_record;
    HHOOK m_hook;
};

// Types each character into a control as the keyboard would (WM_CHAR), caret at the end.
void TypeText(HWND edit, const std::string& text);
// Presses a key at the focused control of `dialog` through the dialog manager.
void PressKey(HWND dialog, HWND target, UINT vk);
// Ctrl+`key` pressed with the focus on `target` (a control of `dialog`).
void PressCtrlKey(HWND dialog, HWND target, UINT key);
// BM_CLICK: the button behaves as if clicked (auto check boxes toggle, notifications follow).
void ClickButton(HWND button);
// A real left click on item `index` of a list box (mouse down and up at its centre).
void ClickListItem(HWND list, int index);

std::string TextOf(HWND hwnd);
// The items of a list box, top to bottom.
std::vector<std::string> Items(HWND list);
// The items in one line, each selected one marked with '*': "a.txt b.txt*".
std::string ListState(HWND list);
int CheckOf(HWND button);
bool IsEnabled(HWND hwnd);
// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// An absolute path in the "\\?\" form, which names exactly the entry written ("foo." is
// not "foo", "CON" is a file); other paths as they are.
std::string Exact(const std::string& path);

// The Linux path of a Windows path, as Wine maps it; "" outside Wine.
std::string UnixPathOf(const std::string& path);
bool FileExists(const std::string& path);
// The files (not directories) of `dir` as the file system spells them.
std::set<std::string> NamesIn(const std::string& dir);
std::string ReadFile(const std::string& path);

// Under Wine the recycle bin is the desktop's trash, $XDG_DATA_HOME/Trash, which the
// test scripts keep in the build folder. False when XDG_DATA_HOME is not set to a full
// path: files must then not be sent to the bin, since they would land in the user's own.
bool TrashIsTheBuilds();
// Whether the trash holds a file that was at `path` (a full path).
bool InTrash(const std::string& path);

// Gives a file, by its exact name, the last-write time `seconds` (since 1970, UTC).
bool SetWriteTime(const std::string& path, long long seconds);
using FileMap = std::map<std::string, std::string>;
// Every file under `root` (ending in a backslash) by exact relative path, with its
// contents; with `attributes` then " " and r, h, s for read-only, hidden and system when
// any is set; with `time` then "|" and the last-write time; with a `stamp` (seconds
// since 1970) then " restamped" when the last-write time is another: so that any change
// shows.
FileMap Files(const std::string& root, bool attributes = false, bool time = false, long long stamp = -1);
