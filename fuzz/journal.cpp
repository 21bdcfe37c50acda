// Any bytes as the run journal. A text is either read whole or refused with the line
// that is wrong; a journal read, written back, reads the same; and undoing it on a disk
// holding some of its files never loses or overwrites a file, whatever its lines say.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <set>
#include <string>

#include "rename/run_journal.h"
#include "rename/undo_run.h"
#include "support/fake_file_services.h"

namespace {

void Require(bool ok, const char* what) {
    if (!ok) {
        std::fprintf(stderr, "violated: %s\n", what);
        std::abort();
    }
}

std::string WrittenBack(const Journal& journal) {
    std::string text = JournalHead(journal);
    for (const JournalEntry& entry : journal.entries) {
        if (!entry.temporary.empty()) text += "temporary\t" + entry.from + '\t' + entry.temporary + '\n';
    }
    text += JournalEndLines(journal.entries, journal.entries.size(),
                            [&](std::size_t i) { return !journal.entries[i].unchanged; },
                            journal.end == RunEnd::None ? RunEnd::Stopped : journal.end);
    if (journal.end == RunEnd::None) return text.erase(text.rfind("end\t"));
    for (const JournalEntry& entry : journal.entries) {
        if (entry.undone) text += "undone\t" + entry.from + '\n';
    }
    if (journal.undone) text += kJournalUndoneLine;
    return text;
}

bool Same(const Journal& a, const Journal& b) {
    if (a.date != b.date || a.time != b.time || a.directory != b.directory || a.destination != b.destination ||
        a.end != b.end || a.undone != b.undone || a.entries.size() != b.entries.size())
        return false;
    for (std::size_t i = 0; i < a.entries.size(); ++i) {
        const JournalEntry &x = a.entries[i], &y = b.entries[i];
        if (x.from != y.from || x.to != y.to || x.attribute != y.attribute || x.modifiedTicks != y.modifiedTicks ||
            x.unchanged != y.unchanged || x.undone != y.undone || x.temporary != y.temporary ||
            x.identity.volume != y.identity.volume || x.identity.number != y.identity.number ||
            x.identity.size != y.identity.size)
            return false;
    }
    return true;
}

// A path the stand-in can hold as a file of C:.
bool Placeable(const std::string& path) {
    if (path.size() < 4 || path.compare(0, 3, "C:\\") != 0 || path.back() == '\\') return false;
    if (path.find("\\\\") != std::string::npos) return false;
    for (std::size_t i = 2; i < path.size(); ++i) {
        const unsigned char c = static_cast<unsigned char>(path[i]);
        if (c < 0x20 || std::string("<>:\"|?*/").find(static_cast<char>(c)) != std::string::npos) return false;
    }
    return true;
}

// The files that the journal's paths name: an undo moves files only between them.
std::size_t FileCount(FakeFileServices& files, const Journal& journal) {
    std::set<const FakeEntry*> found;
    for (const JournalEntry& entry : journal.entries) {
        for (const std::string* path : {&entry.from, &entry.to}) {
            const FakeEntry* file = files.Find(*path);
            if (file && !file->IsDir()) found.insert(file);
        }
    }
    return found.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const JournalRead read = ParseJournal(text);
    Require(read.journal.has_value() == read.damage.empty(), "either a journal or its damage");
    if (!read.journal) {
        Require(read.damage.compare(0, 5, "Line ") == 0, "the damage names its line");
        return 0;
    }
    const Journal& journal = *read.journal;
    const JournalRead again = ParseJournal(WrittenBack(journal));
    Require(again.journal && Same(*again.journal, journal), "written back, it reads the same");

    // Every second path of the first entries is a file on the disk, named by its contents.
    FakeFileServices files;
    // Either rule of the file system for names: whether "A" and "a" are one file or two.
    files.caseSensitive = (size & 1) != 0;
    std::size_t placed = 0;
    for (std::size_t i = 0; i < journal.entries.size() && i < 16; ++i) {
        for (const std::string* path : {&journal.entries[i].from, &journal.entries[i].to}) {
            if (!Placeable(*path) || ((i + placed) % 2 != 0) || files.Find(*path)) continue;
            files.AddFile(*path, journal.entries[i].attribute & 0x27, 0, *path);
            ++placed;
        }
    }
    const std::size_t before = FileCount(files, journal);
    const std::vector<std::size_t> changed = ChangedEntries(journal, files);
    UndoEntries(journal, changed, files);
    Require(FileCount(files, journal) == before, "no file lost");
    return 0;
}
