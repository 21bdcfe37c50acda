// Several files chosen together in Explorer start the program once for each file
// ("/select FILE"): a verb given as a command line gets one file at a time. The first
// of them for a folder opens the window and gathers; the others hand their file over to
// it and end, so that the user gets one window with every chosen file selected.
#pragma once

#include <windows.h>

#include <string>

// The gathering for one folder, claimed by the first process and held by its window.
class SelectionGatherer {
public:
    SelectionGatherer() = default;
    SelectionGatherer(const SelectionGatherer&) = delete;
    SelectionGatherer& operator=(const SelectionGatherer&) = delete;
    ~SelectionGatherer() { Stop(); }

    // Claims the gathering for the folder of `path`; false when another process holds it.
    bool Claim(const std::string& path);
    // The window that takes the hand-overs (as WM_COPYDATA, see TakeHandedOver) from now.
    void Open(HWND window);
    // No more hand-overs: a file chosen later opens a window of its own.
    void Stop();

    // The path a WM_COPYDATA of a hand-over carries, if `data` is one and lies in the
    // gathered folder; "" for anything else.
    std::string TakeHandedOver(const COPYDATASTRUCT& data) const;

private:
    std::string m_folder;
    HANDLE m_claim = nullptr;
    HWND m_window = nullptr;
};

// Hands `path` over to the window gathering its folder, waiting a few seconds for one
// to show. True when it took the file (this process is done); false when this process
// is to open its own window: then `gatherer` holds the claim, unless nobody answered.
bool HandSelectionOver(const std::string& path, SelectionGatherer& gatherer);
