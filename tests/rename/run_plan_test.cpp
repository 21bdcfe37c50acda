// The rename run as data: the plan made from options, settings, directory and the
// selected names, and its execution against the recording stand-in of the file services.
#include "platform/move_rules.h"
#include "rename/rename_plan.h"
#include "rename/run_execute.h"
#include "support/fake_file_services.h"
#include "support/option_presets.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

using Names = std::vector<std::string>;
using Set = std::function<void(RenameOptions&, ProgramSettings&)>;

const Names kAbc = {"a.txt", "b.txt", "c.txt"};
const TimeValue kStamp = 1041422400;  // 01/01/2003 12:00:00
const std::string kTop = "18446744073709551615";

// `held`: whether the platform can hold the settings' stamp time.
RenamePlan Plan(const Set& set, const Names& selected = kAbc, bool held = true) {
    RenameOptions o;
    ProgramSettings s;
    s.m_bWarnRename = 0, s.m_nIncMinute = 1;
    set(o, s);
    return MakePlan(o, s, "C:\\d\\", selected, kStamp, held);
}

// The old extension replaced by `ext`.
void Ext(RenameOptions& o, const char* ext) { o.m_bChangeExt = 1, o.m_nExtPos = 0, o.m_strNewExt = ext; }

std::string Told(const RunMessage& m) { return m.title + "|" + m.text; }

