// Which line of "tooltip.txt" belongs to which main-window control, and how a line
// is picked out of the file. Plain text in, text out.
#pragma once

#include <string>

// The line of the tooltip file for a main-window control; 0 for a control without one.
int ToolTipLineOf(int controlId);

// The buffer a line-by-line reader would hold after reading lines 1..line of the
// file's stored bytes `contents` in text mode, each read taking at most 79
// characters, with its last character (the line feed) then dropped. A line longer
// than 78 characters is therefore cut and its rest counts as the next line; a file
// shorter than `line` leaves the last line it has; an empty file gives "".
std::string ToolTipLineText(const std::string& contents, int line);
