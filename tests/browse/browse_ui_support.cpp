#include "browse_ui_support.h"

#include "browse/browse_memory.h"
#include "browse/drive_tree.h"
#include "platform/file_services.h"

#include <cstdlib>

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
        if (DriveLetterOfEntry(text) == letter) return i;
    }
    return -1;
}

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        if (TreeItemText(tree, child) == text) return child;
    return nullptr;
}

int ItemImages(HWND tree, HTREEITEM item) {
    TVITEMA tvi = {};
    tvi.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return tvi.iImage * 10 + tvi.iSelectedImage;
}

void SetFileStatus(const std::string& path, int attrib, int64_t writeTime) {
    FileStatus status;
    Platform().GetStatus(path, status);
    if (attrib >= 0) status.attribute = static_cast<unsigned>(attrib);
    status.modified = writeTime;  // 0: the times stay as they are
    status.created = status.accessed = 0;
    std::string error;
    Platform().SetStatus(path, status, error);
}

namespace {
int g_allocations = 0;
int g_refuseFrom = 0;
BrowseAllocator g_previous = nullptr;

void* CountingAlloc(std::size_t size) { return ++g_allocations >= g_refuseFrom ? nullptr : std::malloc(size); }
}  // namespace

RefusingAllocator::RefusingAllocator(int from) {
    g_allocations = 0;
    g_refuseFrom = from;
    g_previous = SetBrowseAllocator(&CountingAlloc);
}

RefusingAllocator::~RefusingAllocator() { SetBrowseAllocator(g_previous); }
