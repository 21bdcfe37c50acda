// The run journal and the undo it makes possible: the text read back as written, a
// damaged text refused with its line, and runs on the recording stand-in undone after
// every way a run can end, a killed one included, with the disk changed meanwhile.
#include "rename/rename_plan.h"
#include "rename/run_execute.h"
#include "rename/run_journal.h"
#include "rename/undo_run.h"
#include "support/fake_file_services.h"
#include "support/option_presets.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <map>
#include <memory>

namespace {

using Names = std::vector<std::string>;
const std::string kPath = "C:\\app\\Vorlix\\last-run.txt";
const std::string kHead = "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\\\n";

std::string Entries(const Journal& j) {
    std::string out;
    for (const JournalEntry& e : j.entries)
        out += e.from + ">" + e.to + " " + std::to_string(e.attribute) + " " + std::to_string(e.modifiedTicks) + " #" +
               std::to_string(e.identity.volume) + "/" + std::to_string(e.identity.number) + "/" +
               std::to_string(e.identity.size) + (e.temporary.empty() ? "" : " via " + e.temporary) +
               (e.unchanged ? " unchanged" : "") + (e.undone ? " undone" : "") + ";";
    return out;
}

TEST(RunJournal, ReadsBackWhatItWrote) {
    Journal j{"12/06/2026", "21:30:05", "C:\\d\\", "D:\\to\\",
              {{"C:\\d\\a.txt", "D:\\to\\a1.txt", 33, 133000000000000001, {7, 42, 5}},
               {"C:\\d\\foo.", "D:\\to\\x é.txt", 0, 0, {}, "", true}, {"C:\\d\\z", "D:\\to\\z", 0, 0, {}, "", true}}};
    const std::string text = JournalHead(j) + JournalEndLines(j.entries, 2, [](size_t i) { return i == 0; }, RunEnd::Cancelled) +
                             "undone\tC:\\d\\a.txt\n" + std::string(kJournalUndoneLine);
    EXPECT_EQ(text, "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\\\tD:\\to\\\n"
                    "C:\\d\\a.txt\tD:\\to\\a1.txt\t33\t133000000000000001\t7\t42\t5\n"
                    "C:\\d\\foo.\tD:\\to\\x é.txt\t0\t0\t0\t0\t0\nC:\\d\\z\tD:\\to\\z\t0\t0\t0\t0\t0\n"
                    "unchanged\tC:\\d\\foo.\nend\tcancelled\t2\nundone\tC:\\d\\a.txt\nundone\n");
    const JournalRead read = ParseJournal(text);
    ASSERT_TRUE(read.journal) << read.damage;
    j.entries[0].undone = true;
    EXPECT_EQ(Entries(*read.journal), Entries(j));
    EXPECT_EQ(read.journal->end, RunEnd::Cancelled);
    EXPECT_TRUE(read.journal->undone);
    EXPECT_EQ(read.journal->date + " " + read.journal->time + " " + read.journal->destination, "12/06/2026 21:30:05 D:\\to\\");

    // A journal of an earlier version (no destination, identities or REACHED); a later line
    // for a listed file replaces it; the line ends and the byte order mark of another
    // editor pass.
    const JournalRead amended = ParseJournal("\xEF\xBB\xBF" + kHead + "C:\\d\\a\tC:\\d\\f1\t32\t5\r\nC:\\d\\b\tC:\\d\\f2\t32\t6\n"
                                                     "C:\\d\\a\tC:\\d\\f9\t1\t7\ntemporary\tC:\\d\\b\tC:\\d\\~1.tmp\n");
    ASSERT_TRUE(amended.journal) << amended.damage;
    EXPECT_EQ(Entries(*amended.journal), "C:\\d\\a>C:\\d\\f9 1 7 #0/0/0;C:\\d\\b>C:\\d\\f2 32 6 #0/0/0 via C:\\d\\~1.tmp;");
    EXPECT_EQ(amended.journal->end, RunEnd::None);
    EXPECT_EQ(amended.journal->destination, "C:\\d\\");
}

TEST(RunJournal, RefusesADamagedText) {
    const std::string file = "C:\\d\\a\tC:\\d\\b\t32\t5\n";
    const struct { const char* what; std::string text, damage; } cases[] = {
        {"empty", "", "Line 1: the journal is empty."},
        {"another file", "[Settings]\n", "Line 1: this is not a run journal."},
        {"a date that is no date", "Vorlix run\t2026-12-06\t21:30:05\tC:\\d\\\n", "Line 1: the date, time or directory"},
        {"cut short", kHead + "C:\\d\\a\tC:\\d\\b\t3", "Line 2: the line is cut short."},
        {"three fields", kHead + "C:\\d\\a\tC:\\d\\b\t32\n", "Line 2: the line cannot be read."},
        {"an empty path", kHead + "\tC:\\d\\b\t32\t5\n", "Line 2: the line cannot be read."},
        {"letters in the attributes", kHead + "C:\\d\\a\tC:\\d\\b\t3x\t5\n", "Line 2: the attributes or the time"},
        {"a negative time", kHead + "C:\\d\\a\tC:\\d\\b\t32\t-5\n", "Line 2: the attributes or the time"},
        {"attributes past 32 bits", kHead + "C:\\d\\a\tC:\\d\\b\t4294967296\t5\n", "Line 2: the attributes or the time"},
        {"a time past 64 bits", kHead + "C:\\d\\a\tC:\\d\\b\t32\t9223372036854775808\n", "Line 2: the attributes or"},
        {"unchanged unknown file", kHead + file + "unchanged\tC:\\d\\x\n", "Line 3: the file is not one of the run's."},
        {"an unknown end", kHead + file + "end\tdone\n", "Line 3: the end of the run cannot be read."},
        {"a file after the end", kHead + "end\tfinished\n" + file, "Line 3: only \"undone\" may follow"},
        {"twice undone", kHead + "end\tstopped\nundone\nundone\n", "Line 4: nothing may follow \"undone\"."},
        {"a blank line", kHead + "\n", "Line 2: the line cannot be read."},
        {"a control character", kHead + "C:\\d\\a\r\tC:\\d\\b\t32\t5\n", "Line 2: the line holds a control"},
        {"a relative destination", "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\\\tto\\\n", "Line 1: the date, time or"},
        {"a folder that is no folder", "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\n", "Line 1: the date, time or"},
        {"a relative path", kHead + "d\\a\tC:\\d\\b\t32\t5\n", "Line 2: the path is not in the run's folder."},
        {"a .. part", kHead + "C:\\d\\..\\d\\a\tC:\\d\\b\t32\t5\n", "Line 2: the path is not in the run's"},
        {"a . part", kHead + "C:\\d\\.\\a\tC:\\d\\b\t32\t5\n", "Line 2: the path is not in the run's"},
        {"a / the platform reads as \\", kHead + "C:\\d\\a\tC:\\d\\x/../b\t32\t5\n", "Line 2: the path is not in"},
        {"another folder", kHead + "C:\\d\\a\tC:\\e\\b\t32\t5\n", "Line 2: the path is not in the run's folder."},
        {"the folder itself", kHead + "C:\\d\\a\tC:\\d\\\t32\t5\n", "Line 2: the path is not in the run's folder."},
        {"an identity that is no number", kHead + "C:\\d\\a\tC:\\d\\b\t32\t5\t1\tx\t0\n", "Line 2: the attributes or"},
        {"a temporary name elsewhere", kHead + file + "temporary\tC:\\d\\a\tC:\\e\\t\n", "Line 3: the path is not in"},
        {"temporary unknown file", kHead + file + "temporary\tC:\\d\\x\tC:\\d\\t\n", "Line 3: the file is not one of"},
        {"reached past the files", kHead + file + "end\tstopped\t2\n", "Line 3: the end of the run cannot be read."},
        {"undone unknown file", kHead + file + "end\tstopped\nundone\tC:\\d\\x\n", "Line 4: only \"undone\" may"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const JournalRead read = ParseJournal(c.text);
        EXPECT_FALSE(read.journal);
        EXPECT_EQ(read.damage.substr(0, c.damage.size()), c.damage);
    }
}

// Every file of C:\d\ and D:\to\ with its contents, attributes and exact time.
std::map<std::string, std::string> Disk(FakeFileServices& files) {
    std::map<std::string, std::string> out;
    for (const FakeEntry* e : files.FilesIn({"C:\\d\\", "D:\\to\\"})) {
        FileStatus s;
        files.GetStatus(e->path, s);
        out[e->path] = e->contents + " " + std::to_string(s.attribute) + " " + std::to_string(s.modifiedTicks);
    }
    return out;
}

// Passes every file, cancels before file `cancelAt`, and keeps the journal up to date.
struct JournalingObserver : RunObserver {
    RunJournal& journal;
    RunKind kind;
    size_t cancelAt;
    JournalingObserver(RunJournal& j, RunKind k, size_t c) : journal(j), kind(k), cancelAt(c) {}
    bool OnFile(size_t file, size_t, const PlanStep& step) override {
        return file != cancelAt && (journal.Amend(file, step, kind), true);
    }
    bool OnFailure(const RunFailure& f) override { return !f.stops; }
    void OnStop(const RunMessage&) override {}
};

TEST(Undo, PutsBackWhatTheRunChanged) {
    enum Meanwhile { kNothing, kTakeB, kDeleteF3, kReplaceF2, kFolderF3, kKilled };
    using Set = std::function<void(RenameOptions&, ProgramSettings&)>;
    const Set counted = [](RenameOptions& o, ProgramSettings& s) {
        CountIntoPrefix(o, "1");
        s.m_bAbortOnError = 0, s.m_bTimeDate = s.m_bSetAttrib = 1, s.m_bReadOnly = 0, s.m_bHidden = 1;
    };
    const Set moved = [](RenameOptions&, ProgramSettings& s) {
        s.m_bUseNewDir = 1, s.m_strDestination = "D:\\to\\", s.m_bAbortOnError = 0;
    };
    // Names kept; stamped and made read-only and hidden: going back, a file loses the bit
    // before it takes its old time.
    const Set restamped = [](RenameOptions&, ProgramSettings& s) {
        s.m_bTimeDate = s.m_bSetAttrib = 1, s.m_bReadOnly = s.m_bHidden = 1, s.m_bAbortOnError = 0;
    };
    const struct { const char* what; Set set; bool missingB; size_t cancelAt; Meanwhile meanwhile;
                   size_t changed; std::string failures; RunEnd end; } cases[] = {
        {"a whole run, read-only and a trailing dot included", counted, false, SIZE_MAX, kNothing, 4, "", RunEnd::Finished},
        {"renumbered after a failed move", counted, true, SIZE_MAX, kNothing, 3, "", RunEnd::Finished},
        {"cancelled before the third file", counted, false, 2, kNothing, 2, "", RunEnd::Cancelled},
        {"moved to another directory", moved, false, SIZE_MAX, kNothing, 4, "", RunEnd::Finished},
        {"only times and attributes", restamped, false, SIZE_MAX, kNothing, 4, "", RunEnd::Finished},
        {"times and attributes, killed after two files", restamped, false, 2, kKilled, 2, "", RunEnd::None},
        {"an old name taken meanwhile", counted, false, SIZE_MAX, kTakeB, 4,
         "1 of 4 files could not be undone.\n\nf2.txt -> b.txt: its old name is taken", RunEnd::Finished},
        {"a renamed file gone meanwhile", counted, false, SIZE_MAX, kDeleteF3, 4,
         "1 of 4 files could not be undone.\n\nf3.txt -> c.txt: it is no longer there", RunEnd::Finished},
        {"a renamed file replaced by another", counted, false, SIZE_MAX, kReplaceF2, 4,
         "1 of 4 files could not be undone.\n\nf2.txt -> b.txt: it is not the file the run renamed", RunEnd::Finished},
        {"a folder in a renamed file's place", counted, false, SIZE_MAX, kFolderF3, 4,
         "1 of 4 files could not be undone.\n\nf3.txt -> c.txt: it is not the file the run renamed", RunEnd::Finished},
        {"killed after a renumbered file", counted, true, 3, kKilled, 2, "", RunEnd::None},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileServices files;
        files.AddDir("C:\\app");
        files.AddDir("D:\\to");
        files.AddFile("C:\\d\\a.txt", kFileReadOnly | kFileArchive, 0, "A").modifiedTicks = 116444736000000007;
        files.AddFile("C:\\d\\b.txt", kFileArchive, 3600, "B");
        files.AddFile("C:\\d\\c.txt", kFileSystem, 7200, "C");
        files.AddFile("C:\\d\\foo.", kFileArchive, 0, "dot");
        Names selected = {"a.txt", "b.txt", "c.txt", "foo."};
        if (c.missingB) files.DeleteFile("C:\\d\\b.txt");
        const auto before = Disk(files);

        RenameOptions o;
        ProgramSettings s;
        s.m_bWarnRename = 0;
        c.set(o, s);
        const RenamePlan plan = MakePlan(o, s, "C:\\d\\", selected, 1041422400, true);
        auto journal = std::make_unique<RunJournal>(files, kPath);
        ASSERT_FALSE(journal->Begin(plan));
        JournalingObserver observer(*journal, plan.kind, c.cancelAt);
        const RunReport report = Execute(plan, files, observer);
        if (c.meanwhile != kKilled) journal->End(report.changed, report.cancelled ? RunEnd::Cancelled : RunEnd::Finished);
        journal.reset();  // a killed program lets its journal go too
        if (c.meanwhile == kTakeB) files.AddFile("C:\\d\\b.txt", kFileArchive, 0, "new B");
        if (c.meanwhile == kDeleteF3) files.DeleteFile("C:\\d\\f3.txt");
        if (c.meanwhile == kFolderF3) files.AddDir("C:\\d\\f3.txt");  // in the file's place
        if (c.meanwhile == kReplaceF2) files.AddFile("C:\\d\\f2.txt", kFileArchive, 0, "B");  // same size, not the same

        const JournalFile read = ReadJournalFile(files, kPath);
        ASSERT_TRUE(read.read.journal) << read.read.damage;
        EXPECT_EQ(read.read.journal->end, c.end);
        const std::vector<size_t> changed = ChangedEntries(*read.read.journal, files);
        EXPECT_EQ(changed.size(), c.changed);
        const UndoReport undo = UndoEntries(*read.read.journal, changed, files);
        EXPECT_EQ(UndoErrorText(undo).value_or(""), c.failures);

        // Where undo failed, the newcomer keeps its name and the run's file its new one (hidden, stamped).
        auto expected = before;
        if (c.meanwhile == kTakeB)
            expected["C:\\d\\b.txt"] = "new B 32 116444736000000000", expected["C:\\d\\f2.txt"] = "B 34 126858960000000000";
        if (c.meanwhile == kDeleteF3 || c.meanwhile == kFolderF3) expected.erase("C:\\d\\c.txt");
        if (c.meanwhile == kReplaceF2) expected.erase("C:\\d\\b.txt"), expected["C:\\d\\f2.txt"] = "B 32 116444736000000000";
        EXPECT_EQ(Disk(files), expected);
    }
}

// A killed run is read back from the disk as an undo would meet it, the last file first,
// then undone. With identities (`known`), an entry's file is the one the disk holds under
// its new name, or under "~" and its new name, its temporary one; "*x" is a file x that
// is another one.
TEST(Undo, ReadsAKilledRunFromTheDisk) {
    const std::string K = "\xE2\x84\xAA";  // the Kelvin sign: no letter k to the file system
    const struct { const char* what; bool known; Names entries, disk, changed, after; } cases[] = {
        // b went to c first, then a to b: both done, though b's old name is taken now.
        {"names that follow on", false, {"b>c", "a>b"}, {"b", "c"}, {"b>c", "a>b"}, {"a", "b"}},
        {"the second never started", false, {"b>c", "a>b"}, {"a", "c"}, {"b>c"}, {"a", "b"}},
        {"nothing done", false, {"a>x", "b>y"}, {"a", "b"}, {}, {"a", "b"}},
        {"a case-only rename done", false, {"r>R"}, {"R"}, {"r>R"}, {"r"}},
        {"a case-only rename not done", false, {"r>R"}, {"r"}, {}, {"r"}},
        {"a new file under the old name", false, {"a>x"}, {"a", "x"}, {}, {"a", "x"}},
        {"names that follow on, known", true, {"b>c", "a>b"}, {"b", "c"}, {"b>c", "a>b"}, {"a", "b"}},
        {"the Kelvin sign beside k", true, {K + ">y", "k>" + K}, {"y", K}, {K + ">y", "k>" + K}, {"k", K}},
        {"a case-only rename not done, known", true, {"r>R"}, {"r"}, {}, {"r"}},
        {"killed between the two moves of a change of case", true, {"r>R"}, {"~R"}, {"r>R"}, {"r"}},
        {"another file under the new name", true, {"a>x"}, {"*x"}, {}, {"x"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileServices files;
        files.AddDir("C:\\d");
        std::map<std::string, uint64_t> ids;  // the files by the name they have now ("*x": another one's)
        for (const std::string& name : c.disk) ids[name] = files.AddFile("C:\\d\\" + name.substr(name[0] == '*')).id;
        Journal journal{"", "", "C:\\d\\", "C:\\d\\"};
        for (const std::string& e : c.entries) {
            const std::string from = e.substr(0, e.find('>')), to = e.substr(e.find('>') + 1);
            JournalEntry& entry = journal.entries.emplace_back(JournalEntry{"C:\\d\\" + from, "C:\\d\\" + to});
            if (!c.known) continue;
            entry.identity = {3, ids.count(to) ? ids[to] : ids.count("~" + to) ? ids["~" + to] : 999};
            if (ids.count("~" + to)) entry.temporary = "C:\\d\\~" + to;
        }
        Names changed, after;
        const std::vector<size_t> found = ChangedEntries(journal, files);
        for (size_t i : found) changed.push_back(c.entries[i]);
        EXPECT_EQ(changed, c.changed);
        UndoEntries(journal, found, files);
        for (const FakeEntry* e : files.FilesIn({"C:\\d\\"})) after.push_back(e->Name());
        std::sort(after.begin(), after.end());
        EXPECT_EQ(after, c.after);
    }
}

}  // namespace

namespace {

// What the user is asked and told, and what the journal gets at the end, as literal texts.
TEST(Undo, TellsAndCloses) {
    Journal j{"12/06/2026", "21:30:05", "C:\\d\\", "D:\\to\\",
              {{"C:\\d\\a", "C:\\d\\x"}, {"C:\\d\\b", "C:\\d\\y"}, {"C:\\d\\c", "C:\\d\\z"}}};
    Journal finished = j;
    finished.end = RunEnd::Finished;
    const UndoReport some{3, {2}, {{"x", "a", "its old name is taken"}, {"y", "b", "it is no longer there"}}};
    const UndoReport all{2, {0, 2}, {}}, none{1, {}, {{"x", "a", "it is no longer there"}}};
    // A file that keeps its name, with a time unknown when the run began and its bits as they were.
    FakeFileServices files;
    files.AddFile("C:\\d\\s", kFileHidden, 5);
    Journal kept{"", "", "C:\\d\\", "C:\\d\\", {{"C:\\d\\s", "C:\\d\\s", kFileHidden, 0}}, RunEnd::Finished};
    const size_t unchangedCount = ChangedEntries(kept, files).size();
    kept.entries[0].modifiedTicks = -5;  // a time the file refuses
    // A journal of an earlier version: the file at the new name has another time than the run left.
    files.AddFile("C:\\d\\y", kFileArchive, 9);
    const Journal old{"", "", "C:\\d\\", "C:\\d\\", {{"C:\\d\\x", "C:\\d\\y", 32, 116444736050000000}}, RunEnd::Finished};
    const struct { const char* what; std::string text, expected; } cases[] = {
        {"the question", UndoQuestion(j, 3),
         "Undo the rename run of 12/06/2026 21:30:05 in C:\\d\\: 3 files go back to their old names, times and attributes."},
        {"the unfinished run", UnfinishedQuestion(2, 3),
         "The last rename run did not finish: 2 of 3 files had been changed.\n\nUndo those changes now?"},
        {"a folder away", UnreadableFolderText("D:\\to\\"),
         "The last rename run did not finish, and D:\\to\\ cannot be read now. Vorlix will ask again when it can."},
        {"failures, one a line", UndoErrorText(some).value_or(""),
         "2 of 3 files could not be undone.\n\nx -> a: its old name is taken\ny -> b: it is no longer there"},
        {"a time refused", UndoErrorText(UndoEntries(kept, {0}, files)).value_or(""),
         "1 of 1 files could not be undone.\n\ns -> s: its old time or attributes cannot be put back"},
        {"a time not known is no change", std::to_string(unchangedCount), "0"},
        {"another time, no identity", UndoErrorText(UndoEntries(old, {0}, files)).value_or(""),
         "1 of 1 files could not be undone.\n\ny -> x: it is not the file the run renamed"},
        {"a killed run left as it is", ClosingLines(j, {0}, nullptr), "end\tstopped\t1\n"},
        {"a killed run undone", ClosingLines(j, {0, 2}, &all), "unchanged\tC:\\d\\b\nend\tstopped\t3\nundone\n"},
        {"a finished run partly undone", ClosingLines(finished, {0, 1, 2}, &some), "undone\tC:\\d\\c\n"},
        {"nothing undone", ClosingLines(finished, {0}, &none), ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.text, c.expected) << c.what;
}

// One run holds the journal: another neither reads it nor starts; a journal that is there
// and cannot be read, and one the system names no folder for, are told of.
TEST(RunJournal, OneOwner) {
    FakeFileServices files;
    files.AddFile("C:\\d\\a.txt");
    files.AddDir("C:\\app\\Vorlix\\last-run.txt");  // a folder where the journal would be
    RenamePlan plan;
    plan.curDir = plan.targetDir = "C:\\d\\";
    plan.steps.push_back({"C:\\d\\a.txt", "C:\\d\\b.txt"});
    RunJournal first(files, "C:\\j.txt"), second(files, "C:\\j.txt"), blocked(files, kPath), none(files, "");
    EXPECT_FALSE(first.Begin(plan));
    EXPECT_EQ(second.Begin(plan).value_or(Failure{}).message, kJournalHeldText);
    EXPECT_TRUE(second.HeldElsewhere());
    EXPECT_TRUE(ReadJournalFile(files, "C:\\j.txt").heldElsewhere);
    first.End({true}, RunEnd::Finished);
    EXPECT_EQ(ReadJournalFile(files, "C:\\j.txt").read.journal->entries.size(), 1u);
    EXPECT_EQ(blocked.Begin(plan).value_or(Failure{}).message, "The journal of the run cannot be written:\n" + kPath);
    EXPECT_EQ(none.Begin(plan).value_or(Failure{}).message,
              "The journal of the run cannot be written:\n%LOCALAPPDATA%\\Vorlix\\last-run.txt");
    EXPECT_EQ(ReadJournalFile(files, kPath).read.damage, "The file cannot be read.");

    // A drive away at the next start: the run's destination is named.
    files.AddDrive(4, false);
    EXPECT_EQ(UnreadableFolder(Journal{"", "", "C:\\d\\", "D:\\to\\"}, files).value_or(""), "D:\\to\\");
    EXPECT_EQ(UnreadableFolder(Journal{"", "", "C:\\d\\", "C:\\"}, files).value_or("none"), "none");
}

}  // namespace
