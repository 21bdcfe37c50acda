// Paths handed to the program, on its command line or dropped on its window: a
// directory opens, files open their directory selected, a path that names nothing is
// told and changes nothing; a rule set opens as one.
#include "platform/wide_text.h"
#include "platform/win32_file_services.h"
#include "support/ui_test_kit.h"

#include <shlobj.h>

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct Photos {
    Photos() {
        files.WriteFile("photos\\a.jpg");
        files.WriteFile("photos\\B.jpg");
        files.WriteFile("photos\\c.jpg");
        files.WriteFile("elsewhere.jpg");
        files.WriteFile("trip\\wrong.jpg");
        files.WriteFile("locked\\x.jpg");
    }
    TempDir files;
    const std::string sub = files.MakeDir("photos"), trip = files.MakeDir("trip."), other = files.MakeDir("trip");
    const std::string locked = files.MakeDir("locked");
    const std::string missing = files.path() + "gone";
};

// Real files, but for a folder that may be passed through and not listed: as root,
// Wine lists every folder.
struct LockedFolder : Win32FileServices {
    std::string locked;
    bool Locked(const std::string& dir) const { return (dir.back() == '\\' ? dir : dir + "\\") == locked; }
    bool CanList(const std::string& dir) override { return !Locked(dir) && Win32FileServices::CanList(dir); }
    bool EnumerateDirectory(const std::string& dir, const std::function<void(const FindEntry&)>& entry) override {
        return !Locked(dir) && Win32FileServices::EnumerateDirectory(dir, entry);
    }
};

// A drop handle as Explorer makes one: the paths, wide, each ended, the list ended.
HDROP DropOf(const std::vector<std::string>& paths) {
    std::wstring text;
    for (const std::string& path : paths) text += std::wstring(path.begin(), path.end()) + L'\0';
    text += L'\0';
    HGLOBAL memory = ::GlobalAlloc(GHND, sizeof(DROPFILES) + text.size() * sizeof(wchar_t));
    auto* files = static_cast<DROPFILES*>(::GlobalLock(memory));
    files->pFiles = sizeof(DROPFILES);
    files->fWide = TRUE;
    std::memcpy(files + 1, text.data(), text.size() * sizeof(wchar_t));
    ::GlobalUnlock(memory);
    return static_cast<HDROP>(memory);
}

// On the command line and dropped.
TEST(OpenTarget, AFolderOpensAndFilesAreSelectedInTheirDirectory) {
    Photos p;
    struct Row {
        bool dropped;
        std::vector<std::string> paths;
        std::string dir;
        std::vector<std::string> selected, told;
    };
    const std::string folder = p.sub.substr(0, p.sub.size() - 1), missing = "NOTE:|Cannot open: " + p.missing;
    const std::string trip = p.trip.substr(0, p.trip.size() - 1), locked = "NOTE:|Cannot open: " + p.locked;
    for (const Row& row : {Row{false, {folder}, p.sub, {}, {}}, Row{false, {p.sub + "B.jpg"}, p.sub, {"B.jpg"}, {}},
                           Row{false, {p.sub + "c.jpg", p.sub + "a.jpg"}, p.sub, {"a.jpg", "c.jpg"}, {}},
                           Row{false, {p.missing}, "", {}, {missing}}, Row{true, {folder}, p.sub, {}, {}},
                           Row{true, {p.sub + "c.jpg", p.sub + "a.jpg", p.files.path() + "elsewhere.jpg"}, p.sub,
                               {"a.jpg", "c.jpg"}, {}},
                           Row{true, {p.missing}, "", {}, {missing}}, Row{false, {trip}, p.trip, {}, {}},
                           Row{true, {trip}, p.trip, {}, {}}, Row{false, {"\\\\?\\" + folder}, p.sub, {}, {}},
                           Row{false, {p.locked + "x.jpg"}, "", {}, {locked}}, Row{true, {p.locked + "x.jpg"}, "", {}, {locked}}}) {
        SCOPED_TRACE(row.paths[0]);
        MainWindowKit kit;
        LockedFolder files;
        files.locked = p.locked;
        const Services services{files, kit.ui, kit.dir.path() + "vorlix.ini",
                                row.dropped ? std::vector<std::string>{} : row.paths};
        CRenameDlg dlg(services);
        ASSERT_TRUE(dlg.Create());
        PumpMessages(dlg.GetSafeHwnd());
        const std::string before = dlg.m_browse.m_strCurDir;
        const std::vector<std::string> listedBefore = Items(dlg.GetDlgItem(IDC_FILELIST));
        if (row.dropped) {
            ::SendMessageW(dlg.GetSafeHwnd(), WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf(row.paths)), 0);
            PumpMessages(dlg.GetSafeHwnd());
        }
        EXPECT_EQ(dlg.m_browse.m_strCurDir, row.dir.empty() ? before : row.dir);
        if (row.dir.empty()) {
            EXPECT_EQ(Items(dlg.GetDlgItem(IDC_FILELIST)), listedBefore);
        }
        EXPECT_EQ(dlg.FilePane().SelectedNames(), row.selected);
        EXPECT_EQ(dlg.m_lSelCount, static_cast<long>(row.selected.size()));
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        if (!row.selected.empty()) {
            EXPECT_EQ(::SendMessageA(list, LB_GETSEL, ::SendMessageA(list, LB_GETCARETINDEX, 0, 0), 0), 1);
        }
        EXPECT_EQ(kit.ui.Told(), row.told);
        dlg.DestroyWindow();
    }
}

