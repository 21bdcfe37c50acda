#include "naming/option_rules.h"

#include "naming/counter.h"
#include "naming/position_field.h"
#include "naming/preview_line.h"
#include "res/resource.h"

#include <algorithm>
#include <cstdlib>

namespace {

using Flag = int RenameOptions::*;
using Text = std::string RenameOptions::*;

OptionBinding Check(int id, Flag f) { return {id, ControlKind::CheckBox, 1, f, nullptr, nullptr, 0}; }
OptionBinding Radio(int id, int buttons, Flag f) {
    return {id, ControlKind::RadioGroup, buttons, f, nullptr, nullptr, 0};
}
OptionBinding Edit(int id, Text t, int maxChars) { return {id, ControlKind::Text, 1, nullptr, t, nullptr, maxChars}; }

using O = RenameOptions;

const std::vector<OptionBinding> kBindings = {
    Radio(IDC_SINGLEMULTI, 2, &O::m_nSelectMode),
    {IDC_SELCOUNT, ControlKind::Number, 1, nullptr, nullptr, &O::m_lSelCount, 0},
    Check(IDC_PREFIXUPPER, &O::m_bPrefixUpper),
    Check(IDC_PREFIXLOWER, &O::m_bPrefixLower),
    Check(IDC_EXTUPPER, &O::m_bExtUpper),
    Check(IDC_EXTLOWER, &O::m_bExtLower),
    Radio(IDC_PREFIX_REPLACE, 3, &O::m_nPrefixPos),
    Radio(IDC_EXT_REPLACE, 3, &O::m_nExtPos),
    Check(IDC_CHGPREFIX, &O::m_bChangePrefix),
    Check(IDC_CHGEXT, &O::m_bChangeExt),
    Check(IDC_COUNTPREFIX, &O::m_bCountPrefix),
    Check(IDC_COUNTEXT, &O::m_bCountExt),
    Check(IDC_ALPHACOUNT, &O::m_bAlphaCount),
    Edit(IDC_NEWPREFIX, &O::m_strNewPrefix, kMaxNameText),
    Edit(IDC_NEWEXT, &O::m_strNewExt, kMaxNameText),
    Edit(IDC_INCREMENT, &O::m_strIncrement, kMaxIncrement),
    Edit(IDC_STARTCOUNT, &O::m_strStartCount, kMaxStartCount),
    Edit(IDC_SEARCHMASK, &O::m_strSearchMask, kMaxSearchMask),
    Edit(IDC_PREVIEW, &O::m_strPreview, 0),
    Check(IDC_INSERT, &O::m_bInsert),
    Check(IDC_REPLACE, &O::m_bReplace),
    Edit(IDC_INSSTR1, &O::m_strInsStr1, kMaxNameText),
    Edit(IDC_INSSTR2, &O::m_strInsStr2, kMaxNameText),
    Edit(IDC_INSATPOS, &O::m_strInsAtPos, kMaxPositionText),
    Edit(IDC_RESTR1, &O::m_strReStr1, kMaxNameText),
    Edit(IDC_RESTR2, &O::m_strReStr2, kMaxNameText),
    Edit(IDC_REFROMPOS, &O::m_strReFromPos, kMaxPositionText),
    Edit(IDC_RETOPOS, &O::m_strReToPos, kMaxPositionText),
    Check(IDC_INSAFTER, &O::m_bInsAfter),
    Check(IDC_INSBEFORE, &O::m_bInsBefore),
    Radio(IDC_APPLY_PREFIX, 3, &O::m_nApplyTo),
    Check(IDC_CASESENSITIVE, &O::m_bCaseSensitive),
    Check(IDC_SEARCHBACK, &O::m_bSearchBack),
    Check(IDC_REGEX, &O::m_bRegex),
};

// A group of controls that share one enabling condition.
struct EnableRule {
    std::vector<int> ids;
    bool (*enabled)(const RenameOptions& o);
};

bool AnyBasicChange(const RenameOptions& o) { return o.m_bChangePrefix || o.m_bChangeExt; }
bool InsertBeside(const RenameOptions& o) { return o.m_bInsert && (o.m_bInsBefore || o.m_bInsAfter); }

const EnableRule kBasicRules[] = {
    {{IDC_LBL_PREFIXPOS, IDC_LBL_NEWPREFIX, IDC_NEWPREFIX, IDC_PREFIX_REPLACE, IDC_PREFIX_BEFORE,
      IDC_PREFIX_AFTER, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_COUNTPREFIX},
     [](const RenameOptions& o) { return o.m_bChangePrefix != 0; }},
    {{IDC_LBL_EXTPOS, IDC_LBL_NEWEXT, IDC_NEWEXT, IDC_EXT_REPLACE, IDC_EXT_BEFORE, IDC_EXT_AFTER,
      IDC_EXTUPPER, IDC_EXTLOWER, IDC_COUNTEXT},
     [](const RenameOptions& o) { return o.m_bChangeExt != 0; }},
    {{IDC_COUNTERGROUP, IDC_LBL_APPLYTO}, AnyBasicChange},
    {{IDC_ALPHACOUNT, IDC_STARTCOUNT, IDC_INCREMENT, IDC_LBL_STARTCOUNT, IDC_LBL_INCREMENT},
     [](const RenameOptions& o) { return AnyBasicChange(o) && (o.m_bCountPrefix || o.m_bCountExt); }},
};

const EnableRule kAdvancedRules[] = {
    {{IDC_LBL_INSATPOS, IDC_INSATPOS, IDC_LBL_INSRANGE},
     [](const RenameOptions& o) { return o.m_bInsert && !o.m_bInsBefore && !o.m_bInsAfter; }},
    {{IDC_LBL_INSSTR1, IDC_INSSTR1}, [](const RenameOptions& o) { return o.m_bInsert != 0; }},
    {{IDC_INSBEFORE, IDC_INSAFTER},
     [](const RenameOptions& o) { return o.m_bInsert && o.m_strInsAtPos.empty(); }},
    {{IDC_LBL_INSSTR2, IDC_INSSTR2}, InsertBeside},
    {{IDC_SEARCHBACK, IDC_CASESENSITIVE},
     [](const RenameOptions& o) { return InsertBeside(o) || (o.m_bReplace && !o.m_strReStr1.empty()); }},
    // A pattern and a range go together: the range keeps the pattern's search inside it.
    {{IDC_LBL_RESTR1, IDC_RESTR1},
     [](const RenameOptions& o) {
         return o.m_bReplace && (o.m_bRegex || (o.m_strReFromPos.empty() && o.m_strReToPos.empty()));
     }},
    {{IDC_LBL_REFROMPOS, IDC_REFROMPOS, IDC_LBL_RETOPOS, IDC_RETOPOS},
     [](const RenameOptions& o) { return o.m_bReplace && (o.m_bRegex || o.m_strReStr1.empty()); }},
    {{IDC_REGEX}, [](const RenameOptions& o) { return o.m_bReplace != 0; }},
    {{IDC_LBL_RESTR2, IDC_RESTR2}, [](const RenameOptions& o) { return o.m_bReplace != 0; }},
    {{IDC_APPLY_PREFIX, IDC_APPLY_EXT, IDC_APPLY_NAME},
     [](const RenameOptions& o) { return o.m_bInsert || o.m_bReplace; }},
};

template <size_t N>
std::vector<int> ControlsOf(const EnableRule (&rules)[N]) {
    std::vector<int> ids;
    for (const EnableRule& rule : rules) ids.insert(ids.end(), rule.ids.begin(), rule.ids.end());
    return ids;
}

// One of two boxes: the box just checked clears its partner.
void Exclude(RenameOptions& o, Flag own, Flag partner) {
    if (o.*own) o.*partner = 0;
}

// A change box taken away takes its counter box with it, so a counter never applies
// to a half that is not changed; basic changes switch the advanced group off.
void ChangeBoxClicked(RenameOptions& o, Flag change, Flag count) {
    if (!(o.*change)) o.*count = 0;
    if (AnyBasicChange(o)) o.m_bInsert = o.m_bReplace = 0;
}

// Advanced renaming switches the basic group off, counters included; insert and
// replace exclude each other.
void AdvancedModeClicked(RenameOptions& o, Flag own, Flag other) {
    if (!(o.*own)) return;
    o.*other = 0;
    o.m_bChangePrefix = o.m_bCountPrefix = o.m_bChangeExt = o.m_bCountExt = 0;
}

// An insert beside a searched text and an insert at a position exclude each other.
void InsertSideClicked(RenameOptions& o, Flag own, Flag partner) {
    if (!(o.*own)) return;
    o.*partner = 0;
    o.m_strInsAtPos.clear();
}

}  // namespace

