// The option rules, driven as the window drives them: one change per click or keystroke.
#include <gtest/gtest.h>

#include <algorithm>

#include "naming/option_rules.h"
#include "naming/preview_line.h"
#include "res/resource.h"
#include "support/option_presets.h"

namespace {

// One user action. Clicks reach disabled boxes too, as a stale enabled state would let them.
struct Step { enum Kind { Click, Type, Erase } kind; int id; const char* text; };
Step Click(int id) { return {Step::Click, id, ""}; }
Step Type(int id, const char* text) { return {Step::Type, id, text}; }
Step Erase(int id) { return {Step::Erase, id, ""}; }

// The options as start-up leaves them without a settings file, and what each change gave.
struct Session {
    Session() {
        o.m_strSearchMask = "*.*";
        o.m_strPreview = RealTimePreviewText(o);
    }
    std::string& TextOf(int id) { return o.*FindOptionBinding(id)->text; }
    OptionOutcome Change(const OptionChange& c) {
        const OptionOutcome out = ApplyOptionChange(o, c);
        o = out.options;
        refusals += out.refused;
        if (!out.notice.empty()) notices.push_back(out.notice);
        return out;
    }
    // Each character goes in at `at`, where the caret is, and the caret moves on after it.
    void TypeAt(int id, size_t at, const std::string& text) {
        for (char c : text) {
            const int caret = static_cast<int>(at) + 1;
            const OptionOutcome out = Change({id, 0, std::string(TextOf(id)).insert(at, 1, c), caret});
            EXPECT_EQ(out.caret, out.refused ? caret - 1 : -1);  // a refused one puts it back
            at = std::min(static_cast<size_t>(out.refused ? caret - 1 : caret), TextOf(id).size());
        }
    }
    void Do(const std::vector<Step>& steps) {
        for (const Step& s : steps) {
            if (s.kind == Step::Click) Change(ClickedOption(o, s.id));
            if (s.kind == Step::Type) TypeAt(s.id, TextOf(s.id).size(), s.text);
            if (s.kind == Step::Erase)
                for (size_t n = TextOf(s.id).size(); n > 0; --n) Change({s.id, 0, TextOf(s.id).substr(0, n - 1), int(n) - 1});
        }
    }
    RenameOptions o;
    int refusals = 0;
    std::vector<std::string> notices;
};

bool Enabled(const RenameOptions& o, int id) {
    const std::vector<int> ids = EnabledControls(o);
    return std::find(ids.begin(), ids.end(), id) != ids.end();
}

TEST(OptionRules, EnablingFollowsModeBoxesAndFields) {
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
        {"regex", {IDC_REGEX}},
    };
    struct Case { const char* name; std::vector<Step> steps; const char* enabled; } cases[] = {  // a digit per group
        {"nothing", {}, "0000 0000000000"},
        {"prefix", {Click(IDC_CHGPREFIX)}, "1010 0000000000"},
        {"prefix counted", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)}, "1011 0000000000"},
        {"prefix taken back", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_CHGPREFIX)}, "0000 0000000000"},
        {"other half keeps its counter",
         {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT), Click(IDC_COUNTEXT), Click(IDC_CHGPREFIX)}, "0111 0000000000"},
        {"insert", {Click(IDC_INSERT)}, "0000 1110000010"},
        {"counted, then insert", {Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX), Click(IDC_INSERT)}, "0000 1110000010"},
        {"insert before", {Click(IDC_INSERT), Click(IDC_INSBEFORE)}, "0000 0111100010"},
        {"before taken back", {Click(IDC_INSERT), Click(IDC_INSBEFORE), Click(IDC_INSBEFORE)}, "0000 1110000010"},
        {"insert at a position", {Click(IDC_INSERT), Type(IDC_INSATPOS, "7")}, "0000 1100000010"},
        {"position taken back", {Click(IDC_INSERT), Type(IDC_INSATPOS, "7"), Erase(IDC_INSATPOS)}, "0000 1110000010"},
        {"After forced", {Click(IDC_INSERT), Type(IDC_INSATPOS, "12"), Click(IDC_INSAFTER)}, "0000 0111100010"},
        {"search string over a position",
         {Click(IDC_INSERT), Type(IDC_INSATPOS, "3"), Type(IDC_INSSTR2, "s")}, "0000 1110000010"},
        {"replace", {Click(IDC_REPLACE)}, "0000 0000011111"},
        {"replace a string", {Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}, "0000 0000110111"},
        {"range with To # left",
         {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "3"), Type(IDC_RETOPOS, "4"), Erase(IDC_REFROMPOS)}, "0000 0000001111"},
        {"range taken back",
         {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "3"), Erase(IDC_REFROMPOS)}, "0000 0000011111"},
        {"string over a range",
         {Click(IDC_REPLACE), Type(IDC_REFROMPOS, "1"), Type(IDC_RETOPOS, "2"), Type(IDC_RESTR1, "x")}, "0000 0000110111"},
        {"insert, then a basic change", {Click(IDC_INSERT), Click(IDC_CHGPREFIX)}, "1010 0000000000"},
        {"replace, then insert", {Click(IDC_REPLACE), Click(IDC_INSERT)}, "0000 1110000010"},
        {"pattern with a range", {Click(IDC_REPLACE), Click(IDC_REGEX), Type(IDC_RESTR1, "a"), Type(IDC_REFROMPOS, "1")},
         "0000 0000111111"},
        {"pattern left behind", {Click(IDC_REPLACE), Click(IDC_REGEX), Type(IDC_RESTR1, "a"), Type(IDC_RETOPOS, "1"),
                                 Click(IDC_REGEX)}, "0000 0000110111"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Session s;
        s.Do(c.steps);
        const std::string mask = std::string(c.enabled).erase(4, 1);
        for (size_t g = 0; g < mask.size(); ++g)
            for (int id : groups[g].ids) EXPECT_EQ(Enabled(s.o, id), mask[g] == '1') << groups[g].name << " " << id;
        for (int id : {IDC_CHGPREFIX, IDC_CHGEXT, IDC_INSERT, IDC_REPLACE}) EXPECT_FALSE(Enabled(s.o, id));
        // What every reader of the options relies on holds after any changes (the naming fuzz target).
        EXPECT_EQ(s.o.m_bCountPrefix || s.o.m_bCountExt, mask[3] == '1');
    }
}

