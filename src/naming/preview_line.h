#pragma once

#include <string>

struct RenameOptions;

extern const char* const kPreviewNoChanges;      // "(NO CHANGES)"
extern const char* const kPreviewAdvancedMode;   // "(No Real Time Preview for Advance mode)"
extern const char* const kPreviewInvalidPattern; // "(INVALID PATTERN)"

// The one-line pattern of the basic rules for the "Preview:" line, with the old halves
// shown as "{Old Prefix}" and "{Old Extension}" and the counter as the starting value
// typed (no padding, conversion or stepping). In advanced mode, and when no basic
// change is on, a fixed notice instead; in advanced mode with a regular expression
// that does not compile, "(INVALID PATTERN)".
std::string RealTimePreviewText(const RenameOptions& o);
