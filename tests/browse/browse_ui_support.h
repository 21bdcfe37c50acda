// Helpers shared by the browsing UI tests: reading the list and the tree,
// choosing combo entries as the user does, and preparing real files.
#pragma once

#include "browse/drive_tree.h"
#include "platform/file_services.h"
#include "winui/afx.h"

#include <cstdint>
#include <string>
#include <vector>

inline std::vector<std::string> ListNames(HWND list) {
    std::vector<std::string> names;
    for (int i = 0; i < static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i) {
        char text[MAX_PATH + 1] = "";
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        names.push_back(text);
    }
    return names;
}

inline std::vector<int> SelectedIndices(HWND list) {
    std::vector<int> selected;
    for (int i = 0; i < static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i)
        if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
    return selected;
}

// The user picks entry `index`: the combo selects it and tells its window.
inline void ChooseComboEntry(HWND combo, int index) {
    ::SendMessageA(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
    ::SendMessageA(::GetParent(combo), WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(combo), CBN_SELCHANGE),
                   reinterpret_cast<LPARAM>(combo));
}

// Index of the drive box entry for drive `letter`, -1 when none.
inline int DriveEntryIndex(HWND driveBox, char letter) {
    for (int i = 0; i < static_cast<int>(::SendMessageA(driveBox, CB_GETCOUNT, 0, 0)); ++i) {
        char text[64] = "";
        ::SendMessageA(driveBox, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
        if (DriveLetterOfEntry(text) == letter) return i;
    }
    return -1;
}

inline std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item) {
    std::vector<std::string> texts;
    for (HTREEITEM child = TreeView_GetChild(tree, item); child; child = TreeView_GetNextSibling(tree, child))
        texts.push_back(TreeItemText(tree, child));
    return texts;
}

inline HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text) {
    for (HTREEITEM child = TreeView_GetChild(tree, parent); child; child = TreeView_GetNextSibling(tree, child))
        if (TreeItemText(tree, child) == text) return child;
    return nullptr;
}

// Image and selected image of an item, as one number: image * 10 + selected image.
inline int ItemImages(HWND tree, HTREEITEM item) {
    TVITEMA tvi = {};
    tvi.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = item;
    ::SendMessageA(tree, TVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&tvi));
    return tvi.iImage * 10 + tvi.iSelectedImage;
}

// Real attribute bits (when `attrib` is not -1) and last-write time (when not 0).
inline void SetFileStatus(const std::string& path, int attrib, int64_t writeTime = 0) {
    FileStatus status;
    Platform().GetStatus(path, status);
    if (attrib >= 0) status.attribute = static_cast<unsigned>(attrib);
    status.modified = writeTime;  // 0: the times stay as they are
    status.created = status.accessed = 0;
    std::string error;
    Platform().SetStatus(path, status, error);
}
