// The option controls of the main window, driven the way a user drives them:
// clicks on the check boxes and keystrokes into the edits.
#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// One user action on the main window.
struct Step {
    enum Kind { Click, Type, Erase } kind;
    int id;
    const char* text;
};
Step Click(int id) { return {Step::Click, id, ""}; }
Step Type(int id, const char* text) { return {Step::Type, id, text}; }
Step Erase(int id) { return {Step::Erase, id, ""}; }

// A freshly created main window, the way start-up leaves it.
class Window {
public:
    Window() {
        created = dlg.Create();
        hwnd = dlg.GetSafeHwnd();
        ::ShowWindow(hwnd, SW_SHOW);
        PumpMessages(hwnd);
    }
    ~Window() { dlg.DestroyWindow(); }
    // Back to the options the window starts with, through the same two calls that
    // end start-up (a fresh window per table row costs seconds under Wine).
    void Reset() {
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        dlg.m_strSearchMask = "*.*";
        dlg.EnableBasicControls();
        dlg.EnableAdvancedControls();
        PumpMessages(hwnd);
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }
    std::string Text(int id) const { return TextOf(Item(id)); }
    bool Enabled(int id) const { return IsEnabled(Item(id)); }
    int Checked(int id) const { return CheckOf(Item(id)); }
    int Caret(int id) const {
        DWORD start = 0;
        ::SendMessageA(Item(id), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
        return static_cast<int>(start);
    }
    void Do(const Step& s) {
        HWND item = Item(s.id);
        switch (s.kind) {
        case Step::Click: ClickButton(item); break;
        case Step::Type: TypeText(item, s.text); break;
        case Step::Erase:  // select everything, then Backspace
            ::SendMessageA(item, EM_SETSEL, 0, -1);
            ::SendMessageA(item, WM_CHAR, VK_BACK, 1);
            break;
        }
        PumpMessages(hwnd);
    }
    void Do(const std::vector<Step>& steps) {
        for (const Step& s : steps) Do(s);
    }

    CRenameDlg dlg;
    HWND hwnd = nullptr;
    bool created = false;
};

const char* const kAdvancedNotice = "(No Real Time Preview for Advance mode)";

// Controls that share one enabling condition.
const std::vector<int> kPrefixGroup = {IDC_LBL_PREFIXPOS, IDC_LBL_NEWPREFIX, IDC_NEWPREFIX, IDC_PREFIX_REPLACE,
                                       IDC_PREFIX_BEFORE, IDC_PREFIX_AFTER, IDC_PREFIXUPPER, IDC_PREFIXLOWER,
                                       IDC_COUNTPREFIX};
const std::vector<int> kExtGroup = {IDC_LBL_EXTPOS, IDC_LBL_NEWEXT, IDC_NEWEXT, IDC_EXT_REPLACE, IDC_EXT_BEFORE,
                                    IDC_EXT_AFTER, IDC_EXTUPPER, IDC_EXTLOWER, IDC_COUNTEXT};
const std::vector<int> kCounterFrame = {IDC_COUNTERGROUP, IDC_LBL_APPLYTO};
const std::vector<int> kCounterFields = {IDC_ALPHACOUNT, IDC_STARTCOUNT, IDC_INCREMENT, IDC_LBL_STARTCOUNT,
                                         IDC_LBL_INCREMENT};
const std::vector<int> kAlwaysEnabled = {IDC_CHGPREFIX, IDC_CHGEXT, IDC_INSERT, IDC_REPLACE};

void ExpectGroup(const Window& w, const std::vector<int>& ids, bool enabled, const char* group) {
    for (int id : ids) EXPECT_EQ(w.Enabled(id), enabled) << group << " control " << id;
}

TEST(OptionControls, BasicGroupFollowsChangeAndCounterBoxes) {
    struct Case {
        const char* name;
        std::vector<Step> steps;
        bool prefix, ext, frame, counter;
    } cases[] = {
        {"nothing", {}, false, false, false, false},
        {"prefix", {Click(IDC_CHGPREFIX)}, true, false, true, false},
        {"extension", {Click(IDC_CHGEXT)}, false, true, true, false},
        {"both", {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT)}, true, true, true, false},
        {"prefix counted", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)}, true, false, true, true},
        {"extension counted", {Click(IDC_CHGEXT), Click(IDC_COUNTEXT)}, false, true, true, true},
        {"prefix change taken back", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_CHGPREFIX)},
         false, false, false, false},
        {"other half keeps its counter",
         {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_COUNTEXT), Click(IDC_CHGPREFIX)},
         false, true, true, true},
        {"advanced mode", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_INSERT)},
         false, false, false, false},
    };
    Window w;
    ASSERT_TRUE(w.created);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Reset();
        w.Do(c.steps);
        ExpectGroup(w, kPrefixGroup, c.prefix, "prefix");
        ExpectGroup(w, kExtGroup, c.ext, "extension");
        ExpectGroup(w, kCounterFrame, c.frame, "counter frame");
        ExpectGroup(w, kCounterFields, c.counter, "counter fields");
        ExpectGroup(w, kAlwaysEnabled, true, "mode boxes");
        EXPECT_EQ(w.Checked(IDC_COUNTPREFIX) || w.Checked(IDC_COUNTEXT), c.counter);
    }
}

