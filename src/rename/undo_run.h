// Undoing the run a journal records: each file it changed goes back to its old full
// path, then gets its old last-modified time and attribute word, the last file first.
// Nothing is ever overwritten, and only the file the run moved goes back: a file whose
// old name has been taken meanwhile, that is no longer where the run put it, or that is
// another file (or a folder) by now, is left as it is and reported.
#pragma once

#include "platform/file_services.h"
#include "rename/run_journal.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// Told before each entry is looked at (its number, counted from 0, of `count`); false
// stops the work there.
using UndoProgress = std::function<bool(std::size_t done, std::size_t count)>;

// The entries (indexes into journal.entries, in run order) that an undo would act on:
// those the run changed and that have not gone back yet, less those that keep their
// name and have their old status by now. A journal with its end line says which the run
// changed. For a run that never reached its end (the program was killed), the disk
// tells: a file is changed when the file the run moved is at its new path spelt exactly
// so, or under the temporary name of its change of case (for a journal without
// identities: when its new path exists and its old one does not). The files are looked
// at as an undo would meet them, the last first, so that a run whose names follow on
// from each other ("a" to "b", "b" to "c") is read right. Empty when `progress` stopped it.
std::vector<std::size_t> ChangedEntries(const Journal& journal, FileServices& files,
                                        const UndoProgress& progress = nullptr);

// The run's folder or destination when it cannot be read now (a drive that is away):
// then nothing can be told about the run, and its journal is left as it is.
std::optional<std::string> UnreadableFolder(const Journal& journal, FileServices& files);

struct UndoFailure {
    std::string newName;  // bare names
    std::string oldName;
    std::string reason;
};

struct UndoReport {
    std::size_t count = 0;            // files the undo was asked to put back
    std::vector<std::size_t> undone;  // the entries that went back
    std::vector<UndoFailure> failures;
};

// Puts back the `changed` entries, the last first, until `progress` stops it.
UndoReport UndoEntries(const Journal& journal, const std::vector<std::size_t>& changed, FileServices& files,
                       const UndoProgress& progress = nullptr);

// What the journal gets after an undo (`undo`), or when a run that never reached its end
// is left as it is (`undo` null): that run's end, with the files before its last changed
// one that it did not change; then "undone" for the whole run, or for each file that went
// back when some did not (an undo can be tried again for those).
std::string ClosingLines(const Journal& journal, const std::vector<std::size_t>& changed, const UndoReport* undo);

// The question before an undo of `count` files ("Undo Last Run", OK/Cancel).
std::string UndoQuestion(const Journal& journal, std::size_t count);
// The question at start-up after a run that never reached its end ("Unfinished Run", Yes/No).
std::string UnfinishedQuestion(std::size_t changed, std::size_t count);
// At start-up, when UnreadableFolder names a folder ("Unfinished Run", information).
std::string UnreadableFolderText(const std::string& folder);
// "K of N files could not be undone." with up to ten of the failures; none when all went back.
std::optional<std::string> UndoErrorText(const UndoReport& report);
