// Undo Last Run wired to the window on real files: after a run, also one cancelled from
// its progress window, and never during one; after the file status window; Ctrl+Z; a
// journal that cannot be written; and runs killed from outside half-way through, undone
// at the next start, with a second window meanwhile kept off the journal.
#include "rename/run_kit.h"
#include "support/option_presets.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

const std::string kUndoAsked = "Undo Last Run|Undo the rename run of ";

// f1, f2, ... in place of the old prefixes, hidden, stamped a minute apart from 2003 on,
// read-only taken off.
void Counted(CRenameDlg& d) {
    CountIntoPrefix(d, "1");
    d.m_bSetAttrib = d.m_bTimeDate = d.m_bHidden = 1, d.m_bReadOnly = 0, d.m_nYear = 2003, d.m_nIncMinute = 1;
}

// The menu item, as the user picks it.
void UndoLastRun(CRenameDlg& d) { ::SendMessageW(d.GetSafeHwnd(), WM_SYSCOMMAND, IDM_UNDOLASTRUN, 0); }

// What the user does during the run to its progress window, before the third move:
// kUndo asks for Undo Last Run by its two routes, which the run ignores. How each kind of
// run is undone is the native tests' business; here the window's wiring is.
enum class During { kCancel, kEscape, kPostedCancel, kUndo };

