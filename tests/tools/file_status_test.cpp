// Double click on a file: "File Status..." renames, moves, re-stamps and
// re-attributes that one file, and the list entry follows without a refill.
#include "platform/file_services.h"
#include "support/fake_file_services.h"
#include "tools_fixture.h"

#include <algorithm>
#include <array>

namespace {

// What the user types over the boxes (those given) and clicks before closing the window.
struct StatusAction {
    std::string name{}, subdir{}, date{}, time{};  // subdir: the path box becomes <directory>subdir\ .
    bool clickReadOnly = false;
    int closeWith = IDOK;
};

// Double-clicks entry `index` and does `a` in the window; returns how many windows opened.
int OpenStatus(HWND list, const std::string& dir, int index, const StatusAction& a) {
    int opened = 0;
    SetModalHook([&](CDialog& shown) {
        ++opened;
        auto typeOver = [&](int id, const std::string& text) {
            ::SendMessageA(shown.GetDlgItem(id), EM_SETSEL, 0, -1);
            for (char c : text) ::SendMessageA(shown.GetDlgItem(id), WM_CHAR, static_cast<unsigned char>(c), 1);
        };
        if (!a.name.empty()) typeOver(IDC_FS_NAME, a.name);
        if (!a.subdir.empty()) typeOver(IDC_FS_PATH, dir + a.subdir + "\\");
        if (!a.date.empty()) typeOver(IDC_FS_MODIFIED_DATE, a.date);
        if (!a.time.empty()) typeOver(IDC_FS_MODIFIED_TIME, a.time);
        if (a.clickReadOnly) ClickButton(shown.GetDlgItem(IDC_ATTR_READONLY));
        if (a.closeWith == IDCANCEL) PressKey(shown.GetSafeHwnd(), shown.GetDlgItem(IDC_FS_NAME), VK_ESCAPE);
        else ClickButton(shown.GetDlgItem(IDOK));
    });
    // A real double click: the list sends its own LBN_DBLCLK.
    RECT r;
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&r));
    for (UINT msg : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP})
        ::SendMessageA(list, msg, msg == WM_LBUTTONUP ? 0 : MK_LBUTTON, MAKELPARAM((r.left + r.right) / 2, r.top + 2));
    PumpMessages();
    SetModalHook(nullptr);
    return opened;
}

struct ApplyCase {
    const char* what;
    int index;  // of a.txt, b.txt, readme.txt (read-only); it is hidden and modified 2010-01-02 03:04:05
    StatusAction action;
    // The list and where the double-clicked file is then.
    const char *listAfter, *fileAfter;
    std::array<int, 6> modifiedAfter;  // year, month, day, hour, minute, second; zeros for unchanged
    bool readOnlyAfter;
};

TEST_F(ToolsWindow, FileStatusAppliesItsChangesAndPatchesTheEntry) {
    const std::vector<std::string> names = {"a.txt", "b.txt", "readme.txt"};
    const char* all = "a.txt b.txt readme.txt";
    const ApplyCase cases[] = {
        {"rename keeps the place, unsorted", 0, {"zzz.txt"}, "zzz.txt b.txt readme.txt", "zzz.txt", {}, false},
        {"case only", 2, {"README.TXT"}, "a.txt b.txt README.TXT", "README.TXT", {}, true},
        {"name taken: both untouched", 0, {"b.txt", "", "01/01/2001", "", true}, all, "a.txt", {}, false},
        {"moved away by path", 0, {"", "sub"}, "b.txt readme.txt", "sub\\a.txt", {}, false},
        {"moved and renamed, last entry", 2, {"x.txt", "sub"}, "a.txt b.txt", "sub\\x.txt", {}, true},
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
        LRESULT last = ::SendMessageA(list, LB_GETCOUNT, 0, 0) - 1;
        EXPECT_EQ(::SendMessageA(list, LB_GETCARETINDEX, 0, 0), std::min<LRESULT>(c.index, last));
        EXPECT_EQ(ReadFile(fresh.path() + c.fileAfter), "contents of " + old);
        FileStatus after;
        ASSERT_TRUE(Platform().GetStatus(fresh.path() + c.fileAfter, after));
        const std::array<int, 6>& m = c.modifiedAfter;
        EXPECT_EQ(after.modified, m[0] ? Platform().MakeLocalTime(m[0], m[1], m[2], m[3], m[4], m[5]) : start.modified);
        EXPECT_EQ(after.attribute, kFileArchive | kFileHidden | (c.readOnlyAfter ? kFileReadOnly : 0));
        // Only the double-clicked file is hidden: a refused rename leaves the other file alone.
        for (const std::string& name : NamesIn(fresh.path()))
            EXPECT_EQ(::GetFileAttributesA((fresh.path() + name).c_str()) & kFileHidden,
                      name == c.fileAfter ? kFileHidden : 0);
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

// Root may stamp a read-only file here anyway; the stand-in refuses, as a read-only
// file does elsewhere, and the new time must still arrive.
TEST_F(ToolsWindow, FileStatusStampsReadOnlyFilesWhereTheyRefuseTimes) {
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    FakeEntry& keep = fake.AddFile("C:\\work\\keep.txt", kFileArchive | kFileReadOnly, 1000, "x");
    dlg.m_strCurDir = "C:\\work\\";
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("keep.txt"));
    OpenStatus(list, dlg.m_strCurDir, 0, {"", "", "02/03/2001", "04:05:06"});
    EXPECT_EQ(Shown(), "");
    EXPECT_EQ(keep.modified, fake.MakeLocalTime(2001, 2, 3, 4, 5, 6));
    EXPECT_EQ(keep.attrib, kFileArchive | kFileReadOnly);
}

}  // namespace
