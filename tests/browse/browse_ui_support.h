// Helpers shared by the browsing UI tests: reading the list and the tree,
// choosing combo entries as the user does, preparing real files, and refusing
// memory to reach the windows' out-of-memory paths.
#pragma once

#include "winui/afx.h"

#include <cstdint>
#include <string>
#include <vector>

std::vector<std::string> ListNames(HWND list);
std::vector<int> SelectedIndices(HWND list);

// The user picks entry `index`: the combo selects it and tells its window.
void ChooseComboEntry(HWND combo, int index);
// Index of the drive box entry for drive `letter`, -1 when none.
int DriveEntryIndex(HWND driveBox, char letter);

std::string ItemText(HWND tree, HTREEITEM item);
std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item);
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text);
// The item reached from the root by the names of `path` below the root ("" for the root).
HTREEITEM ItemAtPath(HWND tree, const std::string& relative);
int ItemImage(HWND tree, HTREEITEM item);
int ItemSelectedImage(HWND tree, HTREEITEM item);
bool IsExpanded(HWND tree, HTREEITEM item);

// Real attribute bits and last-write time through the platform services.
void SetAttributes(const std::string& path, unsigned attrib);
void SetWriteTime(const std::string& path, int64_t secondsSince1970);

// From the `from`-th allocation on (1 = the next one) every browsing allocation fails.
class RefusingAllocator {
public:
    explicit RefusingAllocator(int from);
    ~RefusingAllocator();
    RefusingAllocator(const RefusingAllocator&) = delete;
    RefusingAllocator& operator=(const RefusingAllocator&) = delete;
};
