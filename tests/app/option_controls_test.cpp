// The option controls of the main window, driven the way a user drives them:
// clicks on the check boxes and keystrokes into the edits.
#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

namespace {

// One user action on the main window. Force clicks a box that is disabled at the
// time, as a stale enabled state would let the user do.
struct Step { enum Kind { Click, Type, Erase, Force } kind; int id; const char* text; };
Step Click(int id) { return {Step::Click, id, ""}; }
Step Type(int id, const char* text) { return {Step::Type, id, text}; }
Step Erase(int id) { return {Step::Erase, id, ""}; }

// One main window for a whole table: a fresh window per row costs seconds under Wine.
struct Window {
    Window() { EXPECT_TRUE(dlg.Create()); ::ShowWindow(hwnd = dlg.GetSafeHwnd(), SW_SHOW); }
    // Back to the options of start-up, through the same two calls that end it.
    void Reset(const std::vector<Step>& steps = {}) {
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        dlg.m_strSearchMask = "*.*";
        dlg.EnableBasicControls();
        dlg.EnableAdvancedControls();
        PumpMessages(hwnd);
        Do(steps);
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    int Checked(int id) const { return CheckOf(Item(id)); }
    int Caret(int id) const { return LOWORD(::SendMessageA(Item(id), EM_GETSEL, 0, 0)); }
    void Do(const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            if (s.kind == Step::Force) ::EnableWindow(Item(s.id), TRUE);
            if (s.kind == Step::Click || s.kind == Step::Force) ClickButton(Item(s.id));
            if (s.kind == Step::Type) TypeText(Item(s.id), s.text);
            if (s.kind == Step::Erase) TypeText(Item(s.id), std::string(Text(s.id).size(), '\b'));
            PumpMessages(hwnd);
        }
    }

