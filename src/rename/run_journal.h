// The run journal: what a rename run (or the file status window's Apply) is about to do,
// written before anything is touched, so that the run can be undone afterwards, also
// after a crash half-way. It is UTF-8 text a person can read, one record a line, fields
// separated by tabs (no file name can hold a tab or a line end):
//
//   Vorlix run  MM/DD/YYYY  HH:MM:SS  DIRECTORY  DESTINATION    when the run started, where
//   OLD PATH  NEW PATH  ATTRIBUTES  MODIFIED  VOLUME  NUMBER  SIZE  one line per file
//   temporary  OLD PATH  TEMPORARY PATH        a change of case goes through this name
//   unchanged  OLD PATH                       a file the run left as it was
//   end  finished|stopped|cancelled  REACHED  how the run ended; the files after the
//                                             first REACHED were left as they were
//   undone  OLD PATH                          this file has gone back
//   undone                                    the run has been undone
//
// ATTRIBUTES is the file's old attribute word and MODIFIED its old last-modified time
// as the file system counts it, both in decimal, so that both come back exactly;
// VOLUME, NUMBER and SIZE say which file it is (FileIdentity), so that an undo moves no
// other. A later line for a file already listed replaces its line: a run that renumbers
// the files after a failed move writes the changed targets as it goes. Journals of
// earlier versions lack the DESTINATION, the identities and REACHED, and are read too.
//
// Every path is a full one without "." or ".." parts, in DIRECTORY or DESTINATION: a
// journal naming anything else is not one the program wrote, and is refused whole.
// While a run (or an undo) goes on it holds the journal: another window neither reads
// it nor starts a run of its own until it is let go.
#pragma once

#include "platform/file_services.h"
#include "rename/rename_plan.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct JournalEntry {
    std::string from;  // full path before the run
    std::string to;    // full path the run gives it (`from` when only its status changes)
    unsigned attribute = 0;
    int64_t modifiedTicks = 0;  // 0: not known, not put back
    FileIdentity identity;      // number 0: not recorded (a journal of an earlier version)
    std::string temporary;      // where a change of case put it between its two moves
    bool unchanged = false;     // the run ended without changing it
    bool undone = false;        // it has gone back
};

enum class RunEnd { None, Finished, Stopped, Cancelled };

struct Journal {
    std::string date;  // MM/DD/YYYY
    std::string time;  // HH:MM:SS
    std::string directory;
    std::string destination;  // where the files went: `directory` when they stayed
    std::vector<JournalEntry> entries;  // one per file, in the order of the run
    RunEnd end = RunEnd::None;          // None: the run never reached its end
    bool undone = false;
};

// The lines of the journal's text.
std::string JournalHead(const Journal& journal);  // the header and every file line
std::string JournalLine(const JournalEntry& entry);
// "unchanged" lines for the entries before `reached` for which `changed(i)` is false, then
// the end line.
std::string JournalEndLines(const std::vector<JournalEntry>& entries, std::size_t reached,
                            const std::function<bool(std::size_t)>& changed, RunEnd end);
constexpr std::string_view kJournalUndoneLine = "undone\n";

// Why a run does not start while another window's run holds the journal ("Rename Error:").
constexpr const char* kJournalHeldText = "Another Vorlix window is renaming files. Wait until it has finished.";

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
    // `path` "": the system names no folder for it, and no journal can be written.
    RunJournal(FileServices& files, std::string path) : m_files(files), m_path(std::move(path)) {}
    ~RunJournal();
    const std::string& Path() const { return m_path; }

    // Replaces the journal with the plan: every file of the run with its old attributes,
    // time and identity as the disk has them now, and holds it until End. The failure says
    // the journal could not be written; when another window's run holds it, HeldElsewhere.
    std::optional<Failure> Begin(const RenamePlan& plan);
    bool HeldElsewhere() const { return m_heldElsewhere; }
    // The last Begin wrote the journal.
    bool Written() const { return m_written; }
    // The run goes ahead without its journal: the last one is removed where it can be, so
    // that Undo Last Run cannot reach a run before this one.
    void Supersede();
    // The same for one file moved from `from` to `to` (the same path when it stays).
    std::optional<Failure> BeginOne(const std::string& dir, const std::string& from, const std::string& to);
    // File `file` of the run is handled with another target than planned.
    void Amend(std::size_t file, const PlanStep& step, RunKind kind);
    // The run has ended; `changed[i]` tells whether file i was renamed, moved or given
    // a new status. The journal is let go.
    void End(const std::vector<bool>& changed, RunEnd end);

private:
    JournalEntry EntryOf(const std::string& from, const std::string& to);
    std::optional<Failure> Write(Journal journal);
    void LetGo();

    FileServices& m_files;
    std::string m_path;
    std::vector<JournalEntry> m_entries;  // by file of the run, as last written
    std::unique_ptr<HeldFile> m_held;     // while the run goes on
    bool m_heldElsewhere = false;
    bool m_written = false;
};

// The journal file read and held (so that no run starts meanwhile) for its closing lines:
// `missing` when there is none (or no path), `heldElsewhere` when another window's run
// holds it; then nothing is read.
struct JournalFile {
    bool missing = false;
    bool heldElsewhere = false;
    JournalRead read;
    std::unique_ptr<HeldFile> held;
};
JournalFile ReadJournalFile(FileServices& files, const std::string& path);
