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
        if (value > (limit - digit) / 10) return false;
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

JournalRead Damaged(size_t line, const std::string& what) {
    JournalRead read;
    read.damage = "Line " + std::to_string(line) + ": " + what;
    return read;
}

}  // namespace

std::string JournalLine(const JournalEntry& entry) {
    return entry.from + '\t' + entry.to + '\t' + std::to_string(entry.attribute) + '\t' +
           std::to_string(entry.modifiedTicks) + '\n';
}

std::string JournalHead(const Journal& journal) {
    std::string text = std::string(kHeader) + '\t' + journal.date + '\t' + journal.time + '\t' + journal.directory + '\n';
    for (const JournalEntry& entry : journal.entries) text += JournalLine(entry);
    return text;
}

std::string JournalEndLines(const std::vector<JournalEntry>& entries, RunEnd end) {
    std::string text;
    for (const JournalEntry& entry : entries) {
        if (entry.unchanged) text += "unchanged\t" + entry.from + '\n';
    }
    return text + "end\t" + EndWord(end) + '\n';
}

JournalRead ParseJournal(std::string_view text) {
    // An editor may have put a byte order mark in front when the journal was looked at.
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    Journal journal;
    std::unordered_map<std::string_view, size_t> byFrom;
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
            if (fields.size() != 4 || fields[0] != kHeader) return Damaged(1, "this is not a run journal.");
            if (!HasShape(fields[1], "NN/NN/NNNN") || !HasShape(fields[2], "NN:NN:NN") || fields[3].empty())
                return Damaged(1, "the date, time or directory cannot be read.");
            journal.date = fields[1];
            journal.time = fields[2];
            journal.directory = fields[3];
            continue;
        }
        if (journal.undone) return Damaged(number, "nothing may follow \"undone\".");
        if (journal.end != RunEnd::None) {
            if (fields.size() == 1 && fields[0] == "undone") {
                journal.undone = true;
                continue;
            }
            return Damaged(number, "only \"undone\" may follow the end of the run.");
        }
        if (fields.size() == 2 && fields[0] == "end") {
            for (RunEnd end : {RunEnd::Finished, RunEnd::Stopped, RunEnd::Cancelled}) {
                if (fields[1] == EndWord(end)) journal.end = end;
            }
            if (journal.end == RunEnd::None) return Damaged(number, "the end of the run cannot be read.");
            continue;
        }
        if (fields.size() == 2 && fields[0] == "unchanged") {
            const auto found = byFrom.find(fields[1]);
            if (found == byFrom.end()) return Damaged(number, "the file is not one of the run's.");
            journal.entries[found->second].unchanged = true;
            continue;
        }
        uint64_t attribute = 0, ticks = 0;
        if (fields.size() != 4 || fields[0].empty() || fields[1].empty())
            return Damaged(number, "the line cannot be read.");
        if (!ReadNumber(fields[2], 0xFFFFFFFFu, attribute) || !ReadNumber(fields[3], INT64_MAX, ticks))
            return Damaged(number, "the attributes or the time cannot be read.");
        JournalEntry entry{std::string(fields[0]), std::string(fields[1]), static_cast<unsigned>(attribute),
                           static_cast<int64_t>(ticks)};
        const auto found = byFrom.find(fields[0]);
        if (found != byFrom.end()) {
            journal.entries[found->second] = std::move(entry);
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
    JournalEntry entry{from, to};
    FileStatus status;
    // A file that cannot be read now will not be moved either; its line says so with 0s.
    if (m_files.GetStatus(from, status)) {
        entry.attribute = status.attribute;
        entry.modifiedTicks = status.modifiedTicks;
    }
    return entry;
}

std::optional<Failure> RunJournal::Write(Journal journal) {
    m_open = false;
    if (m_path.empty()) return std::nullopt;
    const LocalTime now = m_files.ToLocalTime(m_files.Now());
    journal.date = FormatDate(now.month, now.day, now.year);
    journal.time = FormatTime(now.hour, now.minute, now.second);
    m_entries = journal.entries;
    // Written beside the old journal and put in its place once flushed: a journal on
    // disk is always a whole one.
    if (!m_files.MakeDirectory(DirectoryOf(m_path)) || !m_files.WriteFileReplacing(m_path, JournalHead(journal)))
        return Failure{"The journal of the run cannot be written:\n" + m_path, std::string()};
    m_open = true;
    return std::nullopt;
}

std::optional<Failure> RunJournal::Begin(const RenamePlan& plan) {
    Journal journal;
    journal.directory = plan.curDir;
    journal.entries.reserve(plan.steps.size());
    for (const PlanStep& step : plan.steps) {
        journal.entries.push_back(
            EntryOf(step.from, plan.kind == RunKind::StatusOnly ? step.from : StoredTargetPath(step.to)));
    }
    return Write(std::move(journal));
}

std::optional<Failure> RunJournal::BeginOne(const std::string& dir, const std::string& from, const std::string& to) {
    Journal journal;
    journal.directory = dir;
    journal.entries.push_back(EntryOf(from, StoredTargetPath(to)));
    return Write(std::move(journal));
}

void RunJournal::Amend(std::size_t file, const PlanStep& step, RunKind kind) {
    if (!m_open) return;
    const std::string to = kind == RunKind::StatusOnly ? step.from : StoredTargetPath(step.to);
    if (file < m_entries.size() && m_entries[file].from == step.from && m_entries[file].to == to) return;
    if (file >= m_entries.size()) m_entries.resize(file + 1);
    m_entries[file] = EntryOf(step.from, to);
    m_files.AppendFile(m_path, JournalLine(m_entries[file]));
}

void RunJournal::End(const std::vector<bool>& changed, RunEnd end) {
    if (!m_open) return;
    // Files never written to the journal (empty places) are not named.
    for (size_t i = 0; i < m_entries.size(); ++i)
        m_entries[i].unchanged = !m_entries[i].from.empty() && (i >= changed.size() || !changed[i]);
    m_files.AppendFile(m_path, JournalEndLines(m_entries, end));
    m_open = false;
}

JournalFile ReadJournalFile(FileServices& files, const std::string& path) {
    JournalFile file;
    std::string text;
    if (path.empty() || !files.ReadFile(path, text)) {
        // Only a journal that is there and cannot be read is told of.
        FileStatus status;
        file.missing = path.empty() || !files.GetStatus(path, status);
        if (!file.missing) file.read.damage = "The file cannot be read.";
        return file;
    }
    file.read = ParseJournal(text);
    return file;
}
