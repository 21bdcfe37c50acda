// The thin stand-in for the class library the program was designed around:
// text types, and the Win32 headers every dialog source needs.
#pragma once

#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <string>
#include <vector>

using CString = std::string;
using CStringArray = std::vector<std::string>;

// The windows are Unicode windows; the program's text is UTF-8. These helpers are the
// only way texts go into and out of controls, so each converts in one place
// (platform/wide_text.h).

// Text of a window (edit, static, button) as one string.
std::string GetWindowTextString(HWND hwnd);
void SetWindowTextString(HWND hwnd, const std::string& text);
// Text of one list box entry; empty when there is no such entry.
std::string GetListBoxText(HWND list, int index);
// LB_ADDSTRING, LB_INSERTSTRING (index -1: at the end) and LB_FINDSTRINGEXACT (after
// entry `after`, -1 from the start): the list box's answers.
LRESULT ListBoxAddString(HWND list, const std::string& text);
LRESULT ListBoxInsertString(HWND list, int index, const std::string& text);
LRESULT ListBoxFindExact(HWND list, int after, const std::string& text);
// A file list's entry whose name came from the listing as stray (FindEntry::strayName):
// the entry remembers it, and no operation is done by its name.
void MarkStrayEntry(HWND list, int index);
bool IsStrayEntry(HWND list, int index);
// CB_ADDSTRING, the text of one combo box entry (empty when there is none), and CB_DIR.
LRESULT ComboAddString(HWND combo, const std::string& text);
std::string GetComboText(HWND combo, int index);
LRESULT ComboDir(HWND combo, UINT attributes, const std::string& pattern);
// Text of a tree item ("" when it cannot be read).
std::string TreeItemText(HWND tree, HTREEITEM item);
// Inserts an item with `text` and image `image` (also when selected) under `parent`,
// after `after` (TVI_SORT: in its sorted place).
HTREEITEM TreeInsertItem(HWND tree, HTREEITEM parent, HTREEITEM after, const std::string& text, int image);
// Answers a tooltip's TTN_NEEDTEXTW with `text`, which the tooltip reads before the
// next answer is given.
void SetToolTipReply(NMHDR* hdr, const std::string& text);
// A string of the resource script; a menu item with a text.
std::string LoadResourceString(UINT id);
// The paths of a drop on a window that accepts files (WM_DROPFILES); the drop is
// finished with.
std::vector<std::string> TakeDroppedPaths(HDROP drop);
BOOL AppendMenuText(HMENU menu, UINT flags, UINT_PTR id, const std::string& text);
