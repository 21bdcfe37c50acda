// The main window as a user meets it before any option is touched.
#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

class MainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(kit.Open());
        hwnd = dlg.GetSafeHwnd();
    }
    void TearDown() override { dlg.DestroyWindow(); }
    HWND Item(int id) { return dlg.GetDlgItem(id); }

    // Resizes the window so that its client area has the given height.
    void SetClientHeight(int height) {
        RECT window, client;
        ::GetWindowRect(hwnd, &window);
        ::GetClientRect(hwnd, &client);
        int frame = (window.bottom - window.top) - client.bottom;
        ::SetWindowPos(hwnd, nullptr, 0, 0, window.right - window.left, height + frame,
                       SWP_NOMOVE | SWP_NOZORDER);
        ::GetClientRect(hwnd, &client);
        ASSERT_EQ(client.bottom, height);
    }

    MainWindowKit kit;
    CRenameDlg& dlg = kit.dlg;
    HWND hwnd = nullptr;
};

TEST_F(MainWindow, FreshWindowShowsTheDefaults) {
    EXPECT_EQ(TextOf(hwnd), "Vorlix  Version 3.1.1");
    EXPECT_EQ(TextOf(Item(IDC_STARTCOUNT)), "001");
    EXPECT_EQ(TextOf(Item(IDC_INCREMENT)), "1");
    EXPECT_EQ(TextOf(Item(IDC_SEARCHMASK)), "*.*");
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)");
    EXPECT_EQ(TextOf(Item(IDC_SELCOUNT)), "0");
    struct Radio { int id; int checked; };
    for (Radio r : {Radio{IDC_PREFIX_REPLACE, 0}, Radio{IDC_PREFIX_BEFORE, 0}, Radio{IDC_PREFIX_AFTER, 1},
                    Radio{IDC_EXT_REPLACE, 0}, Radio{IDC_EXT_BEFORE, 0}, Radio{IDC_EXT_AFTER, 1},
                    Radio{IDC_APPLY_PREFIX, 1}, Radio{IDC_APPLY_EXT, 0}, Radio{IDC_APPLY_NAME, 0},
                    Radio{IDC_SINGLEMULTI, 1}, Radio{IDC_EXTENDED, 0}})
        EXPECT_EQ(CheckOf(Item(r.id)), r.checked) << "radio " << r.id;
    for (int id : {IDC_CHGPREFIX, IDC_CHGEXT, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_EXTUPPER, IDC_EXTLOWER,
                   IDC_COUNTPREFIX, IDC_COUNTEXT, IDC_ALPHACOUNT, IDC_INSERT, IDC_REPLACE, IDC_INSBEFORE,
                   IDC_INSAFTER, IDC_SEARCHBACK, IDC_CASESENSITIVE})
        EXPECT_EQ(CheckOf(Item(id)), 0) << "check box " << id;
    EXPECT_EQ(::SendMessageA(Item(IDC_FILEFILTER), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(Item(IDC_FILESORT), CB_GETCURSEL, 0, 0), 0);
    EXPECT_EQ(::SendMessageA(Item(IDC_FILEFILTER), CB_GETCOUNT, 0, 0), 5);
    EXPECT_EQ(::SendMessageA(Item(IDC_FILESORT), CB_GETCOUNT, 0, 0), 10);
    EXPECT_TRUE(kit.ui.messages.empty());
}

TEST_F(MainWindow, TypingIntoThePreviewLineIsUndoneAtOnce) {
    TypeText(Item(IDC_PREVIEW), "abc");
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)");
    ::SendMessageA(Item(IDC_PREVIEW), EM_SETSEL, 0, -1);
    ::SendMessageA(Item(IDC_PREVIEW), WM_CHAR, VK_BACK, 1);
    EXPECT_EQ(TextOf(Item(IDC_PREVIEW)), "(NO CHANGES)");
}

