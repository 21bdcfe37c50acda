// "Rename with Vorlix" in Explorer's menu, written on request only: the verbs for
// folders, a folder's background and files, and the association of rule sets, all
// under the user's own classes (HKEY_CURRENT_USER\Software\Classes), so that no
// administrator rights are needed and removing them touches nothing else.
#pragma once

#include <string>
#include <vector>

#include "platform/classes_registry.h"

// The keys the option makes, each removed with everything under it.
const std::vector<std::string>& ExplorerMenuKeys();

// Every value the option writes, each command line with the executable's full path
// quoted: folders open as they are, a folder's background opens that folder, files
// open their folder with them selected (several at once: "Player", each file with
// "/select", which gathers them in one window), and a rule set opens with "/rules".
std::vector<ClassesValue> ExplorerMenuValues(const std::string& exePath);

// Whether the menu is there for the executable at `exePath`: every value, as
// ExplorerMenuValues gives it. Entries for a moved executable count as not there.
bool IsExplorerMenuOn(ClassesRegistry& registry, const std::string& exePath);

// Writes the menu (`on`, which also mends entries of a moved executable) or removes
// its keys. "" when done; else the system's message of the first failure, after
// which nothing more is tried.
std::string SetExplorerMenu(ClassesRegistry& registry, bool on, const std::string& exePath);
