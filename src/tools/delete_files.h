// The Delete key's work on the selected files of one folder: what is asked, in which
// order, and what each answer does. Portable: the window shows the questions and takes
// the deleted files' entries out of its list.
#pragma once

#include "platform/file_services.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// A question answered Yes or No, or a message that is only told.
struct DeletePrompt {
    enum class Kind {
        kSure,     // "Delete N files?" before anything is done
        kForGood,  // a file that cannot go to the Recycle Bin: delete it for good?
        kCannot,   // told: a file that cannot be deleted, or a name that cannot be handled
    };
    Kind kind;
    std::string text;
};
// Shows the prompt; true for Yes (what a told message answers does not count).
using AskUser = std::function<bool(const DeletePrompt&)>;

// One selected entry of the list: its name, and whether it came from the listing as a
// name that does not lead back to it (FindEntry::strayName).
struct DeleteEntry {
    std::string name;
    bool strayName = false;
};

// Deletes the files `entries` of `dir` (a path ending in "\") in order. An entry whose
// name is stray is told and nothing is done. When `warn` is set, "Delete N files?" comes
// first. Each file goes to the Recycle Bin, or where it cannot go there is deleted for
// good after its own question (No stops); the first file that cannot be deleted is told
// and stops. Returns how many files, from the first, are gone.
std::size_t DeleteFiles(const std::string& dir, const std::vector<DeleteEntry>& entries, bool warn,
                        FileServices& files, const AskUser& ask);
