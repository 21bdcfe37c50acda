// The drive box (1002) and the directory tree (1000), written once for the two
// windows that show them: the main window and the directory chooser. A DriveTree
// keeps no state of its own (everything lives in the controls and in the window's
// current path), so a window makes one on the spot for each operation or handler;
// the tree's notifications, which arrive while an operation runs, are then served
// by another short-lived DriveTree of the same window.
#pragma once

#include "winui/afx.h"

#include <functional>

class CDialog;

// 16x16 folder icons with mask: image 0 the closed folder, image 1 the open one.
HIMAGELIST CreateFolderImageList();

class DriveTree {
public:
    // `currentPath`: the window's current directory (full path ending in a backslash);
    // `onSelected`: what the window does once a tree selection has set that path.
    DriveTree(CDialog& window, HIMAGELIST imageList, CString& currentPath, std::function<void()> onSelected);

    // Start-up: fills the drive box, opens `startPath` when the process can change
    // to it, else the root of the current drive.
    void OpenStartDirectory(CString startPath);
    // Roots the tree at the drive of the current path (which holds X:\) and selects the root.
    void BuildDriveTree();
    // Roots the tree at the current path's drive and opens it level by level down
    // to the path (names compared without regard to case); selects the deepest item found.
    void BuildTreeToPath();
    // Inserts the subdirectories matched by `pattern` (a directory path + "*.*") under
    // `parent`, each with an empty placeholder child when it has subdirectories itself,
    // then expands `parent`.
    void AddSubdirectories(HTREEITEM parent, const CString& pattern, HWND tree, TVINSERTSTRUCTA insert);
    // Full path of `item` with its final backslash; FALSE (after telling the user)
    // when the memory for it cannot be had.
    BOOL PathFromTreeItem(HWND tree, HTREEITEM item, CString& path);

    // The tree's notifications and the drive box's selection change.
    void OnSelChanged(NMHDR* hdr, LRESULT* result);
    void OnItemExpanding(NMHDR* hdr, LRESULT* result);
    void OnItemExpanded(NMHDR* hdr, LRESULT* result);
    void OnDblClk(NMHDR* hdr, LRESULT* result);
    void OnDriveChanged();

private:
    HWND Tree() const;
    HWND DriveBox() const;
    // Index of the drive box entry whose drive letter is `letter`, CB_ERR when none.
    int FindDriveEntry(char letter) const;
    // Inserts an item with `text` under `parent`, sorted, with the closed folder.
    HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const char* text, TVINSERTSTRUCTA insert);
    void Select(HWND tree, HTREEITEM item);
    // Deletes the placeholder child of `item` when it still has one.
    bool RemovePlaceholder(HWND tree, HTREEITEM item);

    CDialog& m_window;
    HIMAGELIST m_imageList;
    CString& m_path;
    std::function<void()> m_onSelected;
};

// Text of a tree item ("" when it cannot be read).
CString TreeItemText(HWND tree, HTREEITEM item);
// Drive letter of a drive box entry: its first alphabetic character, upper case; 0 when none.
char DriveLetterOfEntry(const CString& entry);
