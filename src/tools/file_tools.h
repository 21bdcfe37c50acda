// The single-file tools of the main window's file list: deleting the selected files
// (the Delete key) and the file status window (a double click). Each works on the
// list's entries directly and patches them in place; neither refills the list.
#pragma once

#include "winui/afx.h"

#include <string>

class CDialog;
class FileServices;
class RunJournal;

// The Delete key in `list`, which lists the files of `dir`: when `warn` is set, asks
// first; then sends the selected files to the recycle bin, top to bottom, taking each
// entry out of the list. A file that cannot go to the bin is deleted for good only when
// the user says so; answering No stops it. The first file that cannot be deleted is told
// and stops it. Where it stops, that entry and the later ones stay selected. Message boxes
// belong to `window`. Returns how many files were deleted or recycled (DeleteFiles).
int DeleteSelectedFiles(CDialog& window, HWND list, const std::string& dir, bool warn, FileServices& files);

enum class FileStatusOutcome {
    kNoEntry,      // the list has no caret entry
    kUnreadable,   // the entry names no readable file, or its name is stray (told)
    kCancelled,
    kApplied,      // everything asked for was done, which may be nothing
    kMoveFailed,   // told; nothing else was changed
    kApplyFailed,  // new times or attributes refused (told)
};

// A double click in `list`, which lists the files of `dir`: "File Status..." for the
// caret's entry, owned by `window`. On OK it moves or renames the file, gives it new
// times and attributes, and replaces or removes the entry. A change is written to
// `journal` first, as a run of one file, so that Undo Last Run can put it back.
FileStatusOutcome EditFileStatus(CDialog& window, HWND list, const std::string& dir, FileServices& files,
                                 RunJournal& journal);
