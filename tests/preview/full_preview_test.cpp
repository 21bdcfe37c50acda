// "Full &Preview" from the main window on real files: the new names are shown and
// nothing on disk changes.
#include "app/rename_dlg.h"
#include "preview/preview_dlg.h"
#include "rename/dir_snapshot.h"
#include "rename/observed_files.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Opened {
    bool shown = false;
    std::vector<std::string> names;  // as the window lists them
    std::string count;
    std::string dest;
    bool ownerDisabled = false;
};

class FullPreview : public ::testing::Test {
protected:
    void SetUp() override {
        for (const char* name : {"b.txt", "a.txt", "c.txt"}) dir.WriteFile(name, name);
        dir.MakeDir("sub");
        ASSERT_TRUE(dlg.Create());
        dlg.m_strCurDir = dir.path();
        dlg.m_strSearchMask = "*.*";
        dlg.FillFileList();
        HWND list = dlg.GetDlgItem(IDC_FILELIST);
        ::SendMessageA(list, LB_SELITEMRANGEEX, 0, ::SendMessageA(list, LB_GETCOUNT, 0, 0) - 1);
        // Every change a run could make, so that a preview touching the disk would show.
        dlg.m_bTimeDate = 1;
        dlg.m_bSetAttrib = 1;
        dlg.m_bHidden = 1;
        dlg.m_nYear = 2001;
    }
    void TearDown() override { dlg.DestroyWindow(); }

    Opened Preview() {
        Opened opened;
        ModalHook previous = SetModalHook([&](CDialog& d) {
            opened.shown = true;
            HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
            LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
            for (LRESULT i = 0; i < count; ++i) {
                char text[MAX_PATH] = {};
                ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
                opened.names.push_back(text);
            }
            opened.count = TextOf(d.GetDlgItem(IDC_PREVIEW_COUNT));
            opened.dest = TextOf(d.GetDlgItem(IDC_PREVIEW_DEST));
            opened.ownerDisabled = !::IsWindowEnabled(dlg.GetSafeHwnd());
            ClickButton(d.GetDlgItem(IDOK));
        });
        ClickButton(dlg.GetDlgItem(IDC_FULLPREVIEW));
        SetModalHook(previous);
        return opened;
    }

    CapturingSink sink;
    TempDir dir;
    CRenameDlg dlg;
};

TEST_F(FullPreview, ShowsEveryNewNameAndChangesNothing) {
    struct Case {
        const char* name;
        std::function<void(CRenameDlg&, const TempDir&)> setUp;
        std::vector<std::string> names;
        bool toSub;
    };
    const Case cases[] = {
        {"counter in list order",
         [](CRenameDlg& d, const TempDir&) {
             d.m_bChangePrefix = 1;
             d.m_nPrefixPos = 1;
             d.m_strNewPrefix = "z";
             d.m_bCountPrefix = 1;
             d.m_strStartCount = "9";
             d.m_strIncrement = "1";
         },
         {"z10b.txt", "z11c.txt", "z9a.txt"}, false},
        {"advanced, into a destination",
         [](CRenameDlg& d, const TempDir& dir) {
             d.m_bInsert = 1;
             d.m_strInsStr1 = "-";
             d.m_strInsAtPos = "0";
             d.m_bUseNewDir = 1;
             d.m_strDestination = dir.path() + "sub";
         },
         {"-a.txt", "-b.txt", "-c.txt"}, true},
        // The list shows the dot that the platform's move would drop.
        {"empty extension",
         [](CRenameDlg& d, const TempDir&) {
             d.m_bChangeExt = 1;
             d.m_nExtPos = 0;
         },
         {"a.", "b.", "c."}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.setUp(dlg, dir);
        const DirSnapshot before = Snapshot(dir.path());
        ObservedFiles files;
        sink.messages.clear();
        Opened opened = Preview();
        EXPECT_TRUE(sink.messages.empty());  // no confirmation although it is asked for
        EXPECT_TRUE(files.moves.empty());
        EXPECT_TRUE(files.setStatus.empty());
        EXPECT_EQ(Snapshot(dir.path()), before);
        ASSERT_TRUE(opened.shown);
        EXPECT_EQ(opened.names, c.names);
        EXPECT_EQ(opened.count, std::to_string(c.names.size()));
        EXPECT_EQ(opened.dest, c.toSub ? dir.path() + "sub\\" : dir.path());
        EXPECT_TRUE(opened.ownerDisabled);
        EXPECT_TRUE(dlg.m_arrNewNames.empty());
        EXPECT_EQ(dlg.m_bPreviewRun, FALSE);
        // The list was not refilled: the selection stands.
        EXPECT_EQ(::SendMessageA(dlg.GetDlgItem(IDC_FILELIST), LB_GETSELCOUNT, 0, 0), 3);
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        dlg.m_bUseNewDir = 0;
    }
}

TEST_F(FullPreview, RunsWithoutNamesTellTheUserAndOpenNoWindow) {
    struct Case {
        const char* name;
        std::function<void(CRenameDlg&, const TempDir&)> setUp;
        const char* text;
        const char* title;
        UINT flags;
    };
    const Case cases[] = {
        {"only moving",
         [](CRenameDlg& d, const TempDir& dir) {
             d.m_bUseNewDir = 1;
             d.m_strDestination = dir.path() + "sub";
         },
         "No preview for just moving files to another directory!", "Done", MB_OK},
        {"only attributes and time", [](CRenameDlg&, const TempDir&) {},
         "No preview for just changing the attributes or the time & date of files!", "Done", MB_OK},
        {"nothing at all",
         [](CRenameDlg& d, const TempDir&) {
             d.m_bSetAttrib = 0;
             d.m_bTimeDate = 0;
         },
         "There are no changes!", "NOTE:", MB_ICONINFORMATION},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        dlg.m_bUseNewDir = 0;
        c.setUp(dlg, dir);
        const DirSnapshot before = Snapshot(dir.path());
        sink.messages.clear();
        Opened opened = Preview();
        EXPECT_FALSE(opened.shown);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, c.text);
        EXPECT_EQ(sink.messages[0].title, c.title);
        EXPECT_EQ(sink.messages[0].flags, c.flags);
        EXPECT_EQ(Snapshot(dir.path()), before);
        EXPECT_EQ(dlg.m_bPreviewRun, FALSE);
    }
}

TEST_F(FullPreview, OverflowKeepsTheNamesCollectedSoFar) {
    dlg.m_bChangePrefix = 1;
    dlg.m_nPrefixPos = 0;
    dlg.m_strNewPrefix = "n";
    dlg.m_bCountPrefix = 1;
    dlg.m_strStartCount = "18446744073709551614";
    Opened opened = Preview();
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Counter Overflow!");
    ASSERT_TRUE(opened.shown);
    EXPECT_EQ(opened.names, (std::vector<std::string>{"n18446744073709551614.txt", "n18446744073709551615.txt"}));
}

}  // namespace