const std::vector<OptionBinding>& OptionBindings() { return kBindings; }

const OptionBinding* FindOptionBinding(int control) {
    for (const OptionBinding& b : kBindings)
        if (control >= b.control && control < b.control + b.buttons) return &b;
    return nullptr;
}

bool SameField(const OptionBinding& b, const RenameOptions& x, const RenameOptions& y) {
    switch (b.kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioGroup: return x.*b.flag == y.*b.flag;
        case ControlKind::Text: return x.*b.text == y.*b.text;
        case ControlKind::Number: return x.*b.number == y.*b.number;
    }
    return true;
}

RenameOptions WithChangeShown(RenameOptions options, const OptionChange& change) {
    const OptionBinding* b = FindOptionBinding(change.control);
    if (!b) return options;
    switch (b->kind) {
        case ControlKind::CheckBox:
        case ControlKind::RadioGroup: options.*b->flag = change.value; break;
        case ControlKind::Text: options.*b->text = change.text; break;
        case ControlKind::Number: options.*b->number = std::strtol(change.text.c_str(), nullptr, 10); break;
    }
    return options;
}

OptionChange ClickedOption(const RenameOptions& o, int control) {
    OptionChange change;
    change.control = control;
    if (const OptionBinding* b = FindOptionBinding(control))
        change.value = b->kind == ControlKind::RadioGroup ? control - b->control : !(o.*b->flag);
    return change;
}

