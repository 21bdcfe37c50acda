// Undoing the run a journal records: each file it changed goes back to its old full
// path, then gets its old last-modified time and attribute word, the last file first.
// Nothing is ever overwritten: a file whose old name has been taken meanwhile, or that
// is no longer where the run put it, is left as it is and reported.
#pragma once

#include "platform/file_services.h"
#include "rename/run_journal.h"

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

// The entries (indexes into journal.entries, in run order) that the run changed. A
// journal with its end line says so itself. For a run that never reached its end (the
// program was killed), the disk tells: a file is changed when its new path exists and
// its old one does not (for a file that kept its name: when its attributes or time
// differ from the old ones). The files are looked at as an undo would meet them, the
// last first, so that a run whose names follow on from each other ("a" to "b", "b" to
// "c") is read right.
std::vector<std::size_t> ChangedEntries(const Journal& journal, FileServices& files);

struct UndoFailure {
    std::string newName;  // bare names
    std::string oldName;
    std::string reason;
};

struct UndoReport {
    std::size_t count = 0;  // files the undo was asked to put back
    std::vector<UndoFailure> failures;
};

// Puts back the `changed` entries, the last first.
UndoReport UndoEntries(const Journal& journal, const std::vector<std::size_t>& changed, FileServices& files);

// What the journal gets after an undo of `changed` (`undone`), or when a run that never
// reached its end is left as it is: that run's end, with the files it did not change.
std::string ClosingLines(const Journal& journal, const std::vector<std::size_t>& changed, bool undone);

// The question before an undo of `count` files ("Undo Last Run", OK/Cancel).
std::string UndoQuestion(const Journal& journal, std::size_t count);
// The question at start-up after a run that never reached its end ("Unfinished Run", Yes/No).
std::string UnfinishedQuestion(std::size_t changed, std::size_t count);
// "K of N files could not be undone." with up to ten of the failures; none when all went back.
std::optional<std::string> UndoErrorText(const UndoReport& report);
