// "&Rename it!" on real files in a temporary directory, with the main window's list
// filled from it and every message box answered through the capturing sink.
#include "rename/run_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

void WriteFiles(const TempDir& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) dir.WriteFile(name, "of " + name);
}

// The progress window of this thread: tests run side by side on one desktop, so a
// search by title alone could find another test's window.
HWND ProgressWindowOfThisThread() {
    HWND found = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM lp) -> BOOL {
        if (TextOf(hwnd) != "Renaming in progress...") return TRUE;
        *reinterpret_cast<HWND*>(lp) = hwnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&found));
    return found;
}

// New prefix "f" followed by the counter, replacing the old prefix.
void CountIntoPrefix(CRenameDlg& dlg, const std::string& start, const std::string& increment = "1") {
    dlg.m_bChangePrefix = 1;
    dlg.m_nPrefixPos = 0;
    dlg.m_strNewPrefix = "f";
    dlg.m_bCountPrefix = 1;
    dlg.m_strStartCount = start;
    dlg.m_strIncrement = increment;
}

// The old prefix followed by "_r".
void AppendR(CRenameDlg& dlg) {
    dlg.m_bChangePrefix = 1;
    dlg.m_strNewPrefix = "_r";
}

TimeValue Modified(const std::string& path) {
    FileStatus status;
    return Platform().GetStatus(path, status) ? status.modified : -1;
}

TEST(RenameRun, ListOrderDecidesTheOrderOfRenamingAndTheCounter) {
    CapturingSink sink;
    TempDir dir;
    WriteFiles(dir, {"c.txt", "a.txt", "b.txt"});
    ListedWindow w(dir.path());
    for (int index : {2, 0, 1}) ClickListItem(w.List(), index);  // bottom first
    ASSERT_EQ(w.Selected(), 3);
    CountIntoPrefix(w.dlg, "1");
    ObservedFiles files;
    w.Rename();
    const std::string d = dir.path();
    EXPECT_EQ(files.moved, (std::vector<std::string>{d + "a.txt", d + "b.txt", d + "c.txt"}));
    EXPECT_EQ(Files(d), (FileMap{{"f1.txt", "of a.txt"}, {"f2.txt", "of b.txt"}, {"f3.txt", "of c.txt"}}));
    EXPECT_TRUE(sink.messages.empty());
    // Refilled, with the caret on the first file's new name and nothing selected.
    EXPECT_EQ(Items(w.List()), (std::vector<std::string>{"f1.txt", "f2.txt", "f3.txt"}));
    EXPECT_EQ(::SendMessageA(w.List(), LB_GETCARETINDEX, 0, 0), 0);
    EXPECT_EQ(w.Selected(), 0);
}

TEST(RenameRun, RunsEndingBeforeTheFirstMoveSayWhyAndTouchNothing) {
    CapturingSink sink;
    TempDir dir;
    WriteFiles(dir, {"a.txt", "b.txt"});
    dir.MakeDir("sub");
    const auto confirm = "Confirmation: Are you sure?|Rename/Move 2 Files\n\nFrom:  " + dir.path() + "\n\nTo:  " +
                         dir.path() + "sub\\\n\nChange File Prefix:  YES\nChange File Extension:  NO"
                         "\nAdvance Insert/Replace:  NO\nChange Attributes:  NO\nChange Time & Date:  YES";
    struct Case {
        const char* name;
        std::function<void(CRenameDlg&)> setUp;
        bool select;
        std::string told;
    };
    const Case cases[] = {
        {"no change", [](CRenameDlg&) {}, true, "NOTE:|There are no changes!"},
        {"no selection", AppendR, false, "NOTE:|You need to select at least one file!"},
        {"increment starting with a non-digit", [](CRenameDlg& d) { CountIntoPrefix(d, "1", "x5"); }, true,
         "Error:|Increment must be 1 or larger!"},
        // Checked although the ticked counter belongs to the half that does not change.
        {"zero increment of an unused counter",
         [](CRenameDlg& d) { AppendR(d), d.m_bCountExt = 1, d.m_strIncrement = "0"; }, true,
         "Error:|Increment must be 1 or larger!"},
        {"confirmation cancelled",
         [&](CRenameDlg& d) {
             AppendR(d), d.m_bTimeDate = 1, d.m_bUseNewDir = 1, d.m_strDestination = dir.path() + "sub";
             sink.Answer(IDCANCEL);
         },
         true, confirm},
    };
    const FileMap before = Files(dir.path(), true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListedWindow w(dir.path());
        w.dlg.m_bWarnRename = TRUE;  // the counter is checked before anything is asked
        if (c.select) w.SelectAll();
        c.setUp(w.dlg);
        sink.messages.clear();
        w.Rename();
        EXPECT_EQ(Told(sink), std::vector<std::string>{c.told});
        EXPECT_EQ(Files(dir.path(), true), before);
        EXPECT_EQ(w.Selected(), c.select ? 2 : 0);  // not refilled
    }
}

