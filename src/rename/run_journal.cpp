#include "rename/run_journal.h"

#include "platform/move_rules.h"
#include "settings/date_time_text.h"

#include <unordered_map>
#include <utility>

namespace {

constexpr std::string_view kHeader = "Vorlix run";

const char* EndWord(RunEnd end) {
    switch (end) {
        case RunEnd::Finished: return "finished";
        case RunEnd::Stopped: return "stopped";
        case RunEnd::Cancelled: return "cancelled";
        case RunEnd::None: break;
    }
    return "";
}

std::vector<std::string_view> Fields(std::string_view line) {
    std::vector<std::string_view> fields;
    for (size_t start = 0;;) {
        const size_t tab = line.find('\t', start);
        fields.push_back(line.substr(start, tab == std::string_view::npos ? std::string_view::npos : tab - start));
        if (tab == std::string_view::npos) return fields;
        start = tab + 1;
    }
}

// Only decimal digits, and a value that fits `limit`.
bool ReadNumber(std::string_view text, uint64_t limit, uint64_t& value) {
    if (text.empty() || text.size() > 20) return false;
    value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return false;
        const uint64_t digit = static_cast<uint64_t>(c - '0');
        if (digit > limit || value > (limit - digit) / 10) return false;
        value = value * 10 + digit;
    }
    return true;
}

// "NN/NN/NNNN" or "NN:NN:NN": the shape the journal writes.
bool HasShape(std::string_view text, std::string_view shape) {
    if (text.size() != shape.size()) return false;
    for (size_t i = 0; i < shape.size(); ++i) {
        if (shape[i] == 'N' ? (text[i] < '0' || text[i] > '9') : text[i] != shape[i]) return false;
    }
    return true;
}

// A full path ("C:\dir\name" or "\\server\share\name") with no "." or ".." part, no
// empty part but a directory's last, and no "/" the platform would read as "\".
bool PlainFullPath(std::string_view path) {
    size_t start = 0;
    if (path.size() >= 3 && ((path[0] | 0x20) >= 'a' && (path[0] | 0x20) <= 'z') && path[1] == ':' && path[2] == '\\') {
        start = 3;
    } else if (path.substr(0, 2) == "\\\\") {
        const size_t server = path.find('\\', 2);
        const size_t share = server == std::string_view::npos ? server : path.find('\\', server + 1);
        if (server == 2 || share == std::string_view::npos || share == server + 1) return false;
        start = share + 1;
    } else {
        return false;
    }
    if (path.find('/') != std::string_view::npos) return false;
    while (start < path.size()) {
        size_t end = path.find('\\', start);
        if (end == std::string_view::npos) end = path.size();
        const std::string_view part = path.substr(start, end - start);
        if (part.empty() || part == "." || part == "..") return false;
        start = end + 1;
    }
    return true;
}

// A file's path in one of the run's two folders.
bool InRunFolders(std::string_view path, const Journal& journal) {
    const std::string_view dir = path.substr(0, path.rfind('\\') + 1);
    return PlainFullPath(path) && dir.size() < path.size() && (dir == journal.directory || dir == journal.destination);
}

bool IsFolder(std::string_view path) { return !path.empty() && path.back() == '\\' && PlainFullPath(path); }

JournalRead Damaged(size_t line, const std::string& what) {
    JournalRead read;
    read.damage = "Line " + std::to_string(line) + ": " + what;
    return read;
}

}  // namespace

std::string JournalLine(const JournalEntry& entry) {
    return entry.from + '\t' + entry.to + '\t' + std::to_string(entry.attribute) + '\t' +
           std::to_string(entry.modifiedTicks) + '\t' + std::to_string(entry.identity.volume) + '\t' +
           std::to_string(entry.identity.number) + '\t' + std::to_string(entry.identity.size) + '\n';
}

std::string JournalHead(const Journal& journal) {
    std::string text = std::string(kHeader) + '\t' + journal.date + '\t' + journal.time + '\t' + journal.directory +
                       '\t' + journal.destination + '\n';
    for (const JournalEntry& entry : journal.entries) text += JournalLine(entry);
    return text;
}

std::string JournalEndLines(const std::vector<JournalEntry>& entries, size_t reached,
                            const std::function<bool(size_t)>& changed, RunEnd end) {
    std::string text;
    for (size_t i = 0; i < reached && i < entries.size(); ++i) {
        if (!entries[i].from.empty() && !changed(i)) text += "unchanged\t" + entries[i].from + '\n';
    }
    return text + "end\t" + EndWord(end) + '\t' + std::to_string(reached) + '\n';
}