TEST(OptionRules, EditLimits) {
    int limited = 0;
    for (const OptionBinding& b : OptionBindings()) limited += b.maxChars > 0;
    EXPECT_EQ(limited, 12);
    for (const auto& [id, limit] : kEditLimits) EXPECT_EQ(FindOptionBinding(id)->maxChars, limit) << id;
}

TEST(OptionRules, PartnersExcludeEachOther) {
    const std::vector<Step> basic = {Click(IDC_CHGPREFIX), Click(IDC_CHGEXT)}, insert = {Click(IDC_INSERT)}, none;
    // `first`, then `second` clicked: only the second stays checked, and so does the checked bystander.
    struct Case { std::vector<Step> setUp; int first, second, bystander; } cases[] = {
        {basic, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_EXTUPPER}, {basic, IDC_PREFIXLOWER, IDC_PREFIXUPPER, IDC_EXTLOWER},
        {basic, IDC_EXTUPPER, IDC_EXTLOWER, IDC_PREFIXUPPER},    {basic, IDC_EXTLOWER, IDC_EXTUPPER, IDC_PREFIXLOWER},
        {basic, IDC_COUNTPREFIX, IDC_COUNTEXT, IDC_CHGPREFIX},   {basic, IDC_COUNTEXT, IDC_COUNTPREFIX, IDC_CHGEXT},
        {insert, IDC_INSBEFORE, IDC_INSAFTER, IDC_INSERT},       {insert, IDC_INSAFTER, IDC_INSBEFORE, IDC_CASESENSITIVE},
        {none, IDC_INSERT, IDC_REPLACE, IDC_SEARCHBACK},         {none, IDC_REPLACE, IDC_INSERT, IDC_SEARCHBACK},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "first " << c.first << ", then " << c.second);
        Session s;
        s.Do(c.setUp);
        s.Do({Click(c.first)});
        auto checked = [&](int id) { return s.o.*FindOptionBinding(id)->flag; };
        if (!checked(c.bystander)) s.Do({Click(c.bystander)});
        s.Do({Click(c.second)});
        EXPECT_EQ((std::vector<int>{checked(c.first), checked(c.second), checked(c.bystander)}),
                  (std::vector<int>{0, 1, 1}));
    }
}

