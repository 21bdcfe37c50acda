// "&Rename it!" on real files in a temporary directory, with the main window's list
// filled from it and every message box answered through the capturing sink.
#include "app/rename_dlg.h"
#include "rename/dir_snapshot.h"
#include "rename/observed_files.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

const char* const kProgressTitle = "Renaming in progress...";

std::string Contents(const std::string& name) { return "contents of " + name; }

// Writes files whose contents tell them apart.
void WriteFiles(const TempDir& dir, const std::vector<std::string>& names) {
    for (const std::string& name : names) dir.WriteFile(name, Contents(name));
}

// A main window listing a directory, as the user sees it before pressing "&Rename it!";
// no confirmation is asked and failed moves are counted unless a test says otherwise.
struct ListedWindow {
    explicit ListedWindow(const std::string& dir) {
        created = dlg.Create() != FALSE;
        dlg.m_bWarnRename = FALSE;
        dlg.m_bAbortOnError = FALSE;
        dlg.m_strCurDir = dir;
        dlg.m_strSearchMask = "*.*";
        dlg.FillFileList();
    }
    ~ListedWindow() { dlg.DestroyWindow(); }

    HWND List() { return dlg.GetDlgItem(IDC_FILELIST); }
    void SelectAll() {
        LRESULT count = ::SendMessageA(List(), LB_GETCOUNT, 0, 0);
        ::SendMessageA(List(), LB_SELITEMRANGEEX, 0, count - 1);
    }
    std::vector<std::string> Entries() {
        std::vector<std::string> out;
        LRESULT count = ::SendMessageA(List(), LB_GETCOUNT, 0, 0);
        for (LRESULT i = 0; i < count; ++i) {
            char text[MAX_PATH] = {};
            ::SendMessageA(List(), LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            out.push_back(text);
        }
        return out;
    }
    LRESULT Selected() { return ::SendMessageA(List(), LB_GETSELCOUNT, 0, 0); }
    void Rename() { ClickButton(dlg.GetDlgItem(IDC_RENAME)); }

    CRenameDlg dlg;
    bool created = false;
};

// The progress window of this test: tests run side by side on one desktop, so a
// search by title alone could find another test's window.
HWND ProgressWindowOfThisThread() {
    struct Search { HWND found = nullptr; } search;
    ::EnumThreadWindows(::GetCurrentThreadId(), [](HWND hwnd, LPARAM lp) -> BOOL {
        char title[64] = "";
        ::GetWindowTextA(hwnd, title, sizeof title);
        if (std::string(title) != kProgressTitle) return TRUE;
        reinterpret_cast<Search*>(lp)->found = hwnd;
        return FALSE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// New prefix "f" followed by the counter, replacing the old prefix.
void CountIntoPrefix(CRenameDlg& dlg, const std::string& start, const std::string& increment) {
    dlg.m_bChangePrefix = 1;
    dlg.m_nPrefixPos = 0;
    dlg.m_strNewPrefix = "f";
    dlg.m_bCountPrefix = 1;
    dlg.m_strStartCount = start;
    dlg.m_strIncrement = increment;
}

// The old prefix followed by "_r".
void AppendToPrefix(CRenameDlg& dlg) {
    dlg.m_bChangePrefix = 1;
    dlg.m_nPrefixPos = 2;
    dlg.m_strNewPrefix = "_r";
}

// Takes a listed file away as another program would, keeping it elsewhere.
void TakeAway(const TempDir& dir, const std::string& name) {
    ::CreateDirectoryA((dir.path() + "elsewhere").c_str(), nullptr);
    ASSERT_TRUE(::MoveFileA((dir.path() + name).c_str(), (dir.path() + "elsewhere\\" + name).c_str()));
}

using Files = std::map<std::string, std::string>;

class RenameRun : public ::testing::Test {
protected:
    void ExpectOnlyMessage(const std::string& text, const std::string& title, UINT flags) {
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, text);
        EXPECT_EQ(sink.messages[0].title, title);
        EXPECT_EQ(sink.messages[0].flags, flags);
    }

    CapturingSink sink;
    TempDir dir;
};

TEST_F(RenameRun, ListOrderDecidesTheOrderOfRenamingAndTheCounter) {
    WriteFiles(dir, {"c.txt", "a.txt", "b.txt"});
    ListedWindow w(dir.path());
    ASSERT_TRUE(w.created);
    // Clicked bottom first: the run still goes from the top of the list down.
    for (int index : {2, 0, 1}) ClickListItem(w.List(), index);
    ASSERT_EQ(w.Selected(), 3);
    CountIntoPrefix(w.dlg, "1", "1");
    ObservedFiles files;
    w.Rename();

    ASSERT_EQ(files.moves.size(), 3u);
    EXPECT_EQ(files.moves[0].first, dir.path() + "a.txt");
    EXPECT_EQ(files.moves[1].first, dir.path() + "b.txt");
    EXPECT_EQ(files.moves[2].first, dir.path() + "c.txt");
    EXPECT_EQ(FilesIn(dir.path()),
              (Files{{"f1.txt", Contents("a.txt")}, {"f2.txt", Contents("b.txt")}, {"f3.txt", Contents("c.txt")}}));
    EXPECT_TRUE(sink.messages.empty());
    // Refilled, with the caret on the first file's new name and nothing selected.
    EXPECT_EQ(w.Entries(), (std::vector<std::string>{"f1.txt", "f2.txt", "f3.txt"}));
    EXPECT_EQ(::SendMessageA(w.List(), LB_GETCARETINDEX, 0, 0), 0);
    EXPECT_EQ(w.Selected(), 0);
}

TEST_F(RenameRun, RunsThatEndBeforeTheLoopShowTheirMessageAndTouchNothing) {
    struct Case {
        const char* name;
        std::function<void(CRenameDlg&)> setUp;
        bool select;
        const char* text;
        const char* title;
        UINT flags;
    };
    const Case cases[] = {
        {"no change", [](CRenameDlg&) {}, true, "There are no changes!", "NOTE:", MB_ICONINFORMATION},
        {"move without destination", [](CRenameDlg& d) { d.m_bUseNewDir = 1; }, true,
         "There are no changes!", "NOTE:", MB_ICONINFORMATION},
        {"no selection", [](CRenameDlg& d) { AppendToPrefix(d); }, false,
         "You need to select at least one file!", "NOTE:", MB_ICONINFORMATION},
        {"zero increment", [](CRenameDlg& d) { CountIntoPrefix(d, "1", "0"); }, true,
         "Increment must be 1 or larger!", "Error:", MB_ICONSTOP},
        {"increment starting with a non-digit", [](CRenameDlg& d) { CountIntoPrefix(d, "1", "x5"); }, true,
         "Increment must be 1 or larger!", "Error:", MB_ICONSTOP},
        // Checked although the ticked counter belongs to the half that does not change.
        {"zero increment of an unused counter",
         [](CRenameDlg& d) {
             AppendToPrefix(d);
             d.m_bCountExt = 1;
             d.m_strIncrement = "0";
         },
         true, "Increment must be 1 or larger!", "Error:", MB_ICONSTOP},
    };
    WriteFiles(dir, {"a.txt", "b.txt"});
    const DirSnapshot before = Snapshot(dir.path());
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        ListedWindow w(dir.path());
        ASSERT_TRUE(w.created);
        w.dlg.m_bWarnRename = TRUE;  // the counter is set up before anything is asked
        if (c.select) w.SelectAll();
        c.setUp(w.dlg);
        sink.messages.clear();
        w.Rename();
        ExpectOnlyMessage(c.text, c.title, c.flags);
        EXPECT_EQ(Snapshot(dir.path()), before);
        // Not refilled: the selection is still there.
        EXPECT_EQ(w.Selected(), c.select ? 2 : 0);
    }
}

TEST_F(RenameRun, EmptyIncrementCountsByOneAndReadsOneAfterwards) {
    WriteFiles(dir, {"a.txt", "b.txt"});
    ListedWindow w(dir.path());
    w.SelectAll();
    CountIntoPrefix(w.dlg, "1", "");
    w.Rename();
    EXPECT_EQ(w.dlg.m_strIncrement, "1");
    EXPECT_EQ(FilesIn(dir.path()), (Files{{"f1.txt", Contents("a.txt")}, {"f2.txt", Contents("b.txt")}}));
}

TEST_F(RenameRun, ConfirmationSummarisesTheRunAndCancelEndsIt) {
    struct Case {
        const char* destination;  // "" for none
        bool cancel;
    };
    for (Case c : {Case{"", true}, Case{"sub", true}, Case{"", false}}) {
        SCOPED_TRACE(std::string(c.destination) + (c.cancel ? " cancel" : " ok"));
        TempDir local;
        WriteFiles(local, {"a.txt", "b.txt"});
        local.MakeDir("sub");
        ListedWindow w(local.path());
        w.dlg.m_bWarnRename = TRUE;
        w.SelectAll();
        AppendToPrefix(w.dlg);
        w.dlg.m_bTimeDate = 1;
        w.dlg.m_bUseNewDir = c.destination[0] != '\0';
        if (w.dlg.m_bUseNewDir) w.dlg.m_strDestination = local.path() + c.destination;
        sink.messages.clear();
        sink.answers.clear();
        if (c.cancel) sink.Answer(IDCANCEL);
        const DirSnapshot before = Snapshot(local.path());
        w.Rename();
        ASSERT_FALSE(sink.messages.empty());
        const std::string to = w.dlg.m_bUseNewDir ? local.path() + c.destination + "\\" : local.path();
        EXPECT_EQ(sink.messages[0].text,
                  "Rename/Move 2 Files\n\nFrom:  " + local.path() + "\n\nTo:  " + to +
                      "\n\nChange File Prefix:  YES\nChange File Extension:  NO"
                      "\nAdvance Insert/Replace:  NO\nChange Attributes:  NO\nChange Time & Date:  YES");
        EXPECT_EQ(sink.messages[0].title, "Confirmation: Are you sure?");
        EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_OKCANCEL | MB_ICONQUESTION));
        EXPECT_EQ(sink.messages.size(), 1u);
        if (c.cancel) {
            EXPECT_EQ(Snapshot(local.path()), before);
            EXPECT_EQ(w.Selected(), 2);
        } else {
            EXPECT_EQ(FilesIn(local.path()), (Files{{"a_r.txt", Contents("a.txt")}, {"b_r.txt", Contents("b.txt")}}));
        }
    }
}

