#include "rename/undo_run.h"

#include "naming/case_map.h"

#include <map>
#include <utility>

namespace {

constexpr unsigned kStatusBits = kFileReadOnly | kFileHidden | kFileSystem | kFileArchive;

std::string BareName(const std::string& path) { return path.substr(path.find_last_of("\\/") + 1); }

// What the disk holds, with the moves of an undo not yet made laid over it: the
// unfinished run is read by walking it back without touching a file.
class DiskView {
public:
    explicit DiskView(FileServices& files) : m_files(files) {}

    bool Exists(const std::string& path) {
        const auto laid = m_moved.find(FoldCase(path));
        FileStatus status;
        return laid != m_moved.end() ? !laid->second.empty() : m_files.GetStatus(path, status);
    }
    bool ExistsAsSpelled(const std::string& path) {
        const auto laid = m_moved.find(FoldCase(path));
        if (laid == m_moved.end()) return m_files.ExistsAsSpelled(path);
        return !laid->second.empty() && BareName(laid->second) == BareName(path);
    }
    void Move(const std::string& from, const std::string& to) {
        m_moved[FoldCase(from)].clear();
        m_moved[FoldCase(to)] = to;
    }

private:
    FileServices& m_files;
    std::map<std::string, std::string> m_moved;  // folded path -> path as spelt, "" for none
};

bool KeepsItsName(const JournalEntry& entry) { return entry.from == entry.to; }

// The journal says which file the run moved (journals of earlier versions do not).
bool Known(const JournalEntry& entry) { return entry.identity.number != 0; }

const char* const kNotTheFile = "it is not the file the run renamed";

// A change of case only names the same file on a file system that ignores case: there
// the spelling tells old from new.
bool CaseOnly(const JournalEntry& entry) { return FoldCase(entry.from) == FoldCase(entry.to); }

bool AtNewPath(DiskView& disk, const JournalEntry& entry) {
    return CaseOnly(entry) ? disk.ExistsAsSpelled(entry.to) : disk.Exists(entry.to);
}

bool OldNameTaken(DiskView& disk, const JournalEntry& entry) {
    return CaseOnly(entry) ? disk.ExistsAsSpelled(entry.from) : disk.Exists(entry.from);
}

// A file moved to another volume was copied there, under a number of that volume's: only
// its size still tells.
bool IsTheFile(FileServices& files, const std::string& path, const JournalEntry& entry) {
    FileIdentity identity;
    return files.GetIdentity(path, identity) && !identity.directory &&
           (identity.volume == entry.identity.volume ? SameFile(identity, entry.identity)
                                                     : identity.size == entry.identity.size);
}

// Where the file the run moved is now (an entry with its identity): under the temporary
// name of its change of case, or at its new path (`spelt`: with exactly that spelling,
// which alone tells a change of case done from one not done).
std::optional<std::string> WhereTheFileIs(FileServices& files, const JournalEntry& entry, bool spelt) {
    if (!entry.temporary.empty() && IsTheFile(files, entry.temporary, entry)) return entry.temporary;
    if (IsTheFile(files, entry.to, entry) && (!spelt || files.ExistsAsSpelled(entry.to))) return entry.to;
    return std::nullopt;
}

bool StatusDiffers(const FileStatus& status, const JournalEntry& entry) {
    return ((status.attribute ^ entry.attribute) & kStatusBits) != 0 ||
           (entry.modifiedTicks != 0 && status.modifiedTicks != entry.modifiedTicks);
}

// The old time (a read-only file as the run stamps one), then the old attribute word.
std::optional<Failure> RestoreStatus(FileServices& files, const std::string& path, const JournalEntry& entry) {
    FileStatus status;
    if (!files.GetStatus(path, status)) return Failure{"its status cannot be read", std::string()};
    if (!StatusDiffers(status, entry)) return std::nullopt;
    if (entry.modifiedTicks != 0 && status.modifiedTicks != entry.modifiedTicks) {
        if (std::optional<Failure> failed = files.StampModifiedTicks(path, status.attribute, entry.modifiedTicks))
            return failed;
    }
    FileStatus old;  // no times: only the attribute word changes
    old.attribute = entry.attribute;
    return files.SetStatus(path, old);
}

// Why the file of `entry` cannot go back from `at` to its old name, or "" when it can.
std::string Refusal(DiskView& disk, FileServices& files, const JournalEntry& entry, std::string& at) {
    FileIdentity identity;
    if (Known(entry)) {
        const std::optional<std::string> where =
            KeepsItsName(entry) ? (IsTheFile(files, entry.from, entry) ? std::optional(entry.from) : std::nullopt)
                                : WhereTheFileIs(files, entry, false);
        if (where) at = *where;
        return where ? "" : files.GetIdentity(KeepsItsName(entry) ? entry.from : entry.to, identity)
                                ? kNotTheFile
                                : "it is no longer there";
    }
    // A journal of an earlier version: never a folder, and a file only with the time
    // the run left it (a rename keeps the time; a file restamped cannot be told from
    // another, and stays).
    at = entry.to;
    if (files.GetIdentity(entry.to, identity) && identity.directory) return kNotTheFile;
    if (KeepsItsName(entry)) return disk.Exists(entry.from) ? "" : "it is no longer there";
    FileStatus status;
    if (entry.modifiedTicks != 0 && files.GetStatus(entry.to, status) && status.modifiedTicks != entry.modifiedTicks)
        return kNotTheFile;
    // The file system would take either spelling for the other: look before moving.
    if (CaseOnly(entry) && !AtNewPath(disk, entry)) return "it is no longer there";
    if (CaseOnly(entry) && OldNameTaken(disk, entry)) return "its old name is taken";
    return "";
}

}  // namespace

