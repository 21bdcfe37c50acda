// The option controls of the main window, driven the way a user drives them: the
// window shows what the option rules make of each click and keystroke, touching only
// the controls whose values change.
#include "app/rename_dlg.h"
#include "naming/option_rules.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>

namespace {

struct Step { enum Kind { Click, Type } kind; int id; const char* text; };
Step Click(int id) { return {Step::Click, id, ""}; }
Step Type(int id, const char* text) { return {Step::Type, id, text}; }

// One main window for a whole test: a fresh window per row costs seconds under Wine.
struct Window {
    Window() { EXPECT_TRUE(kit.Open()); hwnd = dlg.GetSafeHwnd(); }
    // Back to the options of start-up, through the same two calls that end it.
    void Reset(const std::vector<Step>& steps = {}) {
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        dlg.m_strSearchMask = "*.*";
        dlg.EnableBasicControls();
        dlg.EnableAdvancedControls();
        PumpMessages(hwnd);
        for (const Step& s : steps) Do(s);
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    int Caret(int id) const { return LOWORD(::SendMessageA(Item(id), EM_GETSEL, 0, 0)); }
    void Do(const Step& s) {
        if (s.kind == Step::Click) ClickButton(Item(s.id));
        if (s.kind == Step::Type) TypeText(Item(s.id), s.text);
        PumpMessages(hwnd);
    }
    // Every control shows its field, and the rules' enabled state.
    void ExpectShowsTheFields() const {
        const std::vector<int> enabled = EnabledControls(dlg);
        for (const std::vector<int>* group : {&BasicGroupControls(), &AdvancedGroupControls()})
            for (int id : *group)
                EXPECT_EQ(IsEnabled(Item(id)), std::count(enabled.begin(), enabled.end(), id) == 1) << "control " << id;
        for (const OptionBinding& b : OptionBindings()) {
            std::string shows, holds;
            switch (b.kind) {
                case ControlKind::Text: shows = Text(b.control), holds = dlg.*b.text; break;
                case ControlKind::Number: shows = Text(b.control), holds = std::to_string(dlg.*b.number); break;
                case ControlKind::CheckBox:
                    shows = std::to_string(CheckOf(Item(b.control))), holds = std::to_string(dlg.*b.flag);
                    break;
                case ControlKind::RadioGroup:
                    for (int i = 0; i < b.buttons; ++i) {
                        shows += std::to_string(CheckOf(Item(b.control + i)));
                        holds += i == dlg.*b.flag ? "1" : "0";
                    }
            }
            EXPECT_EQ(shows, holds) << "control " << b.control;
        }
    }

    MainWindowKit kit;
    CRenameDlg& dlg = kit.dlg;
    RecordingUi& ui = kit.ui;
    HWND hwnd = nullptr;
};

TEST(OptionControls, EveryChangeShowsTheRulesOutcome) {
    // Each step goes through another kind of rule; `field` is a field (by its control) it must leave
    // as `expected` (a box or radio group as its number).
    struct Case { Step step; int field; const char* expected; } cases[] = {
        {Click(IDC_CHGPREFIX), IDC_PREVIEW, "{Old Prefix}.{Old Extension}"},
        {Click(IDC_COUNTPREFIX), IDC_PREVIEW, "{Old Prefix}001.{Old Extension}"},
        {Type(IDC_NEWPREFIX, "ab"), IDC_PREVIEW, "{Old Prefix}ab001.{Old Extension}"},
        {Click(IDC_PREFIX_REPLACE), IDC_PREVIEW, "ab001.{Old Extension}"},
        {Click(IDC_PREFIXUPPER), IDC_PREVIEW, "AB001.{Old Extension}"},
        {Click(IDC_PREFIXLOWER), IDC_PREFIXUPPER, "0"},
        {Click(IDC_ALPHACOUNT), IDC_STARTCOUNT, "B"},
        {Type(IDC_STARTCOUNT, "c"), IDC_PREVIEW, "abbc.{Old Extension}"},
        {Click(IDC_CHGEXT), IDC_CHGEXT, "1"},
        {Click(IDC_EXT_BEFORE), IDC_EXT_REPLACE, "1"},
        {Click(IDC_INSERT), IDC_CHGPREFIX, "0"},
        {Type(IDC_INSATPOS, "12"), IDC_INSATPOS, "12"},
        {Click(IDC_INSBEFORE), IDC_INSATPOS, ""},
        {Type(IDC_INSSTR2, "s"), IDC_INSSTR2, "s"},
        {Click(IDC_REPLACE), IDC_INSERT, "0"},
        {Type(IDC_RESTR1, "r"), IDC_RESTR1, "r"},
        {Click(IDC_SEARCHBACK), IDC_SEARCHBACK, "1"},
        {Type(IDC_RESTR2, "w"), IDC_RESTR2, "w"},
        {Click(IDC_APPLY_NAME), IDC_APPLY_PREFIX, "2"},
        {Click(IDC_EXTENDED), IDC_SINGLEMULTI, "1"},
        {Click(IDC_SINGLEMULTI), IDC_SINGLEMULTI, "0"},
        {Type(IDC_PREVIEW, "x"), IDC_PREVIEW, "(No Real Time Preview for Advance mode)"},
    };
    Window w;
    w.Reset();
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.step.id);
        w.Do(c.step);
        const OptionBinding& b = *FindOptionBinding(c.field);
        EXPECT_EQ(b.kind == ControlKind::Text ? w.dlg.*b.text : std::to_string(w.dlg.*b.flag), c.expected);
        w.ExpectShowsTheFields();
    }
    EXPECT_TRUE(w.ui.messages.empty());
    EXPECT_TRUE(w.ui.beeps.empty());
}

