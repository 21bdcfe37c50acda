#include "winui/ui_services.h"

#include <commdlg.h>
#include <shellapi.h>

#include "platform/wide_text.h"

int DesktopUi::MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) {
    return ::MessageBoxW(owner, ToWide(text).c_str(), ToWide(title).c_str(), flags);
}

void DesktopUi::Beep(UINT type) { ::MessageBeep(type); }

void DesktopUi::OpenHelp(const std::string& path) {
    ::ShellExecuteW(nullptr, L"open", ToWide(path).c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

std::string DesktopUi::ChooseFile(HWND owner, bool save, const std::string& folder, const std::string& kind,
                                  const std::string& extension) {
    // The filter is "kind (*.ext)", NUL, "*.ext", NUL, NUL.
    const std::wstring pattern = L"*" + ToWide(extension);
    std::wstring filter = ToWide(kind) + L" (" + pattern + L")" + L'\0' + pattern + L'\0';
    const std::wstring initial = ToWide(folder), defExt = ToWide(extension.substr(extension.empty() ? 0 : 1));
    std::wstring file(32768, L'\0');
    OPENFILENAMEW ofn = {};
    ofn.lStructSize = sizeof ofn;
    ofn.hwndOwner = owner;
    ofn.lpstrFilter = filter.c_str();
    ofn.lpstrFile = &file[0];
    ofn.nMaxFile = static_cast<DWORD>(file.size());
    ofn.lpstrInitialDir = initial.empty() ? nullptr : initial.c_str();
    ofn.lpstrDefExt = defExt.c_str();
    ofn.Flags = OFN_NOCHANGEDIR | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY |
                (save ? OFN_OVERWRITEPROMPT : OFN_FILEMUSTEXIST);
    if (!(save ? ::GetSaveFileNameW(&ofn) : ::GetOpenFileNameW(&ofn))) return std::string();
    return FromWide(file.c_str());
}