TEST(UndoLastRun, PutsBackEveryKindOfRun) {
    // A run during which undo is asked for is a whole run.
    const std::pair<const char*, During> cases[] = {{"cancelled with the button", During::kCancel},
        {"cancelled with Esc", During::kEscape}, {"cancelled while the window is busy", During::kPostedCancel},
        {"undo asked for during the run", During::kUndo}};
    for (const auto& [what, during] : cases) {
        SCOPED_TRACE(what);
        TempDir dir;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "foo."}) dir.WriteFile(name, std::string("of ") + name);
        ::SetFileAttributesW(ToWide(Exact(dir.path() + "a.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
        SetWriteTime(dir.path() + "b.txt", 1234567890);
        const FileMap before = Files(dir.path(), true, true);

        ObservedFiles files;
        ListedWindow w(dir.path(), true, &files);
        files.beforeMove = [&, during = during](const std::string&, std::string&) {
            if (files.moved.size() != 2) return;
            HWND progress = ProgressWindowOfThisThread(), cancel = ::GetDlgItem(progress, IDCANCEL);
            if (during == During::kCancel) ClickButton(cancel);
            if (during == During::kEscape) PressKey(progress, cancel, VK_ESCAPE);
            if (during == During::kUndo) {
                ::PostMessageW(w.dlg.GetSafeHwnd(), WM_SYSCOMMAND, IDM_UNDOLASTRUN, 0);
                ::PostMessageW(w.dlg.GetSafeHwnd(), WM_APP + 2, 0, 0);  // Ctrl+Z's message
            }
            if (during == During::kPostedCancel) ::PostMessageW(cancel, BM_CLICK, 0, 0);
            // Taken from the queue between two files once the run looks at it again.
            if (during == During::kPostedCancel || during == During::kUndo) ::Sleep(120);
        };
        Counted(w.dlg);
        w.Rename();
        const size_t moves = files.moved.size();
        if (during == During::kPostedCancel) EXPECT_LT(moves, 4u);
        else EXPECT_EQ(moves, during == During::kUndo ? 4u : 2u);
        EXPECT_NE(Files(dir.path(), true, true), before);
        EXPECT_EQ(w.kit.ui.Told(), std::vector<std::string>{});

        UndoLastRun(w.dlg);
        EXPECT_EQ(Files(dir.path(), true, true), before);
        ASSERT_EQ(w.kit.ui.Told().size(), 1u);
        const std::string asked = w.kit.ui.Told()[0];
        EXPECT_EQ(asked.substr(0, kUndoAsked.size()), kUndoAsked);
        EXPECT_EQ(asked.substr(asked.find(" in ")), " in " + dir.path() + ": " + std::to_string(moves) +
                                                        " files go back to their old names, times and attributes.");
        EXPECT_EQ(Items(w.List()), (std::vector<std::string>{"a.txt", "b.txt", "c.txt", "foo."}));  // refilled

        // Nothing is left to undo.
        w.kit.ui.messages.clear();
        UndoLastRun(w.dlg);
        EXPECT_EQ(w.kit.ui.Told(), std::vector<std::string>{"NOTE:|There is no rename run to undo."});
    }
}

// A journal that cannot be written is told before anything changes; the run goes on only
// when the user says so.
TEST(UndoLastRun, AJournalThatCannotBeWrittenIsToldFirst) {
    for (int answer : {IDCANCEL, IDOK}) {
        TempDir dir;
        dir.WriteFile("a.txt", "of a.txt");
        const std::string blocked = dir.WriteFile("blocked", "a file where the journal's folder would be");
        ListedWindow w(dir.path(), true, nullptr, blocked + "\\Vorlix\\last-run.txt");
        Counted(w.dlg);
        w.kit.ui.Answer(answer);
        w.Rename();
        EXPECT_EQ(w.kit.ui.Told().at(0), "Confirmation: Are you sure?|The journal of the run cannot be written:\n" + blocked +
                                             "\\Vorlix\\last-run.txt\n\nRename anyway? This run could not be undone.");
        EXPECT_EQ(Files(dir.path()).count("a.txt"), answer == IDCANCEL ? 1u : 0u);
        // Undo Last Run reaches no run before this one.
        UndoLastRun(w.dlg);
        if (answer == IDOK) {
            EXPECT_EQ(w.kit.ui.Told().back(), "NOTE:|The last rename run was made without a journal and cannot be undone.");
        }
    }
}

// The file status window's change is a run of one file; Ctrl+Z undoes it from the list,
// while in an edit box Ctrl+Z stays the edit's own.
TEST(UndoLastRun, CtrlZUndoesAFileStatusChange) {
    TempDir dir;
    dir.WriteFile("a.txt", "of a.txt");
    dir.WriteFile("b.txt", "of b.txt");
    const FileMap before = Files(dir.path(), true, true);
    ListedWindow w(dir.path(), false);
    w.kit.ui.onModal = [](CDialog& status) {
        ::SetWindowTextW(status.GetDlgItem(IDC_FS_NAME), L"renamed.txt");
        ClickButton(status.GetDlgItem(IDC_ATTR_READONLY));
        ClickButton(status.GetDlgItem(IDOK));
    };
    ::SendMessageW(w.List(), LB_SETCARETINDEX, 0, FALSE);
    w.dlg.OnFileListDblClk();
    ASSERT_EQ(Files(dir.path(), true).count("renamed.txt"), 1u);

    for (HWND target : {w.dlg.GetDlgItem(IDC_NEWPREFIX), w.List()}) PressCtrlKey(w.dlg.GetSafeHwnd(), target, 'Z');
    ASSERT_EQ(w.kit.ui.Told().size(), 1u);  // the edit's Ctrl+Z asked nothing
    EXPECT_EQ(w.kit.ui.Told()[0].substr(0, kUndoAsked.size()), kUndoAsked);
    EXPECT_EQ(Files(dir.path(), true, true), before);
}

// This test program run again as a child, running UndoLastRun.Child of kind `kind` over
// `dir` with `journal`.
PROCESS_INFORMATION StartChild(const char* kind, const std::string& dir, const std::string& journal) {
    ::SetEnvironmentVariableW(L"VORLIX_CHILD_KIND", ToWide(kind).c_str());
    ::SetEnvironmentVariableW(L"VORLIX_CHILD_DIR", ToWide(dir).c_str());
    ::SetEnvironmentVariableW(L"VORLIX_CHILD_JOURNAL", ToWide(journal).c_str());
    wchar_t self[MAX_PATH];
    ::GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=UndoLastRun.Child";
    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION child = {};
    EXPECT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
    ::SetEnvironmentVariableW(L"VORLIX_CHILD_DIR", nullptr);
    return child;
}

// Kills the child (where it still runs) and waits until it is gone.
void EndChild(PROCESS_INFORMATION& child, DWORD waitMs = 0) {
    if (::WaitForSingleObject(child.hProcess, waitMs) != WAIT_OBJECT_0) ::TerminateProcess(child.hProcess, 9);
    ::WaitForSingleObject(child.hProcess, INFINITE);
    ::CloseHandle(child.hThread);
    ::CloseHandle(child.hProcess);
}

// The program killed from outside half-way through 2,000 files: the next start finds the
// journal without its end, asks, and Yes puts every file back; No leaves the files for
// Undo Last Run. While it runs, a second window neither asks about it, nor undoes, nor
// starts a run of its own. Killed between the two moves of a change of case, the fifth
// of 20 files under its temporary name: the next start counts it and Yes gives it its
// old name back.
TEST(UndoLastRun, ARunKilledHalfWayIsUndoneAtTheNextStart) {
    const std::string held = "Another Vorlix window is renaming files. Wait until it has finished.";
    const struct { const char* kind; int files, answer; } cases[] = {
        {"Run", 2000, IDYES}, {"Run", 2000, IDNO}, {"ChangeOfCase", 20, IDYES}};
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + (c.answer == IDYES ? ", Yes" : ", No, then Undo Last Run"));
        const bool changeOfCase = c.files == 20;
        TempDir dir, other, appData;
        const std::string journal = appData.path() + "last-run.txt";
        FileMap before;
        for (int i = 0; i < c.files; ++i) before.emplace("p" + std::to_string(10000 + i) + ".jpg", "");
        for (auto& [name, contents] : before) dir.WriteFile(name, contents = name);
        const auto changedNow = [&] {  // without reading the files
            size_t changed = 0;
            for (const std::string& name : NamesIn(dir.path())) changed += before.count(name) == 0;
            return changed;
        };
        other.WriteFile("o.txt", "other");
        PROCESS_INFORMATION child = StartChild(c.kind, dir.path(), journal);
        // Killed once about half the files have their new names; the second window comes
        // once the first has begun.
        size_t renamed = 0;
        bool secondCame = false;
        for (int wait = 0; wait < 1200 && renamed < static_cast<size_t>(c.files / 2); ++wait) {
            if (::WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0) break;
            renamed = changedNow();
            if (renamed == 0 || secondCame || changeOfCase) continue;
            secondCame = true;
            ListedWindow second(other.path(), true, nullptr, journal);
            PumpMessages(second.dlg.GetSafeHwnd());  // start-up's look at the journal
            UndoLastRun(second.dlg);
            AppendR(second.dlg);
            second.Rename();
            EXPECT_EQ(second.kit.ui.Told(), (std::vector<std::string>{"Undo Last Run|" + held, "Rename Error:|" + held}));
            EXPECT_EQ(Files(other.path()), (FileMap{{"o.txt", "other"}}));
        }
        EXPECT_NE(secondCame, changeOfCase);
        EndChild(child);
        const size_t changed = changedNow();
        ASSERT_GT(changed, 0u);
        ASSERT_LT(changed, static_cast<size_t>(c.files));
        std::string names;  // what the directory held, told when the count is off
        for (const std::string& name : NamesIn(dir.path())) names += " " + name;
        EXPECT_TRUE(!changeOfCase || changed == 5u) << changed << ":" << names;  // the fifth under its temporary name

        MainWindowKit restart(nullptr, journal);
        restart.ui.Answer(c.answer);
        ASSERT_TRUE(restart.Open());
        EXPECT_EQ(restart.ui.Told().at(0), "Unfinished Run|The last rename run did not finish: " +
                                               std::to_string(changed) + " of " + std::to_string(c.files) +
                                               " files had been changed.\n\nUndo those changes now?");
        if (c.answer == IDNO) {
            EXPECT_NE(Files(dir.path()), before);
            UndoLastRun(restart.dlg);
        }
        EXPECT_EQ(Files(dir.path()), before);
        restart.dlg.DestroyWindow();
    }
}

