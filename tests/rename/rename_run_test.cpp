// "&Rename it!" on real files in a temporary directory, with the main window's list
// filled from it and every message box answered through the capturing sink.
#include "rename/run_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The progress window of this thread: tests run side by side on one desktop, so a
// search by title alone could find another test's window.
HWND ProgressWindowOfThisThread() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM lp) -> BOOL {
        if (TextOf(hwnd) == "Renaming in progress...") *reinterpret_cast<HWND*>(lp) = hwnd;
        return TRUE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// New prefix "f" followed by the counter, replacing the old prefix.
void CountIntoPrefix(CRenameDlg& dlg, const std::string& start) {
    dlg.m_bChangePrefix = dlg.m_bCountPrefix = 1, dlg.m_nPrefixPos = 0;
    dlg.m_strNewPrefix = "f", dlg.m_strStartCount = start;
}

// The old prefix followed by "_r".
void AppendR(CRenameDlg& dlg) {
    dlg.m_bChangePrefix = 1, dlg.m_strNewPrefix = "_r";
}

// Runs over a few files, selected bottom first, while things go wrong in several ways: the
// order of the moves, what is on disk afterwards down to attributes and stamps, what the
// user is told, and that the run went through its end (progress closed, list refilled).
// What befalls b.txt (or all files, or the targets) while a run goes on.
enum Fault { kNone, kVanish, kSwap, kRefuseTime, kRefuseAttributes, kReadOnly, kStranded };

TEST(RenameRun, ShortRuns) {
    struct Case {
        const char* name;
        std::vector<std::string> files;
        Fault fault;
        std::function<void(CRenameDlg&)> setUp;
        FileMap after;                      // with attribute letters
        std::vector<std::string> told;      // "$" stands for the directory
        std::map<std::string, int> stamps;  // of these files, in minutes past 12:00 on 1 Jan 2003
    };
    const std::vector<std::string> abc = {"a.txt", "b.txt", "c.txt"};
    const FileMap untouched = {{"a.txt", "of a.txt"}, {"b.txt", "of b.txt"}, {"c.txt", "of c.txt"}};
    const std::string top = "18446744073709551615", locked = " of File:\n$f2.txt\nReason-  The file is locked.";
    std::string where;  // the directory of the case running
    CapturingSink sink;
    // f1, f2, ... hidden and stamped a minute apart.
    const auto stamped = [](CRenameDlg& d) {
        CountIntoPrefix(d, "1"), d.m_bSetAttrib = d.m_bHidden = d.m_bTimeDate = 1;
    };
    const auto aborting = [&](CRenameDlg& d) { stamped(d), d.m_bAbortOnError = 1; };
    const auto count = [&](CRenameDlg& d) { CountIntoPrefix(d, top); };
    const FileMap hiddenAll = {{"f1.txt", "of a.txt h"}, {"f2.txt", "of b.txt h"}, {"f3.txt", "of c.txt h"}};
    const FileMap stopped = {{"f1.txt", "of a.txt h"}, {"f2.txt", "of b.txt"}, {"c.txt", "of c.txt"}};
    const Case cases[] = {
        {"no change", abc, kNone, [](CRenameDlg&) {}, untouched, {"NOTE:|There are no changes!"}, {}},
        // Checked before anything is asked, although the counter is of the half that stays.
        {"zero increment of an unused counter", abc, kNone,
         [](CRenameDlg& d) { AppendR(d), d.m_bCountExt = d.m_bWarnRename = 1, d.m_strIncrement = "0"; }, untouched,
         {"Error:|Increment must be 1 or larger!"}, {}},
        {"confirmation cancelled", abc, kNone,
         [&](CRenameDlg& d) {
             AppendR(d), d.m_bTimeDate = d.m_bUseNewDir = d.m_bWarnRename = 1, d.m_strDestination = where + "sub";
             sink.Answer(IDCANCEL);
         },
         untouched,
         {"Confirmation: Are you sure?|Rename/Move 3 Files\n\nFrom:  $\n\nTo:  $sub\\\n\n"
          "Change File Prefix:  YES\nChange File Extension:  NO\nAdvance Insert/Replace:  NO\nChange Attributes:  NO"
          "\nChange Time & Date:  YES"}, {}},
        {"all renamed", abc, kNone, stamped, hiddenAll, {}, {{"f1.txt", 0}, {"f2.txt", 1}, {"f3.txt", 2}}},
        {"increment box clear", abc, kNone, [&](CRenameDlg& d) { stamped(d), d.m_bIncTime = 0; }, hiddenAll, {},
         {{"f1.txt", 0}, {"f2.txt", 0}, {"f3.txt", 0}}},
        // No step for a failed move: c takes the counter and the stamp b would have had.
        {"b vanished, counted", abc, kVanish, stamped,
         {{"f1.txt", "of a.txt h"}, {"f2.txt", "of c.txt h"}, {"elsewhere\\b.txt", "of b.txt"}},
         {"Notice!|1 Renaming Error Encountered!"}, {{"f1.txt", 0}, {"f2.txt", 1}}},
        // A move that could neither be finished nor undone is told of, naming the file.
        {"b left under another name", abc, kStranded, stamped,
         {{"f1.txt", "of a.txt h"}, {"zzleft.tmp", "of b.txt"}, {"c.txt", "of c.txt"}},
         {"Rename Error:|Error Moving/Renaming File:\nFrom-  $b.txt\nTo-  $f2.txt\n\nThe file was left as-  $zzleft.tmp"},
         {{"f1.txt", 0}}},
        {"b vanished, abort", abc, kVanish, aborting,
         {{"f1.txt", "of a.txt h"}, {"c.txt", "of c.txt"}, {"elsewhere\\b.txt", "of b.txt"}},
         {"Rename Error:|Error Moving/Renaming File:\nFrom-  $b.txt\nTo-  $f2.txt"}, {{"f1.txt", 0}}},
        // Each stops the run although failed moves are only counted.
        {"time refused", abc, kRefuseTime, stamped, stopped, {"Rename Error:|Error Setting Time & Date" + locked},
         {{"f1.txt", 0}}},
        {"attributes refused", abc, kRefuseAttributes, stamped, stopped,
         {"Rename Error:|Error Setting Attributes" + locked}, {{"f1.txt", 0}, {"f2.txt", 1}}},
        {"overflow, one file", {"a.txt"}, kNone, count, {{"f" + top + ".txt", "of a.txt"}}, {}, {}},
        {"overflow, two files", {"a.txt", "b.txt"}, kNone, count,
         {{"f" + top + ".txt", "of a.txt"}, {"b.txt", "of b.txt"}}, {"Error|Counter Overflow!"}, {}},
        {"case only", {"readme.txt"}, kNone,
         [](CRenameDlg& d) { d.m_bChangePrefix = d.m_bPrefixUpper = d.m_bChangeExt = d.m_bExtUpper = 1; },
         {{"README.TXT", "of readme.txt"}}, {}, {}},
        // Nothing to rename, yet a destination moves the files (hidden 2: kept as it is).
        {"attributes only, into a destination", {"a.txt", "b.txt"}, kNone,
         [&](CRenameDlg& d) {
             d.m_bSetAttrib = d.m_bSystem = 1, d.m_bHidden = 2, d.m_bUseNewDir = 1, d.m_strDestination = where + "sub";
         },
         {{"sub\\a.txt", "of a.txt s"}, {"sub\\b.txt", "of b.txt s"}}, {}, {}},
        // Refused before anything is asked or moved: the working directory would complete it.
        {"relative destination", abc, kNone,
         [](CRenameDlg& d) { AppendR(d), d.m_bUseNewDir = d.m_bWarnRename = 1, d.m_strDestination = "sub"; }, untouched,
         {"Error:|The destination is not a full path: sub"}, {}},
        // An empty destination is the listed directory: the files stay where they are.
        {"attributes only, empty destination", {"a.txt"}, kNone,
         [](CRenameDlg& d) { d.m_bSetAttrib = d.m_bSystem = d.m_bUseNewDir = 1, d.m_strDestination.clear(); },
         {{"a.txt", "of a.txt s"}}, {}, {}},
        {"stamp beyond the platform", abc, kNone, [](CRenameDlg& d) { AppendR(d), d.m_bTimeDate = 1, d.m_nYear = 99999; },
         untouched, {"Error:|Invalid date: 01/01/99999"}, {}},
        {"read-only, renamed", {"a.txt"}, kReadOnly,
         [](CRenameDlg& d) { d.m_bTimeDate = d.m_bChangeExt = 1, d.m_nExtPos = 0, d.m_strNewExt = "doc"; },
         {{"a.doc", "of a.txt r"}}, {}, {{"a.doc", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        where = dir.path();
        for (const std::string& name : c.files) dir.WriteFile(name, "of " + name);
        dir.MakeDir("sub");
        for (const std::string& name : c.files)
            ASSERT_TRUE(c.fault != kReadOnly || ::SetFileAttributesA((where + name).c_str(), FILE_ATTRIBUTE_READONLY));
        // New times are refused while a file stays read-only, as on Windows (and under
        // Wine for any user but root).
        ObservedFiles files;
        files.beforeSetStatus = [&](const std::string& path, const FileStatus& s, std::string& error) {
            const bool readOnly = (::GetFileAttributesA(path.c_str()) & FILE_ATTRIBUTE_READONLY) &&
                                  (s.attribute & kFileReadOnly);
            const bool refuse = s.modified != 0 ? readOnly || (c.fault == kRefuseTime && path == where + "f2.txt")
                                                : c.fault == kRefuseAttributes && path == where + "f2.txt";
            if (refuse) error = "The file is locked.";
            return !refuse;
        };
        if (c.fault == kStranded)
            files.beforeMove = [&](const std::string& from, std::string&, std::string& leftAs) {
                if (from != where + "b.txt") return true;
                leftAs = where + "zzleft.tmp";
                ::MoveFileA(from.c_str(), leftAs.c_str());
                return false;
            };
        ListedWindow w(where, false);
        for (int i = static_cast<int>(c.files.size()); i-- > 0;) ClickListItem(w.List(), i);
        if (c.fault == kVanish) TakeAway(dir, "b.txt");
        w.dlg.m_nYear = 2003, w.dlg.m_nMonth = w.dlg.m_nDay = 1, w.dlg.m_nHour = 12;
        w.dlg.m_bIncTime = w.dlg.m_nIncMinute = 1;
        c.setUp(w.dlg);
        sink.messages.clear();
        w.Rename();

        EXPECT_TRUE(std::is_sorted(files.moved.begin(), files.moved.end()));  // in list order
        EXPECT_EQ(Files(where, true), c.after);
        for (const auto& [file, minute] : c.stamps) {
            FileStatus status;
            EXPECT_EQ(Platform().GetStatus(where + file, status) ? status.modified : -1,
                      Platform().MakeLocalTime(2003, 1, 1, 12, minute, 0)) << file;
        }
        std::vector<std::string> told = c.told, listed;
        for (std::string& line : told)
            for (size_t at; (at = line.find('$')) != std::string::npos;) line.replace(at, 1, where);
        EXPECT_EQ(Told(sink), told);
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        for (const auto& entry : c.after)
            if (entry.first.find('\\') == std::string::npos) listed.push_back(entry.first);
        EXPECT_EQ(Items(w.List()), listed);
        // The caret is on the first file's new name, unless the run was stopped.
        const auto caret = static_cast<size_t>(::SendMessageA(w.List(), LB_GETCARETINDEX, 0, 0));
        const bool stopped = !told.empty() && told[0].rfind("Rename Error:", 0) == 0;
        EXPECT_TRUE(listed.empty() || stopped || ReadFile(where + listed.at(caret)) == "of " + c.files[0]) << caret;
    }
}

TEST(RenameRun, ProgressBarStepsAtMostThirtyTimes) {
    for (int n : {5, 100}) {
        SCOPED_TRACE(n);
        CapturingSink sink;
        TempDir dir;
        for (int i = 0; i < n; ++i) dir.WriteFile("file" + std::to_string(1000 + i) + ".txt");
        ListedWindow w(dir.path());
        AppendR(w.dlg);
        // One step every n / 30 files (every file below 30), never past the range.
        const int steps = std::min(n, 30), interval = n < 30 ? 1 : n / 30;
        int k = 0;  // the file about to move
        ObservedFiles files;
        files.beforeMove = [&](const std::string&, std::string&, std::string&) {
            HWND progress = ProgressWindowOfThisThread(), bar = ::GetDlgItem(progress, IDC_PROGRESS);
            EXPECT_TRUE(progress && ::IsWindowVisible(progress) &&
                        ::GetWindow(progress, GW_OWNER) == w.dlg.GetSafeHwnd());
            EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), std::min(++k / interval, steps)) << "before file " << k;
            EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), steps);
            return true;
        };
        w.Rename();
        EXPECT_EQ(k, n);
    }
}

