// The tools of the file list. The Delete key sends the selected files to the recycle bin
// (or, where one cannot go there and the user agrees, deletes it for good) and takes
// their entries out of the list; every other key keeps its effect. Real files go to the
// real bin in EachNameReachesItsOwnFile. A double
// click on a file: "File Status..." renames, moves, re-stamps and re-attributes that one
// file, and the list entry follows without a refill.
#include "platform/win32_file_services.h"
#include "platform/wide_text.h"
#include "support/fake_file_services.h"
#include "support/option_presets.h"
#include "tools_fixture.h"

#include <array>
#include <deque>
#include <functional>
#include <map>
#include <set>

namespace {

// The Delete key's wiring (its rules: delete_files_test) on the stand-in, with a.txt ..
// e.txt listed in C:\, c.txt unable to go to the bin and e.txt read-only: each kind of
// question in its box, the deleted entries out of the list and the rest still selected.
// Space keeps its effect.
TEST(DeleteKey, ShowsTheQuestionsAndTakesTheDeletedEntriesOut) {
    FakeFileServices fake;
    for (const char* name : {"a.txt", "b.txt", "c.txt", "d.txt", "e.txt"})
        fake.AddFile(std::string("C:\\") + name, kFileArchive | (name[0] == 'e' ? kFileReadOnly : 0));
    fake.noBin = {"c:\\c.txt"};
    MainWindowKit kit(&fake);
    ASSERT_TRUE(kit.dlg.Create());
    HWND list = kit.dlg.GetDlgItem(IDC_FILELIST);
    kit.dlg.m_browse.m_strCurDir = "C:\\";
    kit.dlg.FillFileList();
    for (int i : {0, 2, 4}) ::SendMessageA(list, LB_SETSEL, TRUE, i);
    kit.dlg.m_bWarnDelete = TRUE;
    fake.log.clear();
    PressKey(kit.dlg.GetSafeHwnd(), list, VK_DELETE);  // Yes to each question
    EXPECT_EQ(fake.log, (std::vector<std::string>{"Recycle C:\\a.txt", "Recycle C:\\c.txt no bin", "Delete C:\\c.txt",
                                                  "Recycle C:\\e.txt failed"}));
    EXPECT_EQ(kit.ui.Told(true), (std::vector<std::string>{
        "Are you sure?|Delete 3 files?|" + std::to_string(MB_YESNO | MB_ICONQUESTION),
        "Delete Error:|C:\\c.txt cannot go to the Recycle Bin.\n\nDelete it for good?|" +
            std::to_string(MB_YESNO | MB_ICONEXCLAMATION),
        "Delete Error:|Cannot delete file: C:\\e.txt|" + std::to_string(MB_OK | MB_ICONSTOP)}));
    EXPECT_EQ(ListState(list), "b.txt d.txt e.txt*");
    ::SendMessageA(list, LB_SETSEL, FALSE, -1), ::SendMessageA(list, LB_SETSEL, TRUE, 0);
    PressKey(kit.dlg.GetSafeHwnd(), list, VK_SPACE);  // toggles the caret's entry
    EXPECT_EQ(ListState(list), "b.txt d.txt e.txt");
    EXPECT_EQ(fake.log.size() + kit.ui.messages.size(), 7u) << "nothing more asked or done";
    kit.dlg.DestroyWindow();
}

// What the user types over the boxes (those given) and clicks before closing the window.
// The path box becomes <directory>subdir\ when subdir is given. `choosePath`: first
// "Change &Path", its directory chooser cancelled.
struct StatusAction { std::string name{}, subdir{}, date{}, time{}; bool clickReadOnly = false; int closeWith = IDOK;
                      bool choosePath = false; };

// Double-clicks entry `index` and does `a` in the window; returns how many windows opened.
int OpenStatus(RecordingUi& ui, HWND list, const std::string& dir, int index, const StatusAction& a) {
    int opened = 0;
    HWND status = nullptr;
    ui.onModal = [&](CDialog& shown) {
        ++opened;
        if (shown.GetTemplateId() == IDD_DIREXPLORER) {
            // The status window's own: the status window takes no input until it is closed.
            EXPECT_EQ(::GetWindow(shown.GetSafeHwnd(), GW_OWNER), status);
            EXPECT_FALSE(::IsWindowEnabled(status));
            ClickButton(shown.GetDlgItem(IDCANCEL));
            return;
        }
        status = shown.GetSafeHwnd();
        if (a.choosePath) ClickButton(shown.GetDlgItem(IDC_FS_CHANGEPATH));
        for (auto [id, text] : {std::pair<int, std::string>{IDC_FS_NAME, a.name}, {IDC_FS_MODIFIED_DATE, a.date},
                                {IDC_FS_PATH, a.subdir.empty() ? "" : dir + a.subdir + "\\"}, {IDC_FS_MODIFIED_TIME, a.time}})
            if (!text.empty()) ::SetWindowTextA(shown.GetDlgItem(id), ""), TypeText(shown.GetDlgItem(id), text);
        if (a.clickReadOnly) ClickButton(shown.GetDlgItem(IDC_ATTR_READONLY));
        if (a.closeWith == IDCANCEL) PressKey(shown.GetSafeHwnd(), shown.GetDlgItem(IDC_FS_NAME), VK_ESCAPE);
        else ClickButton(shown.GetDlgItem(IDOK));
    };
    ClickListItem(list, index);  // the list tells its window of the double click that follows
    ::SendMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    PumpMessages();
    ui.onModal = nullptr;
    return opened;
}

// `index` of a.txt, b.txt, readme.txt (read-only), hidden and modified 1975-01-02 03:04:05; then the list,
// where the file is, its time (year, month, day, hour, minute, second; zeros for unchanged) and read-only flag.
struct ApplyCase { const char* what; int index; StatusAction action; const char *listAfter, *fileAfter;
                   std::array<int, 6> modifiedAfter; bool readOnlyAfter; };

TEST_F(ToolsWindow, FileStatusAppliesItsChangesAndPatchesTheEntry) {
    const std::vector<std::string> names = {"a.txt", "b.txt", "readme.txt"};
    const char* all = "a.txt b.txt readme.txt";
    const ApplyCase cases[] = {
        {"rename keeps the place, unsorted", 0, {"zzz.txt"}, "zzz.txt b.txt readme.txt", "zzz.txt", {}, false},
        {"case only", 2, {"README.TXT"}, "a.txt b.txt README.TXT", "README.TXT", {}, true},
        {"a name in Greek and an emoji typed", 0, {"λ😀.txt"}, "λ😀.txt b.txt readme.txt", "λ😀.txt", {}, false},
        {"name taken: both untouched", 0, {"b.txt", "", "01/01/2001", "", true}, all, "a.txt", {}, false},
        {"moved away by path", 0, {"", "sub"}, "b.txt readme.txt", "sub\\a.txt", {}, false},
        {"moved and renamed", 2, {"x.txt", "sub"}, "a.txt b.txt", "sub\\x.txt", {}, true},
        {"cancel after editing", 1, {"z.txt", "sub", "01/01/2001", "", true, IDCANCEL, true}, all, "b.txt", {}, false},
        {"date pulled into range", 1, {"", "", "13/45/1999", "10:20:30"}, all, "b.txt", {1999, 12, 31, 10, 20, 30},
         false},
        {"read-only cleared", 2, {"", "", "", "", true}, all, "readme.txt", {}, false},
        {"renamed, stamped, made read-only", 1, {"new.txt", "", "12/24/2003", "", true}, "a.txt new.txt readme.txt",
         "new.txt", {2003, 12, 24, 3, 4, 5}, true},
    };
    Win32FileServices files;
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir fresh;
        ListFiles(fresh, names);
        fresh.MakeDir("sub");
        const std::string& old = names[static_cast<size_t>(c.index)];
        FileStatus start;
        // Before the first year the date boxes read back: unchanged boxes must not bring it in.
        start.modified = files.MakeLocalTime(1975, 1, 2, 3, 4, 5);
        start.attribute = kFileArchive | kFileHidden | (c.index == 2 ? kFileReadOnly : 0);
        ASSERT_FALSE(files.SetStatus(fresh.path() + old, start));
        ui.messages.clear();

        EXPECT_EQ(OpenStatus(ui, list, fresh.path(), c.index, c.action), 1 + c.action.choosePath);

        EXPECT_EQ(ListState(), c.listAfter) << "the double-clicked entry is left deselected";
        EXPECT_EQ(ReadFile(fresh.path() + c.fileAfter), "contents of " + old);
        FileStatus after;
        ASSERT_TRUE(files.GetStatus(fresh.path() + c.fileAfter, after));
        const std::array<int, 6>& m = c.modifiedAfter;
        EXPECT_EQ(after.modified, m[0] ? files.MakeLocalTime(m[0], m[1], m[2], m[3], m[4], m[5]) : start.modified);
        EXPECT_EQ(after.attribute, kFileArchive | kFileHidden | (c.readOnlyAfter ? kFileReadOnly : 0));
        // Only the double-clicked file is hidden: a refused rename leaves the other file alone.
        for (const std::string& name : NamesIn(fresh.path()))
            EXPECT_EQ(::GetFileAttributesA((fresh.path() + name).c_str()) & kFileHidden, name == c.fileAfter ? kFileHidden : 0);
        EXPECT_EQ(ui.Told(), c.action.name != "b.txt" ? std::vector<std::string>{} : std::vector<std::string>{
                  "Rename Error:|Error Moving/Renaming File:\nFrom-  " + fresh.path() + "a.txt\nTo-  " + fresh.path() + "b.txt"});
    }
}

