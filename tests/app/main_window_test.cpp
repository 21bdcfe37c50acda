// The main window as a user meets it before any option is touched.
#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"
#include "winui/dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

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

// The window at the display scale the test runs at: 100 % (96 DPI), or what
// VORLIX_TEST_DPI says; tests/app/CMakeLists.txt runs these tests once more at 150 %.
// The list's numbers are those of 100 % scaled and rounded to the nearest pixel; the
// client sizes are the dialog template's, measured with Liberation Sans standing in
// for "MS Sans Serif".
struct DisplayScale {
    UINT dpi;
    int clientWidth, clientHeight;
    int listLeft, listTop, listWidth, listMargin;  // the list's height: client height - margin
    int leastHeight;                               // no smaller client height moves the list
    int folderImage, treeIndent;
    int listScrollExtent;
};
const DisplayScale kScales[] = {
    {96, 596, 405, 3, 179, 215, 182, 218, 16, 19, 1500},
    {144, 893, 574, 5, 269, 323, 273, 327, 24, 29, 2250},
};

const DisplayScale& ExpectedScale() {
    const char* wanted = std::getenv("VORLIX_TEST_DPI");
    UINT dpi = wanted ? static_cast<UINT>(std::atoi(wanted)) : 96;
    for (const DisplayScale& scale : kScales)
        if (scale.dpi == dpi) return scale;
    ADD_FAILURE() << "no figures for " << dpi << " DPI";
    return kScales[0];
}

TEST_F(MainWindow, LaysItselfOutForTheDisplayScale) {
    const DisplayScale& at = ExpectedScale();
    ASSERT_EQ(WindowDpi(hwnd), at.dpi);
    RECT client;
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(client.right, at.clientWidth);
    EXPECT_EQ(client.bottom, at.clientHeight);

    HWND tree = Item(IDC_DIRTREE);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &cx, &cy);
    EXPECT_EQ(cx, at.folderImage);
    EXPECT_EQ(cy, at.folderImage);
    EXPECT_EQ(static_cast<int>(TreeView_GetIndent(tree)), at.treeIndent);

    HWND list = Item(IDC_FILELIST);
    EXPECT_EQ(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0), at.listScrollExtent);
    SetClientHeight(at.leastHeight + 100);
    RECT wide = ChildRect(list);
    EXPECT_EQ(wide.left, at.listLeft);
    EXPECT_EQ(wide.top, at.listTop);
    EXPECT_EQ(wide.right - wide.left, at.listWidth);
    EXPECT_EQ(wide.bottom - wide.top, at.leastHeight + 100 - at.listMargin);

    SetClientHeight(at.leastHeight - 1);
    RECT below = ChildRect(list);
    EXPECT_EQ(below.bottom, wide.bottom) << "one pixel short of the least height nothing moves";

    SetClientHeight(at.leastHeight);
    RECT least = ChildRect(list);
    EXPECT_EQ(least.top, at.listTop);
    EXPECT_EQ(least.bottom - least.top, at.leastHeight - at.listMargin);
}

TEST_F(MainWindow, OnAnotherDisplayScaleTakesTheSuggestedRectangle) {
    // Wine gives every display one scale, so the move is played by the message alone.
    const DisplayScale& at = ExpectedScale();
    RECT window;
    ::GetWindowRect(hwnd, &window);
    RECT suggested = {window.left + 10, window.top + 20, window.right + 30, window.bottom + 40};
    HWND tree = Item(IDC_DIRTREE);
    HIMAGELIST before = TreeView_GetImageList(tree, TVSIL_NORMAL);
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(at.dpi, at.dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(hwnd);

    ::GetWindowRect(hwnd, &window);
    EXPECT_TRUE(::EqualRect(&window, &suggested));
    RECT client;
    ::GetClientRect(hwnd, &client);
    RECT list = ChildRect(Item(IDC_FILELIST));
    EXPECT_EQ(list.top, at.listTop);
    EXPECT_EQ(list.bottom - list.top, client.bottom - at.listMargin);
    HIMAGELIST after = TreeView_GetImageList(tree, TVSIL_NORMAL);
    EXPECT_NE(after, before) << "the folder images are made anew for the display";
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(after, &cx, &cy));
    EXPECT_EQ(cx, at.folderImage);
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
