// The main window as a user meets it before any option is touched.
#include "app/rename_dlg.h"
#include "support/option_presets.h"
#include "support/ui_test_kit.h"
#include "winui/dpi.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

namespace {

class MainWindow : public WindowTest {
protected:
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
};

// Each limited edit takes its field's limit, and the system menu ends with the items that
// open the about box (tools tests), undo the last run (undo tests), and save and open
// rule sets with the sub-menu of recent ones (command line tests).
TEST_F(MainWindow, StartUpLimitsTheEditsAndAddsTheAboutItem) {
    for (const auto& [id, limit] : kEditLimits) EXPECT_EQ(::SendMessageA(Item(id), EM_GETLIMITTEXT, 0, 0), limit) << id;
    HMENU menu = ::GetSystemMenu(hwnd, FALSE);
    const int count = ::GetMenuItemCount(menu);
    const UINT ending[] = {IDM_ABOUTBOX, IDM_UNDOLASTRUN, IDM_SAVERULES, IDM_OPENRULES, UINT(-1)};
    for (int i = 0; i < 5; ++i) EXPECT_EQ(::GetMenuItemID(menu, count - 5 + i), ending[i]) << i;
    EXPECT_TRUE(::GetSubMenu(menu, count - 1));
}

// The window at the display scale the test runs at: 100 % (96 DPI), or what
// VORLIX_TEST_DPI says; tests/app/CMakeLists.txt runs these tests once more at 150 %.
// The list's numbers are those of 100 % scaled and rounded to the nearest pixel; the
// client sizes are the dialog template's, measured with Liberation Sans standing in
// for "MS Sans Serif".
struct DisplayScale {
    UINT dpi;
    int clientWidth, clientHeight, folderImage, treeIndent, listScrollExtent;
    int listLeft, listTop, listWidth, listMargin;  // the list's height: client height - margin
    int leastHeight;                               // no smaller client height moves the list
};
const DisplayScale kScales[] = {{96, 596, 422, 16, 19, 1500, 3, 179, 215, 182, 218},
                                {144, 893, 597, 24, 29, 2250, 5, 269, 323, 273, 327}};

const DisplayScale& ExpectedScale() {
    const char* wanted = std::getenv("VORLIX_TEST_DPI");
    UINT dpi = wanted ? static_cast<UINT>(std::atoi(wanted)) : 96;
    for (const DisplayScale& scale : kScales)
        if (scale.dpi == dpi) return scale;
    ADD_FAILURE() << "no figures for " << dpi << " DPI";
    return kScales[0];
}

// The list's left, top, width and height.
std::vector<int> ListPlace(HWND list) {
    const RECT r = ChildRect(list);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

TEST_F(MainWindow, LaysItselfOutForTheDisplayScale) {
    const DisplayScale& at = ExpectedScale();
    ASSERT_EQ(WindowDpi(hwnd), at.dpi);
    RECT client;
    ::GetClientRect(hwnd, &client);
    HWND tree = Item(IDC_DIRTREE), list = Item(IDC_FILELIST);
    int cx = 0, cy = 0;
    ImageList_GetIconSize(TreeView_GetImageList(tree, TVSIL_NORMAL), &cx, &cy);
    EXPECT_EQ((std::vector<int>{client.right, client.bottom, cx, cy, static_cast<int>(TreeView_GetIndent(tree)),
                                static_cast<int>(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0))}),
              (std::vector<int>{at.clientWidth, at.clientHeight, at.folderImage, at.folderImage, at.treeIndent,
                                at.listScrollExtent}));
    // The list follows the client height down to the least height; below it nothing moves.
    const int least = at.leastHeight;
    for (auto [height, listFor] : {std::pair{least + 100, least + 100}, {least - 1, least + 100}, {least, least}}) {
        SetClientHeight(height);
        EXPECT_EQ(ListPlace(list), (std::vector<int>{at.listLeft, at.listTop, at.listWidth, listFor - at.listMargin}))
            << height;
    }
}

TEST_F(MainWindow, OnAnotherDisplayScaleTakesTheSuggestedRectangle) {
    // Wine gives every display one scale, so the move is played by the message alone.
    const DisplayScale& at = ExpectedScale();
    RECT window, client;
    ::GetWindowRect(hwnd, &window);
    RECT suggested = {window.left + 10, window.top + 20, window.right + 30, window.bottom + 40};
    HWND tree = Item(IDC_DIRTREE);
    HIMAGELIST before = TreeView_GetImageList(tree, TVSIL_NORMAL);
    ::SendMessageA(hwnd, WM_DPICHANGED, MAKEWPARAM(at.dpi, at.dpi), reinterpret_cast<LPARAM>(&suggested));
    PumpMessages(hwnd);

    ::GetWindowRect(hwnd, &window);
    EXPECT_TRUE(::EqualRect(&window, &suggested));
    ::GetClientRect(hwnd, &client);
    EXPECT_EQ(ListPlace(Item(IDC_FILELIST)),
              (std::vector<int>{at.listLeft, at.listTop, at.listWidth, client.bottom - at.listMargin}));
    HIMAGELIST after = TreeView_GetImageList(tree, TVSIL_NORMAL);
    EXPECT_NE(after, before) << "the folder images are made anew for the display";
    int cx = 0, cy = 0;
    EXPECT_TRUE(ImageList_GetIconSize(after, &cx, &cy) && cx == at.folderImage) << cx;
}

TEST_F(MainWindow, EnterInAnEditPressesFullPreviewNotRename) {
    std::vector<int> commands;
    {
        MessageRecorder recorder([&](const CWPSTRUCT& m) {
            if (m.hwnd == hwnd && m.message == WM_COMMAND && HIWORD(m.wParam) == BN_CLICKED) commands.push_back(LOWORD(m.wParam));
        });
        for (int id : {IDC_SEARCHMASK, IDC_NEWPREFIX, IDC_STARTCOUNT, IDC_RESTR2}) PressKey(hwnd, Item(id), VK_RETURN);
    }
    EXPECT_EQ(commands, std::vector<int>(4, IDC_FULLPREVIEW));
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