TEST(OptionControls, AdvancedGroupFollowsModeAndFields) {
    struct Group { const char* name; std::vector<int> ids; };
    const Group groups[] = {
        {"at pos", {IDC_LBL_INSATPOS, IDC_INSATPOS, IDC_LBL_INSRANGE}},
        {"insert string", {IDC_LBL_INSSTR1, IDC_INSSTR1}},
        {"before/after", {IDC_INSBEFORE, IDC_INSAFTER}},
        {"search string", {IDC_LBL_INSSTR2, IDC_INSSTR2}},
        {"search options", {IDC_SEARCHBACK, IDC_CASESENSITIVE}},
        {"replace string", {IDC_LBL_RESTR1, IDC_RESTR1}},
        {"range", {IDC_LBL_REFROMPOS, IDC_REFROMPOS, IDC_LBL_RETOPOS, IDC_RETOPOS}},
        {"with", {IDC_LBL_RESTR2, IDC_RESTR2}},
        {"apply to", {IDC_APPLY_PREFIX, IDC_APPLY_EXT, IDC_APPLY_NAME}},
    };
    struct Case {
        const char* name;
        std::vector<Step> steps;
        const char* enabled;  // one character per group above
    } cases[] = {
        {"nothing", {}, "000000000"},
        {"insert", {Click(IDC_INSERT)}, "111000001"},
        {"insert before", {Click(IDC_INSERT), Click(IDC_INSBEFORE)}, "011110001"},
        {"insert after", {Click(IDC_INSERT), Click(IDC_INSAFTER)}, "011110001"},
        {"insert before taken back", {Click(IDC_INSERT), Click(IDC_INSBEFORE), Click(IDC_INSBEFORE)}, "111000001"},
        {"insert at a position", {Click(IDC_INSERT), Type(IDC_INSATPOS, "7")}, "110000001"},
        {"replace", {Click(IDC_REPLACE)}, "000001111"},
        {"replace a string", {Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}, "000011011"},
        {"replace from", {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "1")}, "000000111"},
        {"replace to", {Click(IDC_REPLACE), Type(IDC_RETOPOS, "1")}, "000000111"},
        {"insert, then replace", {Click(IDC_INSERT), Click(IDC_REPLACE)}, "000001111"},
        {"insert, then a basic change", {Click(IDC_INSERT), Click(IDC_CHGPREFIX)}, "000000000"},
    };
    Window w;
    ASSERT_TRUE(w.created);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        w.Reset();
        w.Do(c.steps);
        for (size_t g = 0; g < sizeof groups / sizeof groups[0]; ++g)
            ExpectGroup(w, groups[g].ids, c.enabled[g] == '1', groups[g].name);
        ExpectGroup(w, kAlwaysEnabled, true, "mode boxes");
    }
}