// Names that the platform's usual path handling rewrites ("foo." is taken for "foo", "CON"
// for a device) beside the names they would become, and two names equal but for case:
// Delete, a rename run and the file status window each change exactly the files chosen,
// or say why not; every other file stays as it was, and the list shows the files there are.
TEST_F(ToolsWindow, EachNameReachesItsOwnFile) {
    enum How { kDelete, kRun, kStatus };
    const std::vector<std::string> names = {"foo", "foo.", "bar", "bar ", "a.txt", "A.TXT",
                                            "CON", "nul", "COM1.log", "aux.c"};
    // The files changed ("" for gone) and the message boxes ("$" for the directory).
    // Names the shell would misread (and a name with a twin in another case) do not go to
    // the bin: the user is asked before each is deleted for good.
    const auto ask = [](const char* name) {
        return std::string("Delete Error:|$") + name + " cannot go to the Recycle Bin.\n\nDelete it for good?";
    };
    struct Case { const char* what; How how; std::vector<std::string> chosen; std::function<void(CRenameDlg&)> options;
                  StatusAction status; std::map<std::string, std::string> changed; std::vector<std::string> told;
                  std::deque<int> answers{}; };
    // One row each: the services themselves meet every such name in win32_file_services_test.cpp.
    const Case cases[] = {
        {"delete foo to the bin, foo. and CON answered Yes then No", kDelete, {"foo", "foo.", "CON"}, {}, {},
         {{"foo", ""}, {"CON", ""}}, {ask("CON"), ask("foo.")}, {IDYES, IDNO}},
        {"run on foo., bar  and nul, stamped", kRun, {"foo.", "bar ", "nul"}, [](CRenameDlg& d) { AppendR(d), d.m_bTimeDate = 1; },
         {}, {{"foo.", ""}, {"foo_r", "contents of foo. restamped"}, {"bar ", ""}, {"bar _r", "contents of bar  restamped"},
              {"nul", ""}, {"nul_r", "contents of nul restamped"}}, {}},
        {"status: a.txt onto A.TXT", kStatus, {"a.txt"}, {}, {"A.TXT"}, {},
         {"Rename Error:|Error Moving/Renaming File:\nFrom-  $a.txt\nTo-  $A.TXT"}},
        {"status: bar  to a new name ending in a dot, new date", kStatus, {"bar "}, {}, {"bar2.", "", "01/01/2001"},
         {{"bar ", ""}, {"bar2", "contents of bar  restamped"}}, {}},
    };
    constexpr long long kMade = 1000000000;  // 2001-09-09
    dlg.m_bWarnDelete = dlg.m_bWarnRename = dlg.m_bAbortOnError = FALSE;
    ASSERT_TRUE(TrashIsTheBuilds()) << "run under scripts/lib.sh's with_wine";
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir fresh;
        ListFiles(fresh, names);
        std::map<std::string, std::string> expected;
        for (const std::string& name : names) {
            ASSERT_TRUE(SetWriteTime(fresh.path() + name, kMade)) << name;
            expected[name] = "contents of " + name;
        }
        for (const auto& [name, state] : c.changed) {
            if (state.empty()) expected.erase(name);
            else expected[name] = state;
        }
        std::vector<int> chosen;
        for (const std::string& name : c.chosen)
            for (int i = 0; i < static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0)); ++i)
                if (GetListBoxText(list, i) == name) chosen.push_back(i);
        ASSERT_EQ(chosen.size(), c.chosen.size());
        dlg.m_bChangePrefix = dlg.m_bPrefixUpper = dlg.m_bChangeExt = dlg.m_bExtUpper = dlg.m_bTimeDate = 0;
        dlg.m_strNewPrefix.clear();
        if (c.options) c.options(dlg);
        ui.messages.clear();
        ui.answers = c.answers;

        if (c.how == kStatus) {
            EXPECT_EQ(OpenStatus(ui, list, fresh.path(), chosen[0], c.status), 1);
        } else {
            for (int i : chosen) ::SendMessageA(list, LB_SETSEL, TRUE, i);
            if (c.how == kDelete) PressKey(hwnd, list, VK_DELETE);
            else ClickButton(dlg.GetDlgItem(IDC_RENAME));
        }

        EXPECT_EQ(Files(fresh.path(), true, false, kMade), expected);
        std::vector<std::string> told = c.told;
        for (std::string& line : told)
            for (size_t at; (at = line.find('$')) != std::string::npos;) line.replace(at, 1, fresh.path());
        EXPECT_EQ(ui.Told(), told);
        EXPECT_EQ(ListState().find("(not the files"), std::string::npos) << ListState();
    }
}

