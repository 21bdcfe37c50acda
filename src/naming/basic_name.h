#pragma once

#include <string>

struct RenameOptions;

// The new bare name of one file by the basic rules: the prefix and extension rules
// (replace, before, after), their case options and the counter text (empty when no
// counter applies). The result always holds the separating dot, also when nothing
// follows it: the platform's move drops a trailing dot, the preview list shows it.
std::string ComposeBasicBareName(const RenameOptions& o, const std::string& oldName,
                                 const std::string& counterText);
