// The run journal: what a rename run (or the file status window's Apply) is about to do,
// written before anything is touched, so that the run can be undone afterwards, also
// after a crash half-way. It is UTF-8 text a person can read, one record a line, fields
// separated by tabs (no file name can hold a tab or a line end):
//
//   Vorlix run  MM/DD/YYYY  HH:MM:SS  DIRECTORY          when the run started, where
//   OLD PATH  NEW PATH  ATTRIBUTES  MODIFIED             one line per file
//   unchanged  OLD PATH                                 a file the run left as it was
//   end  finished|stopped|cancelled                     how the run ended
//   undone                                              the run has been undone
//
// ATTRIBUTES is the file's old attribute word and MODIFIED its old last-modified time
// as the file system counts it, both in decimal, so that both come back exactly. A
// later line for a file already listed replaces its line: a run that renumbers the
// files after a failed move writes the changed targets as it goes.
#pragma once

#include "platform/file_services.h"
#include "rename/rename_plan.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JournalEntry {
    std::string from;  // full path before the run
    std::string to;    // full path the run gives it (`from` when only its status changes)
    unsigned attribute = 0;
    int64_t modifiedTicks = 0;  // 0: not known, not put back
    bool unchanged = false;     // the run ended without changing it
};

enum class RunEnd { None, Finished, Stopped, Cancelled };

struct Journal {
    std::string date;  // MM/DD/YYYY
    std::string time;  // HH:MM:SS
    std::string directory;
    std::vector<JournalEntry> entries;  // one per file, in the order of the run
    RunEnd end = RunEnd::None;          // None: the run never reached its end
    bool undone = false;
};

// The lines of the journal's text.
std::string JournalHead(const Journal& journal);  // the header and every file line
std::string JournalLine(const JournalEntry& entry);
// "unchanged" lines for the entries marked so, then the end line.
std::string JournalEndLines(const std::vector<JournalEntry>& entries, RunEnd end);
constexpr std::string_view kJournalUndoneLine = "undone\n";

// A journal as read: `damage` says what is wrong with a text that is not a whole
// journal (with its line number); then `journal` is empty.
struct JournalRead {
    std::optional<Journal> journal;
    std::string damage;
};
JournalRead ParseJournal(std::string_view text);

// The journal file of one run, kept through the file services. Each write goes to the
// file at once, so that a run killed from outside leaves what it did on record.
class RunJournal {
public:
    // `path` "" keeps no journal: every call does nothing.
    RunJournal(FileServices& files, std::string path) : m_files(files), m_path(std::move(path)) {}
    const std::string& Path() const { return m_path; }

    // Replaces the journal with the plan: every file of the run with its old attributes
    // and time as the disk has them now. The failure says the journal could not be written.
    std::optional<Failure> Begin(const RenamePlan& plan);
    // The same for one file moved from `from` to `to` (the same path when it stays).
    std::optional<Failure> BeginOne(const std::string& dir, const std::string& from, const std::string& to);
    // File `file` of the run is handled with another target than planned.
    void Amend(std::size_t file, const PlanStep& step, RunKind kind);
    // The run has ended; `changed[i]` tells whether file i was renamed, moved or given
    // a new status.
    void End(const std::vector<bool>& changed, RunEnd end);

private:
    JournalEntry EntryOf(const std::string& from, const std::string& to);
    std::optional<Failure> Write(Journal journal);

    FileServices& m_files;
    std::string m_path;
    std::vector<JournalEntry> m_entries;  // by file of the run, as last written
    bool m_open = false;
};

// Reading the journal file: `missing` when there is none (or no path).
struct JournalFile {
    bool missing = false;
    JournalRead read;
};
JournalFile ReadJournalFile(FileServices& files, const std::string& path);