TEST_F(RenameRun, FailedMoveLeavesTheCounterForTheNextFile) {
    WriteFiles(dir, {"a.txt", "b.txt", "c.txt"});
    ListedWindow w(dir.path());
    w.SelectAll();
    TakeAway(dir, "b.txt");
    CountIntoPrefix(w.dlg, "1", "1");
    w.Rename();
    EXPECT_EQ(FilesIn(dir.path()), (Files{{"f1.txt", Contents("a.txt")}, {"f2.txt", Contents("c.txt")}}));
    ExpectOnlyMessage("1 Renaming Error Encountered!", "Notice!", MB_ICONEXCLAMATION);
}

TEST_F(RenameRun, CounterOverflowStopsBeforeTheFileThatWouldWrap) {
    const std::string top = "18446744073709551615";
    struct Case {
        std::vector<std::string> files;
        Files after;
        bool overflow;
    };
    const Case cases[] = {
        {{"a.txt"}, {{"f" + top + ".txt", Contents("a.txt")}}, false},
        {{"a.txt", "b.txt"}, {{"f" + top + ".txt", Contents("a.txt")}, {"b.txt", Contents("b.txt")}}, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.files.size());
        TempDir local;
        WriteFiles(local, c.files);
        ListedWindow w(local.path());
        w.SelectAll();
        CountIntoPrefix(w.dlg, top, "1");
        sink.messages.clear();
        w.Rename();
        EXPECT_EQ(FilesIn(local.path()), c.after);
        if (c.overflow) ExpectOnlyMessage("Counter Overflow!", "Error", MB_ICONSTOP);
        else EXPECT_TRUE(sink.messages.empty());
        // The run went through its end: progress closed, list refilled.
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        EXPECT_EQ(w.Entries().size(), c.after.size());
    }
}