// A run never loses a file: whatever goes wrong, every file that was there before is
// there afterwards under exactly one name, with its contents unchanged.
struct Scenario {
    const char* name;
    std::vector<std::string> listed;   // files listed and selected
    std::vector<std::string> present;  // files that are there but not selected
    std::string prefix;
    int pos;                           // of the new prefix: 0 replaces the old one, 1 before, 2 after
    const char* destination;           // "" for none
    Fault meddle;
    std::vector<std::string> renamed;  // names afterwards when failed moves are only counted
};

const Scenario kScenarios[] = {
    {"coinciding", {"a.txt", "b.txt"}, {}, "same", 0, "", kNone, {"same.txt", "b.txt"}},
    // No option maps two names onto each other, so the platform is handed swapped targets.
    {"swap", {"a.txt", "b.txt"}, {}, "_r", 2, "", kSwap, {"a.txt", "b.txt"}},
    {"target_exists", {"a.txt"}, {"a_r.txt"}, "_r", 2, "", kNone, {"a.txt", "a_r.txt"}},
    {"destination_missing", {"a.txt", "b.txt"}, {}, "_r", 2, "missing", kNone, {"a.txt", "b.txt"}},
    {"vanished", {"a.txt", "b.txt", "c.txt"}, {}, "_r", 2, "", kVanish, {"a_r.txt", "elsewhere\\b.txt", "c_r.txt"}},
    {"too_long", {"a.txt", "b.txt"}, {}, std::string(256, 'n'), 1, "", kNone, {"a.txt", "b.txt"}},
};

