// The option controls of the main window, driven the way a user drives them: each kind
// of control carries its change to the options and the window shows the outcome,
// touching only the controls whose values change (the rules themselves:
// option_rules_test.cpp).
#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <set>

namespace {

struct Step { enum Kind { Click, Type } kind; int id; const char* text; };
Step Click(int id) { return {Step::Click, id, ""}; }
Step Type(int id, const char* text) { return {Step::Type, id, text}; }

// One main window for a whole test: a fresh window per row costs seconds under Wine.
class OptionControls : public WindowTest {
protected:
    // Back to the options of start-up, then the steps.
    void Reset(const std::vector<Step>& steps) {
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        dlg.m_strSearchMask = "*.*";
        dlg.EnableBasicControls();
        dlg.EnableAdvancedControls();
        PumpMessages(hwnd);
        for (const Step& s : steps) Do(s);
    }
    void Do(const Step& s) {
        if (s.kind == Step::Click) ClickButton(Item(s.id));
        if (s.kind == Step::Type) TypeText(Item(s.id), s.text);
        PumpMessages(hwnd);
    }
    // The controls as shown, one word each: a button's check state or an edit's text,
    // with "~" in front when it is disabled.
    std::string Shown(const std::vector<int>& ids) const {
        std::string shown;
        for (int id : ids) {
            char cls[16] = "";
            ::GetClassNameA(Item(id), cls, sizeof cls);
            shown += (shown.empty() ? "" : " ") + std::string(IsEnabled(Item(id)) ? "" : "~") +
                     (lstrcmpiA(cls, "Button") == 0 ? std::to_string(CheckOf(Item(id))) : TextOf(Item(id)));
        }
        return shown;
    }
};

TEST_F(OptionControls, EachKindOfControlShowsTheRulesOutcome) {
    const std::vector<int> basic = {IDC_CHGPREFIX, IDC_NEWPREFIX, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_PREFIX_REPLACE,
                                    IDC_PREFIX_BEFORE, IDC_STARTCOUNT, IDC_INSERT, IDC_PREVIEW};
    const std::vector<int> advanced = {IDC_CHGPREFIX, IDC_NEWPREFIX, IDC_INSERT, IDC_INSSTR1, IDC_REPLACE, IDC_RESTR1,
                                       IDC_REFROMPOS, IDC_SEARCHBACK, IDC_PREVIEW};
    const struct { std::vector<Step> steps; const std::vector<int>& ids; const char* shown; } cases[] = {
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "_v"), Click(IDC_PREFIXUPPER)}, basic,
         "1 _v 1 0 0 0 ~001 0 {OLD PREFIX}_V.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIXUPPER), Click(IDC_PREFIXLOWER), Click(IDC_PREFIX_REPLACE),
          Type(IDC_NEWPREFIX, "IMG_"), Click(IDC_COUNTPREFIX)}, basic, "1 IMG_ 0 1 1 0 001 0 img_001.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Type(IDC_STARTCOUNT, "7"), Click(IDC_PREFIX_BEFORE)}, basic,
         "1  0 0 0 1 0017 0 0017{Old Prefix}.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "x"), Click(IDC_INSERT)}, advanced,
         "0 ~x 1  0 ~ ~ ~0 (No Real Time Preview for Advance mode)"},
        {{Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}, advanced,
         "0 ~ 0 ~ 1 a ~ 0 (No Real Time Preview for Advance mode)"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.shown);
        Reset(c.steps);
        EXPECT_EQ(Shown(c.ids), c.shown);
    }
    EXPECT_TRUE(ui.messages.empty());
}

// A refused keystroke vanishes with a beep, after the notice it may need, and the caret
// goes back to where it went in.
TEST_F(OptionControls, RefusedKeystrokeVanishesWithABeep) {
    Reset({Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)});
    ::SetWindowTextA(Item(IDC_STARTCOUNT), "");
    PumpMessages(hwnd);
    ui.onMessage = [&](const ShownMessage&) { EXPECT_EQ(TextOf(Item(IDC_STARTCOUNT)), "18446744073709551616"); };
    TypeText(Item(IDC_STARTCOUNT), "18446744073709551616");
    PumpMessages(hwnd);
    EXPECT_EQ(TextOf(Item(IDC_STARTCOUNT)), "1844674407370955161");
    EXPECT_EQ(LOWORD(::SendMessageA(Item(IDC_STARTCOUNT), EM_GETSEL, 0, 0)), 19);
    EXPECT_EQ(ui.beeps, std::vector<UINT>{0xFFFF});
    EXPECT_EQ(ui.Told(), std::vector<std::string>{"Notice!|Cannot exceed 18446744073709551615"});
}

TEST_F(OptionControls, AChangeTouchesOnlyTheControlsWhoseValuesChange) {
    struct Case { std::vector<Step> setUp; Step step; std::set<int> touched; int textsSet; } cases[] = {
        {{Click(IDC_CHGPREFIX)}, Type(IDC_NEWPREFIX, "x"), {IDC_NEWPREFIX, IDC_PREVIEW}, 1},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIXUPPER)}, Click(IDC_PREFIXLOWER),
         {IDC_PREFIXLOWER, IDC_PREFIXUPPER, IDC_PREVIEW}, 1},
        {{Click(IDC_INSERT)}, Type(IDC_INSATPOS, "x"), {IDC_INSATPOS}, 1},
        {{Click(IDC_REPLACE)}, Type(IDC_RESTR2, "w"), {IDC_RESTR2}, 0},
        {{}, Type(IDC_PREVIEW, "x"), {IDC_PREVIEW}, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.step.id);
        Reset(c.setUp);
        std::set<int> touched;
        int textsSet = 0;
        {
            MessageRecorder recorder([&](const CWPSTRUCT& m) {
                const UINT msg = m.message;
                if (msg == WM_GETTEXT || msg == BM_GETCHECK || msg == WM_SETTEXT || msg == BM_SETCHECK || msg == WM_ENABLE)
                    touched.insert(::GetDlgCtrlID(m.hwnd));
                textsSet += msg == WM_SETTEXT;
            });
            Do(c.step);
        }
        // The typed-into control itself is read and written by the keystrokes; the rest by the window.
        EXPECT_EQ(touched, c.touched);
        EXPECT_EQ(textsSet, c.textsSet);
    }
}

}  // namespace
