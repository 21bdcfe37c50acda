// Double click on a file: "File Status..." renames, moves, re-stamps and
// re-attributes that one file, and the list entry follows without a refill.
#include "platform/file_services.h"
#include "settings/date_time_text.h"
#include "support/fake_file_services.h"
#include "tools_fixture.h"

#include <algorithm>
#include <set>

namespace {

// What the user does in the window before closing it.
struct StatusAction {
    StatusAction(std::string n = "", std::string sub = "", std::string date = "", std::string time = "",
                 bool readOnly = false, int close = IDOK)
        : name(n), subdir(sub), modifiedDate(date), modifiedTime(time), clickReadOnly(readOnly), closeWith(close) {}
    std::string name;          // typed over the name box when not empty
    std::string subdir;        // when not empty: the path box becomes <directory> + subdir + "\"
    std::string modifiedDate;  // typed over the last-modified boxes when not empty
    std::string modifiedTime;
    bool clickReadOnly;
    int closeWith;
};

// Double-clicks entry `index` and does `action` in the window; returns how many windows opened.
int OpenStatus(HWND list, const std::string& dir, int index, const StatusAction& a) {
    int opened = 0;
    SetModalHook([&](CDialog& shown) {
        ++opened;
        if (!a.name.empty()) TypeOver(shown.GetDlgItem(IDC_FS_NAME), a.name);
        if (!a.subdir.empty()) TypeOver(shown.GetDlgItem(IDC_FS_PATH), dir + a.subdir + "\\");
        if (!a.modifiedDate.empty()) TypeOver(shown.GetDlgItem(IDC_FS_MODIFIED_DATE), a.modifiedDate);
        if (!a.modifiedTime.empty()) TypeOver(shown.GetDlgItem(IDC_FS_MODIFIED_TIME), a.modifiedTime);
        if (a.clickReadOnly) ClickButton(shown.GetDlgItem(IDC_ATTR_READONLY));
        if (a.closeWith == IDCANCEL) PressKey(shown.GetSafeHwnd(), shown.GetDlgItem(IDC_FS_NAME), VK_ESCAPE);
        else ClickButton(shown.GetDlgItem(IDOK));
    });
    DoubleClickListItem(list, index);
    SetModalHook(nullptr);
    return opened;
}

// Names in a directory as the file system spells them.
std::set<std::string> NamesIn(const std::string& dir) {
    std::set<std::string> names;
    WIN32_FIND_DATAA data;
    HANDLE find = ::FindFirstFileA((dir + "*").c_str(), &data);
    if (find == INVALID_HANDLE_VALUE) return names;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.insert(data.cFileName);
    } while (::FindNextFileA(find, &data));
    ::FindClose(find);
    return names;
}

std::string LocalText(TimeValue t) {
    LocalTime l = Platform().ToLocalTime(t);
    return FormatDate(l.month, l.day, l.year) + " " + FormatTime(l.hour, l.minute, l.second);
}

struct ApplyCase {
    const char* what;
    int index;  // of the list {"a.txt", "b.txt", "readme.txt"}, b.txt read-only when asked
    StatusAction action;
    bool readOnlyBefore;
    std::vector<std::string> entriesAfter;
    std::set<std::string> inDirAfter, inSubAfter;
    std::string modifiedAfter;  // local "MM/DD/YYYY HH:MM:SS" of the double-clicked file; "" unchanged
    bool readOnlyAfter;
};