TEST_F(MainWindow, EditsRefuseTextBeyondTheirLimits) {
    struct Limit { int id; int max; };
    for (Limit l : {Limit{IDC_NEWPREFIX, 256}, Limit{IDC_NEWEXT, 256}, Limit{IDC_INCREMENT, 19},
                    Limit{IDC_STARTCOUNT, 20}, Limit{IDC_SEARCHMASK, 100}, Limit{IDC_INSSTR1, 256},
                    Limit{IDC_INSSTR2, 256}, Limit{IDC_INSATPOS, 4}, Limit{IDC_RESTR1, 256},
                    Limit{IDC_RESTR2, 256}, Limit{IDC_REFROMPOS, 4}, Limit{IDC_RETOPOS, 4}})
        EXPECT_EQ(::SendMessageA(Item(l.id), EM_GETLIMITTEXT, 0, 0), l.max) << "edit " << l.id;
}

TEST_F(MainWindow, FileListFollowsTheWindowOnlyFrom218PixelsOn) {
    HWND list = Item(IDC_FILELIST);
    SetClientHeight(300);
    RECT at300 = ChildRect(list);
    EXPECT_EQ(at300.left, 3);
    EXPECT_EQ(at300.top, 179);
    EXPECT_EQ(at300.right - at300.left, 215);
    EXPECT_EQ(at300.bottom - at300.top, 300 - 182);

    SetClientHeight(217);
    RECT at217 = ChildRect(list);
    EXPECT_EQ(at217.top, at300.top);
    EXPECT_EQ(at217.bottom, at300.bottom) << "at 217 pixels nothing moves";

    SetClientHeight(218);
    RECT at218 = ChildRect(list);
    EXPECT_EQ(at218.top, 179);
    EXPECT_EQ(at218.bottom - at218.top, 36);
}

// Records the commands that reach the main window, to see which button Enter presses.
WNDPROC g_originalProc = nullptr;
std::vector<int>* g_commands = nullptr;
LRESULT CALLBACK RecordingProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_COMMAND && HIWORD(wp) == BN_CLICKED && g_commands) g_commands->push_back(LOWORD(wp));
    return ::CallWindowProcA(g_originalProc, hwnd, msg, wp, lp);
}

TEST_F(MainWindow, EnterInAnEditPressesFullPreviewNotRename) {
    std::vector<int> commands;
    g_commands = &commands;
    g_originalProc = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&RecordingProc)));
    for (int id : {IDC_SEARCHMASK, IDC_NEWPREFIX, IDC_STARTCOUNT, IDC_RESTR2}) {
        commands.clear();
        PressKey(hwnd, Item(id), VK_RETURN);
        EXPECT_EQ(commands, std::vector<int>{IDC_FULLPREVIEW}) << "Enter in edit " << id;
    }
    ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_originalProc));
    g_commands = nullptr;
}

TEST_F(MainWindow, SystemMenuEndsWithAboutItem) {
    // The item is appended by start-up; the about box itself opens from it.
    HMENU menu = ::GetSystemMenu(hwnd, FALSE);
    int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 2);
    EXPECT_EQ(::GetMenuItemID(menu, count - 1), static_cast<UINT>(IDM_ABOUTBOX));
    char text[64] = "";
    ::GetMenuStringA(menu, count - 1, text, sizeof text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&About Vorlix...");
    MENUITEMINFOA info = {sizeof info, MIIM_FTYPE};
    ::GetMenuItemInfoA(menu, count - 2, TRUE, &info);
    EXPECT_TRUE(info.fType & MFT_SEPARATOR);
    EXPECT_EQ(::SendMessageA(hwnd, WM_QUERYDRAGICON, 0, 0), reinterpret_cast<LRESULT>(dlg.m_hIcon));
}

TEST(MainWindowModal, ExitTakesTheFieldsAndEscapeDoesNot) {
    // The count edit has no handler of its own: only the exchange carries its text.
    struct Case { int button; INT_PTR result; long countAfter; };
    for (Case c : {Case{IDC_EXIT, IDOK, 5}, Case{IDCANCEL, IDCANCEL, 0}}) {
        MainWindowKit kit;
        kit.ui.onModal = [&](CDialog& shown) {
            HWND edit = shown.GetDlgItem(IDC_SELCOUNT);
            ::SetWindowTextA(edit, "5");
            if (c.button == IDCANCEL) PressKey(shown.GetSafeHwnd(), edit, VK_ESCAPE);
            else ClickButton(shown.GetDlgItem(c.button));
        };
        EXPECT_EQ(kit.dlg.DoModal(), c.result);
        EXPECT_EQ(kit.dlg.m_lSelCount, c.countAfter);
    }
}

}  // namespace
