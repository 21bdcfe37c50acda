// The progress window on its own: its bar never counts past its range.
#include "rename/progress_dlg.h"
#include "res/resource.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

namespace {

TEST(ProgressWindow, BarStopsAtItsRangeAndFillsOnRequest) {
    struct Case {
        int steps;
        int stepCalls;
        int pos;  // m_nPos and the bar after the calls
    };
    for (Case c : {Case{5, 3, 3}, Case{5, 5, 5}, Case{5, 9, 5}, Case{30, 31, 30}, Case{0, 2, 0}}) {
        SCOPED_TRACE(c.steps * 100 + c.stepCalls);
        CProgressDlg dlg;
        ASSERT_TRUE(dlg.Create());
        HWND hwnd = dlg.GetSafeHwnd();
        EXPECT_FALSE(::IsWindowVisible(hwnd));  // shown by the run when it is ready
        EXPECT_EQ(GetWindowTextString(hwnd), "Renaming in progress...");
        HWND bar = dlg.GetDlgItem(IDC_PROGRESS);
        dlg.m_nSteps = c.steps;
        dlg.InitProgress();
        EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), c.steps);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), 0);
        for (int i = 0; i < c.stepCalls; ++i) dlg.StepProgress(TRUE);
        EXPECT_EQ(dlg.m_nPos, c.pos);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), c.pos);
        dlg.StepProgress(FALSE);
        EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), c.steps);
        EXPECT_EQ(dlg.m_nPos, c.pos);
        dlg.DestroyWindow();
    }
}

}  // namespace