TEST(OptionRules, PositionEditsRefuseBadKeystrokes) {
    // `before` is typed first, then `typed` at position `at`.
    struct Case { const char* before; int at; const char* typed; const char* after; int refusals; } cases[] = {
        {"", 0, "256", "25", 1}, {"", 0, "0255", "0255", 0}, {"", 0, "x", "", 1}, {"", 0, "3a0", "30", 1},
        {"25", 0, "9", "25", 1}, {"25", 1, "0", "205", 0}, {"25", 1, "6", "25", 1}, {"", 0, "-1", "1", 1},
    };
    // Any keystroke into a position edit, refused or not, drops the search string it rivals.
    struct Edit { int id; std::vector<Step> setUp; int rival; } edits[] = {
        {IDC_INSATPOS, {Click(IDC_INSERT), Click(IDC_INSBEFORE), Type(IDC_INSSTR2, "abc"), Click(IDC_INSBEFORE)},
         IDC_INSSTR2},
        {IDC_REFROMPOS, {Click(IDC_REPLACE), Type(IDC_RESTR1, "abc")}, IDC_RESTR1},
        {IDC_RETOPOS, {Click(IDC_REPLACE), Type(IDC_RESTR1, "abc")}, IDC_RESTR1},
    };
    for (const Edit& e : edits)
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << "edit " << e.id << ": " << c.before << " + " << c.typed << " at " << c.at);
            Session s;
            s.Do(e.setUp);
            ASSERT_EQ(s.TextOf(e.rival), "abc");
            s.Do({Type(e.id, c.before)});
            s.TypeAt(e.id, c.at, c.typed);
            EXPECT_EQ(s.TextOf(e.id), c.after);
            EXPECT_EQ(s.TextOf(e.rival), "");
            EXPECT_EQ(s.refusals, c.refusals);
            EXPECT_TRUE(s.notices.empty());
        }
}