TEST_F(RenameRun, TimeStampsStepOverTheFilesActuallyStamped) {
    struct Case {
        const char* name;
        bool incTime;
        bool takeAwaySecond;
        std::vector<std::pair<std::string, int>> minutes;  // new name, expected minute
    };
    const Case cases[] = {
        {"three files", true, false, {{"a_r.txt", 0}, {"b_r.txt", 1}, {"c_r.txt", 2}}},
        {"second fails", true, true, {{"a_r.txt", 0}, {"c_r.txt", 1}}},
        {"increment box clear", false, false, {{"a_r.txt", 0}, {"b_r.txt", 0}, {"c_r.txt", 0}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir local;
        WriteFiles(local, {"a.txt", "b.txt", "c.txt"});
        ListedWindow w(local.path());
        w.SelectAll();
        if (c.takeAwaySecond) TakeAway(local, "b.txt");
        AppendToPrefix(w.dlg);
        w.dlg.m_bTimeDate = 1;
        w.dlg.m_nYear = 2003;
        w.dlg.m_nMonth = 1;
        w.dlg.m_nDay = 1;
        w.dlg.m_nHour = 12;
        w.dlg.m_bIncTime = c.incTime;
        w.dlg.m_nIncMinute = 1;
        w.Rename();
        for (const auto& [file, minute] : c.minutes) {
            FileStatus status;
            ASSERT_TRUE(Platform().GetStatus(local.path() + file, status)) << file;
            EXPECT_EQ(status.modified, Platform().MakeLocalTime(2003, 1, 1, 12, minute, 0)) << file;
        }
    }
}

TEST_F(RenameRun, ReadOnlyFileGetsItsTimeAndStaysReadOnly) {
    for (bool rename : {false, true}) {
        SCOPED_TRACE(rename ? "renamed" : "time only");
        TempDir local;
        const std::string path = local.WriteFile("a.txt", "A");
        ASSERT_TRUE(::SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
        // New times are refused while a file stays read-only, as on Windows (and under
        // Wine for any user but root); the file itself is real.
        ObservedFiles files;
        files.beforeSetStatus = [](const std::string& p, const FileStatus& s, std::string& error) {
            const DWORD now = ::GetFileAttributesA(p.c_str());
            if (s.modified != 0 && (now & FILE_ATTRIBUTE_READONLY) && (s.attribute & kFileReadOnly)) {
                error = "Access denied.";
                return false;
            }
            return true;
        };
        ListedWindow w(local.path());
        w.SelectAll();
        if (rename) {
            w.dlg.m_bChangeExt = 1;
            w.dlg.m_nExtPos = 0;
            w.dlg.m_strNewExt = "doc";
        }
        w.dlg.m_bTimeDate = 1;
        w.dlg.m_nYear = 2004;
        w.dlg.m_nMonth = 6;
        w.dlg.m_nDay = 15;
        w.dlg.m_nHour = 8;
        sink.messages.clear();
        w.Rename();
        EXPECT_TRUE(sink.messages.empty());
        const std::string now = local.path() + (rename ? "a.doc" : "a.txt");
        FileStatus status;
        ASSERT_TRUE(Platform().GetStatus(now, status));
        EXPECT_EQ(status.modified, Platform().MakeLocalTime(2004, 6, 15, 8, 0, 0));
        EXPECT_TRUE(::GetFileAttributesA(now.c_str()) & FILE_ATTRIBUTE_READONLY);
    }
}

TEST_F(RenameRun, FileRefusingItsTimeOrAttributesStopsTheRun) {
    struct Case {
        const char* name;
        bool time;  // refuse the time (else the attributes)
        const char* text;
    };
    const Case cases[] = {
        {"time", true, "Error Setting Time & Date of File:\n"},
        {"attributes", false, "Error Setting Attributes of File:\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir local;
        WriteFiles(local, {"a.txt", "b.txt", "c.txt"});
        ObservedFiles files;
        files.beforeSetStatus = [&](const std::string& p, const FileStatus& s, std::string& error) {
            if (p == local.path() + "b_r.txt" && (s.modified != 0) == c.time) {
                error = "The file is locked.";
                return false;
            }
            return true;
        };
        ListedWindow w(local.path());
        w.SelectAll();
        AppendToPrefix(w.dlg);  // failed moves are counted, yet this stops the run
        w.dlg.m_bTimeDate = 1;
        w.dlg.m_bSetAttrib = 1;
        w.dlg.m_bHidden = 1;
        sink.messages.clear();
        w.Rename();
        ExpectOnlyMessage(c.text + local.path() + "b_r.txt\nReason-  The file is locked.", "Rename Error:",
                          MB_ICONEXCLAMATION);
        EXPECT_EQ(FilesIn(local.path()),
                  (Files{{"a_r.txt", Contents("a.txt")}, {"b_r.txt", Contents("b.txt")}, {"c.txt", Contents("c.txt")}}));
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        // Refilled as after a failed move with abort: no caret name is left behind.
        EXPECT_EQ(w.Entries(), (std::vector<std::string>{"a_r.txt", "b_r.txt", "c.txt"}));
        EXPECT_TRUE(w.dlg.m_strCaretName.empty());
    }
}

TEST_F(RenameRun, AbortOnErrorStopsAtTheFirstFailureWithoutAnErrorCount) {
    WriteFiles(dir, {"a.txt", "b.txt", "c.txt"});
    ListedWindow w(dir.path());
    w.SelectAll();
    TakeAway(dir, "b.txt");
    AppendToPrefix(w.dlg);
    w.dlg.m_bAbortOnError = TRUE;
    w.Rename();
    ExpectOnlyMessage("Error Moving/Renaming File:\nFrom-  " + dir.path() + "b.txt\nTo-  " + dir.path() + "b_r.txt",
                      "Rename Error:", MB_ICONEXCLAMATION);
    EXPECT_EQ(FilesIn(dir.path()), (Files{{"a_r.txt", Contents("a.txt")}, {"c.txt", Contents("c.txt")}}));
    EXPECT_EQ(w.Entries(), (std::vector<std::string>{"a_r.txt", "c.txt"}));
    EXPECT_TRUE(w.dlg.m_strCaretName.empty());
}

TEST_F(RenameRun, NoRefreshLeavesTheListAsItWas) {
    WriteFiles(dir, {"a.txt", "b.txt"});
    ListedWindow w(dir.path());
    w.SelectAll();
    AppendToPrefix(w.dlg);
    w.dlg.m_bNoRefresh = TRUE;
    w.Rename();
    EXPECT_EQ(FilesIn(dir.path()), (Files{{"a_r.txt", Contents("a.txt")}, {"b_r.txt", Contents("b.txt")}}));
    EXPECT_EQ(w.Entries(), (std::vector<std::string>{"a.txt", "b.txt"}));
    EXPECT_EQ(w.Selected(), 2);
}

TEST_F(RenameRun, AttributeOnlyChangesMoveTheFilesOnlyWithADestination) {
    for (bool toSub : {true, false}) {
        SCOPED_TRACE(toSub ? "destination" : "in place");
        TempDir local;
        WriteFiles(local, {"a.txt", "b.txt"});
        const std::string sub = local.MakeDir("sub");
        ListedWindow w(local.path());
        w.SelectAll();
        w.dlg.m_bUseNewDir = toSub;
        if (toSub) w.dlg.m_strDestination = local.path() + "sub";  // the run adds the backslash
        w.dlg.m_bSetAttrib = 1;
        w.dlg.m_bSystem = 1;
        w.dlg.m_bHidden = 2;  // left as it is
        w.Rename();
        EXPECT_TRUE(sink.messages.empty());
        const std::string now = toSub ? sub : local.path();
        if (toSub) {
            EXPECT_EQ(w.dlg.m_strDestination, sub);
        }
        EXPECT_EQ(FilesIn(now), (Files{{"a.txt", Contents("a.txt")}, {"b.txt", Contents("b.txt")}}));
        for (const char* name : {"a.txt", "b.txt"}) {
            const DWORD attributes = ::GetFileAttributesA((now + name).c_str());
            EXPECT_TRUE(attributes & FILE_ATTRIBUTE_SYSTEM) << name;
            EXPECT_FALSE(attributes & FILE_ATTRIBUTE_HIDDEN) << name;
        }
        EXPECT_EQ(w.Entries().size(), toSub ? 0u : 2u);
    }
}

TEST_F(RenameRun, ProgressBarStepsAtMostThirtyTimes) {
    struct Case {
        int files;
        int steps;
    };
    for (Case c : {Case{5, 5}, Case{100, 30}}) {
        SCOPED_TRACE(c.files);
        TempDir local;
        for (int i = 0; i < c.files; ++i) local.WriteFile("file" + std::to_string(1000 + i) + ".txt", "x");
        ListedWindow w(local.path());
        w.SelectAll();
        AppendToPrefix(w.dlg);

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

        ASSERT_EQ(static_cast<int>(positions.size()), c.files);
        EXPECT_TRUE(shownAndOwned);
        // One step every n / 30 files (every file below 30), never past the range.
        const int interval = c.files < 30 ? 1 : c.files / 30;
        for (int k = 1; k <= c.files; ++k) {
            EXPECT_EQ(positions[k - 1], std::min(k / interval, c.steps)) << "before file " << k;
            EXPECT_EQ(ranges[k - 1], c.steps);
        }
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
    }
}

TEST_F(RenameRun, CaseOnlyRenameChangesTheNameOnDisk) {
    WriteFiles(dir, {"readme.txt"});
    ListedWindow w(dir.path());
    w.SelectAll();
    w.dlg.m_bChangePrefix = 1;
    w.dlg.m_bPrefixUpper = 1;
    w.dlg.m_bChangeExt = 1;
    w.dlg.m_bExtUpper = 1;
    w.Rename();
    EXPECT_TRUE(sink.messages.empty());
    EXPECT_EQ(FilesIn(dir.path()), (Files{{"README.TXT", Contents("readme.txt")}}));
}

}  // namespace
