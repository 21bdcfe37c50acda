#include "support/ui_test_kit.h"

#include "platform/wide_text.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>

int RecordingUi::MessageBox(HWND, const std::string& text, const std::string& title, UINT flags) {
    messages.push_back({text, title, flags});
    if (onMessage) onMessage(messages.back());
    if (!answers.empty()) {
        int answer = answers.front();
        answers.pop_front();
        return answer;
    }
    UINT buttons = flags & MB_TYPEMASK;
    return (buttons == MB_YESNO || buttons == MB_YESNOCANCEL) ? IDYES : IDOK;
}

void RecordingUi::ModalStarted(CDialog& dialog) {
    if (!onModal) {
        // Nobody would ever close it: the test would hang.
        ADD_FAILURE() << "modal window " << dialog.GetTemplateId() << " opened with no test to meet it";
        dialog.EndDialog(IDCANCEL);
        return;
    }
    std::function<void(CDialog&)> meet = onModal;  // it may set another for a window it opens
    meet(dialog);
}

std::vector<std::string> RecordingUi::Told(bool withFlags) const {
    std::vector<std::string> told;
    for (const ShownMessage& m : messages) told.push_back(m.title + "|" + m.text + (withFlags ? "|" + std::to_string(m.flags) : ""));
    return told;
}

MainWindowKit::MainWindowKit(FileServices* files, const std::string& journal)
    : services{files ? *files : realFiles, ui, dir.path() + "vorlix.ini", {},
               journal.empty() ? appData.path() + "Vorlix\\last-run.txt" : journal,
               appData.path() + "Vorlix\\Rules\\", appData.path() + "Vorlix\\recent-rules.txt"},
      dlg(services) {}

bool MainWindowKit::Open() {
    if (!dlg.Create()) return false;
    ::ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
    PumpMessages(dlg.GetSafeHwnd());
    return true;
}

namespace {
std::function<void(const CWPSTRUCT&)>* g_record = nullptr;
LRESULT CALLBACK RecordSent(int code, WPARAM wp, LPARAM lp) {
    if (code == HC_ACTION && g_record) (*g_record)(*reinterpret_cast<const CWPSTRUCT*>(lp));
    return ::CallNextHookEx(nullptr, code, wp, lp);
}
}  // namespace

MessageRecorder::MessageRecorder(std::function<void(const CWPSTRUCT&)> record)
    : m_record(std::move(record)), m_hook(::SetWindowsHookExW(WH_CALLWNDPROC, &RecordSent, nullptr, ::GetCurrentThreadId())) {
    g_record = &m_record;
}

MessageRecorder::~MessageRecorder() {
    g_record = nullptr;
    ::UnhookWindowsHookEx(m_hook);
}

void PumpMessages(HWND dialog) {
    MSG msg;
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (dialog && ::IsDialogMessageW(dialog, &msg)) continue;
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
}

void TypeText(HWND edit, const std::string& text) {
    const WPARAM end = static_cast<WPARAM>(::GetWindowTextLengthW(edit));
    ::SendMessageW(edit, EM_SETSEL, end, static_cast<LPARAM>(end));
    for (wchar_t c : ToWide(text)) ::SendMessageW(edit, WM_CHAR, c, 1);
}

void PressCtrlKey(HWND dialog, HWND target, UINT key) {
    BYTE keys[256] = {};
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    ::SetFocus(target);
    ::PostMessageW(target, WM_KEYDOWN, key, 1);
    PumpMessages(dialog);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
}

void PressKey(HWND dialog, HWND target, UINT vk) {
    ::SetFocus(target);
    MSG msg = {};
    msg.hwnd = target;
    msg.message = WM_KEYDOWN;
    msg.wParam = vk;
    msg.lParam = 1;
    if (!::IsDialogMessageW(dialog, &msg)) {
        ::TranslateMessage(&msg);
        ::DispatchMessageW(&msg);
    }
    msg.message = WM_KEYUP;
    msg.lParam = static_cast<LPARAM>(0xC0000001);
    if (!::IsDialogMessageW(dialog, &msg)) ::DispatchMessageW(&msg);
    PumpMessages(dialog);
}

void ClickButton(HWND button) { ::SendMessageA(button, BM_CLICK, 0, 0); }