class NeverLoseAFile : public ::testing::TestWithParam<Scenario> {};

TEST_P(NeverLoseAFile, EveryFileKeepsExactlyOneNameAndItsContents) {
    const Scenario& s = GetParam();
    for (bool abort : {false, true}) {
        SCOPED_TRACE(abort ? "abort on error" : "errors counted");
        CapturingSink sink;
        TempDir dir;
        std::map<std::string, int> seen;  // every file's contents, each unique
        for (const std::string& name : s.listed) dir.WriteFile(name, name), seen[name] = 0;
        for (const std::string& name : s.present) dir.WriteFile(name, name), seen[name] = 0;

        ObservedFiles files;
        {
            ListedWindow w(dir.path(), false);
            for (const std::string& name : s.listed)
                ::SendMessageA(w.List(), LB_SETSEL, TRUE, ::SendMessageA(w.List(), LB_FINDSTRINGEXACT, -1,
                                                                         reinterpret_cast<LPARAM>(name.c_str())));
            w.dlg.m_bAbortOnError = abort, w.dlg.m_bChangePrefix = 1, w.dlg.m_nPrefixPos = s.pos;
            w.dlg.m_strNewPrefix = s.prefix;
            if ((w.dlg.m_bUseNewDir = s.destination[0] != '\0')) w.dlg.m_strDestination = dir.path() + s.destination;
            if (s.meddle == kVanish) TakeAway(dir, "b.txt");
            if (s.meddle == kSwap)
                files.beforeMove = [&dir](const std::string& from, std::string& to, std::string&) {
                    to = dir.path() + (from == dir.path() + "a.txt" ? "b.txt" : "a.txt");
                    return true;
                };
            w.Rename();
        }
        EXPECT_FALSE(files.moved.empty());

        const FileMap after = Files(dir.path());
        for (const auto& [path, contents] : after) {
            ASSERT_TRUE(seen.count(contents)) << path << " holds unknown contents";
            ++seen[contents];
        }
        for (const auto& [contents, count] : seen) EXPECT_EQ(count, 1) << contents;
        for (const std::string& name : s.renamed) EXPECT_TRUE(abort || after.count(name)) << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Scenarios, NeverLoseAFile, ::testing::ValuesIn(kScenarios),
                         [](const ::testing::TestParamInfo<Scenario>& info) { return std::string(info.param.name); });

}  // namespace