    CRenameDlg dlg;
    HWND hwnd = nullptr;
};

TEST(OptionControls, EnablingFollowsModeBoxesAndFields) {
    const struct Group { const char* name; std::vector<int> ids; } groups[] = {
        {"prefix", {IDC_LBL_PREFIXPOS, IDC_LBL_NEWPREFIX, IDC_NEWPREFIX, IDC_PREFIX_REPLACE, IDC_PREFIX_BEFORE,
                    IDC_PREFIX_AFTER, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_COUNTPREFIX}},
        {"extension", {IDC_LBL_EXTPOS, IDC_LBL_NEWEXT, IDC_NEWEXT, IDC_EXT_REPLACE, IDC_EXT_BEFORE, IDC_EXT_AFTER,
                       IDC_EXTUPPER, IDC_EXTLOWER, IDC_COUNTEXT}},
        {"counter frame", {IDC_COUNTERGROUP, IDC_LBL_APPLYTO}},
        {"counter fields", {IDC_ALPHACOUNT, IDC_STARTCOUNT, IDC_INCREMENT, IDC_LBL_STARTCOUNT, IDC_LBL_INCREMENT}},
        {"at pos", {IDC_LBL_INSATPOS, IDC_INSATPOS, IDC_LBL_INSRANGE}}, {"insert string", {IDC_LBL_INSSTR1, IDC_INSSTR1}},
        {"before/after", {IDC_INSBEFORE, IDC_INSAFTER}}, {"search string", {IDC_LBL_INSSTR2, IDC_INSSTR2}},
        {"search options", {IDC_SEARCHBACK, IDC_CASESENSITIVE}}, {"replace string", {IDC_LBL_RESTR1, IDC_RESTR1}},
        {"range", {IDC_LBL_REFROMPOS, IDC_REFROMPOS, IDC_LBL_RETOPOS, IDC_RETOPOS}},
        {"with", {IDC_LBL_RESTR2, IDC_RESTR2}}, {"apply to", {IDC_APPLY_PREFIX, IDC_APPLY_EXT, IDC_APPLY_NAME}},
        {"mode boxes", {IDC_CHGPREFIX, IDC_CHGEXT, IDC_INSERT, IDC_REPLACE}},
    };
    struct Case { const char* name; std::vector<Step> steps; const char* enabled; } cases[] = {  // a digit per group
        {"nothing", {}, "0000 000000000"},
        {"prefix", {Click(IDC_CHGPREFIX)}, "1010 000000000"},
        {"prefix counted", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)}, "1011 000000000"},
        {"prefix taken back", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_CHGPREFIX)}, "0000 000000000"},
        {"other half keeps its counter",
         {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_COUNTEXT), Click(IDC_CHGPREFIX)}, "0111 000000000"},
        {"insert", {Click(IDC_INSERT)}, "0000 111000001"},
        {"counted, then insert", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_INSERT)}, "0000 111000001"},
        {"insert before", {Click(IDC_INSERT), Click(IDC_INSBEFORE)}, "0000 011110001"},
        {"insert at a position", {Click(IDC_INSERT), Type(IDC_INSATPOS, "7")}, "0000 110000001"},
        {"After forced", {Click(IDC_INSERT), Type(IDC_INSATPOS, "12"), {Step::Force, IDC_INSAFTER, ""}}, "0000 011110001"},
        {"replace", {Click(IDC_REPLACE)}, "0000 000001111"},
        {"replace a string", {Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}, "0000 000011011"},
        {"range with To # left",
         {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "3"), Type(IDC_RETOPOS, "4"), Erase(IDC_REFROMPOS)}, "0000 000000111"},
        {"string over a range",
         {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "1"), Type(IDC_RETOPOS, "2"), Type(IDC_RESTR1, "x")}, "0000 000011011"},
        {"insert, then a basic change", {Click(IDC_INSERT), Click(IDC_CHGPREFIX)}, "1010 000000000"},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Reset(c.steps);
        const std::string mask = std::string(c.enabled).erase(4, 1) + "1";  // the mode boxes are never disabled
        for (size_t g = 0; g < mask.size(); ++g)
            for (int id : groups[g].ids) EXPECT_EQ(IsEnabled(w.Item(id)), mask[g] == '1') << groups[g].name << " " << id;
        EXPECT_EQ(w.Checked(IDC_COUNTPREFIX) || w.Checked(IDC_COUNTEXT), mask[3] == '1');
        // A position never stands beside "Before or"/"After", nor a range beside a replace string.
        EXPECT_FALSE((w.Checked(IDC_INSBEFORE) || w.Checked(IDC_INSAFTER)) && !w.Text(IDC_INSATPOS).empty());
        EXPECT_TRUE(w.Text(IDC_RESTR1).empty() || (w.Text(IDC_REFROMPOS) + w.Text(IDC_RETOPOS)).empty());
    }
}

TEST(OptionControls, PartnersExcludeEachOther) {
    const std::vector<Step> basic = {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT)}, insert = {Click(IDC_INSERT)}, none;
    // `first`, then `second` clicked: only the second stays checked, and so does the checked bystander.
    struct Case { std::vector<Step> setUp; int first, second, bystander; } cases[] = {
        {basic, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_EXTUPPER}, {basic, IDC_PREFIXLOWER, IDC_PREFIXUPPER, IDC_EXTLOWER},
        {basic, IDC_EXTUPPER, IDC_EXTLOWER, IDC_PREFIXUPPER},    {basic, IDC_EXTLOWER, IDC_EXTUPPER, IDC_PREFIXLOWER},
        {basic, IDC_COUNTPREFIX, IDC_COUNTEXT, IDC_CHGPREFIX},   {basic, IDC_COUNTEXT, IDC_COUNTPREFIX, IDC_CHGEXT},
        {insert, IDC_INSBEFORE, IDC_INSAFTER, IDC_INSERT},       {insert, IDC_INSAFTER, IDC_INSBEFORE, IDC_APPLY_EXT},
        {none, IDC_INSERT, IDC_REPLACE, IDC_APPLY_NAME},         {none, IDC_REPLACE, IDC_INSERT, IDC_APPLY_NAME},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.first << ", then " << c.second);
        w.Reset(c.setUp);
        w.Do({Click(c.first)});
        if (!w.Checked(c.bystander)) w.Do({Click(c.bystander)});
        w.Do({Click(c.second)});
        EXPECT_EQ((std::vector<int>{w.Checked(c.first), w.Checked(c.second), w.Checked(c.bystander)}),
                  (std::vector<int>{0, 1, 1}));
    }
}

