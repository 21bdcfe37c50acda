// The exchange rules between fields and controls, on real dialog templates.
#include "res/resource.h"
#include "support/ui_test_kit.h"
#include "winui/ddx.h"
#include "winui/dialog.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

// Binds a few controls of the options window: check boxes, three-state boxes, limited edits.
class CheckAndTextDlg : public CDialog {
public:
    explicit CheckAndTextDlg(UiServices& ui) : CDialog(IDD_OPTIONS, ui) {}
    int check = 0;
    int threeState = 0;
    std::string date;
    long number = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Check(pDX, IDC_OPT_WARNREN, check);
        DDX_Check(pDX, IDC_ATTR_ARCHIVE, threeState);
        DDX_Text(pDX, IDC_OPT_DATE, date);
        DDV_MaxChars(pDX, date, 10);
        DDX_Text(pDX, IDC_OPT_TIME, number);
    }
};

// Binds the two position groups of the main window's template.
class RadioDlg : public CDialog {
public:
    explicit RadioDlg(UiServices& ui) : CDialog(IDD_RENAME_DIALOG, ui) {}
    int prefixPos = 0;
    int extPos = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Radio(pDX, IDC_PREFIX_REPLACE, prefixPos);
        DDX_Radio(pDX, IDC_EXT_REPLACE, extPos);
    }
};

TEST(Exchange, RadioGroupGivesIndexOfCheckedButtonOrMinusOne) {
    RecordingUi ui;
    RadioDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    struct Case { int loaded; int checkedButton; };  // -1: none checked
    for (Case c : {Case{0, 0}, Case{1, 1}, Case{2, 2}, Case{-1, -1}, Case{7, -1}}) {
        dlg.prefixPos = c.loaded;
        dlg.extPos = 1;
        dlg.UpdateData(FALSE);
        for (int i = 0; i < 3; ++i)
            EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_PREFIX_REPLACE + i)), i == c.checkedButton ? 1 : 0)
                << "loaded " << c.loaded << " button " << i;
        dlg.prefixPos = 99;
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.prefixPos, c.checkedButton);
        EXPECT_EQ(dlg.extPos, 1) << "the next group is not read into this one";
    }
    // A real click moves the check within the group only.
    ClickButton(dlg.GetDlgItem(IDC_PREFIX_BEFORE));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.prefixPos, 1);
    EXPECT_EQ(dlg.extPos, 1);
}

// Three-state boxes give 2, a limited edit refuses a longer text, a number field decimal
// text only; each refusal is told once.
TEST(Exchange, CheckBoxesLimitedTextAndNumbers) {
    RecordingUi ui;
    CheckAndTextDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    dlg.check = 1, dlg.threeState = 2, dlg.date = "", dlg.number = -42;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_OPT_WARNREN)), BST_CHECKED);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_ATTR_ARCHIVE)), BST_INDETERMINATE);
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_OPT_TIME)), "-42");
    // Clicks cycle the three-state box: indeterminate -> unchecked -> checked -> indeterminate.
    for (int want : {0, 1, 2}) {
        ClickButton(dlg.GetDlgItem(IDC_ATTR_ARCHIVE));
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.threeState, want);
    }
    ClickButton(dlg.GetDlgItem(IDC_OPT_WARNREN));
    HWND edit = dlg.GetDlgItem(IDC_OPT_DATE), number = dlg.GetDlgItem(IDC_OPT_TIME);
    TypeText(edit, "12/24/2003xyz");
    EXPECT_EQ(TextOf(edit), "12/24/2003");
    ::SetWindowTextA(number, "17");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(std::make_tuple(dlg.check, dlg.date, dlg.number), std::make_tuple(0, std::string("12/24/2003"), 17L));

    // The limit does not stop text set by the program; the exchange refuses it.
    ::SetWindowTextA(edit, "01/01/19999");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(ui.messages.at(0).text, "Enter no more than 10 characters.");
    ::SetWindowTextA(edit, "");
    ::SetWindowTextA(number, "1x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, 17);
    EXPECT_EQ(ui.messages.size(), 2u);
}

// Loading fields must not raise the controls' change handlers: a handler that
// reloads every control would otherwise call itself without end.
class ReloadingDlg : public CDialog {
public:
    explicit ReloadingDlg(UiServices& ui) : CDialog(IDD_OPTIONS, ui) {
        OnCommandRoute(IDC_OPT_DATE, EN_CHANGE, [this] { ++changes; UpdateData(FALSE); });
    }
    std::string date = "x";
    int changes = 0;

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_OPT_DATE, date); }
};

TEST(Exchange, ControlNotificationsAreIgnoredWhileExchanging) {
    RecordingUi ui;
    ReloadingDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    dlg.changes = 0;
    dlg.date = "changed";
    dlg.UpdateData(FALSE);
    EXPECT_EQ(dlg.changes, 0);
    TypeText(dlg.GetDlgItem(IDC_OPT_DATE), "!");
    EXPECT_EQ(dlg.changes, 1);
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_OPT_DATE)), "changed") << "typing is undone by the reload";
}

}  // namespace