TEST_F(ToolsWindow, FileStatusAppliesItsChangesAndPatchesTheEntry) {
    const std::vector<std::string> files = {"a.txt", "b.txt", "readme.txt"};
    const ApplyCase cases[] = {
        {"rename keeps the place, unsorted", 0, {"zzz.txt"}, false,
         {"zzz.txt", "b.txt", "readme.txt"}, {"b.txt", "readme.txt", "zzz.txt"}, {}, "", false},
        {"case only", 2, {"README.TXT"}, false,
         {"a.txt", "b.txt", "README.TXT"}, {"a.txt", "b.txt", "README.TXT"}, {}, "", false},
        {"name taken: both untouched", 0, {"b.txt", "", "01/01/2001", "", true}, false,
         files, {"a.txt", "b.txt", "readme.txt"}, {}, "", false},
        {"moved away by path", 0, {"", "sub"}, false,
         {"b.txt", "readme.txt"}, {"b.txt", "readme.txt"}, {"a.txt"}, "", false},
        {"moved and renamed, last entry", 2, {"x.txt", "sub"}, false,
         {"a.txt", "b.txt"}, {"a.txt", "b.txt"}, {"x.txt"}, "", false},
        {"untouched", 1, {}, true, files, {"a.txt", "b.txt", "readme.txt"}, {}, "", true},
        {"cancel after editing", 1, {"z.txt", "sub", "01/01/2001", "", true, IDCANCEL}, false,
         files, {"a.txt", "b.txt", "readme.txt"}, {}, "", false},
        {"date pulled into range", 1, {"", "", "13/45/1999", "10:20:30"}, false,
         files, {"a.txt", "b.txt", "readme.txt"}, {}, "12/31/1999 10:20:30", false},
        {"read-only cleared", 1, {"", "", "", "", true}, true,
         files, {"a.txt", "b.txt", "readme.txt"}, {}, "", false},
        {"read-only kept, new time", 1, {"", "", "2/3/2004", "050607"}, true,
         files, {"a.txt", "b.txt", "readme.txt"}, {}, "02/03/2004 05:06:07", true},
        {"renamed, stamped, made read-only", 1, {"new.txt", "", "12/24/2003", "", true}, false,
         {"a.txt", "new.txt", "readme.txt"}, {"a.txt", "new.txt", "readme.txt"}, {},
         "12/24/2003 03:04:05", true},
    };
    for (const ApplyCase& c : cases) {
        SCOPED_TRACE(c.what);
        TempDir fresh;
        dlg.m_strCurDir = fresh.path();
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : files) {
            fresh.WriteFile(name, "contents of " + name);
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
        std::string sub = fresh.MakeDir("sub");
        const std::string old = files[static_cast<size_t>(c.index)];
        FileStatus start;
        start.modified = Platform().MakeLocalTime(2010, 1, 2, 3, 4, 5);
        start.attribute = kFileArchive | (c.readOnlyBefore ? kFileReadOnly : 0);
        std::string error;
        ASSERT_TRUE(Platform().SetStatus(fresh.path() + old, start, error)) << error;
        sink.messages.clear();

        EXPECT_EQ(OpenStatus(list, fresh.path(), c.index, c.action), 1);

        EXPECT_EQ(Entries(), c.entriesAfter);
        // The caret goes back to the entry's index (unless that was the last entry and it left).
        EXPECT_EQ(Caret(), std::min<int>(c.index, static_cast<int>(c.entriesAfter.size()) - 1));
        EXPECT_TRUE(Selected().empty()) << "the double-clicked entry is left deselected";
        EXPECT_EQ(NamesIn(fresh.path()), c.inDirAfter);
        EXPECT_EQ(NamesIn(sub), c.inSubAfter);

        bool moved = c.inDirAfter.count(old) == 0 && c.action.closeWith == IDOK;
        std::string now = (c.inSubAfter.empty() ? fresh.path() : sub) +
                          (moved && !c.action.name.empty() ? c.action.name : old);
        EXPECT_EQ(ReadFile(now), "contents of " + old);
        FileStatus after;
        ASSERT_TRUE(Platform().GetStatus(now, after));
        EXPECT_EQ(LocalText(after.modified), c.modifiedAfter.empty() ? LocalText(start.modified) : c.modifiedAfter);
        EXPECT_EQ((after.attribute & kFileReadOnly) != 0, c.readOnlyAfter);

        bool taken = c.action.name == "b.txt";
        ASSERT_EQ(sink.messages.size(), taken ? 1u : 0u);
        if (taken) {
            EXPECT_EQ(sink.messages[0].text, "Error Moving/Renaming File:\nFrom-  " + fresh.path() +
                                                 "a.txt\nTo-  " + fresh.path() + "b.txt");
            EXPECT_EQ(sink.messages[0].title, "Rename Error:");
            EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
            EXPECT_EQ(ReadFile(fresh.path() + "b.txt"), "contents of b.txt");
        }
    }
}

