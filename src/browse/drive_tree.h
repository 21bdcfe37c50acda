// The drive box (1002) and the directory tree (1000), written once for the two
// windows that show them: the main window and the directory chooser. Each window
// holds one DriveTree for its whole life. Apart from the folder icons it owns, a
// DriveTree keeps no state: the items live in the controls and the current path
// in the window. The tree's notifications, which arrive while an operation of the
// same DriveTree runs, therefore find everything where the operation left it (but for
// the moment the selection goes back from a folder that cannot be listed).
#pragma once

#include "winui/afx.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

#include <functional>

class CDialog;

class DriveTree {
public:
    // `currentPath`: the window's current directory (full path ending in a backslash);
    // `onSelected`: what the window does once a tree selection has set that path.
    DriveTree(CDialog& window, FileServices& files, CString& currentPath, std::function<void()> onSelected);
    ~DriveTree();
    DriveTree(const DriveTree&) = delete;
    DriveTree& operator=(const DriveTree&) = delete;

    // The window's start-up: folder icons with mask, 16x16 at 100 % and scaled to the
    // window's display, image 0 the closed folder, image 1 the open one. Called again
    // (the scale changed) it makes them anew, and a tree that shows them takes the new ones.
    void CreateImages();

    // Fills the drive box and opens `path` (reached by its exact name), when it can be
    // entered and listed; false, with nothing changed, when it cannot.
    bool OpenDirectory(CString path);
    // Start-up: OpenDirectory(startPath), else the root of the current drive.
    void OpenStartDirectory(const CString& startPath);
    // Roots the tree at the drive of the current path (which holds X:\) and selects the root.
    void BuildDriveTree();
    // Roots the tree at the current path's drive and opens it level by level down
    // to the path (names compared without regard to case); selects the deepest item found.
    void BuildTreeToPath();
    // Inserts the subdirectories matched by `pattern` (a directory path + "*.*") under
    // `parent`, each with an empty placeholder child when it has subdirectories itself,
    // then expands `parent`.
    void AddSubdirectories(HTREEITEM parent, const CString& pattern, HWND tree);
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
    void FillDriveBox();
    // Gives the tree the folder images and the indent that suits their size.
    void AttachImages(HWND tree);
    // Index of the drive box entry whose drive letter is `letter`, CB_ERR when none.
    int FindDriveEntry(char letter) const;
    // Inserts an item with `text` under `parent`, sorted, with the closed folder.
    HTREEITEM InsertItem(HWND tree, HTREEITEM parent, const char* text);
    void Select(HWND tree, HTREEITEM item);
    // Deletes the placeholder child of `item` when it still has one.
    bool RemovePlaceholder(HWND tree, HTREEITEM item);

    CDialog& m_window;
    FileServices& m_files;
    HIMAGELIST m_imageList = nullptr;
    CString& m_path;
    std::function<void()> m_onSelected;
    bool m_goingBack = false;  // the tree's selection goes back from a folder that cannot be listed
};

// Drive letter of a drive box entry: its first alphabetic character, upper case; 0 when none.
char DriveLetterOfEntry(const CString& entry);