// The child of the test above, over every file of VORLIX_CHILD_DIR. "Run" renames
// them, a little slowed down so that the parent's second window comes in time, and is
// killed by the parent; "ChangeOfCase" puts the extensions in upper case, makes the fifth
// file's first move itself once its temporary name is on record, and ends there, as if killed.
TEST(UndoLastRun, Child) {
    const char* dir = std::getenv("VORLIX_CHILD_DIR");
    if (!dir) GTEST_SKIP() << "run by ARunKilledHalfWayIsUndoneAtTheNextStart";
    const bool changeOfCase = std::string(std::getenv("VORLIX_CHILD_KIND")) == "ChangeOfCase";
    ObservedFiles files;
    files.beforeMove = [&](const std::string&, std::string&) {
        if (!changeOfCase) return ::Sleep(1);
        if (files.moved.size() != 5) return;
        files.onTemporaryName = [record = files.onTemporaryName](const std::string& file, const std::string& temporary) {
            record(file, temporary);
            ::MoveFileW(ToWide(Exact(file)).c_str(), ToWide(Exact(temporary)).c_str());
            ::TerminateProcess(::GetCurrentProcess(), 9);
        };
    };
    ListedWindow w(dir, true, &files, std::getenv("VORLIX_CHILD_JOURNAL"));
    if (changeOfCase) w.dlg.m_bChangeExt = w.dlg.m_bExtUpper = 1;
    else CountIntoPrefix(w.dlg, "0001", "new");
    w.Rename();
}

}  // namespace