std::vector<std::size_t> ChangedEntries(const Journal& journal, FileServices& files, const UndoProgress& progress) {
    std::vector<std::size_t> changed;
    DiskView disk(files);
    const std::size_t count = journal.entries.size();
    for (std::size_t i = count; i-- > 0;) {
        if (progress && !progress(count - 1 - i, count)) return {};
        const JournalEntry& entry = journal.entries[i];
        if (entry.undone || entry.unchanged) continue;
        if (KeepsItsName(entry)) {
            FileStatus status;
            if (files.GetStatus(entry.from, status) && StatusDiffers(status, entry)) changed.push_back(i);
        } else if (journal.end != RunEnd::None) {
            changed.push_back(i);
        } else if (Known(entry) ? WhereTheFileIs(files, entry, true).has_value()
                                : AtNewPath(disk, entry) && !OldNameTaken(disk, entry)) {
            changed.push_back(i);
            disk.Move(entry.to, entry.from);
        }
    }
    return {changed.rbegin(), changed.rend()};
}

std::optional<std::string> UnreadableFolder(const Journal& journal, FileServices& files) {
    for (const std::string* folder : {&journal.directory, &journal.destination}) {
        // A folder is opened by its own name; a drive's root keeps its backslash.
        std::string path = *folder;
        if (path.size() > 3 && path.back() == '\\') path.pop_back();
        FileIdentity identity;
        if (!files.GetIdentity(path, identity) || !identity.directory) return *folder;
    }
    return std::nullopt;
}

UndoReport UndoEntries(const Journal& journal, const std::vector<std::size_t>& changed, FileServices& files,
                       const UndoProgress& progress) {
    UndoReport report;
    report.count = changed.size();
    DiskView disk(files);  // nothing laid over: the disk itself
    for (auto i = changed.rbegin(); i != changed.rend(); ++i) {
        if (progress && !progress(static_cast<std::size_t>(i - changed.rbegin()), changed.size())) break;
        const JournalEntry& entry = journal.entries[*i];
        auto fail = [&](const std::string& reason) {
            report.failures.push_back({BareName(entry.to), BareName(entry.from), reason});
        };
        std::string at;
        if (const std::string refused = Refusal(disk, files, entry, at); !refused.empty()) {
            fail(refused);
            continue;
        }
        if (!KeepsItsName(entry)) {
            if (std::optional<Failure> failed = files.MoveFileToExactName(at, entry.from)) {
                // The move never replaces a file; why it failed is looked up only now, so
                // that a file going back costs one move.
                fail(!failed->leftAs.empty()                   ? "it was left as " + failed->leftAs
                     : !Known(entry) && !AtNewPath(disk, entry) ? "it is no longer there"
                     : OldNameTaken(disk, entry)                ? "its old name is taken"
                                                                : "it cannot be moved back");
                continue;
            }
        }
        if (RestoreStatus(files, entry.from, entry)) {
            fail("its old time or attributes cannot be put back");
            continue;
        }
        report.undone.push_back(*i);
    }
    return report;
}

std::string ClosingLines(const Journal& journal, const std::vector<std::size_t>& changed, const UndoReport* undo) {
    std::string lines;
    if (journal.end == RunEnd::None) {
        // Nothing after the last file changed is named: the end line says where that was.
        const std::size_t reached = changed.empty() ? 0 : changed.back() + 1;
        std::vector<bool> was(reached, false);
        for (std::size_t i : changed) was[i] = true;
        lines = JournalEndLines(journal.entries, reached, [&](std::size_t i) { return was[i]; }, RunEnd::Stopped);
    }
    if (undo && undo->undone.size() == undo->count) {
        lines += kJournalUndoneLine;
    } else if (undo) {
        for (std::size_t i : undo->undone) lines += "undone\t" + journal.entries[i].from + '\n';
    }
    return lines;
}

std::string UndoQuestion(const Journal& journal, std::size_t count) {
    return "Undo the rename run of " + journal.date + " " + journal.time + " in " + journal.directory + ": " +
           std::to_string(count) + " files go back to their old names, times and attributes.";
}

std::string UnfinishedQuestion(std::size_t changed, std::size_t count) {
    return "The last rename run did not finish: " + std::to_string(changed) + " of " + std::to_string(count) +
           " files had been changed.\n\nUndo those changes now?";
}

std::string UnreadableFolderText(const std::string& folder) {
    return "The last rename run did not finish, and " + folder + " cannot be read now. Vorlix will ask again when it can.";
}

std::optional<std::string> UndoErrorText(const UndoReport& report) {
    if (report.failures.empty()) return std::nullopt;
    std::string text = std::to_string(report.failures.size()) + " of " + std::to_string(report.count) +
                       " files could not be undone.\n\n";
    constexpr std::size_t kShown = 10;
    for (std::size_t i = 0; i < report.failures.size() && i < kShown; ++i) {
        const UndoFailure& failure = report.failures[i];
        if (i != 0) text += '\n';
        text += failure.newName + " -> " + failure.oldName + ": " + failure.reason;
    }
    return text;
}
