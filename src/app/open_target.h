// What a path handed to the program opens, whether on its command line or dropped on
// its window: a directory, or the directory of files that are then selected.
#pragma once

#include "platform/file_services.h"

#include <string>
#include <vector>

struct OpenTarget {
    std::string directory;           // "" when nothing is to be opened
    std::vector<std::string> files;  // bare names to select in it
    std::string missing;             // a path that names nothing, to be told of
};

// The first path decides: a directory opens as it is; a file opens its directory, and
// every file of the paths that lies in that directory is selected. Empty paths are
// passed over.
OpenTarget OpenTargetOf(const std::vector<std::string>& paths, FileServices& files);
