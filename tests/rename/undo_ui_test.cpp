// Undo Last Run on real files: after every way a run ends (finished, stopped by an error,
// cancelled from its progress window), after a move to another directory and after the
// file status window, with an old name taken meanwhile; Ctrl+Z; and a run killed from
// outside half-way through, undone at the next start.
#include "rename/run_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

const std::string kUndoAsked = "Undo Last Run|Undo the rename run of ";

// How many files of `dir` have names starting with `start`, without reading them.
size_t CountNamed(const std::string& dir, char start) {
    const std::set<std::string> names = NamesIn(dir);
    return static_cast<size_t>(std::count_if(names.begin(), names.end(), [start](const std::string& n) { return n[0] == start; }));
}

// f1, f2, ... in place of the old prefixes, hidden, stamped a minute apart from 2003 on,
// read-only taken off.
void Counted(CRenameDlg& d) {
    d.m_bChangePrefix = d.m_bCountPrefix = 1, d.m_nPrefixPos = 0, d.m_strNewPrefix = "f", d.m_strStartCount = "1";
    d.m_bSetAttrib = d.m_bTimeDate = 1, d.m_bHidden = 1, d.m_bReadOnly = 0;
    d.m_nYear = 2003, d.m_nIncMinute = 1;
}

// The menu item, as the user picks it.
void UndoLastRun(CRenameDlg& d) { ::SendMessageW(d.GetSafeHwnd(), WM_SYSCOMMAND, IDM_UNDOLASTRUN, 0); }

// What the user does during the run to its progress window, before the second move.
enum class During { kNothing, kCancel, kEscape, kPostedCancel };