TEST(OptionControls, PartnersExcludeEachOther) {
    struct Case {
        std::vector<Step> setUp;
        int first, second;  // clicked in this order: only the second stays checked
        int bystander;      // a checked box that must stay checked
    } cases[] = {
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_EXTUPPER)}, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_EXTUPPER},
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_EXTLOWER)}, IDC_PREFIXLOWER, IDC_PREFIXUPPER, IDC_EXTLOWER},
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_PREFIXUPPER)}, IDC_EXTUPPER, IDC_EXTLOWER, IDC_PREFIXUPPER},
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_PREFIXLOWER)}, IDC_EXTLOWER, IDC_EXTUPPER, IDC_PREFIXLOWER},
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT)}, IDC_COUNTPREFIX, IDC_COUNTEXT, IDC_CHGPREFIX},
        {{Click(IDC_CHGPREFIX), Click(IDC_CHGEXT)}, IDC_COUNTEXT, IDC_COUNTPREFIX, IDC_CHGEXT},
        {{Click(IDC_INSERT)}, IDC_INSBEFORE, IDC_INSAFTER, IDC_INSERT},
        {{Click(IDC_INSERT), Click(IDC_APPLY_EXT)}, IDC_INSAFTER, IDC_INSBEFORE, IDC_APPLY_EXT},
        {{Click(IDC_INSERT), Click(IDC_APPLY_NAME), Click(IDC_INSERT)}, IDC_INSERT, IDC_REPLACE, IDC_APPLY_NAME},
        {{Click(IDC_INSERT), Click(IDC_APPLY_NAME), Click(IDC_INSERT)}, IDC_REPLACE, IDC_INSERT, IDC_APPLY_NAME},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.first << ", then " << c.second);
        w.Reset();
        w.Do(c.setUp);
        w.Do(Click(c.first));
        ASSERT_EQ(w.Checked(c.first), 1);
        w.Do(Click(c.second));
        EXPECT_EQ(w.Checked(c.first), 0);
        EXPECT_EQ(w.Checked(c.second), 1);
        EXPECT_EQ(w.Checked(c.bystander), 1);
    }
}

TEST(OptionControls, PositionEditsRefuseBadKeystrokes) {
    struct Case {
        const char* before;  // accepted text typed first
        int at;              // where the next text goes
        const char* typed;
        const char* after;
        size_t beeps;
        int caret;
    } cases[] = {
        {"", 0, "256", "25", 1, 2},
        {"", 0, "0255", "0255", 0, 4},
        {"", 0, "x", "", 1, 0},
        {"", 0, "-1", "1", 1, 1},
        {"", 0, "3a0", "30", 1, 2},
        {"25", 0, "9", "25", 1, 0},   // 925: the caret stays in front
        {"25", 1, "0", "205", 0, 2},
        {"25", 1, "6", "25", 1, 1},   // 265
    };
    struct Edit { int id; int mode; } edits[] = {
        {IDC_INSATPOS, IDC_INSERT}, {IDC_REFROMPOS, IDC_REPLACE}, {IDC_RETOPOS, IDC_REPLACE}};
    Window w;
    for (Edit e : edits) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "edit " << e.id << ": " << c.before << " + " << c.typed << " at " << c.at);
            CapturingSink sink;
            w.Reset();
            w.Do({Click(e.mode), Type(e.id, c.before)});
            TypeTextAt(w.Item(e.id), c.at, c.typed);
            PumpMessages(w.hwnd);
            EXPECT_EQ(w.Text(e.id), c.after);
            EXPECT_EQ(sink.beeps, std::vector<UINT>(c.beeps, 0xFFFF));
            EXPECT_EQ(w.Caret(e.id), c.caret);
            EXPECT_TRUE(sink.messages.empty());
            // The next exchange must not bring the refused text back.
            w.dlg.UpdateData(TRUE);
            EXPECT_EQ(e.id == IDC_INSATPOS ? w.dlg.m_strInsAtPos
                      : e.id == IDC_REFROMPOS ? w.dlg.m_strReFromPos : w.dlg.m_strReToPos, c.after);
        }
    }
}

TEST(OptionControls, AnythingTypedAtAPositionDropsTheSearchString) {
    struct Case { const char* typed; const char* atPos; size_t beeps; } cases[] = {
        {"x", "", 1},
        {"5", "5", 0},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        CapturingSink sink;
        w.Reset();
        w.Do({Click(IDC_INSERT), Click(IDC_INSBEFORE), Type(IDC_INSSTR2, "abc"), Click(IDC_INSBEFORE)});
        ASSERT_EQ(w.Text(IDC_INSSTR2), "abc");
        ASSERT_TRUE(w.Enabled(IDC_INSATPOS));
        w.Do(Type(IDC_INSATPOS, c.typed));
        EXPECT_EQ(w.Text(IDC_INSATPOS), c.atPos);
        EXPECT_EQ(w.Text(IDC_INSSTR2), "");
        EXPECT_EQ(w.dlg.m_strInsStr2, "");
        EXPECT_EQ(sink.beeps.size(), c.beeps);
        EXPECT_EQ(w.Enabled(IDC_INSBEFORE), *c.atPos == '\0');
    }
}

