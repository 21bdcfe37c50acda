#include "rename/undo_run.h"

#include "naming/case_map.h"

#include <map>

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

// A change of case only names the same file on a file system that ignores case: there
// the spelling tells old from new.
bool CaseOnly(const JournalEntry& entry) { return FoldCase(entry.from) == FoldCase(entry.to); }

bool AtNewPath(DiskView& disk, const JournalEntry& entry) {
    return CaseOnly(entry) ? disk.ExistsAsSpelled(entry.to) : disk.Exists(entry.to);
}

bool OldNameTaken(DiskView& disk, const JournalEntry& entry) {
    return CaseOnly(entry) ? disk.ExistsAsSpelled(entry.from) : disk.Exists(entry.from);
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

}  // namespace

std::vector<std::size_t> ChangedEntries(const Journal& journal, FileServices& files) {
    std::vector<std::size_t> changed;
    if (journal.end != RunEnd::None) {
        for (std::size_t i = 0; i < journal.entries.size(); ++i) {
            if (!journal.entries[i].unchanged) changed.push_back(i);
        }
        return changed;
    }
    DiskView disk(files);
    for (std::size_t i = journal.entries.size(); i-- > 0;) {
        const JournalEntry& entry = journal.entries[i];
        if (KeepsItsName(entry)) {
            FileStatus status;
            if (files.GetStatus(entry.from, status) && StatusDiffers(status, entry)) changed.push_back(i);
        } else if (AtNewPath(disk, entry) && !OldNameTaken(disk, entry)) {
            changed.push_back(i);
            disk.Move(entry.to, entry.from);
        }
    }
    return {changed.rbegin(), changed.rend()};
}

UndoReport UndoEntries(const Journal& journal, const std::vector<std::size_t>& changed, FileServices& files) {
    UndoReport report;
    report.count = changed.size();
    DiskView disk(files);  // nothing laid over: the disk itself
    for (auto i = changed.rbegin(); i != changed.rend(); ++i) {
        const JournalEntry& entry = journal.entries[*i];
        auto fail = [&](const std::string& reason) {
            report.failures.push_back({BareName(entry.to), BareName(entry.from), reason});
        };
        if (KeepsItsName(entry)) {
            if (!disk.Exists(entry.from)) {
                fail("it is no longer there");
                continue;
            }
        } else if (CaseOnly(entry) && (!AtNewPath(disk, entry) || OldNameTaken(disk, entry))) {
            // The file system would take either spelling for the other: look before moving.
            fail(AtNewPath(disk, entry) ? "its old name is taken" : "it is no longer there");
            continue;
        } else if (std::optional<Failure> failed = files.MoveFileToExactName(entry.to, entry.from)) {
            // The move never replaces a file; why it failed is looked up only now, so that
            // a file going back costs one move.
            fail(!failed->leftAs.empty()       ? "it was left as " + failed->leftAs
                 : !AtNewPath(disk, entry)     ? "it is no longer there"
                 : OldNameTaken(disk, entry)   ? "its old name is taken"
                                               : "it cannot be moved back");
            continue;
        }
        if (RestoreStatus(files, entry.from, entry)) fail("its old time or attributes cannot be put back");
    }
    return report;
}

std::string ClosingLines(const Journal& journal, const std::vector<std::size_t>& changed, bool undone) {
    std::string lines;
    if (journal.end == RunEnd::None) {
        std::vector<JournalEntry> ended = journal.entries;
        for (JournalEntry& entry : ended) entry.unchanged = true;
        for (std::size_t i : changed) ended[i].unchanged = false;
        lines = JournalEndLines(ended, RunEnd::Stopped);
    }
    if (undone) lines += kJournalUndoneLine;
    return lines;
}

std::string UndoQuestion(const Journal& journal, std::size_t count) {
    return "Undo the rename run of " + journal.date + " " + journal.time + "?\n\n" + std::to_string(count) +
           " files go back to their old names, times and attributes.";
}

std::string UnfinishedQuestion(std::size_t changed, std::size_t count) {
    return "The last rename run did not finish: " + std::to_string(changed) + " of " + std::to_string(count) +
           " files had been changed.\n\nUndo those changes now?";
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
