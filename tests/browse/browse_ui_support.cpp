#include "browse_ui_support.h"

#include "browse/browse_memory.h"
#include "platform/file_services.h"

#include <cstdlib>
#include <cstring>

std::vector<std::string> ListNames(HWND list) {
    std::vector<std::string> names;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[MAX_PATH + 1] = "";
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        names.push_back(text);
    }
    return names;
}

std::vector<int> SelectedIndices(HWND list) {
    std::vector<int> selected;
    int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    return selected;
}

void ChooseComboEntry(HWND combo, int index) {
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

int DriveEntryIndex(HWND driveBox, char letter) {
    int count = static_cast<int>(::SendMessageA(driveBox, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        char text[64] = "";
        ::SendMessageA(driveBox, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        for (const char* c = text; *c; ++c) {
            if ((*c >= 'a' && *c <= 'z') || (*c >= 'A' && *c <= 'Z')) {
                if ((*c & ~0x20) == (letter & ~0x20)) return i;
                break;
            }
        }
    }
    return -1;
}

std::string ItemText(HWND tree, HTREEITEM item) {
    char text[MAX_PATH + 1] = "";
    TVITEMA tvi = {};
    tvi.mask = TVIF_TEXT | TVIF_HANDLE;
    tvi.hItem = item;
    tvi.pszText = text;
    tvi.cchTextMax = sizeof text;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return text;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        texts.push_back(ItemText(tree, child));
    return texts;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        if (ItemText(tree, child) == text) return child;
    return nullptr;
}

HTREEITEM ItemAtPath(HWND tree, const std::string& relative) {
    HTREEITEM item = TreeView_GetRoot(tree);
    size_t start = 0;
    while (item && start < relative.size()) {
        size_t end = relative.find('\\', start);
        if (end == std::string::npos) end = relative.size();
        item = FindChild(tree, item, relative.substr(start, end - start));
        start = end + 1;
    }
    return item;
}

namespace {
TVITEMA ItemOf(HWND tree, HTREEITEM item) {
    TVITEMA tvi = {};
    tvi.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE | TVIF_STATE;
    tvi.stateMask = TVIS_EXPANDED;
    tvi.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return tvi;
}
}  // namespace

int ItemImage(HWND tree, HTREEITEM item) { return ItemOf(tree, item).iImage; }
int ItemSelectedImage(HWND tree, HTREEITEM item) { return ItemOf(tree, item).iSelectedImage; }
bool IsExpanded(HWND tree, HTREEITEM item) { return (ItemOf(tree, item).state & TVIS_EXPANDED) != 0; }

void SetAttributes(const std::string& path, unsigned attrib) {
    FileStatus status;
    Platform().GetStatus(path, status);
    status.attribute = attrib;
    status.modified = status.created = status.accessed = 0;  // times stay as they are
    std::string error;
    Platform().SetStatus(path, status, error);
}

void SetWriteTime(const std::string& path, int64_t secondsSince1970) {
    FileStatus status;
    Platform().GetStatus(path, status);
    status.modified = secondsSince1970;
    status.created = status.accessed = 0;
    std::string error;
    Platform().SetStatus(path, status, error);
}

namespace {
int g_allocations = 0;
int g_refuseFrom = 0;
BrowseAllocator g_previous = nullptr;

void* CountingAlloc(std::size_t size) {
    if (++g_allocations >= g_refuseFrom) return nullptr;
    return std::malloc(size);
}
}  // namespace

RefusingAllocator::RefusingAllocator(int from) {
    g_allocations = 0;
    g_refuseFrom = from;
    g_previous = SetBrowseAllocator(&CountingAlloc);
}

RefusingAllocator::~RefusingAllocator() { SetBrowseAllocator(g_previous); }