TEST(OptionControls, BeforeOrAfterTakesThePositionsPlace) {
    Window w;
    w.Do({Click(IDC_INSERT), Click(IDC_INSBEFORE)});
    for (int id : {IDC_LBL_INSATPOS, IDC_INSATPOS, IDC_LBL_INSRANGE}) EXPECT_FALSE(w.Enabled(id)) << id;
    w.Do(Click(IDC_INSBEFORE));
    for (int id : {IDC_LBL_INSATPOS, IDC_INSATPOS, IDC_LBL_INSRANGE}) EXPECT_TRUE(w.Enabled(id)) << id;
    // A position typed in shuts both boxes out; should one be checked all the same,
    // the position gives way.
    w.Do(Type(IDC_INSATPOS, "12"));
    EXPECT_FALSE(w.Enabled(IDC_INSBEFORE));
    EXPECT_FALSE(w.Enabled(IDC_INSAFTER));
    ::EnableWindow(w.Item(IDC_INSAFTER), TRUE);
    w.Do(Click(IDC_INSAFTER));
    EXPECT_EQ(w.Text(IDC_INSATPOS), "");
    EXPECT_FALSE(w.Enabled(IDC_INSATPOS));
    EXPECT_TRUE(w.Enabled(IDC_INSSTR2));
}

TEST(OptionControls, ReplaceStringAndRangeExcludeEachOther) {
    Window w;
    w.Do({Click(IDC_REPLACE), Type(IDC_RESTR1, "abc")});
    ASSERT_FALSE(w.Enabled(IDC_REFROMPOS));
    EXPECT_TRUE(w.Enabled(IDC_SEARCHBACK));
    EXPECT_TRUE(w.Enabled(IDC_CASESENSITIVE));
    // A digit reaches the disabled edit (as a paste could): the string goes.
    w.Do(Type(IDC_REFROMPOS, "3"));
    EXPECT_EQ(w.Text(IDC_RESTR1), "");
    EXPECT_FALSE(w.Enabled(IDC_RESTR1));
    EXPECT_TRUE(w.Enabled(IDC_REFROMPOS));
    EXPECT_FALSE(w.Enabled(IDC_SEARCHBACK));
    w.Do(Type(IDC_RETOPOS, "4"));
    w.Do(Erase(IDC_REFROMPOS));
    EXPECT_FALSE(w.Enabled(IDC_RESTR1)) << "Last/To # still holds a number";
    w.Do(Erase(IDC_RETOPOS));
    EXPECT_TRUE(w.Enabled(IDC_RESTR1));

    w.Do({Type(IDC_REFROMPOS, "1"), Type(IDC_RETOPOS, "2"), Type(IDC_RESTR1, "x")});
    EXPECT_EQ(w.Text(IDC_RESTR1), "x");
    EXPECT_EQ(w.Text(IDC_REFROMPOS), "");
    EXPECT_EQ(w.Text(IDC_RETOPOS), "");
    EXPECT_FALSE(w.Enabled(IDC_REFROMPOS));
    EXPECT_FALSE(w.Enabled(IDC_RETOPOS));
    EXPECT_TRUE(w.Enabled(IDC_SEARCHBACK));
    EXPECT_TRUE(w.Enabled(IDC_CASESENSITIVE));
}

