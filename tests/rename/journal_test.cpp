// The run journal and the undo it makes possible: the text read back as written, a
// damaged text refused with its line, and runs on the recording stand-in undone after
// every way a run can end, a killed one included, with the disk changed meanwhile.
#include "rename/rename_plan.h"
#include "rename/run_execute.h"
#include "rename/run_journal.h"
#include "rename/undo_run.h"
#include "support/fake_file_services.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

using Names = std::vector<std::string>;
const std::string kPath = "C:\\app\\Vorlix\\last-run.txt";
const std::string kHead = "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\\\n";

std::string Entries(const Journal& j) {
    std::string out;
    for (const JournalEntry& e : j.entries)
        out += e.from + ">" + e.to + " " + std::to_string(e.attribute) + " " + std::to_string(e.modifiedTicks) +
               (e.unchanged ? " unchanged" : "") + ";";
    return out;
}

TEST(RunJournal, ReadsBackWhatItWrote) {
    Journal j{"12/06/2026", "21:30:05", "C:\\d\\", {{"C:\\d\\a.txt", "D:\\to\\a1.txt", 33, 133000000000000001},
                                                  {"C:\\d\\foo.", "C:\\d\\x é.txt", 0, 0, true}}};
    const std::string text = JournalHead(j) + JournalEndLines(j.entries, RunEnd::Cancelled) + std::string(kJournalUndoneLine);
    EXPECT_EQ(text, "Vorlix run\t12/06/2026\t21:30:05\tC:\\d\\\nC:\\d\\a.txt\tD:\\to\\a1.txt\t33\t133000000000000001\n"
                    "C:\\d\\foo.\tC:\\d\\x é.txt\t0\t0\nunchanged\tC:\\d\\foo.\nend\tcancelled\nundone\n");
    const JournalRead read = ParseJournal(text);
    ASSERT_TRUE(read.journal) << read.damage;
    EXPECT_EQ(Entries(*read.journal), Entries(j));
    EXPECT_EQ(read.journal->end, RunEnd::Cancelled);
    EXPECT_TRUE(read.journal->undone);
    EXPECT_EQ(read.journal->date + " " + read.journal->time, "12/06/2026 21:30:05");

    // A later line for a listed file replaces it; the line ends and the byte order mark of
    // another editor pass.
    const JournalRead amended = ParseJournal("\xEF\xBB\xBF" + kHead + "C:\\d\\a\tC:\\d\\f1\t32\t5\r\nC:\\d\\b\tC:\\d\\f2\t32\t6\n"
                                                     "C:\\d\\a\tC:\\d\\f9\t1\t7\n");
    ASSERT_TRUE(amended.journal) << amended.damage;
    EXPECT_EQ(Entries(*amended.journal), "C:\\d\\a>C:\\d\\f9 1 7;C:\\d\\b>C:\\d\\f2 32 6;");
    EXPECT_EQ(amended.journal->end, RunEnd::None);
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
    for (const char* dir : {"C:\\d\\", "D:\\to\\"}) {
        files.EnumerateDirectory(dir, [&](const FindEntry& e) {
            if (e.attrib & kFileDirectory) return;
            FileStatus s;
            files.GetStatus(dir + e.name, s);
            out[dir + e.name] = files.Find(dir + e.name)->contents + " " + std::to_string(s.attribute) + " " +
                                std::to_string(s.modifiedTicks);
        });
    }
    return out;
}

// Passes every file, cancels before file `cancelAt`, and keeps the journal up to date.
struct JournalingObserver : RunObserver {
    RunJournal& journal;
    RunKind kind;
    size_t cancelAt = SIZE_MAX;
    JournalingObserver(RunJournal& j, RunKind k) : journal(j), kind(k) {}
    bool OnFile(size_t file, size_t, const PlanStep& step) override {
        if (file == cancelAt) return false;
        journal.Amend(file, step, kind);
        return true;
    }
    bool OnFailure(const RunFailure& f) override { return !f.stops; }
    void OnStop(const RunMessage&) override {}
};

