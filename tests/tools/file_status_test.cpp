// Double click on a file: "File Status..." renames, moves, re-stamps and
// re-attributes that one file, and the list entry follows without a refill.
#include "platform/file_services.h"
#include "tools_fixture.h"

#include <array>

namespace {

// What the user types over the boxes (those given) and clicks before closing the window.
// The path box becomes <directory>subdir\ when subdir is given.
struct StatusAction { std::string name{}, subdir{}, date{}, time{}; bool clickReadOnly = false; int closeWith = IDOK; };

// Double-clicks entry `index` and does `a` in the window; returns how many windows opened.
int OpenStatus(HWND list, const std::string& dir, int index, const StatusAction& a) {
    int opened = 0;
    SetModalHook([&](CDialog& shown) {
        ++opened;
        for (auto [id, text] : {std::pair<int, std::string>{IDC_FS_NAME, a.name}, {IDC_FS_MODIFIED_DATE, a.date},
                                {IDC_FS_PATH, a.subdir.empty() ? "" : dir + a.subdir + "\\"}, {IDC_FS_MODIFIED_TIME, a.time}})
            if (!text.empty()) ::SetWindowTextA(shown.GetDlgItem(id), ""), TypeText(shown.GetDlgItem(id), text);
        if (a.clickReadOnly) ClickButton(shown.GetDlgItem(IDC_ATTR_READONLY));
        if (a.closeWith == IDCANCEL) PressKey(shown.GetSafeHwnd(), shown.GetDlgItem(IDC_FS_NAME), VK_ESCAPE);
        else ClickButton(shown.GetDlgItem(IDOK));
    });
    ClickListItem(list, index);  // the list tells its window of the double click that follows
    ::SendMessageA(::GetParent(list), WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    PumpMessages();
    SetModalHook(nullptr);
    return opened;
}

// `index` of a.txt, b.txt, readme.txt (read-only), hidden and modified 2010-01-02 03:04:05; then the list,
// where the file is, its time (year, month, day, hour, minute, second; zeros for unchanged) and read-only flag.
struct ApplyCase { const char* what; int index; StatusAction action; const char *listAfter, *fileAfter;
                   std::array<int, 6> modifiedAfter; bool readOnlyAfter; };

TEST_F(ToolsWindow, FileStatusAppliesItsChangesAndPatchesTheEntry) {
    const std::vector<std::string> names = {"a.txt", "b.txt", "readme.txt"};
    const char* all = "a.txt b.txt readme.txt";
    const ApplyCase cases[] = {
        {"rename keeps the place, unsorted", 0, {"zzz.txt"}, "zzz.txt b.txt readme.txt", "zzz.txt", {}, false},
        {"case only", 2, {"README.TXT"}, "a.txt b.txt README.TXT", "README.TXT", {}, true},
        {"name taken: both untouched", 0, {"b.txt", "", "01/01/2001", "", true}, all, "a.txt", {}, false},
        {"moved away by path", 0, {"", "sub"}, "b.txt readme.txt", "sub\\a.txt", {}, false},
        {"moved and renamed", 2, {"x.txt", "sub"}, "a.txt b.txt", "sub\\x.txt", {}, true},
        {"cancel after editing", 1, {"z.txt", "sub", "01/01/2001", "", true, IDCANCEL}, all, "b.txt", {}, false},
        {"date pulled into range", 1, {"", "", "13/45/1999", "10:20:30"}, all, "b.txt", {1999, 12, 31, 10, 20, 30},
         false},
        {"read-only cleared", 2, {"", "", "", "", true}, all, "readme.txt", {}, false},
        {"renamed, stamped, made read-only", 1, {"new.txt", "", "12/24/2003", "", true}, "a.txt new.txt readme.txt",
         "new.txt", {2003, 12, 24, 3, 4, 5}, true},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir fresh;
        ListFiles(fresh, names);
        fresh.MakeDir("sub");
        const std::string& old = names[static_cast<size_t>(c.index)];
        FileStatus start;
        start.modified = Platform().MakeLocalTime(2010, 1, 2, 3, 4, 5);
        start.attribute = kFileArchive | kFileHidden | (c.index == 2 ? kFileReadOnly : 0);
        std::string error;
        ASSERT_TRUE(Platform().SetStatus(fresh.path() + old, start, error)) << error;
        sink.messages.clear();

        EXPECT_EQ(OpenStatus(list, fresh.path(), c.index, c.action), 1);

        EXPECT_EQ(ListState(), c.listAfter) << "the double-clicked entry is left deselected";
        EXPECT_EQ(ReadFile(fresh.path() + c.fileAfter), "contents of " + old);
        FileStatus after;
        ASSERT_TRUE(Platform().GetStatus(fresh.path() + c.fileAfter, after));
        const std::array<int, 6>& m = c.modifiedAfter;
        EXPECT_EQ(after.modified, m[0] ? Platform().MakeLocalTime(m[0], m[1], m[2], m[3], m[4], m[5]) : start.modified);
        EXPECT_EQ(after.attribute, kFileArchive | kFileHidden | (c.readOnlyAfter ? kFileReadOnly : 0));
        // Only the double-clicked file is hidden: a refused rename leaves the other file alone.
        for (const std::string& name : NamesIn(fresh.path()))
            EXPECT_EQ(::GetFileAttributesA((fresh.path() + name).c_str()) & kFileHidden, name == c.fileAfter ? kFileHidden : 0);
        EXPECT_EQ(Shown(), c.action.name != "b.txt" ? "" : Box("Rename Error:", "Error Moving/Renaming File:\nFrom-  " +
                  fresh.path() + "a.txt\nTo-  " + fresh.path() + "b.txt", MB_OK | MB_ICONEXCLAMATION));
    }
}

TEST_F(ToolsWindow, FileStatusOfAVanishedFileIsToldWithoutAWindow) {
    ListFiles(dir, {"a.txt"});
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("gone.txt"));
    EXPECT_EQ(OpenStatus(list, dir.path(), 1, {"other.txt"}), 0);
    EXPECT_NE(Shown().find(dir.path() + "gone.txt"), std::string::npos) << Shown();
    EXPECT_EQ(ListState(), "a.txt gone.txt (not the files on the disk)");
}

// "Change &Path" opens the directory chooser as the status window's own: the status
// window takes no input until the chooser is closed.
TEST_F(ToolsWindow, FileStatusOwnsItsDirectoryChooser) {
    ListFiles(dir, {"a.txt"});
    HWND status = nullptr;
    std::string chooser;
    SetModalHook([&](CDialog& shown) {
        if (!status) {
            status = shown.GetSafeHwnd();
            ClickButton(shown.GetDlgItem(IDC_FS_CHANGEPATH));
        } else {
            chooser = std::string(::GetWindow(shown.GetSafeHwnd(), GW_OWNER) == status ? "owned" : "not owned") +
                      (::IsWindowEnabled(status) ? ", status window enabled" : ", status window disabled");
        }
        ClickButton(shown.GetDlgItem(IDCANCEL));
    });
    ClickListItem(list, 0);
    ::SendMessageA(hwnd, WM_COMMAND, MAKEWPARAM(IDC_FILELIST, LBN_DBLCLK), reinterpret_cast<LPARAM>(list));
    PumpMessages();
    SetModalHook(nullptr);
    EXPECT_EQ(chooser, "owned, status window disabled");
}

}  // namespace