TEST(OptionControls, CounterFieldsRefuseBadKeystrokes) {
    const std::string decimalNotice = "Cannot exceed 18446744073709551615";
    const std::string alphaNotice = "Cannot exceed HLHXCZMXSYUMQP";
    struct Case {
        int id;
        bool alpha;
        const char* typed;  // into the emptied field
        const char* after;
        size_t beeps;
        std::string notice;
    } cases[] = {
        {IDC_STARTCOUNT, false, "18446744073709551616", "1844674407370955161", 1, decimalNotice},
        {IDC_STARTCOUNT, false, "18446744073709551615", "18446744073709551615", 0, ""},
        {IDC_STARTCOUNT, false, "99999999999999999999", "9999999999999999999", 1, decimalNotice},
        {IDC_STARTCOUNT, false, "12a3", "123", 1, ""},
        {IDC_STARTCOUNT, true, "aaaaaaaaaaaaaaa", "aaaaaaaaaaaaaa", 1, ""},
        {IDC_STARTCOUNT, true, "hlhxczmxsyumqq", "hlhxczmxsyumq", 1, alphaNotice},
        {IDC_STARTCOUNT, true, "HLHXCZMXSYUMQP", "HLHXCZMXSYUMQP", 0, ""},
        {IDC_STARTCOUNT, true, "ab1c", "abc", 1, ""},
        {IDC_STARTCOUNT, true, "a-b c", "a-b c", 0, ""},
        {IDC_INCREMENT, false, "1x2", "12", 1, ""},
        {IDC_INCREMENT, false, "0", "0", 0, ""},
        {IDC_INCREMENT, true, "5b", "5", 1, ""},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.alpha ? " letters " : " digits ") << c.typed);
        CapturingSink sink;
        w.Reset();
        w.Do({Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)});
        if (c.alpha) w.Do(Click(IDC_ALPHACOUNT));
        w.Do(Erase(c.id));
        std::string textWhenShown;
        sink.onMessage = [&](const ShownMessage&) { textWhenShown = w.Text(c.id); };
        w.Do(Type(c.id, c.typed));
        EXPECT_EQ(w.Text(c.id), c.after);
        EXPECT_EQ(w.Caret(c.id), static_cast<int>(std::string(c.after).size()));
        EXPECT_EQ(sink.beeps, std::vector<UINT>(c.beeps, 0xFFFF));
        if (c.notice.empty()) {
            EXPECT_TRUE(sink.messages.empty());
        } else {
            ASSERT_EQ(sink.messages.size(), 1u);
            EXPECT_EQ(sink.messages[0].text, c.notice);
            EXPECT_EQ(sink.messages[0].title, "Notice!");
            EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
            EXPECT_EQ(textWhenShown, c.typed) << "the notice comes before the text is put back";
        }
    }
}

TEST(OptionControls, RefusedCounterKeystrokeLeavesTheCaretInPlace) {
    struct Case { int id; int at; const char* typed; } cases[] = {
        {IDC_STARTCOUNT, 1, "x"},
        {IDC_STARTCOUNT, 0, "-"},
        {IDC_INCREMENT, 2, "+"},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << " at " << c.at);
        CapturingSink sink;
        w.Reset();
        w.Do({Click(IDC_CHGEXT), Click(IDC_COUNTEXT), Erase(c.id), Type(c.id, "123")});
        TypeTextAt(w.Item(c.id), c.at, c.typed);
        EXPECT_EQ(w.Text(c.id), "123");
        EXPECT_EQ(w.Caret(c.id), c.at);
        EXPECT_EQ(sink.beeps.size(), 1u);
    }
}

TEST(OptionControls, AlphabeticalSwitchKeepsTheValue) {
    struct Case {
        bool typeAsLetters;
        const char* typed;  // nullptr keeps the start value "001"
        std::vector<std::string> afterEachSwitch;
    } cases[] = {
        {false, "27", {"BB", "27"}},
        {false, nullptr, {"B", "1"}},
        {false, "0", {"", ""}},
        {true, "abc", {"28", "BC"}},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed ? c.typed : "001");
        CapturingSink sink;
        w.Reset();
        w.Do({Click(IDC_CHGPREFIX), Click(IDC_PREFIX_REPLACE), Click(IDC_COUNTPREFIX)});
        if (c.typeAsLetters) w.Do(Click(IDC_ALPHACOUNT));
        if (c.typed) w.Do({Erase(IDC_STARTCOUNT), Type(IDC_STARTCOUNT, c.typed)});
        for (const std::string& expected : c.afterEachSwitch) {
            w.Do(Click(IDC_ALPHACOUNT));
            EXPECT_EQ(w.Text(IDC_STARTCOUNT), expected);
            EXPECT_EQ(w.dlg.m_strStartCount, expected);
            const bool alpha = w.Checked(IDC_ALPHACOUNT) != 0;
            const std::string shown = expected.empty() ? (alpha ? "A" : "1") : expected;
            EXPECT_EQ(w.Text(IDC_PREVIEW), shown + ".{Old Extension}");
        }
        EXPECT_TRUE(sink.beeps.empty());
    }
}

