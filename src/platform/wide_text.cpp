#include "platform/wide_text.h"

#include <windows.h>

#include <climits>
#include <cwchar>

namespace {

// The whole of `bytes` in code page `codePage` as UTF-16; `strict` refuses ill-formed
// input instead of replacing it. False when refused or too long for the call.
bool Convert(UINT codePage, std::string_view bytes, bool strict, std::wstring& wide) {
    wide.clear();
    if (bytes.empty()) return true;
    if (bytes.size() > INT_MAX) return false;
    const DWORD flags = strict ? MB_ERR_INVALID_CHARS : 0;
    const int size = static_cast<int>(bytes.size());
    const int length = ::MultiByteToWideChar(codePage, flags, bytes.data(), size, nullptr, 0);
    if (length <= 0) return false;
    wide.resize(static_cast<size_t>(length));
    return ::MultiByteToWideChar(codePage, flags, bytes.data(), size, &wide[0], length) == length;
}

}  // namespace

bool ToWide(std::string_view text, std::wstring& wide) {
    if (Convert(CP_UTF8, text, true, wide)) return text.find('\0') == std::string_view::npos;
    Convert(CP_UTF8, text, false, wide);
    return false;
}

std::wstring ToWide(std::string_view text) {
    std::wstring wide;
    ToWide(text, wide);
    return wide;
}

std::string FromWide(std::wstring_view wide) {
    // UTF-8 takes no best-fit flag and no stand-in character: a lone surrogate half
    // comes out as U+FFFD by itself.
    if (wide.empty() || wide.size() > INT_MAX) return std::string();
    const int size = static_cast<int>(wide.size());
    const int length = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, nullptr, 0, nullptr, nullptr);
    if (length <= 0) return std::string();
    std::string text(static_cast<size_t>(length), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), size, &text[0], length, nullptr, nullptr);
    return text;
}

std::string FromWide(const wchar_t* wide) {
    return wide ? FromWide(std::wstring_view(wide, std::wcslen(wide))) : std::string();
}

std::string AnsiToUtf8(std::string_view bytes) {
    std::wstring wide;
    Convert(CP_ACP, bytes, false, wide);
    return FromWide(wide);
}
