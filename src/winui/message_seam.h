// Every message box and beep of the program goes through here, so that tests can
// see what the user would have seen and give the answer a user would have given.
#pragma once

#include <windows.h>

#include <string>

class UiSink {
public:
    virtual ~UiSink() = default;
    // Returns the button the user pressed (IDOK, IDYES, ...).
    virtual int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) = 0;
    virtual void Beep(UINT type) = 0;
};

// Installs a sink (nullptr restores the real message boxes); returns the previous one.
UiSink* SetUiSink(UiSink* sink);

int UiMessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags);
void UiBeep(UINT type);