TEST(OptionControls, PositionEditsRefuseBadKeystrokes) {
    // `before` is typed first, then `typed` at position `at`; a refused key leaves the caret where it was.
    struct Case { const char* before; int at; const char* typed; const char* after; size_t beeps; int caret; } cases[] = {
        {"", 0, "256", "25", 1, 2}, {"", 0, "0255", "0255", 0, 4}, {"", 0, "x", "", 1, 0}, {"", 0, "3a0", "30", 1, 2},
        {"25", 0, "9", "25", 1, 0}, {"25", 1, "0", "205", 0, 2}, {"25", 1, "6", "25", 1, 1},
    };
    // Any keystroke into a position edit, refused or not, drops the search string it rivals.
    struct Edit { int id; std::vector<Step> setUp; int rival; std::string RenameOptions::*field; } edits[] = {
        {IDC_INSATPOS, {Click(IDC_INSERT), Click(IDC_INSBEFORE), Type(IDC_INSSTR2, "abc"), Click(IDC_INSBEFORE)},
         IDC_INSSTR2, &RenameOptions::m_strInsAtPos},
        {IDC_REFROMPOS, {Click(IDC_REPLACE), Type(IDC_RESTR1, "abc")}, IDC_RESTR1, &RenameOptions::m_strReFromPos},
        {IDC_RETOPOS, {Click(IDC_REPLACE), Type(IDC_RESTR1, "abc")}, IDC_RESTR1, &RenameOptions::m_strReToPos},
    };
    Window w;
    for (const Edit& e : edits)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "edit " << e.id << ": " << c.before << " + " << c.typed << " at " << c.at);
            CapturingSink sink;
            w.Reset(e.setUp);
            w.Do({Type(e.id, c.before)});
            TypeTextAt(w.Item(e.id), c.at, c.typed);
            PumpMessages(w.hwnd);
            EXPECT_EQ(w.Text(e.id), c.after);
            EXPECT_EQ(w.Text(e.rival), "");
            EXPECT_EQ(sink.beeps, std::vector<UINT>(c.beeps, 0xFFFF));
            EXPECT_EQ(w.Caret(e.id), c.caret);
            w.dlg.UpdateData(TRUE);  // the next exchange must not bring the refused text back
            EXPECT_EQ(w.dlg.*e.field, c.after);
        }
}

TEST(OptionControls, CounterFieldsRefuseBadKeystrokes) {
    const std::string decimal = "Cannot exceed 18446744073709551615", alpha = "Cannot exceed HLHXCZMXSYUMQP";
    const int start = IDC_STARTCOUNT, step = IDC_INCREMENT;
    // `before` is typed into the emptied field first, then `typed` at position `at`.
    struct Case { int id; bool alpha; const char *before; int at; const char *typed, *after; int caret; size_t beeps;
                  std::string notice; } cases[] = {
        {start, false, "", 0, "18446744073709551616", "1844674407370955161", 19, 1, decimal},
        {start, false, "", 0, "18446744073709551615", "18446744073709551615", 20, 0, ""},
        {start, false, "123", 1, "x", "123", 1, 1, ""},
        {start, true, "", 0, "aaaaaaaaaaaaaaa", "aaaaaaaaaaaaaa", 14, 1, ""},
        {start, true, "", 0, "hlhxczmxsyumqq", "hlhxczmxsyumq", 13, 1, alpha},
        {start, true, "", 0, "HLHXCZMXSYUMQP", "HLHXCZMXSYUMQP", 14, 0, ""},
        {start, true, "", 0, "ab1c", "abc", 3, 1, ""},
        {start, true, "", 0, "a-b c", "a-b c", 5, 0, ""},
        {step, false, "", 0, "1x2", "12", 2, 1, ""},
        {step, true, "", 0, "5b", "5", 1, 1, ""},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.alpha ? " letters " : " digits ") << c.before << "+" << c.typed);
        CapturingSink sink;
        w.Reset({Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)});
        if (c.alpha) w.Do({Click(IDC_ALPHACOUNT)});
        w.Do({Erase(c.id), Type(c.id, c.before)});
        sink.onMessage = [&](const ShownMessage&) { EXPECT_EQ(w.Text(c.id), c.typed) << "shown before the text is put back"; };
        TypeTextAt(w.Item(c.id), c.at, c.typed);
        PumpMessages(w.hwnd);
        EXPECT_EQ(w.Text(c.id), c.after);
        EXPECT_EQ(w.Caret(c.id), c.caret);
        EXPECT_EQ(sink.beeps, std::vector<UINT>(c.beeps, 0xFFFF));
        std::string shown;
        for (const ShownMessage& m : sink.messages) shown += m.text + "|" + m.title + "|" + std::to_string(m.flags);
        EXPECT_EQ(shown, c.notice.empty() ? "" : c.notice + "|Notice!|" + std::to_string(MB_OK | MB_ICONINFORMATION));
        if (c.id != start) continue;  // the preview follows the starting value, refused keys or not
        EXPECT_EQ(w.Text(IDC_PREVIEW), "{Old Prefix}" + std::string(c.after) + ".{Old Extension}");
    }
}