OptionOutcome ApplyOptionChange(const RenameOptions& before, const OptionChange& change) {
    OptionOutcome out{before, false, {}};
    RenameOptions& o = out.options;
    const std::string& typed = change.text;

    // The field takes the control's value, unless the keystroke that made it is refused.
    switch (change.control) {
        case IDC_STARTCOUNT: {
            const FieldVerdict verdict = CheckStartCountText(typed, o.m_bAlphaCount != 0);
            out.refused = verdict.check != FieldCheck::Accept;
            out.notice = verdict.notice;
            break;
        }
        case IDC_INCREMENT: out.refused = CheckIncrementText(typed) != FieldCheck::Accept; break;
        // The searched text is given up as soon as anything is typed into a position,
        // even a character that is then refused.
        case IDC_INSATPOS:
            if (!typed.empty()) o.m_strInsStr2.clear();
            out.refused = !IsPositionTextAccepted(typed);
            break;
        case IDC_REFROMPOS:
        case IDC_RETOPOS:
            if (!typed.empty() && !o.m_bRegex) o.m_strReStr1.clear();
            out.refused = !IsPositionTextAccepted(typed);
            break;
        default: break;
    }
    if (out.refused) out.caret = change.caret > 0 ? change.caret - 1 : 0;
    // The preview line is output only: whatever is typed there is put back.
    if (!out.refused && change.control != IDC_PREVIEW) o = WithChangeShown(o, change);

    switch (change.control) {
        case IDC_CHGPREFIX: ChangeBoxClicked(o, &O::m_bChangePrefix, &O::m_bCountPrefix); break;
        case IDC_CHGEXT: ChangeBoxClicked(o, &O::m_bChangeExt, &O::m_bCountExt); break;
        // The counter goes to one half only.
        case IDC_COUNTPREFIX: Exclude(o, &O::m_bCountPrefix, &O::m_bCountExt); break;
        case IDC_COUNTEXT: Exclude(o, &O::m_bCountExt, &O::m_bCountPrefix); break;
        case IDC_PREFIXUPPER: Exclude(o, &O::m_bPrefixUpper, &O::m_bPrefixLower); break;
        case IDC_PREFIXLOWER: Exclude(o, &O::m_bPrefixLower, &O::m_bPrefixUpper); break;
        case IDC_EXTUPPER: Exclude(o, &O::m_bExtUpper, &O::m_bExtLower); break;
        case IDC_EXTLOWER: Exclude(o, &O::m_bExtLower, &O::m_bExtUpper); break;
        // The value is kept across the switch, not the width: "001" becomes "B".
        case IDC_ALPHACOUNT:
            o.m_strStartCount = ConvertStartCountOnAlphaSwitch(o.m_strStartCount, o.m_bAlphaCount != 0);
            break;
        case IDC_INSERT: AdvancedModeClicked(o, &O::m_bInsert, &O::m_bReplace); break;
        case IDC_REPLACE: AdvancedModeClicked(o, &O::m_bReplace, &O::m_bInsert); break;
        case IDC_INSSTR2:
            if (!o.m_strInsStr2.empty()) o.m_strInsAtPos.clear();
            break;
        case IDC_INSAFTER: InsertSideClicked(o, &O::m_bInsAfter, &O::m_bInsBefore); break;
        case IDC_INSBEFORE: InsertSideClicked(o, &O::m_bInsBefore, &O::m_bInsAfter); break;
        // Replacing a searched text and replacing a range of positions exclude each other,
        // except by pattern; leaving the pattern behind takes the range away again.
        case IDC_RESTR1:
        case IDC_REGEX:
            if (!o.m_strReStr1.empty() && !o.m_bRegex) {
                o.m_strReFromPos.clear();
                o.m_strReToPos.clear();
            }
            break;
        default: break;
    }
    o.m_strPreview = RealTimePreviewText(o);
    return out;
}

const std::vector<int>& BasicGroupControls() {
    static const std::vector<int> ids = ControlsOf(kBasicRules);
    return ids;
}

const std::vector<int>& AdvancedGroupControls() {
    static const std::vector<int> ids = ControlsOf(kAdvancedRules);
    return ids;
}

std::vector<int> EnabledControls(const RenameOptions& o) {
    std::vector<int> ids;
    for (const EnableRule& rule : kBasicRules)
        if (rule.enabled(o)) ids.insert(ids.end(), rule.ids.begin(), rule.ids.end());
    for (const EnableRule& rule : kAdvancedRules)
        if (rule.enabled(o)) ids.insert(ids.end(), rule.ids.begin(), rule.ids.end());
    std::sort(ids.begin(), ids.end());
    return ids;
}