// The program itself, started as Explorer starts it: a copy of its own in a folder of
// the test's, with its settings, journal and rule sets there too. Every process still
// running is ended with the test.
struct Program {
    Program() {
        ::CopyFileW(ToWide(VORLIX_EXE).c_str(), ToWide(home.path() + "vorlix.exe").c_str(), FALSE);
        for (const wchar_t* name : {L"LOCALAPPDATA", L"APPDATA"}) {
            wchar_t old[MAX_PATH] = L"";
            ::GetEnvironmentVariableW(name, old, MAX_PATH);
            kept.emplace_back(name, old);
            ::SetEnvironmentVariableW(name, ToWide(home.path()).c_str());
        }
    }
    ~Program() {
        for (PROCESS_INFORMATION& p : started) {
            if (::WaitForSingleObject(p.hProcess, 0) == WAIT_TIMEOUT) ::TerminateProcess(p.hProcess, 9);
            ::WaitForSingleObject(p.hProcess, INFINITE);
            ::CloseHandle(p.hThread);
            ::CloseHandle(p.hProcess);
        }
        for (const auto& [name, value] : kept) ::SetEnvironmentVariableW(name.c_str(), value.c_str());
    }
    void Start(const std::wstring& arguments) {
        std::wstring command = L"\"" + ToWide(home.path() + "vorlix.exe") + L"\" " + arguments;
        STARTUPINFOW startup = {};
        startup.cb = sizeof startup;
        PROCESS_INFORMATION process = {};
        if (::CreateProcessW(nullptr, &command[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
            started.push_back(process);
    }
    // Waits (30 s at most) until one process is left, showing a window whose file list
    // has `selected` entries selected; that window, or null.
    HWND WindowOfTheLastOne(LRESULT selected) {
        for (const DWORD start = ::GetTickCount(); ::GetTickCount() - start < 30000; ::Sleep(100)) {
            HWND window = nullptr;
            int running = 0;
            for (const PROCESS_INFORMATION& p : started) {
                if (::WaitForSingleObject(p.hProcess, 0) != WAIT_TIMEOUT) continue;
                ++running;
                for (HWND w = ::GetTopWindow(nullptr); w; w = ::GetWindow(w, GW_HWNDNEXT)) {
                    DWORD owner = 0;
                    ::GetWindowThreadProcessId(w, &owner);
                    if (owner == p.dwProcessId && ::GetDlgItem(w, IDC_FILELIST)) window = w;
                }
            }
            if (running == 1 && window && ::SendDlgItemMessageW(window, IDC_FILELIST, LB_GETSELCOUNT, 0, 0) == selected)
                return window;
        }
        return nullptr;
    }

    TempDir home;
    std::vector<std::pair<std::wstring, std::wstring>> kept;
    std::vector<PROCESS_INFORMATION> started;
};

// Explorer starts the program once for each of the files chosen together ("/select"):
// one window opens with all of them selected, and the other processes end. A rule set
// with files on the command line opens both.
TEST(OpenTarget, TheProgramStartedAsExplorerStartsIt) {
    TempDir dir;
    const std::vector<std::string> chosen = {"\xC3\x9Cn\xC3\xAF 1.jpg", "b.jpg", "c .jpg"};
    for (const std::string& name : chosen) dir.WriteFile(name);
    dir.WriteFile("left out.jpg");
    const std::string rules = dir.WriteFile("set.vorlixrules", "[Vorlix rules 1]\nChangePrefix=1\nNewPrefix=x_\n");
    {
        Program program;
        for (const std::string& name : chosen) program.Start(L"/select \"" + ToWide(dir.path() + name) + L"\"");
        HWND window = program.WindowOfTheLastOne(3);
        ASSERT_TRUE(window);
        EXPECT_EQ(::SendDlgItemMessageW(window, IDC_FILELIST, LB_GETCOUNT, 0, 0), 5);
    }
    Program program;
    program.Start(L"/RULES \"" + ToWide(rules) + L"\" \"" + ToWide(dir.path() + chosen[0]) + L"\" \"" +
                  ToWide(dir.path() + chosen[2]) + L"\"");
    HWND window = program.WindowOfTheLastOne(2);
    ASSERT_TRUE(window);
    wchar_t prefix[32] = L"";
    ::GetDlgItemTextW(window, IDC_NEWPREFIX, prefix, 32);
    EXPECT_EQ(std::wstring(prefix), L"x_");
}

// The window gathers only files of its own folder, and only until a quiet spell ends
// the gathering: then the next file claims a window of its own.
TEST(OpenTarget, AWindowGathersItsOwnFolderUntilAQuietSpell) {
    Photos p;
    MainWindowKit kit;
    SelectionGatherer gatherer;
    ASSERT_FALSE(HandSelectionOver(p.sub + "a.jpg", gatherer));  // the first: it claims
    CRenameDlg dlg(Services{kit.realFiles, kit.ui, kit.dir.path() + "vorlix.ini", {p.sub + "a.jpg"}, "", "", "", "",
                            nullptr, "", &gatherer});
    ASSERT_TRUE(dlg.Create());
    HWND list = dlg.GetDlgItem(IDC_FILELIST);
    SelectionGatherer other;
    EXPECT_TRUE(HandSelectionOver(p.sub + "c.jpg", other));
    EXPECT_FALSE(HandSelectionOver(p.files.path() + "elsewhere.jpg", other));  // another folder: its own claim
    other.Stop();
    EXPECT_EQ(ListState(list), "a.jpg* B.jpg c.jpg*");
    ::SendMessageW(dlg.GetSafeHwnd(), WM_TIMER, 1, 0);  // three quiet seconds
    EXPECT_FALSE(HandSelectionOver(p.sub + "B.jpg", other));
    EXPECT_EQ(ListState(list), "a.jpg* B.jpg c.jpg*");
    dlg.DestroyWindow();
}

// Picked in the tree, a folder that cannot be listed is told; the folder shown, its list
// and the tree's selection stay.
TEST(OpenTarget, AFolderPickedInTheTreeThatCannotBeListedChangesNothing) {
    Photos p;
    MainWindowKit kit;
    LockedFolder files;
    files.locked = p.locked;
    CRenameDlg dlg(Services{files, kit.ui, kit.dir.path() + "vorlix.ini", {p.sub}});
    ASSERT_TRUE(dlg.Create());
    HWND tree = dlg.GetDlgItem(IDC_DIRTREE), list = dlg.GetDlgItem(IDC_FILELIST);
    HTREEITEM photos = TreeView_GetSelection(tree), lockedItem = TreeView_GetChild(tree, TreeView_GetParent(tree, photos));
    while (lockedItem && TreeItemText(tree, lockedItem) != "locked") lockedItem = TreeView_GetNextSibling(tree, lockedItem);
    ASSERT_TRUE(lockedItem);
    TreeView_SelectItem(tree, lockedItem);
    EXPECT_EQ(kit.ui.Told(), std::vector<std::string>{"NOTE:|Cannot open: " + p.locked});
    EXPECT_EQ(dlg.m_browse.m_strCurDir, p.sub);
    EXPECT_EQ(Items(list), (std::vector<std::string>{"a.jpg", "B.jpg", "c.jpg"}));
    EXPECT_EQ(TreeView_GetSelection(tree), photos);
    dlg.DestroyWindow();
}

// Rule sets through the window: saved and opened from the system menu and with Ctrl+S
// and Ctrl+O, the recent list, a file that is no rule set, one that asks for what the
// window does not allow, one dropped on the window and one given with "/rules".
// The entries of the system menu's "Recen&t Rules".
std::vector<std::string> RecentEntries(HWND hwnd) {
    HMENU sys = ::GetSystemMenu(hwnd, FALSE);
    HMENU recent = ::GetSubMenu(sys, ::GetMenuItemCount(sys) - 1);
    std::vector<std::string> entries;
    for (int i = 0; i < ::GetMenuItemCount(recent); ++i) {
        char text[600] = "";
        ::GetMenuStringA(recent, UINT(i), text, sizeof text, MF_BYPOSITION);
        entries.push_back(text);
    }
    return entries;
}

const std::string kBoth = "[Vorlix rules 1]\nChangePrefix=1\nPrefixUpper=1\nPrefixLower=1\nNewPrefix=x_\n";

struct RuleSets : WindowTest {};

TEST_F(RuleSets, SavedOpenedAndRecentThroughTheMenuAndKeys) {
    ClickButton(Item(IDC_CHGPREFIX));
    TypeText(Item(IDC_NEWPREFIX), "x_");
    const std::string a = dir.path() + "a.vorlixrules", b = dir.path() + "b&.vorlixrules";
    ui.files = {a, b};
    ::SendMessageW(hwnd, WM_SYSCOMMAND, IDM_SAVERULES, 0);
    PressCtrlKey(hwnd, Item(IDC_NEWPREFIX), 'S');  // in an edit box too
    EXPECT_EQ(ui.fileDialogs, (std::vector<std::string>{"Save|" + kit.appData.path() + "Vorlix\\Rules\\",
                                                        "Save|" + dir.path()}));
    EXPECT_NE(ReadFile(a).find("\r\nChangePrefix=1\r\nNewPrefix=x_\r\n"), std::string::npos);
    EXPECT_EQ(ReadFile(b), ReadFile(a));
    EXPECT_EQ(RecentEntries(hwnd), (std::vector<std::string>{"&1 " + dir.path() + "b&&.vorlixrules", "&2 " + a}));

    ClickButton(Item(IDC_CHGPREFIX));
    ui.files = {a};
    PressCtrlKey(hwnd, list, 'O');
    EXPECT_EQ(CheckOf(Item(IDC_CHGPREFIX)), 1);
    EXPECT_TRUE(IsEnabled(Item(IDC_NEWPREFIX)));
    EXPECT_EQ(TextOf(Item(IDC_NEWPREFIX)), "x_");
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "{Old Prefix}x_.{Old Extension}");
    EXPECT_EQ(ReadFile(kit.appData.path() + "Vorlix\\recent-rules.txt"), a + "\r\n" + b + "\r\n");

    // The second entry has gone meanwhile: told and dropped.
    ::DeleteFileA(b.c_str());
    ::SendMessageW(hwnd, WM_SYSCOMMAND, IDM_RECENTRULES + 16, 0);
    EXPECT_EQ(RecentEntries(hwnd), std::vector<std::string>{"&1 " + a});

    // No rule set: told, nothing changes.
    const std::string c = dir.WriteFile("c.vorlixrules", "[Vorlix rules 2]\nChangePrefix=0\n");
    ui.files = {c};
    ::SendMessageW(hwnd, WM_SYSCOMMAND, IDM_OPENRULES, 0);
    EXPECT_EQ(ui.Told(), (std::vector<std::string>{"NOTE:|Cannot open: " + b, "Rule Set Error:|Not a rule set: " + c}));
    EXPECT_EQ(CheckOf(Item(IDC_CHGPREFIX)), 1);
    EXPECT_EQ(RecentEntries(hwnd), std::vector<std::string>{"&1 " + a});
}

// Dropped, and given with "/rules" at start-up (after the settings file): the window's
// rules hold over a rule set that ticks both "UPPER" and "lower".
TEST_F(RuleSets, DroppedOrGivenAtStartUpTheWindowsRulesHold) {
    const std::string both = dir.WriteFile("both.vorlixrules", kBoth);
    ::SendMessageW(hwnd, WM_DROPFILES, reinterpret_cast<WPARAM>(DropOf({both})), 0);

    Services given = kit.services;
    given.rulesPath = both;
    CRenameDlg started(given);
    ASSERT_TRUE(started.Create());
    for (CRenameDlg* w : {&dlg, &started}) {
        EXPECT_EQ(CheckOf(w->GetDlgItem(IDC_PREFIXUPPER)), 0);
        EXPECT_EQ(CheckOf(w->GetDlgItem(IDC_PREFIXLOWER)), 1);
        EXPECT_EQ(TextOf(w->GetDlgItem(IDC_PREVIEW)), "{old prefix}x_.{Old Extension}");
    }
    started.DestroyWindow();
    EXPECT_EQ(ui.Told(), std::vector<std::string>{});
}

}  // namespace
