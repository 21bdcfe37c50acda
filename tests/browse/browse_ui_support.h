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

std::vector<std::string> ChildTexts(HWND tree, HTREEITEM item);
HTREEITEM FindChild(HWND tree, HTREEITEM parent, const std::string& text);
// Image and selected image of an item, as one number: image * 10 + selected image.
int ItemImages(HWND tree, HTREEITEM item);

// Real attribute bits (when `attrib` is not -1) and last-write time (when not 0).
void SetFileStatus(const std::string& path, int attrib, int64_t writeTime = 0);

// From the `from`-th allocation on (1 = the next one) every browsing allocation fails.
class RefusingAllocator {
public:
    explicit RefusingAllocator(int from);
    ~RefusingAllocator();
    RefusingAllocator(const RefusingAllocator&) = delete;
    RefusingAllocator& operator=(const RefusingAllocator&) = delete;
};
