#include "platform/win32_registry.h"

#include <windows.h>

#include "platform/wide_text.h"
#include "platform/win32_file_services.h"

namespace {

std::wstring ClassesKey(const std::string& key) { return L"Software\\Classes\\" + ToWide(key); }

// A key with no keys and no values under it (its default value unset).
bool IsEmptyKey(const std::string& key) {
    HKEY handle = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, ClassesKey(key).c_str(), 0, KEY_READ, &handle) != ERROR_SUCCESS)
        return false;
    DWORD keys = 1, values = 1;
    const LONG result = ::RegQueryInfoKeyW(handle, nullptr, nullptr, nullptr, &keys, nullptr, nullptr, &values,
                                           nullptr, nullptr, nullptr, nullptr);
    ::RegCloseKey(handle);
    return result == ERROR_SUCCESS && keys == 0 && values == 0;
}

}  // namespace

std::string Win32ClassesRegistry::SetValue(const ClassesValue& value) {
    HKEY key = nullptr;
    LONG result = ::RegCreateKeyExW(HKEY_CURRENT_USER, ClassesKey(value.key).c_str(), 0, nullptr, 0, KEY_SET_VALUE,
                                    nullptr, &key, nullptr);
    if (result != ERROR_SUCCESS) return SystemErrorText(static_cast<unsigned long>(result));
    const std::wstring name = ToWide(value.name), data = ToWide(value.data);
    result = ::RegSetValueExW(key, name.empty() ? nullptr : name.c_str(), 0, REG_SZ,
                              reinterpret_cast<const BYTE*>(data.c_str()),
                              static_cast<DWORD>((data.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(key);
    return result == ERROR_SUCCESS ? std::string() : SystemErrorText(static_cast<unsigned long>(result));
}

std::string Win32ClassesRegistry::DeleteKey(const std::string& key) {
    const LONG result = ::RegDeleteTreeW(HKEY_CURRENT_USER, ClassesKey(key).c_str());
    if (result != ERROR_SUCCESS && result != ERROR_FILE_NOT_FOUND)
        return SystemErrorText(static_cast<unsigned long>(result));
    // RegDeleteTree empties the key; the key itself goes after.
    const LONG removed = ::RegDeleteKeyW(HKEY_CURRENT_USER, ClassesKey(key).c_str());
    if (removed != ERROR_SUCCESS && removed != ERROR_FILE_NOT_FOUND)
        return SystemErrorText(static_cast<unsigned long>(removed));
    for (std::string parent = key; parent.find('\\') != std::string::npos && IsEmptyKey(parent = parent.substr(0, parent.rfind('\\')));)
        ::RegDeleteKeyW(HKEY_CURRENT_USER, ClassesKey(parent).c_str());
    return std::string();
}

bool Win32ClassesRegistry::HasValue(const ClassesValue& value) {
    const std::wstring name = ToWide(value.name);
    wchar_t data[4096];
    DWORD size = sizeof data;
    DWORD type = 0;
    if (::RegGetValueW(HKEY_CURRENT_USER, ClassesKey(value.key).c_str(), name.empty() ? nullptr : name.c_str(),
                       RRF_RT_REG_SZ, &type, data, &size) != ERROR_SUCCESS)
        return false;
    return FromWide(data) == value.data;
}
