// The thin stand-in for the class library the program was designed around:
// text types, and the Win32 headers every dialog source needs.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>
#include <vector>

using CString = std::string;
using CStringArray = std::vector<std::string>;

// Text of a window (edit, static, button) as one string.
std::string GetWindowTextString(HWND hwnd);
// Text of one list box entry; empty when there is no such entry.
std::string GetListBoxText(HWND list, int index);
