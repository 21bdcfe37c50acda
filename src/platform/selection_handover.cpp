#include "platform/selection_handover.h"

#include "platform/move_rules.h"
#include "platform/wide_text.h"

#include <cstdint>
#include <cstdio>

namespace {

constexpr wchar_t kWindowMark[] = L"Vorlix.GatheringSelection";
constexpr ULONG_PTR kHandOverTag = 0x566F7231;  // "Vor1"
constexpr DWORD kWaitMilliseconds = 10000;     // for the first process's window to show

// One number per folder, as spelled (Explorer spells a selection's folder one way): it
// names the claim and marks the gathering window.
uint64_t FolderHash(const std::string& folder) {
    uint64_t hash = 1469598103934665603ull;  // FNV-1a
    for (unsigned char c : folder) hash = (hash ^ c) * 1099511628211ull;
    return hash | 1;  // never a null mark
}

std::wstring ClaimName(const std::string& folder) {
    wchar_t name[64];
    std::swprintf(name, 64, L"Local\\Vorlix.Select.%016llx", static_cast<unsigned long long>(FolderHash(folder)));
    return name;
}

HANDLE MarkOf(const std::string& folder) { return reinterpret_cast<HANDLE>(static_cast<uintptr_t>(FolderHash(folder))); }

struct Search {
    HANDLE mark;
    HWND found = nullptr;
};

BOOL CALLBACK FindMarked(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<Search*>(context);
    if (::GetPropW(window, kWindowMark) != search->mark) return TRUE;
    search->found = window;
    return FALSE;
}

}  // namespace

bool SelectionGatherer::Claim(const std::string& path) {
    Stop();
    m_folder = DirectoryOf(path);
    HANDLE claim = ::CreateMutexW(nullptr, FALSE, ClaimName(m_folder).c_str());
    const bool taken = claim && ::GetLastError() == ERROR_ALREADY_EXISTS;
    if (!claim || taken) {
        if (claim) ::CloseHandle(claim);
        return false;
    }
    m_claim = claim;
    return true;
}

void SelectionGatherer::Open(HWND window) {
    if (!m_claim) return;
    m_window = window;
    ::SetPropW(window, kWindowMark, MarkOf(m_folder));
}

void SelectionGatherer::Stop() {
    if (m_window) ::RemovePropW(m_window, kWindowMark);
    m_window = nullptr;
    if (m_claim) ::CloseHandle(m_claim);
    m_claim = nullptr;
}

std::string SelectionGatherer::TakeHandedOver(const COPYDATASTRUCT& data) const {
    if (!m_window || data.dwData != kHandOverTag || data.cbData % sizeof(wchar_t) != 0 || !data.lpData) return {};
    const std::string path =
        FromWide(std::wstring_view(static_cast<const wchar_t*>(data.lpData), data.cbData / sizeof(wchar_t)));
    return DirectoryOf(path) == m_folder ? path : std::string();
}

bool HandSelectionOver(const std::string& path, SelectionGatherer& gatherer) {
    std::wstring wide;
    if (!ToWide(path, wide)) return false;
    const DWORD start = ::GetTickCount();
    do {
        // Whoever claims first gathers; the claim ends with its gathering, and then the
        // next file to come claims anew.
        if (gatherer.Claim(path)) return false;
        Search search{MarkOf(DirectoryOf(path))};
        ::EnumWindows(FindMarked, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            COPYDATASTRUCT data{kHandOverTag, static_cast<DWORD>(wide.size() * sizeof(wchar_t)), wide.data()};
            DWORD_PTR taken = 0;
            if (::SendMessageTimeoutW(search.found, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data),
                                      SMTO_ABORTIFHUNG, 5000, &taken) && taken)
                return true;
            return false;  // refused (a run is going on, another folder): a window of its own
        }
        ::Sleep(50);
    } while (::GetTickCount() - start < kWaitMilliseconds);
    return false;
}