JournalRead ParseJournal(std::string_view text) {
    // An editor may have put a byte order mark in front when the journal was looked at.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Journal journal;
    std::unordered_map<std::string_view, size_t> byFrom;
    // The entry of a line that names one of the run's files, or nullptr.
    const auto entryOf = [&](std::string_view from) -> JournalEntry* {
        const auto found = byFrom.find(from);
        return found == byFrom.end() ? nullptr : &journal.entries[found->second];
    };
    size_t number = 0;
    for (size_t start = 0; start < text.size();) {
        ++number;
        const size_t newline = text.find('\n', start);
        if (newline == std::string_view::npos) return Damaged(number, "the line is cut short.");
        std::string_view line = text.substr(start, newline - start);
        start = newline + 1;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        // No path holds a control character: one here is damage, not a name.
        for (char c : line) {
            if (static_cast<unsigned char>(c) < 0x20 && c != '\t')
                return Damaged(number, "the line holds a control character.");
        }
        const std::vector<std::string_view> fields = Fields(line);

        if (number == 1) {
            if ((fields.size() != 4 && fields.size() != 5) || fields[0] != kHeader)
                return Damaged(1, "this is not a run journal.");
            journal.directory = fields[3];
            journal.destination = fields.size() == 5 ? fields[4] : fields[3];
            if (!HasShape(fields[1], "NN/NN/NNNN") || !HasShape(fields[2], "NN:NN:NN") ||
                !IsFolder(journal.directory) || !IsFolder(journal.destination))
                return Damaged(1, "the date, time or directory cannot be read.");
            journal.date = fields[1];
            journal.time = fields[2];
            continue;
        }
        if (journal.undone) return Damaged(number, "nothing may follow \"undone\".");
        if (journal.end != RunEnd::None) {
            JournalEntry* entry = fields.size() == 2 && fields[0] == "undone" ? entryOf(fields[1]) : nullptr;
            if (entry) entry->undone = true;
            if (fields.size() == 1 && fields[0] == "undone") journal.undone = true;
            if (entry || journal.undone) continue;
            return Damaged(number, "only \"undone\" may follow the end of the run.");
        }
        if ((fields.size() == 2 || fields.size() == 3) && fields[0] == "end") {
            for (RunEnd end : {RunEnd::Finished, RunEnd::Stopped, RunEnd::Cancelled}) {
                if (fields[1] == EndWord(end)) journal.end = end;
            }
            uint64_t reached = journal.entries.size();
            if (journal.end == RunEnd::None ||
                (fields.size() == 3 && !ReadNumber(fields[2], journal.entries.size(), reached)))
                return Damaged(number, "the end of the run cannot be read.");
            for (size_t i = reached; i < journal.entries.size(); ++i) journal.entries[i].unchanged = true;
            continue;
        }
        if ((fields.size() == 2 && fields[0] == "unchanged") || (fields.size() == 3 && fields[0] == "temporary")) {
            JournalEntry* entry = entryOf(fields[1]);
            if (!entry) return Damaged(number, "the file is not one of the run's.");
            if (fields.size() == 2) entry->unchanged = true;
            if (fields.size() == 3 && !InRunFolders(fields[2], journal))
                return Damaged(number, "the path is not in the run's folder.");
            if (fields.size() == 3) entry->temporary = fields[2];
            continue;
        }
        uint64_t attribute = 0, ticks = 0, volume = 0, fileNumber = 0, size = 0;
        if ((fields.size() != 4 && fields.size() != 7) || fields[0].empty() || fields[1].empty())
            return Damaged(number, "the line cannot be read.");
        if (!ReadNumber(fields[2], 0xFFFFFFFFu, attribute) || !ReadNumber(fields[3], INT64_MAX, ticks) ||
            (fields.size() == 7 && (!ReadNumber(fields[4], 0xFFFFFFFFu, volume) ||
                                    !ReadNumber(fields[5], UINT64_MAX, fileNumber) ||
                                    !ReadNumber(fields[6], UINT64_MAX, size))))
            return Damaged(number, "the attributes or the time cannot be read.");
        if (!InRunFolders(fields[0], journal) || !InRunFolders(fields[1], journal))
            return Damaged(number, "the path is not in the run's folder.");
        JournalEntry entry;
        entry.from = fields[0];
        entry.to = fields[1];
        entry.attribute = static_cast<unsigned>(attribute);
        entry.modifiedTicks = static_cast<int64_t>(ticks);
        entry.identity = FileIdentity{static_cast<uint32_t>(volume), fileNumber, size, false};
        if (JournalEntry* listed = entryOf(fields[0])) {
            *listed = std::move(entry);
        } else {
            // The key views the text, which outlives the map.
            byFrom.emplace(fields[0], journal.entries.size());
            journal.entries.push_back(std::move(entry));
        }
    }
    if (number == 0) return Damaged(1, "the journal is empty.");
    JournalRead read;
    read.journal = std::move(journal);
    return read;
}