TEST(OptionControls, RefusedKeystrokesVanishWithABeep) {
    const std::string decimal = "Cannot exceed 18446744073709551615|Notice!|" + std::to_string(MB_OK | MB_ICONINFORMATION);
    // `before` is typed into the emptied field first, then `typed` at position `at`; a refused key
    // leaves the caret where it was.
    struct Case { int id; std::vector<Step> setUp; const char* before; int at; const char *typed, *after; int caret;
                  size_t beeps; std::string notice; } cases[] = {
        {IDC_INSATPOS, {Click(IDC_INSERT)}, "", 0, "256", "25", 2, 1, ""},
        {IDC_INSATPOS, {Click(IDC_INSERT)}, "25", 1, "6", "25", 1, 1, ""},
        {IDC_REFROMPOS, {Click(IDC_REPLACE)}, "", 0, "3a0", "30", 2, 1, ""},
        {IDC_RETOPOS, {Click(IDC_REPLACE)}, "12", 1, "x", "12", 1, 1, ""},
        {IDC_STARTCOUNT, {}, "", 0, "18446744073709551616", "1844674407370955161", 19, 1, decimal},
        {IDC_INCREMENT, {}, "1", 0, "x", "1", 0, 1, ""},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << ": " << c.before << "+" << c.typed);
        w.ui.messages.clear(), w.ui.beeps.clear(), w.ui.onMessage = nullptr;
        w.Reset({Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)});
        for (const Step& s : c.setUp) w.Do(s);
        ::SetWindowTextA(w.Item(c.id), c.before);
        PumpMessages(w.hwnd);
        w.ui.onMessage = [&](const ShownMessage&) { EXPECT_EQ(w.Text(c.id), c.typed) << "shown before the text is put back"; };
        TypeTextAt(w.Item(c.id), c.at, c.typed);
        PumpMessages(w.hwnd);
        EXPECT_EQ(w.Text(c.id), c.after);
        EXPECT_EQ(w.Caret(c.id), c.caret);
        EXPECT_EQ(w.ui.beeps, std::vector<UINT>(c.beeps, 0xFFFF));
        std::string shown;
        for (const ShownMessage& m : w.ui.messages) shown += m.text + "|" + m.title + "|" + std::to_string(m.flags);
        EXPECT_EQ(shown, c.notice);
        w.ExpectShowsTheFields();
    }
}

// Records which controls of the window a change reads or writes.
std::set<int>* g_touched = nullptr;
int* g_textsSet = nullptr;
LRESULT CALLBACK RecordTouches(int code, WPARAM wp, LPARAM lp) {
    const CWPSTRUCT* m = reinterpret_cast<const CWPSTRUCT*>(lp);
    const bool read = m->message == WM_GETTEXT || m->message == BM_GETCHECK;
    const bool write = m->message == WM_SETTEXT || m->message == BM_SETCHECK || m->message == WM_ENABLE;
    if (code == HC_ACTION && g_touched && (read || write)) {
        g_touched->insert(::GetDlgCtrlID(m->hwnd));
        if (m->message == WM_SETTEXT) ++*g_textsSet;
    }
    return ::CallNextHookEx(nullptr, code, wp, lp);
}

TEST(OptionControls, AChangeTouchesOnlyTheControlsWhoseValuesChange) {
    struct Case { std::vector<Step> setUp; Step step; std::set<int> touched; int textsSet; } cases[] = {
        {{Click(IDC_CHGPREFIX)}, Type(IDC_NEWPREFIX, "x"), {IDC_NEWPREFIX, IDC_PREVIEW}, 1},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIXUPPER)}, Click(IDC_PREFIXLOWER),
         {IDC_PREFIXLOWER, IDC_PREFIXUPPER, IDC_PREVIEW}, 1},
        {{Click(IDC_INSERT)}, Type(IDC_INSATPOS, "x"), {IDC_INSATPOS}, 1},
        {{Click(IDC_REPLACE)}, Type(IDC_RESTR2, "w"), {IDC_RESTR2}, 0},
        {{}, Type(IDC_PREVIEW, "x"), {IDC_PREVIEW}, 1},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.step.id);
        w.Reset(c.setUp);
        std::set<int> touched;
        int textsSet = 0;
        HHOOK hook = ::SetWindowsHookExA(WH_CALLWNDPROC, &RecordTouches, nullptr, ::GetCurrentThreadId());
        ASSERT_TRUE(hook);
        g_touched = &touched;
        g_textsSet = &textsSet;
        w.Do(c.step);
        g_touched = nullptr;
        ::UnhookWindowsHookEx(hook);
        // The typed-into control itself is read and written by the keystrokes; the rest by the window.
        EXPECT_EQ(touched, c.touched);
        EXPECT_EQ(textsSet, c.textsSet);
    }
}

}  // namespace