TEST(OptionControls, PreviewLineFollowsTheControls) {
    struct Case {
        std::vector<Step> steps;
        const char* preview;
    } cases[] = {
        {{}, "(NO CHANGES)"},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIX_REPLACE), Type(IDC_NEWPREFIX, "IMG_"), Click(IDC_COUNTPREFIX)},
         "IMG_001.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIX_REPLACE), Type(IDC_NEWPREFIX, "IMG_"), Click(IDC_COUNTPREFIX),
          Click(IDC_PREFIXLOWER)},
         "img_001.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "_v"), Click(IDC_PREFIXUPPER)}, "{OLD PREFIX}_V.{Old Extension}"},
        {{Click(IDC_CHGEXT), Click(IDC_EXT_REPLACE), Type(IDC_NEWEXT, ".jpg")}, "{Old Prefix}.jpg"},
        {{Click(IDC_CHGEXT), Type(IDC_NEWEXT, ".bak")}, "{Old Prefix}.{Old Extension}.bak"},
        {{Click(IDC_CHGEXT), Click(IDC_EXT_REPLACE), Click(IDC_COUNTEXT), Click(IDC_ALPHACOUNT), Erase(IDC_STARTCOUNT)},
         "{Old Prefix}.a"},
        {{Click(IDC_CHGPREFIX), Click(IDC_PREFIX_BEFORE), Type(IDC_NEWPREFIX, "v"), Click(IDC_COUNTPREFIX),
          Erase(IDC_STARTCOUNT), Type(IDC_STARTCOUNT, "01")},
         "v01{Old Prefix}.{Old Extension}"},
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "x"), Click(IDC_CHGEXT), Click(IDC_EXTUPPER),
          Click(IDC_CHGPREFIX)},
         "{Old Prefix}.{OLD EXTENSION}"},
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "x"), Click(IDC_CHGPREFIX)}, "(NO CHANGES)"},
        {{Click(IDC_CHGPREFIX), Type(IDC_NEWPREFIX, "x"), Click(IDC_INSERT)}, kAdvancedNotice},
        {{Click(IDC_CHGEXT), Click(IDC_REPLACE)}, kAdvancedNotice},
        {{Click(IDC_INSERT), Click(IDC_INSERT)}, "(NO CHANGES)"},
        {{Click(IDC_INSERT), Type(IDC_INSATPOS, "3"), Click(IDC_CHGPREFIX)}, "{Old Prefix}.{Old Extension}"},
    };
    Window w;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preview);
        w.Reset();
        w.Do(c.steps);
        EXPECT_EQ(w.Text(IDC_PREVIEW), c.preview);
        EXPECT_EQ(w.dlg.m_strPreview, c.preview);
    }
}

// The rules every reader of the options relies on, after any sequence of user
// actions on enabled controls.
TEST(OptionControls, InvariantsHoldAfterAnyClicks) {
    const Step actions[] = {
        Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_COUNTPREFIX), Click(IDC_COUNTEXT),
        Click(IDC_PREFIXUPPER), Click(IDC_PREFIXLOWER), Click(IDC_EXTUPPER), Click(IDC_EXTLOWER),
        Click(IDC_INSERT), Click(IDC_REPLACE), Click(IDC_INSBEFORE), Click(IDC_INSAFTER),
        Type(IDC_INSATPOS, "1"), Type(IDC_INSSTR2, "a"), Type(IDC_RESTR1, "b"), Type(IDC_REFROMPOS, "2"),
        Type(IDC_RETOPOS, "3"), Erase(IDC_INSATPOS), Erase(IDC_INSSTR2), Erase(IDC_RESTR1),
        Erase(IDC_REFROMPOS), Erase(IDC_RETOPOS),
    };
    const int count = sizeof actions / sizeof actions[0];
    CapturingSink sink;
    Window w;
    unsigned seed = 12345;
    for (int n = 0; n < 250; ++n) {
        seed = seed * 1103515245u + 12345u;
        const Step& s = actions[(seed >> 16) % count];
        if (!w.Enabled(s.id)) continue;
        w.Do(s);
        const CRenameDlg& d = w.dlg;
        SCOPED_TRACE(testing::Message() << "action " << n << " on " << s.id);
        ASSERT_FALSE(d.m_bPrefixUpper && d.m_bPrefixLower);
        ASSERT_FALSE(d.m_bExtUpper && d.m_bExtLower);
        ASSERT_FALSE(d.m_bCountPrefix && d.m_bCountExt);
        ASSERT_FALSE(d.m_bInsBefore && d.m_bInsAfter);
        ASSERT_TRUE(!d.m_bCountPrefix || d.m_bChangePrefix);
        ASSERT_TRUE(!d.m_bCountExt || d.m_bChangeExt);
        ASSERT_FALSE((d.m_bChangePrefix || d.m_bChangeExt) && (d.m_bInsert || d.m_bReplace));
        ASSERT_FALSE(d.m_bInsert && d.m_bReplace);
        ASSERT_TRUE(d.m_strInsStr2.empty() || d.m_strInsAtPos.empty());
        ASSERT_TRUE(d.m_strReStr1.empty() || (d.m_strReFromPos.empty() && d.m_strReToPos.empty()));
        // The controls show exactly what the fields hold.
        struct Bound { int id; int value; } bound[] = {
            {IDC_CHGPREFIX, d.m_bChangePrefix}, {IDC_CHGEXT, d.m_bChangeExt}, {IDC_COUNTPREFIX, d.m_bCountPrefix},
            {IDC_COUNTEXT, d.m_bCountExt}, {IDC_PREFIXUPPER, d.m_bPrefixUpper}, {IDC_PREFIXLOWER, d.m_bPrefixLower},
            {IDC_EXTUPPER, d.m_bExtUpper}, {IDC_EXTLOWER, d.m_bExtLower}, {IDC_INSERT, d.m_bInsert},
            {IDC_REPLACE, d.m_bReplace}, {IDC_INSBEFORE, d.m_bInsBefore}, {IDC_INSAFTER, d.m_bInsAfter}};
        for (Bound b : bound) ASSERT_EQ(w.Checked(b.id), b.value) << "check box " << b.id;
        ASSERT_EQ(w.Text(IDC_INSATPOS), d.m_strInsAtPos);
        ASSERT_EQ(w.Text(IDC_INSSTR2), d.m_strInsStr2);
        ASSERT_EQ(w.Text(IDC_RESTR1), d.m_strReStr1);
    }
}

