// Helpers for UI tests: they drive real dialogs with real messages (keystrokes into
// edits, button clicks, mouse clicks on list items) and answer message boxes.
#pragma once

#include "winui/afx.h"
#include "winui/message_seam.h"

#include <deque>
#include <functional>
#include <map>
#include <string>
#include <vector>

struct ShownMessage {
    std::string text;
    std::string title;
    UINT flags;
};

// Records every message box and beep; answers boxes from a queue (IDOK when empty,
// IDYES for Yes/No boxes).
class CapturingSink : public UiSink {
public:
    CapturingSink();
    ~CapturingSink() override;
    int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) override;
    void Beep(UINT type) override;

    void Answer(int button) { answers.push_back(button); }
    // Called for each box before it is answered (e.g. to look at the screen then).
    std::function<void(const ShownMessage&)> onMessage;

    std::vector<ShownMessage> messages;
    std::vector<UINT> beeps;
    std::deque<int> answers;

private:
    UiSink* m_previous;
};

// Dispatches every queued message (through IsDialogMessage for `dialog` when given).
void PumpMessages(HWND dialog = nullptr);

// Types each character into a control as the keyboard would (WM_CHAR), caret at the end.
void TypeText(HWND edit, const std::string& text);
// Puts the caret at `pos` and types there.
void TypeTextAt(HWND edit, int pos, const std::string& text);
// Presses a key at the focused control of `dialog` through the dialog manager.
void PressKey(HWND dialog, HWND target, UINT vk);
// BM_CLICK: the button behaves as if clicked (auto check boxes toggle, notifications follow).
void ClickButton(HWND button);
// A real left click on item `index` of a list box (mouse down and up at its centre).
void ClickListItem(HWND list, int index);

std::string TextOf(HWND hwnd);
int CheckOf(HWND button);
bool IsEnabled(HWND hwnd);
// A control's rectangle in its parent's client coordinates.
RECT ChildRect(HWND child);

// An absolute path in the "\\?\" form, which names exactly the entry written ("foo." is
// not "foo", "CON" is a file); other paths as they are.
std::string Exact(const std::string& path);

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

bool FileExists(const std::string& path);
std::string ReadFile(const std::string& path);

// Gives a file, by its exact name, the last-write time `seconds` (since 1970, UTC).
bool SetWriteTime(const std::string& path, long long seconds);
// The files of `dir` by exact name, each as its contents followed by " hidden" and
// " read-only" for those attributes and " restamped" when its last-write time is not
// `seconds`; so that a change to any file shows.
std::map<std::string, std::string> FileStates(const std::string& dir, long long seconds);
