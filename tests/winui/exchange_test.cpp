// The exchange rules between fields and controls, on real dialog templates.
#include "res/resource.h"
#include "support/ui_test_kit.h"
#include "winui/ddx.h"
#include "winui/dialog.h"

#include <gtest/gtest.h>

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

TEST(Exchange, CheckBoxesGiveZeroOneAndThreeStateTwo) {
    RecordingUi ui;
    CheckAndTextDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    dlg.check = 1;
    dlg.threeState = 2;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_OPT_WARNREN)), BST_CHECKED);
    EXPECT_EQ(CheckOf(dlg.GetDlgItem(IDC_ATTR_ARCHIVE)), BST_INDETERMINATE);

    // Clicks cycle the three-state box: indeterminate -> unchecked -> checked -> indeterminate.
    const int expected[] = {0, 1, 2};
    for (int want : expected) {
        ClickButton(dlg.GetDlgItem(IDC_ATTR_ARCHIVE));
        ASSERT_TRUE(dlg.UpdateData(TRUE));
        EXPECT_EQ(dlg.threeState, want);
    }
    ClickButton(dlg.GetDlgItem(IDC_OPT_WARNREN));
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.check, 0);
}

TEST(Exchange, MaxCharsLimitsTypingAndRefusesLongerText) {
    RecordingUi ui;
    CheckAndTextDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    dlg.date = "";
    dlg.UpdateData(FALSE);
    HWND edit = dlg.GetDlgItem(IDC_OPT_DATE);
    TypeText(edit, "12/24/2003xyz");
    EXPECT_EQ(TextOf(edit), "12/24/2003");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.date, "12/24/2003");

    // The limit does not stop text set by the program; the exchange refuses it.
    ::SetWindowTextA(edit, "01/01/19999");
    dlg.date = "kept";
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text, "Enter no more than 10 characters.");
}

TEST(Exchange, NumberFieldsReadAndWriteDecimal) {
    RecordingUi ui;
    CheckAndTextDlg dlg(ui);
    ASSERT_TRUE(dlg.Create());
    dlg.number = -42;
    dlg.UpdateData(FALSE);
    EXPECT_EQ(TextOf(dlg.GetDlgItem(IDC_OPT_TIME)), "-42");
    ::SetWindowTextA(dlg.GetDlgItem(IDC_OPT_TIME), "17");
    ASSERT_TRUE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, 17);
    ::SetWindowTextA(dlg.GetDlgItem(IDC_OPT_TIME), "1x");
    EXPECT_FALSE(dlg.UpdateData(TRUE));
    EXPECT_EQ(dlg.number, 17);
    EXPECT_EQ(ui.messages.size(), 1u);
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