void ClickListItem(HWND list, int index) {
    RECT rect;
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(list, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

std::string TextOf(HWND hwnd) { return GetWindowTextString(hwnd); }

std::vector<std::string> Items(HWND list) {
    std::vector<std::string> out;
    for (int i = 0, n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i)
        out.push_back(GetListBoxText(list, i));
    return out;
}

std::string ListState(HWND list) {
    std::string state;
    for (int i = 0, n = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0)); i < n; ++i)
        state += (i ? " " : "") + GetListBoxText(list, i) + (::SendMessageW(list, LB_GETSEL, i, 0) > 0 ? "*" : "");
    return state;
}

int CheckOf(HWND button) { return static_cast<int>(::SendMessageA(button, BM_GETCHECK, 0, 0)); }

bool IsEnabled(HWND hwnd) { return ::IsWindowEnabled(hwnd) != FALSE; }

RECT ChildRect(HWND child) {
    RECT rect;
    ::GetWindowRect(child, &rect);
    ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

std::string Exact(const std::string& path) {
    const bool absolute = path.size() >= 3 && path[1] == ':' && path[2] == '\\';
    return absolute ? "\\\\?\\" + path : path;
}

namespace {
// Hands `visit` each entry of the directory `dir` (ending in a backslash) but "." and "..".
void ForEachEntry(const std::string& dir, const std::function<void(const std::string&, const WIN32_FIND_DATAW&)>& visit) {
    WIN32_FIND_DATAW data;
    HANDLE find = ::FindFirstFileW(ToWide(Exact(dir) + "*").c_str(), &data);
    for (bool more = find != INVALID_HANDLE_VALUE; more; more = ::FindNextFileW(find, &data)) {
        const std::string name = FromWide(data.cFileName);
        if (name != "." && name != "..") visit(name, data);
    }
    if (find != INVALID_HANDLE_VALUE) ::FindClose(find);
}

void RemoveTree(const std::string& dir) {
    ForEachEntry(dir, [&](const std::string& name, const WIN32_FIND_DATAW& data) {
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return RemoveTree(dir + name + "\\");
        ::SetFileAttributesW(ToWide(Exact(dir + name)).c_str(), FILE_ATTRIBUTE_NORMAL);
        ::DeleteFileW(ToWide(Exact(dir + name)).c_str());
    });
    ::SetFileAttributesW(ToWide(Exact(dir)).c_str(), FILE_ATTRIBUTE_NORMAL);
    ::RemoveDirectoryW(ToWide(Exact(dir)).c_str());
}
}  // namespace

TempDir::TempDir() {
    char base[MAX_PATH];
    ::GetTempPathA(MAX_PATH, base);
    static unsigned counter = 0;
    for (;;) {
        char name[MAX_PATH];
        std::snprintf(name, sizeof name, "%svorlix-test-%lu-%u", base,
                      static_cast<unsigned long>(::GetCurrentProcessId()), counter++);
        if (::CreateDirectoryA(name, nullptr)) {
            m_path = std::string(name) + "\\";
            break;
        }
    }
}

TempDir::~TempDir() { RemoveTree(m_path); }

std::string UnixPathOf(const std::string& path) {
    using ToUnix = char*(CDECL*)(const wchar_t*);
    static const auto toUnix = reinterpret_cast<ToUnix>(reinterpret_cast<void (*)()>(
        ::GetProcAddress(::GetModuleHandleA("kernel32"), "wine_get_unix_file_name")));
    char* unixPath = toUnix ? toUnix(ToWide(path).c_str()) : nullptr;
    if (!unixPath) return std::string();
    const std::string result = unixPath;
    ::HeapFree(::GetProcessHeap(), 0, unixPath);
    return result;
}

namespace {

// The path through which a new file gets exactly its name. Under Wine that is its Unix
// path: Wine looks a name up without regard to case even in the "\\?\" form, so it would
// take "A.TXT" for an existing "a.txt"; its "\\?\unix" form names the Unix file as spelled.
std::wstring NewFilePath(const std::string& path) {
    const size_t cut = path.find_last_of('\\');
    std::wstring dir = ToWide(UnixPathOf(path.substr(0, cut))), name = ToWide(path.substr(cut + 1));
    if (dir.empty()) return L"\\\\?\\" + ToWide(path.substr(0, cut)) + L"\\" + name;
    std::replace(dir.begin(), dir.end(), L'/', L'\\');
    return L"\\\\?\\unix" + dir + L"\\" + name;
}

}  // namespace

std::string TempDir::WriteFile(const std::string& name, const std::string& contents) const {
    std::string full = m_path + name;
    HANDLE file = ::CreateFileW(NewFilePath(full).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        ::WriteFile(file, contents.data(), static_cast<DWORD>(contents.size()), &written, nullptr);
        ::CloseHandle(file);
    }
    return full;
}

std::string TempDir::MakeDir(const std::string& name) const {
    std::string full = m_path + name;
    ::CreateDirectoryW(ToWide(Exact(full)).c_str(), nullptr);
    return full + "\\";
}

bool FileExists(const std::string& path) {
    DWORD attrib = ::GetFileAttributesW(ToWide(Exact(path)).c_str());
    return attrib != INVALID_FILE_ATTRIBUTES && !(attrib & FILE_ATTRIBUTE_DIRECTORY);
}

std::string ReadFile(const std::string& path) {
    std::string contents;
    HANDLE file = ::CreateFileW(ToWide(Exact(path)).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return contents;
    char buffer[4096];
    DWORD got = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &got, nullptr) && got > 0) contents.append(buffer, got);
    ::CloseHandle(file);
    return contents;
}