TEST_F(ToolsWindow, FileStatusShowsTheFileAsItIs) {
    ListFiles({"a.txt", "shown.txt"});
    FileStatus stamp;
    stamp.modified = Platform().MakeLocalTime(2003, 7, 14, 8, 9, 10);
    stamp.attribute = kFileArchive | kFileHidden | kFileReadOnly;
    std::string error;
    ASSERT_TRUE(Platform().SetStatus(dir.path() + "shown.txt", stamp, error)) << error;
    FileStatus status;
    ASSERT_TRUE(Platform().GetStatus(dir.path() + "shown.txt", status));

    std::vector<std::string> texts;
    SetModalHook([&](CDialog& shown) {
        texts.push_back(TextOf(shown.GetSafeHwnd()));
        for (int id : {IDC_FS_LBL_NAME, IDC_FS_NAME, IDC_FS_PATH, IDC_FS_MODIFIED_DATE, IDC_FS_MODIFIED_TIME,
                       IDC_FS_CREATED_DATE, IDC_FS_CREATED_TIME, IDC_FS_ACCESSED_DATE, IDC_FS_ACCESSED_TIME})
            texts.push_back(TextOf(shown.GetDlgItem(id)));
        for (int id : {IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM})
            texts.push_back(std::to_string(CheckOf(shown.GetDlgItem(id))));
        ::PostMessageA(shown.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
    });
    DoubleClickListItem(list, 1);

    std::string created = LocalText(status.created), accessed = LocalText(status.accessed);
    EXPECT_EQ(texts, (std::vector<std::string>{"File Status...", "File Name:", "shown.txt", dir.path(),
                                               "07/14/2003", "08:09:10", created.substr(0, 10), created.substr(11),
                                               accessed.substr(0, 10), accessed.substr(11), "1", "1", "1", "0"}));
}

TEST_F(ToolsWindow, FileStatusOfAVanishedFileIsToldWithoutAWindow) {
    ListFiles({"a.txt"});
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("gone.txt"));
    EXPECT_EQ(OpenStatus(list, dir.path(), 1, {"other.txt"}), 0);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_NE(sink.messages[0].text.find(dir.path() + "gone.txt"), std::string::npos) << sink.messages[0].text;
    EXPECT_EQ(Entries(), (std::vector<std::string>{"a.txt", "gone.txt"}));
}

// Root may stamp a read-only file here anyway; the stand-in refuses, as a read-only
// file does elsewhere, and the new time must still arrive.
TEST_F(ToolsWindow, FileStatusStampsReadOnlyFilesWhereTheyRefuseTimes) {
    FakeFileServices fake;
    FakePlatformScope scope(fake);
    fake.AddFile("C:\\work\\keep.txt", kFileArchive | kFileReadOnly, 1000, "x");
    dlg.m_strCurDir = "C:\\work\\";
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("keep.txt"));

    for (bool clickReadOnly : {false, true}) {
        OpenStatus(list, dlg.m_strCurDir, 0, {"", "", "02/03/2001", "04:05:06", clickReadOnly});
        EXPECT_TRUE(sink.messages.empty()) << (sink.messages.empty() ? "" : sink.messages[0].text);
        EXPECT_EQ(fake.Find("C:\\work\\keep.txt")->modified, fake.MakeLocalTime(2001, 2, 3, 4, 5, 6));
        EXPECT_EQ(fake.Find("C:\\work\\keep.txt")->attrib, kFileArchive | (clickReadOnly ? 0 : kFileReadOnly));
    }
}

}  // namespace
