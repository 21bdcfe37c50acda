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

// Every option control is clicked or typed into once, in a mode that enables it: the
// window then holds and shows the options the rules make of that change (the rules
// themselves: option_rules_test.cpp). The search mask refills the list instead; the
// count is read-only.
TEST(OptionControls, EveryControlShowsTheRulesOutcome) {
    const std::vector<Step> modes[] = {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_COUNTPREFIX)},
                                       {Click(IDC_INSERT)}, {Click(IDC_INSERT), Click(IDC_INSBEFORE)},
                                       {Click(IDC_REPLACE)}, {Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}};
    Window w;
    std::set<int> done = {IDC_SELCOUNT, IDC_SEARCHMASK};
    for (const std::vector<Step>& mode : modes)
        for (const OptionBinding& b : OptionBindings())
            for (int id = b.control; id < b.control + b.buttons; ++id) {
                w.Reset(mode);
                if (done.count(id) || !IsEnabled(w.Item(id))) continue;
                SCOPED_TRACE(testing::Message() << "control " << id);
                done.insert(id);
                const RenameOptions before = w.dlg;
                const bool typed = b.kind == ControlKind::Text;
                const OptionChange change = {id, typed ? 0 : b.kind == ControlKind::RadioGroup ? id - b.control
                                                                                                : !(before.*b.flag),
                                             typed ? before.*b.text + "1" : ""};
                const RenameOptions expected = ApplyOptionChange(before, change).options;
                w.Do(typed ? Type(id, "1") : Click(id));
                for (const OptionBinding& f : OptionBindings()) EXPECT_TRUE(SameField(f, w.dlg, expected)) << f.control;
                w.ExpectShowsTheFields();
            }
    size_t controls = 0;
    for (const OptionBinding& b : OptionBindings()) controls += static_cast<size_t>(b.buttons);
    EXPECT_EQ(done.size(), controls) << "a control no mode enables";
    EXPECT_TRUE(w.ui.messages.empty());
}

TEST(OptionControls, RefusedKeystrokesVanishWithABeep) {
    const std::string decimal = "Cannot exceed 18446744073709551615|Notice!|" + std::to_string(MB_OK | MB_ICONINFORMATION);
    // `before` is typed into the emptied field first, then `typed` at position `at`; a refused key
    // leaves the caret where it was.
    struct Case { int id; std::vector<Step> setUp; const char* before; int at; const char *typed, *after; int caret;
                  size_t beeps; std::string notice; } cases[] = {
        {IDC_INSATPOS, {Click(IDC_INSERT)}, "25", 1, "6", "25", 1, 1, ""},
        {IDC_REFROMPOS, {Click(IDC_REPLACE)}, "", 0, "3a0", "30", 2, 1, ""},
        {IDC_STARTCOUNT, {}, "", 0, "18446744073709551616", "1844674407370955161", 19, 1, decimal},
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