TEST(OptionRules, CounterFieldsRefuseBadKeystrokes) {
    const std::string decimal = "Cannot exceed 18446744073709551615", alpha = "Cannot exceed HLHXCZMXSYUMQP";
    const int start = IDC_STARTCOUNT, step = IDC_INCREMENT;
    // `before` is typed into the emptied field first, then `typed` at position `at`.
    struct Case { int id; bool alpha; const char *before; int at; const char *typed, *after; int refusals;
                  std::string notice; } cases[] = {
        {start, false, "", 0, "18446744073709551616", "1844674407370955161", 1, decimal},
        {start, false, "", 0, "18446744073709551615", "18446744073709551615", 0, ""},
        // The limits compare as text: byte by byte for digits, ASCII case folded for letters.
        {start, false, "", 0, "99999999999999999999", "9999999999999999999", 1, decimal},  // would wrap below it
        {start, false, "1844674407370955161", 19, "-", "1844674407370955161", 1, ""},      // below it, no digit
        {start, true, "", 0, "HLHXCZMXSYUMQ_", "HLHXCZMXSYUMQ_", 0, ""},  // "_" sorts below "p", above "P"
        {start, false, "123", 1, "x", "123", 1, ""},
        {start, true, "", 0, "aaaaaaaaaaaaaaa", "aaaaaaaaaaaaaa", 1, ""},
        {start, true, "", 0, "hlhxczmxsyumqq", "hlhxczmxsyumq", 1, alpha},
        {start, true, "", 0, "HLHXCZMXSYUMQP", "HLHXCZMXSYUMQP", 0, ""},
        {start, true, "", 0, "ab1c", "abc", 1, ""},
        {start, true, "", 0, "a-b c", "a-b c", 0, ""},
        {step, false, "", 0, "1x2", "12", 1, ""},
        {step, true, "", 0, "5b", "5", 1, ""},
        {step, false, "12", 1, "0", "102", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.id << (c.alpha ? " letters " : " digits ") << c.before << "+" << c.typed);
        Session s;
        s.Do({Click(IDC_CHGPREFIX), Click(IDC_COUNTPREFIX)});
        if (c.alpha) s.Do({Click(IDC_ALPHACOUNT)});
        s.Do({Erase(c.id), Type(c.id, c.before)});
        s.TypeAt(c.id, c.at, c.typed);
        EXPECT_EQ(s.TextOf(c.id), c.after);
        EXPECT_EQ(s.refusals, c.refusals);
        EXPECT_EQ(s.notices, c.notice.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.notice});
        if (c.id != start) continue;  // the preview follows the starting value, refused keys or not
        EXPECT_EQ(s.o.m_strPreview, "{Old Prefix}" + std::string(c.after) + ".{Old Extension}");
    }
}

TEST(OptionRules, PreviewLineFollowsTheOptions) {
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
        {{prefix, Type(IDC_NEWPREFIX, "v"), Click(IDC_PREFIX_BEFORE), Click(IDC_COUNTPREFIX)}, "v001{Old Prefix}.{Old Extension}"},
        {{ext, Click(IDC_EXT_REPLACE), Type(IDC_NEWEXT, ".jpg")}, "{Old Prefix}.jpg"},
        {{ext, Type(IDC_NEWEXT, ".bak")}, "{Old Prefix}.{Old Extension}.bak"},
        {{ext, Click(IDC_EXT_REPLACE), Click(IDC_COUNTEXT), Click(IDC_ALPHACOUNT), Erase(IDC_STARTCOUNT)},
         "{Old Prefix}.a"},
        {{prefix, Type(IDC_NEWPREFIX, "x"), ext, Click(IDC_EXTUPPER), prefix}, "{Old Prefix}.{OLD EXTENSION}"},
        {{prefix, Type(IDC_NEWPREFIX, "x"), Click(IDC_INSERT)}, advanced},
        {{Click(IDC_REPLACE), Type(IDC_RESTR1, "a")}, advanced},
        {{Click(IDC_REPLACE), Click(IDC_REGEX), Type(IDC_RESTR1, "(a)")}, advanced},
        {{Click(IDC_REPLACE), Click(IDC_REGEX), Type(IDC_RESTR1, "(a")}, "(INVALID PATTERN)"},
        {{Click(IDC_INSERT), Click(IDC_INSERT)}, "(NO CHANGES)"},
        {{Type(IDC_PREVIEW, "abc")}, "(NO CHANGES)"},  // output only
        {counted({Type(IDC_STARTCOUNT, "27"), letters}), "BB.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "001"), letters}), "B.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "001"), letters, letters}), "1.{Old Extension}"},
        {counted({Type(IDC_STARTCOUNT, "0"), letters}), "A.{Old Extension}"},
        {counted({letters, Type(IDC_STARTCOUNT, "abc"), letters}), "28.{Old Extension}"},
        {counted({letters, Type(IDC_STARTCOUNT, "abc"), letters, letters}), "BC.{Old Extension}"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.preview);
        Session s;
        s.Do(c.steps);
        EXPECT_EQ(s.o.m_strPreview, c.preview);
    }
}

}  // namespace