// The window's compositions hand its members to the naming library: where the name
// goes, and which name the next list refill puts its caret on.
TEST(OptionControls, CompositionsUseTheWindowsDirectoriesAndCaretName) {
    struct Case {
        bool preview, useNewDir, noRefresh;
        const char* destination;
        int flagIn;
        int result;
        const char* newName;
        const char* caret;
        int flagOut;
    } cases[] = {
        {false, false, false, "", 0, 1, "C:\\work\\new.txt", "new.txt", 1},
        {false, false, false, "", 1, 1, "C:\\work\\new.txt", "", 1},
        {false, false, true, "", 0, 1, "C:\\work\\new.txt", "", 0},
        {false, true, false, "D:\\out\\", 0, 1, "D:\\out\\new.txt", "", 0},
        {false, true, false, "", 0, 1, "C:\\work\\new.txt", "new.txt", 1},
        {false, false, false, "D:\\out\\", 0, 1, "C:\\work\\new.txt", "new.txt", 1},
        {true, true, false, "D:\\out\\", 0, 0, "new.txt", "", 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "preview " << c.preview << ", new dir " << c.useNewDir << " "
                                        << c.destination << ", no refresh " << c.noRefresh);
        for (bool advanced : {false, true}) {
            CRenameDlg d;
            d.m_strCurDir = "C:\\work\\";
            d.m_bPreviewRun = c.preview;
            d.m_bUseNewDir = c.useNewDir;
            d.m_bNoRefresh = c.noRefresh;
            d.m_strDestination = c.destination;
            d.m_bChangePrefix = TRUE;
            d.m_nPrefixPos = 0;
            d.m_strNewPrefix = "new";
            d.m_bReplace = TRUE;
            d.m_strReFromPos = "3";
            d.m_strReStr2 = "new";
            int flag = c.flagIn;
            CString newName = "stale";
            int result = advanced ? d.ComposeAdvancedName("old.txt", flag, newName)
                                  : d.ComposeBasicName("old.txt", nullptr, flag, newName);
            EXPECT_EQ(result, c.result);
            EXPECT_EQ(newName, c.newName);
            EXPECT_EQ(d.m_strCaretName, c.caret);
            EXPECT_EQ(flag, c.flagOut);
            EXPECT_EQ(d.m_arrNewNames, c.preview ? CStringArray{"new.txt"} : CStringArray{});
        }
    }
    CRenameDlg d;
    d.m_bInsert = TRUE;
    int flag = 0;
    CString newName = "stale";
    EXPECT_EQ(d.ComposeAdvancedName("old.txt", flag, newName), -3);
    EXPECT_EQ(newName, "");
    EXPECT_EQ(flag, 0);
}

}  // namespace