TEST(RenamePlan, RefusesInTheRunsOrder) {
    const std::string noChanges = "NOTE:|There are no changes!", noSelection = "NOTE:|You need to select at least one file!",
                      zero = "Error:|Increment must be 1 or larger!";
    const auto countExt = [](const char* increment) {
        return [increment](RenameOptions& o, ProgramSettings&) { AppendR(o), o.m_bCountExt = 1, o.m_strIncrement = increment; };
    };
    const auto stampIn = [](int year) {
        return [year](RenameOptions& o, ProgramSettings& s) { AppendR(o), s.m_bTimeDate = 1, s.m_nYear = year; };
    };
    const auto regex = [](const char* pattern, const char* with) {
        return [=](RenameOptions& o, ProgramSettings& s) {
            o.m_bReplace = o.m_bRegex = 1, o.m_strReStr1 = pattern, o.m_strReStr2 = with, s.m_bWarnRename = 1;
        };
    };
    const struct { const char* what; Set set; Names selected; std::string told; bool held = true; } cases[] = {
        {"nothing asked, nothing selected", [](auto&, auto&) {}, {}, noChanges},
        {"an empty destination is no change", [](auto&, auto& s) { s.m_bUseNewDir = 1; }, kAbc, noChanges},
        {"a relative destination, before the date", [&](auto& o, auto& s) {
             stampIn(99999)(o, s), s.m_bUseNewDir = 1, s.m_strDestination = "sub"; },
         {}, "Error:|The destination is not a full path: sub"},
        {"a year past 9999, before the selection", stampIn(99999), {}, "Error:|Invalid date: 01/01/99999"},
        {"a stamp the platform cannot hold", stampIn(1980), kAbc, "Error:|Invalid date: 01/01/1980", false},
        {"nothing selected, before the increment", countExt("0"), {}, noSelection},
        // Checked although the counter is of the half that stays.
        {"zero increment of an unused counter", countExt("0"), kAbc, zero},
        {"increment starting with a letter", countExt("x5"), kAbc, zero},
        // A pattern that cannot work renames nothing, told before anything is asked.
        {"a pattern that does not compile", regex("a)", "x"), kAbc,
         "Pattern Error:|Invalid regular expression: unmatched closing parenthesis at character 1"},
        {"a pattern too slow on one name", regex("(\\w+)+\\d", ""), {"b.txt", std::string(60, 'a') + ".txt"},
         "Pattern Error:|The pattern takes too long on:  " + std::string(60, 'a') + ".txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RenamePlan plan = Plan(c.set, c.selected, c.held);
        ASSERT_TRUE(plan.refusal);
        EXPECT_EQ(Told(*plan.refusal), c.told);
        EXPECT_EQ(plan.refusal->icon,
                  c.told[0] == 'E' ? RunIcon::Stop : c.told[0] == 'P' ? RunIcon::Exclamation : RunIcon::Information);
        EXPECT_TRUE(plan.steps.empty() && plan.confirmation.empty());
        EXPECT_EQ(PreviewOf(plan).message, plan.refusal);  // the preview tells the same
    }
    // The date matters only to a run that stamps.
    EXPECT_FALSE(Plan([](RenameOptions& o, ProgramSettings& s) { AppendR(o), s.m_nYear = 99999; }, kAbc, false).refusal);
    EXPECT_FALSE(Plan(stampIn(9999)).refusal);  // the last year a date may have

    // Destinations a run accepts: none that the working directory would complete.
    const struct { const char* path; bool full; } paths[] = {
        {"D:\\Out\\", true}, {"z:\\", true}, {"\\\\server\\share", true}, {"\\\\server\\share\\sub\\", true},
        {"\\\\?\\C:\\Out\\", true}, {"", false}, {"sub", false}, {"sub\\", false}, {"D:", false}, {"D:Out\\", false},
        {"\\Out\\", false}, {"D:/Out/", false}, {"1:\\", false}, {"\\\\server", false}, {"\\\\server\\", false},
        {"\\\\\\share\\", false}, {"\\\\server\\\\", false}, {" D:\\", false},
    };
    for (const auto& p : paths) EXPECT_EQ(IsFullPath(p.path), p.full) << p.path;
}

// Targets in the listed directory C:\d\ are given by name alone.
TEST(RenamePlan, StepsTargetsAndCaret) {
    const auto dest = [](const char* d) {
        return [d](RenameOptions& o, ProgramSettings& s) { AppendR(o), s.m_bUseNewDir = 1, s.m_strDestination = d; };
    };
    const auto moveTo = [](RenameOptions&, ProgramSettings& s) { s.m_bUseNewDir = 1, s.m_strDestination = "D:\\to\\"; };
    const auto top = [](RenameOptions& o, ProgramSettings&) { CountIntoPrefix(o, kTop); };
    const std::string f = "f" + kTop + ".txt";
    const struct { const char* what; Set set; Names selected; RunKind kind; Names targets; std::string caret, stop;
                   size_t later; } cases[] = {  // stop: "" for none; later: names left after the stop
        {"counter in place of the prefix", [](auto& o, auto&) { CountIntoPrefix(o, "1"); }, kAbc, RunKind::Rename,
         {"f1.txt", "f2.txt", "f3.txt"}, "f1.txt", "", 0},
        {"into a destination typed without its backslash", dest("D:\\to"), {"a.txt"}, RunKind::Rename, {"D:\\to\\a_r.txt"}, "", "", 0},
        {"an empty destination means here", dest(""), {"a.txt"}, RunKind::Rename, {"a_r.txt"}, "a_r.txt", "", 0},
        {"a destination unused while its box is clear", [](auto& o, auto& s) { AppendR(o), s.m_strDestination = "sub"; },
         {"a.txt"}, RunKind::Rename, {"a_r.txt"}, "a_r.txt", "", 0},
        {"no refill, no caret", [](auto& o, auto& s) { AppendR(o), s.m_bNoRefresh = 1; }, {"a.txt"}, RunKind::Rename,
         {"a_r.txt"}, "", "", 0},
        {"advanced insert", [](auto& o, auto&) { o.m_bInsert = 1, o.m_strInsStr1 = "-", o.m_strInsAtPos = "0"; },
         {"a.txt", "b"}, RunKind::Rename, {"-a.txt", "-b"}, "-a.txt", "", 0},
        // A name without extension keeps its dot here; the platform's move drops it.
        {"basic rules win over advanced ones", [](auto& o, auto&) { AppendR(o), o.m_bReplace = 1; }, {"b"},
         RunKind::Rename, {"b_r."}, "b_r.", "", 0},
        {"only a move", moveTo, {"a.txt"}, RunKind::MoveOnly, {"D:\\to\\a.txt"}, "", "", 0},
        {"only the time", [](auto&, auto& s) { s.m_bTimeDate = 1; }, {"a.txt"}, RunKind::StatusOnly, {"a.txt"}, "", "", 0},
        {"advanced options not filled in", [](auto& o, auto&) { o.m_bInsert = 1, o.m_strInsStr1 = "x"; }, kAbc,
         RunKind::Rename, {}, "", "Abort:|Advance renaming options was not filled out correctly!", 3},
        {"overflow before the second file", top, {"a.txt", "b.txt"}, RunKind::Rename, {f}, f, "Error|Counter Overflow!", 1},
        {"no overflow check after the last file", top, {"a.txt"}, RunKind::Rename, {f}, f, "", 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        const RenamePlan plan = Plan(c.set, c.selected);
        ASSERT_FALSE(plan.refusal);
        EXPECT_EQ(plan.kind, c.kind);
        Names targets;
        for (const PlanStep& step : plan.steps)
            targets.push_back(step.to.rfind("C:\\d\\", 0) == 0 ? step.to.substr(5) : step.to);
        EXPECT_EQ(targets, c.targets);
        EXPECT_EQ(plan.caretName, c.caret);
        EXPECT_EQ(plan.stop ? Told(*plan.stop) : "", c.stop);
        EXPECT_EQ(plan.laterNames.size(), c.later);
        EXPECT_EQ(plan.fileCount, c.selected.size());
        const PreviewContent preview = PreviewOf(plan);
        if (c.kind == RunKind::Rename) EXPECT_EQ(preview.message, plan.stop);
        else EXPECT_EQ(Told(*preview.message).rfind("Done|No preview for just ", 0), 0u);
    }
}

TEST(RenamePlan, ConfirmationStampsAndAttributes) {
    const RenamePlan plan = Plan([](RenameOptions& o, ProgramSettings& s) {
        AppendR(o), s.m_bWarnRename = s.m_bTimeDate = s.m_bSetAttrib = s.m_bUseNewDir = s.m_bIncTime = 1;
        s.m_strDestination = "D:\\to", s.m_nIncHour = 1, s.m_nIncSecond = 5;
        s.m_bReadOnly = 1, s.m_bHidden = 0, s.m_bSystem = 2, s.m_bArchive = 0;
    });
    EXPECT_EQ(plan.confirmation,
              "Rename/Move 3 Files\n\nFrom:  C:\\d\\\n\nTo:  D:\\to\\\n\nChange File Prefix:  YES\n"
              "Change File Extension:  NO\nAdvance Insert/Replace:  NO\nChange Attributes:  YES\nChange Time & Date:  YES");
    ASSERT_EQ(plan.steps.size(), 3u);
    EXPECT_EQ(plan.stampTime, kStamp);
    for (size_t i = 0; i < 3; ++i) {
        const PlanStep& step = plan.steps[i];
        EXPECT_TRUE(step.stamp && step.setAttributes);
        EXPECT_EQ(step.stampStep, i == 0 ? 0 : 3665);  // the first file gets the stamp as set
        EXPECT_EQ(step.attributes.Apply(kFileHidden | kFileSystem | kFileArchive), kFileReadOnly | kFileSystem);
    }
    // Without "Increment Time by:" every file gets the same stamp.
    EXPECT_EQ(Plan([](RenameOptions& o, ProgramSettings& s) { AppendR(o), s.m_bTimeDate = 1; }).steps[2].stampStep, 0);
}

// Runs a plan over C:\d\a.txt, b.txt, c.txt ("of a.txt", ...) and the empty D:\to\, on a
// stand-in that can refuse new times or attributes of one path, fail to read its status, or
// leave it as C:\d\zzleft.tmp when it is moved (a rename through a temporary name that
// could be neither finished nor undone).
class StandIn : public FakeFileServices {
public:
    std::string refuseTime, refuseAttributes, unreadable, strand;
    std::optional<Failure> MoveFile(const std::string& from, const std::string& to) override {
        if (from != strand) return FakeFileServices::MoveFile(from, to);
        FakeFileServices::MoveFile(from, "C:\\d\\zzleft.tmp");
        return MoveFailure(from, to, "C:\\d\\zzleft.tmp");
    }
    std::optional<Failure> SetStatus(const std::string& path, const FileStatus& status) override {
        if (path == (status.modified != 0 ? refuseTime : refuseAttributes)) return Failure{"The file is locked.", ""};
        return FakeFileServices::SetStatus(path, status);
    }
    bool GetStatus(const std::string& path, FileStatus& status) override {
        return path != unreadable && FakeFileServices::GetStatus(path, status);
    }
};

// Every file of C:\d\ and D:\to\: "D:\to\a.txt of a.txt" with " r", " h", " s" for its
// attributes and " +N" for a time N minutes after the stamp.
Names Listing(FakeFileServices& files) {
    Names out;
    for (const FakeEntry* entry : files.FilesIn({"C:\\d\\", "D:\\to\\"})) {
        std::string line = (entry->path[0] == 'D' ? entry->path : entry->Name()) + " " + entry->contents;
        for (auto [bit, flag] : {std::pair{kFileReadOnly, " r"}, {kFileHidden, " h"}, {kFileSystem, " s"}})
            if (entry->attrib & bit) line += flag;
        if (entry->modified) line += " +" + std::to_string((entry->modified - kStamp) / 60);
        out.push_back(line);
    }
    return out;
}

struct Recorder : RunObserver {
    Names told;
    size_t steps = 0;
    bool goOn = false;  // lets every failure pass
    bool OnFile(size_t file, size_t, const PlanStep&) override { EXPECT_EQ(file, steps++); return true; }
    bool OnFailure(const RunFailure& f) override {
        EXPECT_EQ(f.file + 1, steps);
        told.push_back((f.stops ? "stop " : "count ") + Told(f.message));
        return goOn || !f.stops;
    }
    void OnStop(const RunMessage& m) override { told.push_back("end " + Told(m)); }
};

TEST(RunExecute, CarriesOutThePlan) {
    enum Fault { kNone, kNoB, kHidden, kRefuseTime, kRefuseAttributes, kUnreadable, kStrandB };
    // f1, f2, f3 hidden and stamped a minute apart.
    const auto stamped = [](RenameOptions& o, ProgramSettings& s) {
        CountIntoPrefix(o, "1"), s.m_bSetAttrib = s.m_bHidden = s.m_bTimeDate = s.m_bIncTime = 1, s.m_bAbortOnError = 0;
    };
    const auto aborting = [&](RenameOptions& o, ProgramSettings& s) { stamped(o, s), s.m_bAbortOnError = 1; };
    const auto fromTop = [](const char* start) {
        return [start](RenameOptions& o, ProgramSettings& s) { CountIntoPrefix(o, start), s.m_bAbortOnError = 0; };
    };
    const auto moveError = [](const std::string& from, const std::string& to) {
        return "Rename Error:|Error Moving/Renaming File:\nFrom-  C:\\d\\" + from + "\nTo-  C:\\d\\" + to;
    };
    const std::string moveB = moveError("b.txt", "f2.txt"), locked = " of File:\nC:\\d\\f2.txt\nReason-  The file is locked.";
    std::string s126;  // 252 UTF-16 units: "a" + s126 + ".txt" takes 257, past the file system's 255
    for (int i = 0; i < 126; ++i) s126 += "😀";
    const std::string top1 = "f18446744073709551614.txt", top2 = "f" + kTop + ".txt", cKept = "c.txt of c.txt";
    // told: "stop"/"count" for failures, "end" for the plan's stop; goOn: every failure let pass.
    const struct { const char* what; Set set; Fault fault; Names after, told; struct { int errors; bool stopped; std::string caretName; } report; bool goOn = false; } cases[] = {
        {"all renamed", stamped, kNone, {"f1.txt of a.txt h +0", "f2.txt of b.txt h +1", "f3.txt of c.txt h +2"}, {},
         {0, false, "f1.txt"}},
        // No step for a failed move: c takes the counter and the stamp b would have had.
        {"b missing, counted", stamped, kNoB, {"f1.txt of a.txt h +0", "f2.txt of c.txt h +1"}, {"count " + moveB},
         {1, false, "f1.txt"}},
        {"b missing, abort", aborting, kNoB, {cKept, "f1.txt of a.txt h +0"}, {"stop " + moveB}, {0, true, ""}},
        // Told where the file is, and the end of the run although failed moves are only counted.
        {"b left under another name", stamped, kStrandB, {cKept, "f1.txt of a.txt h +0", "zzleft.tmp of b.txt"},
         {"stop " + moveB + "\n\nThe file was left as-  C:\\d\\zzleft.tmp"}, {0, true, ""}},
        // Each stops the run although failed moves are only counted.
        {"time refused", stamped, kRefuseTime, {cKept, "f1.txt of a.txt h +0", "f2.txt of b.txt"},
         {"stop Rename Error:|Error Setting Time & Date" + locked}, {0, true, ""}},
        {"attributes refused", stamped, kRefuseAttributes, {cKept, "f1.txt of a.txt h +0", "f2.txt of b.txt +1"},
         {"stop Rename Error:|Error Setting Attributes" + locked}, {0, true, ""}},
        {"a refused time let pass", stamped, kRefuseTime, {"f1.txt of a.txt h +0", "f2.txt of b.txt h", "f3.txt of c.txt h +2"},
         {"stop Rename Error:|Error Setting Time & Date" + locked}, {1, false, "f1.txt"}, true},
        // An unreadable file keeps its time and attributes, and its step is not added.
        {"status unreadable", stamped, kUnreadable, {"f1.txt of a.txt h +0", "f2.txt of b.txt", "f3.txt of c.txt h +1"},
         {}, {0, false, "f1.txt"}},
        // With a hidden, also read-only, and b hidden: the read-only bit is off only while the
        // time is set; the other bits stay.
        {"read-only: stamped and still read-only", [](auto& o, auto& s) { Ext(o, "doc"), s.m_bTimeDate = 1; }, kHidden,
         {"a.doc of a.txt r h +0", "b.doc of b.txt h +0", "c.doc of c.txt +0"}, {}, {0, false, "a.doc"}},
        // "a." is stored as "a": that is the file stamped.
        {"extension emptied, stamped", [](auto& o, auto& s) { Ext(o, ""), s.m_bTimeDate = 1; }, kNone,
         {"a of a.txt +0", "b of b.txt +0", "c of c.txt +0"}, {}, {0, false, "a."}},
        {"overflow before the third file", fromTop("18446744073709551614"), kNone,
         {cKept, top1 + " of a.txt", top2 + " of b.txt"}, {"end Error|Counter Overflow!"}, {0, true, top1}},
        {"no overflow once a failure held the counter", fromTop("18446744073709551614"), kNoB,
         {top1 + " of a.txt", top2 + " of c.txt"}, {"count " + moveError("b.txt", top2)}, {1, false, top1}},
        {"coinciding names are counted", [](auto& o, auto& s) { ReplacePrefix(o, "same"), s.m_bAbortOnError = 0; }, kNone,
         {"b.txt of b.txt", cKept, "same.txt of a.txt"},
         {"count " + moveError("b.txt", "same.txt"), "count " + moveError("c.txt", "same.txt")}, {2, false, "same.txt"}},
        {"names too long for the file system are counted", [&](auto& o, auto& s) { AppendR(o), o.m_strNewPrefix = s126, s.m_bAbortOnError = 0; },
         kNone, {"a.txt of a.txt", "b.txt of b.txt", cKept},
         {"count " + moveError("a.txt", "a" + s126 + ".txt"), "count " + moveError("b.txt", "b" + s126 + ".txt"),
          "count " + moveError("c.txt", "c" + s126 + ".txt")}, {3, false, "a" + s126 + ".txt"}},
        {"advanced options not filled in", [](auto& o, auto&) { o.m_bReplace = 1; }, kNone,
         {"a.txt of a.txt", "b.txt of b.txt", cKept}, {"end Abort:|Advance renaming options was not filled out correctly!"},
         {0, true, ""}},
        // Nothing to rename, yet a destination moves the files (hidden 2: kept as it is).
        {"only a move, with attributes",
         [](auto&, auto& s) { s.m_bUseNewDir = s.m_bSetAttrib = s.m_bSystem = 1, s.m_strDestination = "D:\\to"; }, kNone,
         {"D:\\to\\a.txt of a.txt s", "D:\\to\\b.txt of b.txt s", "D:\\to\\c.txt of c.txt s"}, {}, {0, false, ""}},
        // An empty destination is the listed directory.
        {"only attributes", [](auto&, auto& s) { s.m_bSetAttrib = s.m_bHidden = s.m_bUseNewDir = 1; }, kNoB,
         {"a.txt of a.txt h", "c.txt of c.txt h"}, {}, {0, false, ""}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        StandIn files;
        for (const std::string& name : kAbc)
            files.AddFile("C:\\d\\" + name, c.fault != kHidden || name == "c.txt" ? kFileArchive
                                              : name == "a.txt" ? kFileReadOnly | kFileHidden : kFileHidden, 0, "of " + name);
        files.AddDir("D:\\to");
        if (c.fault == kNoB) files.DeleteFile("C:\\d\\b.txt");
        if (c.fault == kRefuseTime) files.refuseTime = "C:\\d\\f2.txt";
        if (c.fault == kRefuseAttributes) files.refuseAttributes = "C:\\d\\f2.txt";
        if (c.fault == kUnreadable) files.unreadable = "C:\\d\\f2.txt";
        if (c.fault == kStrandB) files.strand = "C:\\d\\b.txt";
        Recorder observer;
        observer.goOn = c.goOn;
        const RunReport report = Execute(Plan(c.set), files, observer);
        EXPECT_EQ(Listing(files), c.after);
        EXPECT_EQ(observer.told, c.told);
        EXPECT_EQ(report.errors, c.report.errors);
        EXPECT_EQ(report.stopped, c.report.stopped);
        EXPECT_EQ(report.caretName, c.report.caretName);
        EXPECT_EQ(observer.steps, report.stopped ? observer.steps : 3u);
        EXPECT_EQ(ErrorCountMessage(report) ? Told(*ErrorCountMessage(report)) : "",
                  report.errors ? "Notice!|" + std::to_string(report.errors) + " Renaming Error Encountered!" : "");
    }
}

}  // namespace
