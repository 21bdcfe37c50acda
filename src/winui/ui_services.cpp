#include "winui/ui_services.h"

#include <shellapi.h>

#include "platform/wide_text.h"

int DesktopUi::MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    return ::MessageBoxW(owner, ToWide(text).c_str(), ToWide(title).c_str(), flags);
}

void DesktopUi::Beep(UINT type) { ::MessageBeep(type); }

void DesktopUi::OpenHelp(const std::string& path) {
    ::ShellExecuteW(nullptr, L"open", ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}
