// What the program's windows ask of the desktop beyond their own controls: message
// boxes and beeps, the help page, and the start of a modal window's loop. The program
// hands its main window the desktop's own (DesktopUi); a test hands it one that records
// what the user would have seen and gives the answers a user would have given. Each
// window passes its services on to the windows it opens.
#pragma once

#include <windows.h>

#include <string>

class CDialog;

class UiServices {
public:
    virtual ~UiServices() = default;
    // Returns the button the user pressed (IDOK, IDYES, ...).
    virtual int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) = 0;
    virtual void Beep(UINT type) = 0;
    // A modal window's loop is running (once per window, before the user acts in it):
    // the moment a test meets a modal window opened inside a handler.
    virtual void ModalStarted(CDialog& dialog) = 0;
    // Shows the help page at `path` in the user's viewer.
    virtual void OpenHelp(const std::string& path) = 0;
    // The standard Save (after its overwrite prompt) or Open dialog for a file of
    // `extension` (".vorlixrules", described as `kind`), showing `folder` first; the
    // full path chosen, "" when cancelled.
    virtual std::string ChooseFile(HWND owner, bool save, const std::string& folder, const std::string& kind,
                                   const std::string& extension) = 0;
};

// The desktop's own message boxes, beeps and help viewer.
class DesktopUi : public UiServices {
public:
    int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) override;
    void Beep(UINT type) override;
    void ModalStarted(CDialog&) override {}
    void OpenHelp(const std::string& path) override;
    std::string ChooseFile(HWND owner, bool save, const std::string& folder, const std::string& kind,
                           const std::string& extension) override;
};