TEST(UndoLastRun, PutsBackEveryKindOfRun) {
    struct Case { const char* what; std::function<void(CRenameDlg&, const std::string&)> setUp; During during;
                  const char* takeBefore; std::string told; };
    const Case cases[] = {
        {"a whole run", [](CRenameDlg& d, auto&) { Counted(d); }, During::kNothing, "", ""},
        {"stopped by a failed move", [](CRenameDlg& d, auto&) { Counted(d), d.m_bAbortOnError = 1; },
         During::kNothing, "f2.txt", "Rename Error:"},
        {"cancelled with the button", [](CRenameDlg& d, auto&) { Counted(d); }, During::kCancel, "", ""},
        {"cancelled with Esc", [](CRenameDlg& d, auto&) { Counted(d); }, During::kEscape, "", ""},
        {"cancelled while the window is busy", [](CRenameDlg& d, auto&) { Counted(d); }, During::kPostedCancel, "", ""},
        {"moved to another directory", [](CRenameDlg& d, const std::string& where) {
             d.m_bUseNewDir = 1, d.m_strDestination = where + "sub"; }, During::kNothing, "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir dir;
        for (const char* name : {"a.txt", "b.txt", "c.txt", "foo."}) dir.WriteFile(name, std::string("of ") + name);
        ::SetFileAttributesW(ToWide(Exact(dir.path() + "a.txt")).c_str(), FILE_ATTRIBUTE_READONLY);
        SetWriteTime(dir.path() + "b.txt", 1234567890);
        dir.MakeDir("sub");
        if (*c.takeBefore) dir.WriteFile(c.takeBefore, "in the way");
        const FileMap before = Files(dir.path(), true, true);

        ObservedFiles files;
        ListedWindow w(dir.path(), true, &files);
        files.beforeMove = [&](const std::string&, std::string&) {
            if (files.moved.size() != 2 || c.during == During::kNothing) return;
            HWND progress = ProgressWindowOfThisThread();
            HWND cancel = ::GetDlgItem(progress, IDCANCEL);
            if (c.during == During::kCancel) ClickButton(cancel);
            if (c.during == During::kEscape) PressKey(progress, cancel, VK_ESCAPE);
            if (c.during == During::kPostedCancel) {
                // Taken from the queue between two files once the run looks at it again.
                ::PostMessageW(cancel, BM_CLICK, 0, 0);
                ::Sleep(120);
            }
        };
        c.setUp(w.dlg, dir.path());
        w.Rename();
        const size_t moves = files.moved.size();
        if (c.during == During::kCancel || c.during == During::kEscape) EXPECT_EQ(moves, 2u);
        if (c.during == During::kPostedCancel) EXPECT_LT(moves, 4u);
        EXPECT_NE(Files(dir.path(), true, true), before);
        const std::vector<std::string> toldByRun = w.kit.ui.Told();
        EXPECT_EQ(toldByRun.empty() ? "" : toldByRun[0].substr(0, toldByRun[0].find('|') + 1),
                  c.told.empty() ? "" : c.told + "|");

        w.kit.ui.messages.clear();
        UndoLastRun(w.dlg);
        EXPECT_EQ(Files(dir.path(), true, true), before);
        ASSERT_EQ(w.kit.ui.Told().size(), 1u);
        EXPECT_EQ(w.kit.ui.Told()[0].substr(0, kUndoAsked.size()), kUndoAsked);
        std::vector<std::string> listed;  // the list is refilled
        for (const auto& [name, state] : before) listed.push_back(name);
        EXPECT_EQ(Items(w.List()), listed);

        // Nothing is left to undo.
        w.kit.ui.messages.clear();
        UndoLastRun(w.dlg);
        EXPECT_EQ(w.kit.ui.Told(), std::vector<std::string>{"NOTE:|There is no rename run to undo."});
    }
}

// A file whose old name was taken meanwhile stays; the rest go back and the message says why.
TEST(UndoLastRun, LeavesAFileWhoseOldNameIsTaken) {
    TempDir dir;
    for (const char* name : {"a.txt", "b.txt", "c.txt"}) dir.WriteFile(name, std::string("of ") + name);
    ListedWindow w(dir.path());
    Counted(w.dlg);
    w.Rename();
    dir.WriteFile("b.txt", "newcomer");
    w.kit.ui.messages.clear();
    UndoLastRun(w.dlg);
    EXPECT_EQ(Files(dir.path()), (FileMap{{"a.txt", "of a.txt"}, {"b.txt", "newcomer"}, {"c.txt", "of c.txt"},
                                          {"f2.txt", "of b.txt"}}));
    ASSERT_EQ(w.kit.ui.Told().size(), 2u);
    EXPECT_EQ(w.kit.ui.Told()[1], "Undo Error:|1 of 3 files could not be undone.\n\nf2.txt -> b.txt: its old name is taken");
    EXPECT_EQ(w.kit.ui.messages[1].flags, static_cast<UINT>(MB_ICONEXCLAMATION));
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
        ASSERT_FALSE(w.kit.ui.Told().empty());
        EXPECT_EQ(w.kit.ui.Told()[0], "Confirmation: Are you sure?|The journal of the run cannot be written:\n" + blocked +
                                          "\\Vorlix\\last-run.txt\n\nRename anyway? This run could not be undone.");
        EXPECT_EQ(Files(dir.path()).count("a.txt"), answer == IDCANCEL ? 1u : 0u);
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
        HWND name = status.GetDlgItem(IDC_FS_NAME);
        ::SetWindowTextW(name, L"renamed.txt");
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

// The program killed from outside half-way through 2,000 files: the next start finds the
// journal without its end, asks, and Yes puts every file back; No leaves the files for
// Undo Last Run. The killed program is this test program, run again as the child below.
TEST(UndoLastRun, ARunKilledHalfWayIsUndoneAtTheNextStart) {
    constexpr int kFiles = 2000;
    for (int answer : {IDYES, IDNO}) {
        SCOPED_TRACE(answer == IDYES ? "Yes" : "No, then Undo Last Run");
        TempDir dir, appData;
        const std::string journal = appData.path() + "last-run.txt";
        FileMap before;
        for (int i = 0; i < kFiles; ++i) {
            const std::string name = "p" + std::to_string(10000 + i) + ".jpg";
            dir.WriteFile(name, name);
            before[name] = name;
        }
        ::SetEnvironmentVariableW(L"VORLIX_CHILD_DIR", ToWide(dir.path()).c_str());
        ::SetEnvironmentVariableW(L"VORLIX_CHILD_JOURNAL", ToWide(journal).c_str());
        wchar_t self[MAX_PATH];
        ::GetModuleFileNameW(nullptr, self, MAX_PATH);
        std::wstring command = L"\"" + std::wstring(self) + L"\" --gtest_filter=UndoLastRun.ChildRun";
        STARTUPINFOW startup = {sizeof startup};
        PROCESS_INFORMATION child = {};
        ASSERT_TRUE(::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &child));
        // Killed once about half the files have their new names.
        size_t renamed = 0;
        for (int wait = 0; wait < 1200 && renamed < kFiles / 2; ++wait) {
            if (::WaitForSingleObject(child.hProcess, 100) == WAIT_OBJECT_0) break;
            renamed = CountNamed(dir.path(), 'n');
        }
        ::TerminateProcess(child.hProcess, 9);
        ::WaitForSingleObject(child.hProcess, INFINITE);
        ::CloseHandle(child.hThread);
        ::CloseHandle(child.hProcess);
        ::SetEnvironmentVariableW(L"VORLIX_CHILD_DIR", nullptr);
        const size_t changed = CountNamed(dir.path(), 'n');
        ASSERT_GT(changed, 0u);
        ASSERT_LT(changed, static_cast<size_t>(kFiles));

        MainWindowKit restart(nullptr, journal);
        restart.ui.Answer(answer);
        ASSERT_TRUE(restart.Open());
        ASSERT_FALSE(restart.ui.Told().empty());
        EXPECT_EQ(restart.ui.Told()[0], "Unfinished Run|The last rename run did not finish: " + std::to_string(changed) +
                                            " of 2000 files had been changed.\n\nUndo those changes now?");
        if (answer == IDNO) {
            EXPECT_NE(Files(dir.path()), before);
            UndoLastRun(restart.dlg);
        }
        EXPECT_EQ(Files(dir.path()), before);
        restart.dlg.DestroyWindow();
    }
}

// The child of the test above: a run over every file of VORLIX_CHILD_DIR, killed by the parent.
TEST(UndoLastRun, ChildRun) {
    const char* dir = std::getenv("VORLIX_CHILD_DIR");
    if (!dir) GTEST_SKIP() << "run by ARunKilledHalfWayIsUndoneAtTheNextStart";
    ListedWindow w(dir, true, nullptr, std::getenv("VORLIX_CHILD_JOURNAL"));
    w.dlg.m_bChangePrefix = 1, w.dlg.m_nPrefixPos = 0, w.dlg.m_strNewPrefix = "new";
    w.dlg.m_bCountPrefix = 1, w.dlg.m_strStartCount = "0001";
    w.Rename();
}

}  // namespace