JournalEntry RunJournal::EntryOf(const std::string& from, const std::string& to) {
    JournalEntry entry;
    entry.from = from;
    entry.to = to;
    FileStatus status;
    // A file that cannot be read now will not be moved either; its line says so with 0s.
    if (m_files.GetStatus(from, status)) {
        entry.attribute = status.attribute;
        entry.modifiedTicks = status.modifiedTicks;
    }
    m_files.GetIdentity(from, entry.identity);
    return entry;
}

RunJournal::~RunJournal() { LetGo(); }

void RunJournal::LetGo() {
    if (m_held) m_files.onTemporaryName = nullptr;
    m_held.reset();
}

std::optional<Failure> RunJournal::Write(Journal journal) {
    LetGo();
    m_written = false;
    const Failure unwritten{"The journal of the run cannot be written:\n" +
                                (m_path.empty() ? std::string("%LOCALAPPDATA%\\Vorlix\\last-run.txt") : m_path),
                            std::string()};
    if (m_path.empty()) return unwritten;
    const LocalTime now = m_files.ToLocalTime(m_files.Now());
    journal.date = FormatDate(now.month, now.day, now.year);
    journal.time = FormatTime(now.hour, now.minute, now.second);
    // Held from here to the run's end: a second window can neither write it nor run.
    FileServices::HoldRefusal why = FileServices::HoldRefusal::None;
    if (m_files.MakeDirectory(DirectoryOf(m_path))) m_held = m_files.HoldFile(m_path, true, why);
    m_heldElsewhere = why == FileServices::HoldRefusal::HeldElsewhere;
    if (m_heldElsewhere) return Failure{kJournalHeldText, std::string()};
    if (!m_held || !m_held->Rewrite(JournalHead(journal))) {
        m_held.reset();
        return unwritten;
    }
    m_written = true;
    m_entries = std::move(journal.entries);
    // The temporary name of a change of case is on record before the file takes it.
    m_files.onTemporaryName = [this](const std::string& from, const std::string& temporary) {
        if (m_held) m_held->Append("temporary\t" + from + '\t' + temporary + '\n');
    };
    return std::nullopt;
}

void RunJournal::Supersede() {
    if (!m_path.empty()) m_files.DeleteFile(m_path);
}

std::optional<Failure> RunJournal::Begin(const RenamePlan& plan) {
    Journal journal;
    journal.directory = plan.curDir;
    journal.destination = plan.targetDir.empty() ? plan.curDir : plan.targetDir;
    journal.entries.reserve(plan.steps.size());
    for (const PlanStep& step : plan.steps) {
        journal.entries.push_back(
            EntryOf(step.from, plan.kind == RunKind::StatusOnly ? step.from : StoredTargetPath(step.to)));
    }
    return Write(std::move(journal));
}

std::optional<Failure> RunJournal::BeginOne(const std::string& dir, const std::string& from, const std::string& to) {
    Journal journal;
    journal.directory = journal.destination = dir;
    journal.entries.push_back(EntryOf(from, StoredTargetPath(to)));
    return Write(std::move(journal));
}

void RunJournal::Amend(std::size_t file, const PlanStep& step, RunKind kind) {
    if (!m_held) return;
    const std::string to = kind == RunKind::StatusOnly ? step.from : StoredTargetPath(step.to);
    if (file < m_entries.size() && m_entries[file].from == step.from && m_entries[file].to == to) return;
    if (file >= m_entries.size()) m_entries.resize(file + 1);
    m_entries[file] = EntryOf(step.from, to);
    m_held->Append(JournalLine(m_entries[file]));
}

void RunJournal::End(const std::vector<bool>& changed, RunEnd end) {
    if (!m_held) return;
    size_t reached = changed.size();
    while (reached > 0 && !changed[reached - 1]) --reached;
    m_held->Append(JournalEndLines(m_entries, reached, [&](size_t i) { return changed[i]; }, end));
    LetGo();
}

JournalFile ReadJournalFile(FileServices& files, const std::string& path) {
    JournalFile file;
    FileServices::HoldRefusal why = FileServices::HoldRefusal::Missing;
    if (!path.empty()) file.held = files.HoldFile(path, false, why);
    file.missing = why == FileServices::HoldRefusal::Missing;
    file.heldElsewhere = why == FileServices::HoldRefusal::HeldElsewhere;
    std::string text;
    if (file.held && file.held->Read(text)) {
        file.read = ParseJournal(text);
    } else if (why == FileServices::HoldRefusal::Failed || file.held) {
        // Only a journal that is there and cannot be read is told of.
        file.read.damage = "The file cannot be read.";
        file.held.reset();
    }
    return file;
}