TEST(Undo, PutsBackWhatTheRunChanged) {
    enum Meanwhile { kNothing, kTakeB, kDeleteF3, kKilled };
    using Set = std::function<void(RenameOptions&, ProgramSettings&)>;
    const Set counted = [](RenameOptions& o, ProgramSettings& s) {
        o.m_bChangePrefix = 1, o.m_nPrefixPos = 0, o.m_strNewPrefix = "f", o.m_bCountPrefix = 1, o.m_strStartCount = "1";
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
        {"killed after two files: the disk tells", counted, false, 2, kKilled, 2, "", RunEnd::None},
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
        RunJournal journal(files, kPath);
        ASSERT_FALSE(journal.Begin(plan));
        JournalingObserver observer(journal, plan.kind);
        observer.cancelAt = c.cancelAt;
        const RunReport report = Execute(plan, files, observer);
        if (c.meanwhile != kKilled) journal.End(report.changed, report.cancelled ? RunEnd::Cancelled : RunEnd::Finished);
        if (c.meanwhile == kTakeB) files.AddFile("C:\\d\\b.txt", kFileArchive, 0, "new B");
        if (c.meanwhile == kDeleteF3) files.DeleteFile("C:\\d\\f3.txt");

        const JournalFile read = ReadJournalFile(files, kPath);
        ASSERT_TRUE(read.read.journal) << read.read.damage;
        EXPECT_EQ(read.read.journal->end, c.end);
        const std::vector<size_t> changed = ChangedEntries(*read.read.journal, files);
        EXPECT_EQ(changed.size(), c.changed);
        const UndoReport undo = UndoEntries(*read.read.journal, changed, files);
        EXPECT_EQ(UndoErrorText(undo).value_or(""), c.failures);

        auto expected = before;
        auto after = Disk(files);
        if (c.meanwhile == kTakeB) {
            // The newcomer keeps the name; the run's file keeps its new one.
            EXPECT_EQ(after["C:\\d\\b.txt"].substr(0, 6), "new B ");
            EXPECT_EQ(after["C:\\d\\f2.txt"].substr(0, 2), "B ");
            after.erase("C:\\d\\f2.txt");
            expected["C:\\d\\b.txt"] = after["C:\\d\\b.txt"];
        }
        if (c.meanwhile == kDeleteF3) expected.erase("C:\\d\\c.txt");
        EXPECT_EQ(after, expected);
    }
}

// A killed run is read back from the disk as an undo would meet it, the last file first.
TEST(Undo, ReadsAKilledRunFromTheDisk) {
    const struct { const char* what; Names entries; Names disk; Names changed; } cases[] = {
        // b went to c first, then a to b: both done, though b's old name is taken now.
        {"names that follow on", {"b>c", "a>b"}, {"b", "c"}, {"b>c", "a>b"}},
        {"the second never started", {"b>c", "a>b"}, {"a", "c"}, {"b>c"}},
        {"nothing done", {"a>x", "b>y"}, {"a", "b"}, {}},
        {"a case-only rename done", {"r>R"}, {"R"}, {"r>R"}},
        {"a case-only rename not done", {"r>R"}, {"r"}, {}},
        {"a new file under the old name", {"a>x"}, {"a", "x"}, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        FakeFileServices files;
        files.AddDir("C:\\d");
        for (const std::string& name : c.disk) files.AddFile("C:\\d\\" + name);
        Journal journal;
        for (const std::string& e : c.entries) journal.entries.push_back({"C:\\d\\" + e.substr(0, 1), "C:\\d\\" + e.substr(2)});
        Names changed;
        for (size_t i : ChangedEntries(journal, files)) changed.push_back(c.entries[i]);
        EXPECT_EQ(changed, c.changed);
    }
}

}  // namespace
