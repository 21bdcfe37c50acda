#include "winui/ui_services.h"

#include <shellapi.h>

int DesktopUi::MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    return ::MessageBoxA(owner, text.c_str(), title.c_str(), flags);
}

void DesktopUi::Beep(UINT type) { ::MessageBeep(type); }

void DesktopUi::OpenHelp(const std::string& path) {
    ::ShellExecuteA(nullptr, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
