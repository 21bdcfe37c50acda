// Rule sets: the main window's renaming options saved to a file of their own
// (".vorlixrules") to be used again, or handed to someone else. Nothing of the
// options window or of the browsing state (directory, mask, filter, order,
// selection) goes in.
//
// The file is UTF-8 text: the first line kRuleSetHeader, then one readable
// "Key=value" line per option, "\r\n" after each. A value runs to the end of
// its line, blanks included (a prefix may end in one).
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "naming/rename_options.h"

extern const char kRuleSetHeader[];  // "[Vorlix rules 1]"
extern const char kRuleSetExtension[];  // ".vorlixrules"
// A longer file is no rule set: the file of every option at its limit is a few KiB.
constexpr size_t kMaxRuleSetBytes = 64 * 1024;

std::string FormatRuleSet(const RenameOptions& options);

// The renaming options a rule set's bytes hold, over RenameOptions()'s start-up
// values (a missing key keeps its start-up value; an unknown key is passed over;
// of a key given twice the last counts). Texts are cut to their field's limit in
// characters; a flag is 1 when its number is > 0; a position choice outside its
// buttons keeps the start-up value. Only the renaming fields are set: the others
// are RenameOptions()'s. nullopt for what is no rule set: a first line other than
// the header (a UTF-8 byte-order mark before it is allowed), bytes that are not
// well-formed UTF-8 or are control characters other than tab, CR and LF, or more
// than kMaxRuleSetBytes bytes.
std::optional<RenameOptions> ReadRuleSet(const std::string& bytes);

// `current` with the renaming fields of `rules` put in one by one, in the order the
// window exchanges them, each as a click or an edit would put it: the window's rules
// hold, so where the rule set asks for what the window does not allow (both "UPPER"
// and "lower") the later field wins as it would by hand, and a text the edit refuses
// keeps its value. The other fields of `current` stay.
RenameOptions WithRuleSet(const RenameOptions& current, const RenameOptions& rules);

// Whether a path names a rule set by its extension (in any case).
bool IsRuleSetPath(const std::string& path);

// The recent list: the paths of the last rule sets opened or saved, newest first, at
// most kMaxRecentRules, one a line in its own file.
constexpr size_t kMaxRecentRules = 8;
std::vector<std::string> ReadRecentRules(const std::string& text);
std::string FormatRecentRules(const std::vector<std::string>& paths);
// `path` put first; an earlier entry of the same path (Windows paths: letters in any
// case) goes, and the list keeps its newest kMaxRecentRules.
std::vector<std::string> WithRecentFirst(std::vector<std::string> paths, const std::string& path);
std::vector<std::string> WithoutRecent(std::vector<std::string> paths, const std::string& path);