TEST_F(ToolsWindow, FileStatusOfAVanishedFileIsToldWithoutAWindow) {
    ListFiles(dir, {"a.txt"});
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("gone.txt"));
    EXPECT_EQ(OpenStatus(ui, list, dir.path(), 1, {"other.txt"}), 0);
    EXPECT_NE(ui.Told().at(0).find(dir.path() + "gone.txt"), std::string::npos) << ui.Told().at(0);
    EXPECT_EQ(ListState(), "a.txt gone.txt (not the files on the disk)");
}

// How many entries of `dir` list as `name`.
int Listed(const std::string& dir, const std::string& name) {
    int listed = 0;
    Win32FileServices().EnumerateDirectory(dir, [&](const FindEntry& e) { listed += e.name == name; });
    return listed;
}

// Under Wine a name whose Unix bytes are not UTF-8 lists with U+FFFD, as the real
// "bad\uFFFD.txt" beside it does. Such a file can only be made on the Unix side: a shell
// does it, and the test waits until the listing shows it.
bool MakeNonUtf8Twin(const TempDir& in, const std::string& utf8Name, const std::string& unixBytes) {
    TempDir scripts;
    const std::string script = scripts.WriteFile("twin.sh", "printf x > \"$1/$(printf '" + unixBytes + "')\"\n");
    std::string command = "/bin/sh \"" + UnixPathOf(script) + "\" \"" + UnixPathOf(in.path()) + "\"";
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process;
    if (!::CreateProcessA("Z:\\bin\\sh", &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    ::CloseHandle(process.hThread), ::CloseHandle(process.hProcess);
    for (int waited = 0; Listed(in.path(), utf8Name) < 2 && waited < 10000; waited += 20) ::Sleep(20);
    return Listed(in.path(), utf8Name) == 2;
}

// Delete, a rename run and the file status window on either of two entries that list
// alike, one of them a name that is not valid Unicode: each is refused, nothing changes.
TEST_F(ToolsWindow, ANameThatIsNotValidUnicodeIsRefused) {
    const std::string bad = "bad\xEF\xBF\xBD.txt", refused = bad + " cannot be handled: its name is not valid Unicode.";
    dir.WriteFile(bad);
    dir.WriteFile("ok.txt");
    ASSERT_TRUE(MakeNonUtf8Twin(dir, bad, "bad\\377.txt"));
    dlg.m_browse.m_strCurDir = dir.path();
    dlg.m_bWarnDelete = dlg.m_bWarnRename = FALSE;
    dlg.m_bChangePrefix = 1, dlg.m_strNewPrefix = "_r";
    for (int index : {0, 1})
        for (int how : {0, 1, 2}) {
            SCOPED_TRACE(std::to_string(index) + " " + std::to_string(how));
            dlg.FillFileList();
            ASSERT_EQ(Items(list), (std::vector<std::string>{bad, bad, "ok.txt"}));
            ui.messages.clear();
            ::SendMessageA(list, LB_SETSEL, FALSE, -1), ::SendMessageA(list, LB_SETSEL, TRUE, index);
            if (how == 0) PressKey(hwnd, list, VK_DELETE);
            if (how == 1) ClickButton(dlg.GetDlgItem(IDC_RENAME));
            if (how == 2) {
                EXPECT_EQ(OpenStatus(ui, list, dir.path(), index, {"other.txt"}), 0);
            }
            const char* title = how == 0 ? "Delete Error:|" : how == 1 ? "Rename Error:|" : "Error:|";
            EXPECT_EQ(ui.Told(), std::vector<std::string>{title + refused});
            EXPECT_EQ(Listed(dir.path(), bad), 2);
            EXPECT_EQ(NamesIn(dir.path()), (std::set<std::string>{bad, "ok.txt"}));
        }
}

}  // namespace
