// The exchange rules between fields and controls, on real dialog templates.
#include "res/resource.h"
#include "support/ui_test_kit.h"
#include "winui/ddx.h"
#include "winui/dialog.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>

namespace {

// A dialog of template `id` whose fields and controls `exchange` binds.
class BoundDlg : public CDialog {
public:
    BoundDlg(UINT id, UiServices& ui, std::function<void(CDataExchange*)> exchange)
        : CDialog(id, ui), m_exchange(std::move(exchange)) {}
    using CDialog::OnCommandRoute;

protected:
    void DoDataExchange(CDataExchange* pDX) override { m_exchange(pDX); }

private:
    std::function<void(CDataExchange*)> m_exchange;
};

TEST(Exchange, RadioGroupGivesIndexOfCheckedButtonOrMinusOne) {
    RecordingUi ui;
    int prefixPos = 0, extPos = 0;  // the two position groups of the main window's template
    BoundDlg dlg(IDD_RENAME_DIALOG, ui, [&](CDataExchange* pDX) {
        DDX_Radio(pDX, IDC_PREFIX_REPLACE, prefixPos);
        DDX_Radio(pDX, IDC_EXT_REPLACE, extPos);
    });
    ASSERT_TRUE(dlg.Create());
    struct Case { int loaded; int checkedButton; };  // -1: none checked
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{-1, -1}, Case{7, -1}}) {
        prefixPos = c.loaded;
        extPos = 1;
        dlg.UpdateData(FALSE);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_PREFIX_REPLACE + i)), i == c.checkedButton ? 1 : 0)
                << "loaded " << c.loaded << " button " << i;
        prefixPos = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(prefixPos, c.checkedButton);
        EXPECT_EQ(extPos, 1) << "the next group is not read into this one";
    }
    // A real click moves the check within the group only.
    ClickButton(dlg.GetDlgItem(IDC_PREFIX_BEFORE));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(prefixPos, 1);
    EXPECT_EQ(extPos, 1);
}

// Three-state boxes give 2, a limited edit refuses a longer text, a number field decimal
// text only; each refusal is told once.
TEST(Exchange, CheckBoxesLimitedTextAndNumbers) {
    RecordingUi ui;
    int check = 1, threeState = 2;  // a few controls of the options window
    std::string date;
    long number = -42;
    BoundDlg dlg(IDD_OPTIONS, ui, [&](CDataExchange* pDX) {
        DDX_Check(pDX, IDC_OPT_WARNREN, check);
        DDX_Check(pDX, IDC_ATTR_ARCHIVE, threeState);
        DDX_Text(pDX, IDC_OPT_DATE, date);
        DDV_MaxChars(pDX, date, 10);
        DDX_Text(pDX, IDC_OPT_TIME, number);
    });
    ASSERT_TRUE(dlg.Create());
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_OPT_WARNREN)), BST_CHECKED);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_ATTR_ARCHIVE)), BST_INDETERMINATE);
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_OPT_TIME)), "-42");
    // Clicks cycle the three-state box: indeterminate -> unchecked -> checked -> indeterminate.
    for (int want : {0, 1, 2}) {
        ClickButton(dlg.GetDlgItem(IDC_ATTR_ARCHIVE));
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(threeState, want);
    }
    ClickButton(dlg.GetDlgItem(IDC_OPT_WARNREN));
    HWND edit = dlg.GetDlgItem(IDC_OPT_DATE), numberBox = dlg.GetDlgItem(IDC_OPT_TIME);
    TypeText(edit, "12/24/2003xyz");
    EXPECT_EQ(TextOf(edit), "12/24/2003");
    ::SetWindowTextA(numberBox, "17");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(std::make_tuple(check, date, number), std::make_tuple(0, std::string("12/24/2003"), 17L));

    // The limit does not stop text set by the program; the exchange refuses it.
    ::SetWindowTextA(edit, "01/01/19999");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(ui.messages.at(0).text, "Enter no more than 10 characters.");
    ::SetWindowTextA(edit, "");
    ::SetWindowTextA(numberBox, "1x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(number, 17);
    EXPECT_EQ(ui.messages.size(), 2u);
}

// Loading fields must not raise the controls' change handlers: a handler that
// reloads every control would otherwise call itself without end.
TEST(Exchange, ControlNotificationsAreIgnoredWhileExchanging) {
    RecordingUi ui;
    std::string date = "x";
    int changes = 0;
    BoundDlg dlg(IDD_OPTIONS, ui, [&](CDataExchange* pDX) { DDX_Text(pDX, IDC_OPT_DATE, date); });
    dlg.OnCommandRoute(IDC_OPT_DATE, EN_CHANGE, [&] { ++changes; dlg.UpdateData(FALSE); });
    ASSERT_TRUE(dlg.Create());
    changes = 0;
    date = "changed";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(changes, 0);
    TypeText(dlg.GetDlgItem(IDC_OPT_DATE), "!");
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_OPT_DATE)), "changed") << "typing is undone by the reload";
}

}  // namespace