TEST(OptionControls, PreviewLineFollowsTheControls) {
    const char* const advanced = "(No Real Time Preview for Advance mode)";
    const Step prefix = Click(IDC_CHGPREFIX), ext = Click(IDC_CHGEXT), letters = Click(IDC_ALPHACOUNT);
    // A counted prefix with `more` done to it; the "Alphabetical count" switch keeps the value.
    auto counted = [&](std::vector<Step> more) {
        more.insert(more.begin(), {prefix, Click(IDC_PREFIX_REPLACE), Click(IDC_COUNTPREFIX), Erase(IDC_STARTCOUNT)});
        return more;
    };
    struct Case { std::vector<Step> steps; const char* preview; } cases[] = {
        {{}, "(NO CHANGES)"},
        {{prefix, Click(IDC_PREFIX_REPLACE), Type(IDC_NEWPREFIX, "IMG_"), Click(IDC_COUNTPREFIX)}, "IMG_001.{Old Extension}"},
        {{prefix, Click(IDC_PREFIX_REPLACE), Type(IDC_NEWPREFIX, "IMG_"), Click(IDC_COUNTPREFIX), Click(IDC_PREFIXLOWER)},
         "img_001.{Old Extension}"},
        {{prefix, Type(IDC_NEWPREFIX, "_v"), Click(IDC_PREFIXUPPER)}, "{OLD PREFIX}_V.{Old Extension}"},
        {{ext, Click(IDC_EXT_REPLACE), Type(IDC_NEWEXT, ".jpg")}, "{Old Prefix}.jpg"},
        {{ext, Type(IDC_NEWEXT, ".bak")}, "{Old Prefix}.{Old Extension}.bak"},
        {{ext, Click(IDC_EXT_REPLACE), Click(IDC_COUNTEXT), Click(IDC_ALPHACOUNT), Erase(IDC_STARTCOUNT)},
         "{Old Prefix}.a"},
        {{prefix, Type(IDC_NEWPREFIX, "x"), ext, Click(IDC_EXTUPPER), prefix}, "{Old Prefix}.{OLD EXTENSION}"},
        {{prefix, Type(IDC_NEWPREFIX, "x"), Click(IDC_INSERT)}, advanced},
        {{Click(IDC_INSERT), Click(IDC_INSERT)}, "(NO CHANGES)"},
        {counted({Type(IDC_STARTCOUNT, "27"), letters}), "BB.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "001"), letters}), "B.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "001"), letters, letters}), "1.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "0"), letters}), "A.{Old Extension}"},
        {counted({letters, Type(IDC_STARTCOUNT, "abc"), letters}), "28.{Old Extension}"},
        {counted({letters, Type(IDC_STARTCOUNT, "abc"), letters, letters}), "BC.{Old Extension}"},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preview);
        w.Reset(c.steps);
        EXPECT_EQ(w.Text(IDC_PREVIEW), c.preview);
    }
}

}  // namespace
