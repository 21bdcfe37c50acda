// Texts into and out of the program's (Unicode) controls.
#include "winui/afx.h"

#include "platform/wide_text.h"
#include "winui/dialog.h"

namespace {

LPARAM Text(const std::wstring& wide) { return reinterpret_cast<LPARAM>(wide.c_str()); }

// An entry's text by its length message and its text message; empty when either fails.
std::string EntryText(HWND control, UINT lengthMessage, UINT textMessage, int index) {
    const LRESULT length = ::SendMessageW(control, lengthMessage, static_cast<WPARAM>(index), 0);
    if (length < 0) return std::string();
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT got = ::SendMessageW(control, textMessage, static_cast<WPARAM>(index), Text(wide));
    if (got < 0) return std::string();
    wide.resize(static_cast<size_t>(got));
    return FromWide(wide);
}

}  // namespace

std::string GetWindowTextString(HWND hwnd) {
    const int length = ::GetWindowTextLengthW(hwnd);
    std::wstring wide(static_cast<size_t>(length) + 1, L'\0');
    const int got = ::GetWindowTextW(hwnd, &wide[0], length + 1);
    wide.resize(got > 0 ? static_cast<size_t>(got) : 0);
    return FromWide(wide);
}

void SetWindowTextString(HWND hwnd, const std::string& text) { ::SetWindowTextW(hwnd, ToWide(text).c_str()); }

std::string GetListBoxText(HWND list, int index) { return EntryText(list, LB_GETTEXTLEN, LB_GETTEXT, index); }

LRESULT ListBoxAddString(HWND list, const std::string& text) {
    return ::SendMessageW(list, LB_ADDSTRING, 0, Text(ToWide(text)));
}

LRESULT ListBoxInsertString(HWND list, int index, const std::string& text) {
    return ::SendMessageW(list, LB_INSERTSTRING, static_cast<WPARAM>(index), Text(ToWide(text)));
}

LRESULT ListBoxFindExact(HWND list, int after, const std::string& text) {
    return ::SendMessageW(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(after), Text(ToWide(text)));
}

// The entry's item data: 0 for every entry the listing gave a name that leads back to it.
constexpr LPARAM kStrayEntry = 1;

void MarkStrayEntry(HWND list, int index) { ::SendMessageW(list, LB_SETITEMDATA, static_cast<WPARAM>(index), kStrayEntry); }

bool IsStrayEntry(HWND list, int index) {
    return ::SendMessageW(list, LB_GETITEMDATA, static_cast<WPARAM>(index), 0) == kStrayEntry;
}

LRESULT ComboAddString(HWND combo, const std::string& text) {
    return ::SendMessageW(combo, CB_ADDSTRING, 0, Text(ToWide(text)));
}

std::string GetComboText(HWND combo, int index) { return EntryText(combo, CB_GETLBTEXTLEN, CB_GETLBTEXT, index); }

LRESULT ComboDir(HWND combo, UINT attributes, const std::string& pattern) {
    return ::SendMessageW(combo, CB_DIR, attributes, Text(ToWide(pattern)));
}

std::string TreeItemText(HWND tree, HTREEITEM item) {
    // A name has at most 255 UTF-16 units; a root's text is a drive.
    wchar_t buffer[512] = L"";
    TVITEMW tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = buffer;
    tvi.cchTextMax = static_cast<int>(sizeof buffer / sizeof buffer[0]);
    if (!::SendMessageW(tree, TVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&tvi))) return std::string();
    return FromWide(tvi.pszText);
}

HTREEITEM TreeInsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const std::string& text, int image) {
    std::wstring wide = ToWide(text);
    TVINSERTSTRUCTW insert = {};
    insert.hParent = parent;
    insert.hInsertAfter = after;
    insert.item.mask = TVIF_TEXT | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    insert.item.pszText = &wide[0];
    insert.item.iImage = image;
    insert.item.iSelectedImage = image;
    return reinterpret_cast<HTREEITEM>(::SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

void SetToolTipReply(NMHDR* hdr, const std::string& text) {
    // The tooltip copies the text when it gets the answer; one tooltip asks at a time.
    static std::wstring reply;
    reply = ToWide(text);
    NMTTDISPINFOW* info = reinterpret_cast<NMTTDISPINFOW*>(hdr);
    info->hinst = nullptr;
    info->lpszText = &reply[0];
}

std::string LoadResourceString(UINT id) {
    const wchar_t* text = nullptr;
    // Length 0 asks for a pointer to the resource itself (not terminated).
    const int length = ::LoadStringW(AfxGetResourceHandle(), id, reinterpret_cast<wchar_t*>(&text), 0);
    return length > 0 && text ? FromWide(std::wstring_view(text, static_cast<size_t>(length))) : std::string();
}

BOOL AppendMenuText(HMENU menu, UINT flags, UINT_PTR id, const std::string& text) {
    return ::AppendMenuW(menu, flags, id, ToWide(text).c_str());
}

std::vector<std::string> TakeDroppedPaths(HDROP drop) {
    std::vector<std::string> paths;
    const UINT count = ::DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT i = 0; i < count; ++i) {
        std::wstring path(::DragQueryFileW(drop, i, nullptr, 0) + 1, L'\0');
        path.resize(::DragQueryFileW(drop, i, &path[0], static_cast<UINT>(path.size())));
        paths.push_back(FromWide(path));
    }
    ::DragFinish(drop);
    return paths;
}
