#pragma once

#include <string>

struct RenameOptions;

extern const char* const kPreviewNoChanges;      // "(NO CHANGES)"
extern const char* const kPreviewAdvancedMode;   // "(No Real Time Preview for Advance mode)"

// The one-line pattern of the basic rules for the "Preview:" line, with the old halves
// shown as "{Old Prefix}" and "{Old Extension}" and the counter as the starting value
// typed (no padding, conversion or stepping). In advanced mode, and when no basic
// change is on, a fixed notice instead.
std::string RealTimePreviewText(const RenameOptions& o);