// a, b and c become f1, f2, ... stamped a minute apart, while b goes wrong in several ways.
TEST(RenameRun, CounterStampsAndMessagesAfterAFailure) {
    enum Fault { kNone, kVanish, kRefuseTime, kRefuseAttributes };
    struct Case {
        const char* name;
        Fault fault;
        bool abort, incTime, noRefresh;
        FileMap after;
        std::vector<int> minutes;  // of the stamps of f1, f2, ...
        std::string told;          // "" for none; "$" stands for the directory
    };
    const FileMap all = {{"f1.txt", "of a.txt"}, {"f2.txt", "of b.txt"}, {"f3.txt", "of c.txt"}};
    const FileMap stopped = {{"f1.txt", "of a.txt"}, {"f2.txt", "of b.txt"}, {"c.txt", "of c.txt"}};
    const std::string locked = " of File:\n$f2.txt\nReason-  The file is locked.";
    const Case cases[] = {
        {"all renamed", kNone, false, true, false, all, {0, 1, 2}, ""},
        {"increment box clear", kNone, false, false, false, all, {0, 0, 0}, ""},
        {"no refresh", kNone, false, true, true, all, {0, 1, 2}, ""},
        // No step for a failed move: c takes the counter and the stamp b would have had.
        {"b vanished, counted", kVanish, false, true, false,
         {{"f1.txt", "of a.txt"}, {"f2.txt", "of c.txt"}, {"elsewhere\\b.txt", "of b.txt"}}, {0, 1},
         "Notice!|1 Renaming Error Encountered!"},
        {"b vanished, abort", kVanish, true, true, false,
         {{"f1.txt", "of a.txt"}, {"c.txt", "of c.txt"}, {"elsewhere\\b.txt", "of b.txt"}}, {0},
         "Rename Error:|Error Moving/Renaming File:\nFrom-  $b.txt\nTo-  $f2.txt"},
        // Each stops the run although failed moves are only counted.
        {"time refused", kRefuseTime, false, true, false, stopped, {0},
         "Rename Error:|Error Setting Time & Date" + locked},
        {"attributes refused", kRefuseAttributes, false, true, false, stopped, {0},
         "Rename Error:|Error Setting Attributes" + locked},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CapturingSink sink;
        TempDir dir;
        WriteFiles(dir, {"a.txt", "b.txt", "c.txt"});
        ObservedFiles files;
        files.beforeSetStatus = [&](const std::string& path, const FileStatus& s, std::string& error) {
            const bool refuse = path == dir.path() + "f2.txt" &&
                                (s.modified != 0 ? c.fault == kRefuseTime : c.fault == kRefuseAttributes);
            if (refuse) error = "The file is locked.";
            return !refuse;
        };
        ListedWindow w(dir.path());
        w.SelectAll();
        if (c.fault == kVanish) TakeAway(dir, "b.txt");
        CountIntoPrefix(w.dlg, "1");
        w.dlg.m_bAbortOnError = c.abort;
        w.dlg.m_bNoRefresh = c.noRefresh;
        w.dlg.m_bSetAttrib = 1;
        w.dlg.m_bHidden = 1;
        w.dlg.m_bTimeDate = 1;
        w.dlg.m_nYear = 2003, w.dlg.m_nMonth = 1, w.dlg.m_nDay = 1, w.dlg.m_nHour = 12;
        w.dlg.m_bIncTime = c.incTime;
        w.dlg.m_nIncMinute = 1;
        w.Rename();

        EXPECT_EQ(Files(dir.path()), c.after);
        for (size_t i = 0; i < c.minutes.size(); ++i)
            EXPECT_EQ(Modified(dir.path() + "f" + std::to_string(i + 1) + ".txt"),
                      Platform().MakeLocalTime(2003, 1, 1, 12, c.minutes[i], 0)) << i;
        std::string told = c.told;
        for (size_t at; (at = told.find('$')) != std::string::npos;) told.replace(at, 1, dir.path());
        EXPECT_EQ(Told(sink), told.empty() ? std::vector<std::string>{} : std::vector<std::string>{told});
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        std::vector<std::string> listed;  // the directory itself, or the list as it was
        for (const auto& entry : c.noRefresh ? FileMap{{"a.txt", ""}, {"b.txt", ""}, {"c.txt", ""}} : c.after)
            if (entry.first.find('\\') == std::string::npos) listed.push_back(entry.first);
        EXPECT_EQ(Items(w.List()), listed);
    }
}