namespace {
// The trash as a Windows path (Z: is the Linux root), "" when there is none of the build's.
std::string TrashFolder() {
    wchar_t value[4096];
    const DWORD length = ::GetEnvironmentVariableW(L"XDG_DATA_HOME", value, 4096);
    if (length == 0 || length >= 4096 || value[0] != L'/') return std::string();
    std::string folder = "Z:" + FromWide(value) + "/Trash/";
    std::replace(folder.begin(), folder.end(), '/', '\\');
    return folder;
}

// %XX escapes of a trash record's path undone.
std::string Unescaped(const std::string& text) {
    std::string plain;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            plain += static_cast<char>(std::strtol(text.substr(i + 1, 2).c_str(), nullptr, 16));
            i += 2;
        } else {
            plain += text[i];
        }
    }
    return plain;
}
}  // namespace

bool TrashIsTheBuilds() { return !TrashFolder().empty(); }

// Each file in the trash has a record in info\ whose "Path=" line tells, escaped, the
// Linux path it was at.
bool InTrash(const std::string& path) {
    const std::string info = TrashFolder() + "info\\", unixPath = UnixPathOf(path);
    if (unixPath.empty() || info == "info\\") return false;
    const std::string wanted = "Path=" + unixPath;
    bool found = false;
    ForEachEntry(info, [&](const std::string& name, const WIN32_FIND_DATAW&) {
        found = found || ("\n" + Unescaped(ReadFile(info + name)) + "\n").find("\n" + wanted + "\n") != std::string::npos;
    });
    return found;
}

namespace {
constexpr long long kEpochTicks = 116444736000000000LL;
}

bool SetWriteTime(const std::string& path, long long seconds) {
    HANDLE file = ::CreateFileW(ToWide(Exact(path)).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    const unsigned long long ticks = static_cast<unsigned long long>(seconds * 10000000LL + kEpochTicks);
    FILETIME time = {static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
    const bool ok = ::SetFileTime(file, nullptr, nullptr, &time) != FALSE;
    ::CloseHandle(file);
    return ok;
}

namespace {
void AddFiles(FileMap& out, const std::string& root, const std::string& rel, bool attributes, bool time, long long stamp) {
    ForEachEntry(root + rel, [&](const std::string& name, const WIN32_FIND_DATAW& d) {
        const std::string path = rel + name;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) return AddFiles(out, root, path + "\\", attributes, time, stamp);
        std::string flags;
        for (auto [bit, letter] : {std::pair<DWORD, char>{FILE_ATTRIBUTE_READONLY, 'r'}, {FILE_ATTRIBUTE_HIDDEN, 'h'},
                                   {FILE_ATTRIBUTE_SYSTEM, 's'}})
            if (d.dwFileAttributes & bit) flags += letter;
        const long long ticks = static_cast<long long>(
            (static_cast<unsigned long long>(d.ftLastWriteTime.dwHighDateTime) << 32) | d.ftLastWriteTime.dwLowDateTime);
        out[path] = ReadFile(root + path) + (attributes && !flags.empty() ? " " + flags : "") +
                    (time ? "|" + std::to_string(ticks) : "") +
                    (stamp >= 0 && (ticks - kEpochTicks) / 10000000LL != stamp ? " restamped" : "");
    });
}
}  // namespace

FileMap Files(const std::string& root, bool attributes, bool time, long long stamp) {
    FileMap out;
    AddFiles(out, root, "", attributes, time, stamp);
    return out;
}

std::set<std::string> NamesIn(const std::string& dir) {
    std::set<std::string> names;
    for (const auto& entry : Files(dir))
        if (entry.first.find('\\') == std::string::npos) names.insert(entry.first);
    return names;
}