// Short runs over one or two files: what is on disk afterwards, down to the attributes.
TEST(RenameRun, ShortRuns) {
    const std::string top = "18446744073709551615";
    const DWORD kSystem = FILE_ATTRIBUTE_SYSTEM, kReadOnly = FILE_ATTRIBUTE_READONLY;
    std::string where;  // the directory of the case running
    struct Case {
        const char* name;
        std::vector<std::string> files;
        bool readOnly, stamped;  // the files are read-only before; a new time is asked for
        std::function<void(CRenameDlg&)> setUp;
        FileMap after;
        DWORD attributes;  // of every file afterwards, among system, hidden and read-only
        std::vector<std::string> told;
    };
    const auto count = [&](CRenameDlg& d) { CountIntoPrefix(d, top); };
    const auto attributesOnly = [](CRenameDlg& d) { d.m_bSetAttrib = d.m_bSystem = 1, d.m_bHidden = 2; };  // 2: keep
    const Case cases[] = {
        {"overflow, one file", {"a.txt"}, false, false, count, {{"f" + top + ".txt", "of a.txt"}}, 0, {}},
        {"overflow, two files", {"a.txt", "b.txt"}, false, false, count,
         {{"f" + top + ".txt", "of a.txt"}, {"b.txt", "of b.txt"}}, 0, {"Error|Counter Overflow!"}},
        {"case only", {"readme.txt"}, false, false,
         [](CRenameDlg& d) { d.m_bChangePrefix = d.m_bPrefixUpper = d.m_bChangeExt = d.m_bExtUpper = 1; },
         {{"README.TXT", "of readme.txt"}}, 0, {}},
        // Nothing to rename, yet a destination moves the files.
        {"attributes only, into a destination", {"a.txt", "b.txt"}, false, false,
         [&](CRenameDlg& d) { attributesOnly(d), d.m_bUseNewDir = 1, d.m_strDestination = where + "sub"; },
         {{"sub\\a.txt", "of a.txt"}, {"sub\\b.txt", "of b.txt"}}, kSystem, {}},
        {"attributes only, in place", {"a.txt", "b.txt"}, false, false, attributesOnly,
         {{"a.txt", "of a.txt"}, {"b.txt", "of b.txt"}}, kSystem, {}},
        {"read-only, time only", {"a.txt"}, true, true, [](CRenameDlg&) {}, {{"a.txt", "of a.txt"}}, kReadOnly, {}},
        {"read-only, renamed", {"a.txt"}, true, true,
         [](CRenameDlg& d) { d.m_bChangeExt = 1, d.m_nExtPos = 0, d.m_strNewExt = "doc"; }, {{"a.doc", "of a.txt"}},
         kReadOnly, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        CapturingSink sink;
        TempDir dir;
        where = dir.path();
        WriteFiles(dir, c.files);
        dir.MakeDir("sub");
        for (const std::string& name : c.files)
            ASSERT_TRUE(!c.readOnly || ::SetFileAttributesA((dir.path() + name).c_str(), kReadOnly));
        // New times are refused while a file stays read-only, as on Windows (and under
        // Wine for any user but root).
        ObservedFiles files;
        files.beforeSetStatus = [](const std::string& p, const FileStatus& s, std::string& error) {
            const bool refuse = s.modified != 0 && (::GetFileAttributesA(p.c_str()) & FILE_ATTRIBUTE_READONLY) &&
                                (s.attribute & kFileReadOnly);
            if (refuse) error = "Access denied.";
            return !refuse;
        };
        ListedWindow w(dir.path());
        w.SelectAll();
        c.setUp(w.dlg);
        w.dlg.m_bTimeDate = c.stamped;
        w.dlg.m_nYear = 2004, w.dlg.m_nMonth = 6, w.dlg.m_nDay = 15, w.dlg.m_nHour = 8;
        w.Rename();

        EXPECT_EQ(Files(dir.path()), c.after);
        EXPECT_EQ(Told(sink), c.told);
        size_t listed = 0;
        for (const auto& [file, contents] : c.after) {
            const std::string path = dir.path() + file;
            listed += file.find('\\') == std::string::npos;
            EXPECT_EQ(::GetFileAttributesA(path.c_str()) & (kSystem | FILE_ATTRIBUTE_HIDDEN | kReadOnly), c.attributes);
            if (c.stamped) {
                EXPECT_EQ(Modified(path), Platform().MakeLocalTime(2004, 6, 15, 8, 0, 0)) << file;
            }
        }
        // The run went through its end: progress closed, list refilled.
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        EXPECT_EQ(Items(w.List()).size(), listed);
    }
}

TEST(RenameRun, ProgressBarStepsAtMostThirtyTimes) {
    for (int n : {5, 100}) {
        SCOPED_TRACE(n);
        CapturingSink sink;
        TempDir dir;
        for (int i = 0; i < n; ++i) dir.WriteFile("file" + std::to_string(1000 + i) + ".txt");
        ListedWindow w(dir.path());
        w.SelectAll();
        AppendR(w.dlg);
        std::vector<int> positions, ranges;
        bool shownAndOwned = true;
        ObservedFiles files;
        files.beforeMove = [&](const std::string&, std::string&) {
            HWND progress = ProgressWindowOfThisThread();
            shownAndOwned = shownAndOwned && progress && ::IsWindowVisible(progress) &&
                            ::GetWindow(progress, GW_OWNER) == w.dlg.GetSafeHwnd();
            HWND bar = ::GetDlgItem(progress, IDC_PROGRESS);
            positions.push_back(static_cast<int>(::SendMessageA(bar, PBM_GETPOS, 0, 0)));
            ranges.push_back(static_cast<int>(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0)));
            return true;
        };
        w.Rename();
        ASSERT_EQ(static_cast<int>(positions.size()), n);
        EXPECT_TRUE(shownAndOwned);
        // One step every n / 30 files (every file below 30), never past the range.
        const int steps = std::min(n, 30), interval = n < 30 ? 1 : n / 30;
        for (int k = 1; k <= n; ++k) {
            EXPECT_EQ(positions[k - 1], std::min(k / interval, steps)) << "before file " << k;
            EXPECT_EQ(ranges[k - 1], steps);
        }
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
    }
}

}  // namespace
