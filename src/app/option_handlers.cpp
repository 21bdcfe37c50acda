// The option controls of the main window: partners exclude each other, basic and
// advanced renaming exclude each other, dependent controls follow the fields, and
// the position and counter edits refuse bad keystrokes one at a time.
#include "app/rename_dlg.h"

#include "naming/counter.h"
#include "naming/position_field.h"
#include "winui/message_seam.h"

#include <vector>

namespace {

// A group of controls that share one enabling condition, read from the fields only.
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
    {{IDC_LBL_RESTR1, IDC_RESTR1},
     [](const RenameOptions& o) {
         return o.m_bReplace && o.m_strReFromPos.empty() && o.m_strReToPos.empty();
     }},
    {{IDC_LBL_REFROMPOS, IDC_REFROMPOS, IDC_LBL_RETOPOS, IDC_RETOPOS},
     [](const RenameOptions& o) { return o.m_bReplace && o.m_strReStr1.empty(); }},
    {{IDC_LBL_RESTR2, IDC_RESTR2}, [](const RenameOptions& o) { return o.m_bReplace != 0; }},
    {{IDC_APPLY_PREFIX, IDC_APPLY_EXT, IDC_APPLY_NAME},
     [](const RenameOptions& o) { return o.m_bInsert || o.m_bReplace; }},
};

const UINT kRefusalBeep = 0xFFFF;
const char* const kNoticeTitle = "Notice!";

}  // namespace

void CRenameDlg::EnableBasicControls() {
    for (const EnableRule& rule : kBasicRules) {
        const BOOL on = rule.enabled(*this) ? TRUE : FALSE;
        for (int id : rule.ids) EnableItem(id, on);
    }
    UpdateData(FALSE);
    UpdateRealTimePreview();
}

// The advanced notice stands in the preview line whatever these controls hold,
// so the preview is not refreshed here.
void CRenameDlg::EnableAdvancedControls() {
    for (const EnableRule& rule : kAdvancedRules) {
        const BOOL on = rule.enabled(*this) ? TRUE : FALSE;
        for (int id : rule.ids) EnableItem(id, on);
    }
    UpdateData(FALSE);
}

int CRenameDlg::EditSelectionStart(int editId) const {
    DWORD start = 0;
    SendDlgItemMessage(editId, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

// The refused character vanishes: the caller has put the last accepted text back
// into the field; the controls show it again and the caret returns to where the
// character went in.
void CRenameDlg::RefuseKeystroke(int editId, int selStart) {
    UpdateData(FALSE);
    UiBeep(kRefusalBeep);
    SendDlgItemMessage(editId, EM_SETSEL, static_cast<WPARAM>(selStart - 1), static_cast<LPARAM>(selStart - 1));
    SendDlgItemMessage(editId, EM_SCROLLCARET, 0, 0);
}

// --- basic group

// Basic changes switch the advanced group off; a change box taken away takes its
// counter box with it, so a counter never applies to a half that is not changed.
void CRenameDlg::OnChangeBoxClicked(OptionFlag change, OptionFlag count) {
    UpdateData(TRUE);
    if (!(this->*change)) this->*count = FALSE;
    if (m_bChangePrefix || m_bChangeExt) {
        m_bInsert = FALSE;
        m_bReplace = FALSE;
        CheckDlgButton(IDC_INSERT, BST_UNCHECKED);
        CheckDlgButton(IDC_REPLACE, BST_UNCHECKED);
        EnableAdvancedControls();
    }
    EnableBasicControls();
    UpdateRealTimePreview();
}

void CRenameDlg::OnChangePrefix() { OnChangeBoxClicked(&RenameOptions::m_bChangePrefix, &RenameOptions::m_bCountPrefix); }
void CRenameDlg::OnChangeExt() { OnChangeBoxClicked(&RenameOptions::m_bChangeExt, &RenameOptions::m_bCountExt); }

void CRenameDlg::OnNewPrefixChanged() {
    m_strNewPrefix = GetDlgItemText(IDC_NEWPREFIX);
    EnableBasicControls();
    UpdateRealTimePreview();
}

void CRenameDlg::OnNewExtChanged() {
    m_strNewExt = GetDlgItemText(IDC_NEWEXT);
    EnableBasicControls();
    UpdateRealTimePreview();
}

void CRenameDlg::OnPositionClicked() {
    UpdateData(TRUE);
    UpdateRealTimePreview();
}

// The counter goes to one half only.
void CRenameDlg::OnCountBoxClicked(OptionFlag own, OptionFlag partner) {
    UpdateData(TRUE);
    if (this->*own) this->*partner = FALSE;
    EnableBasicControls();
    UpdateRealTimePreview();
}

void CRenameDlg::OnCountPrefix() { OnCountBoxClicked(&RenameOptions::m_bCountPrefix, &RenameOptions::m_bCountExt); }
void CRenameDlg::OnCountExt() { OnCountBoxClicked(&RenameOptions::m_bCountExt, &RenameOptions::m_bCountPrefix); }

void CRenameDlg::OnCaseBoxClicked(OptionFlag own, OptionFlag partner) {
    UpdateData(TRUE);
    if (this->*own) this->*partner = FALSE;
    UpdateData(FALSE);
    UpdateRealTimePreview();
}

void CRenameDlg::OnPrefixUpper() { OnCaseBoxClicked(&RenameOptions::m_bPrefixUpper, &RenameOptions::m_bPrefixLower); }
void CRenameDlg::OnPrefixLower() { OnCaseBoxClicked(&RenameOptions::m_bPrefixLower, &RenameOptions::m_bPrefixUpper); }
void CRenameDlg::OnExtUpper() { OnCaseBoxClicked(&RenameOptions::m_bExtUpper, &RenameOptions::m_bExtLower); }
void CRenameDlg::OnExtLower() { OnCaseBoxClicked(&RenameOptions::m_bExtLower, &RenameOptions::m_bExtUpper); }

// --- counter fields

// The value is kept across the switch, not the width: "001" becomes "B".
void CRenameDlg::OnAlphaCount() {
    UpdateData(TRUE);
    m_strStartCount = ConvertStartCountOnAlphaSwitch(m_strStartCount, m_bAlphaCount != 0);
    UpdateData(FALSE);
    UpdateRealTimePreview();
}

void CRenameDlg::OnStartCountChanged() {
    const int selStart = EditSelectionStart(IDC_STARTCOUNT);
    const CString kept = m_strStartCount;
    UpdateData(TRUE);
    const FieldVerdict verdict = CheckStartCountText(m_strStartCount, m_bAlphaCount != 0);
    if (verdict.check == FieldCheck::RejectWithNotice)
        MessageBox(verdict.notice, kNoticeTitle, MB_OK | MB_ICONINFORMATION);
    if (verdict.check != FieldCheck::Accept) {
        m_strStartCount = kept;
        RefuseKeystroke(IDC_STARTCOUNT, selStart);
    }
    UpdateRealTimePreview();
}

// The preview shows no increment, so it is not refreshed; a zero increment is left
// for the rename run to refuse.
void CRenameDlg::OnIncrementChanged() {
    const int selStart = EditSelectionStart(IDC_INCREMENT);
    const CString kept = m_strIncrement;
    UpdateData(TRUE);
    if (CheckIncrementText(m_strIncrement) != FieldCheck::Accept) {
        m_strIncrement = kept;
        RefuseKeystroke(IDC_INCREMENT, selStart);
    }
}

// --- advanced group

// Advanced renaming switches the basic group off, counters included; insert and
// replace exclude each other.
void CRenameDlg::OnAdvancedModeClicked(OptionFlag own, OptionFlag other) {
    UpdateData(TRUE);
    if (this->*own) {
        this->*other = FALSE;
        m_bChangePrefix = FALSE;
        m_bCountPrefix = FALSE;
        m_bChangeExt = FALSE;
        m_bCountExt = FALSE;
        CheckDlgButton(IDC_CHGPREFIX, BST_UNCHECKED);
        CheckDlgButton(IDC_CHGEXT, BST_UNCHECKED);
        UpdateData(FALSE);
        EnableBasicControls();
    }
    EnableAdvancedControls();
    UpdateRealTimePreview();
}

void CRenameDlg::OnInsert() { OnAdvancedModeClicked(&RenameOptions::m_bInsert, &RenameOptions::m_bReplace); }
void CRenameDlg::OnReplace() { OnAdvancedModeClicked(&RenameOptions::m_bReplace, &RenameOptions::m_bInsert); }

void CRenameDlg::OnInsStr1Changed() { m_strInsStr1 = GetDlgItemText(IDC_INSSTR1); }

// An insert beside a searched text and an insert at a position exclude each other.
void CRenameDlg::OnInsStr2Changed() {
    m_strInsStr2 = GetDlgItemText(IDC_INSSTR2);
    if (!m_strInsStr2.empty()) m_strInsAtPos.clear();
    EnableAdvancedControls();
}

// The search string is given up as soon as anything is typed here, even a character
// that is then refused.
void CRenameDlg::OnInsAtPosChanged() {
    const int selStart = EditSelectionStart(IDC_INSATPOS);
    const CString kept = m_strInsAtPos;
    UpdateData(TRUE);
    if (!m_strInsAtPos.empty()) m_strInsStr2.clear();
    if (!IsPositionTextAccepted(m_strInsAtPos)) {
        m_strInsAtPos = kept;
        RefuseKeystroke(IDC_INSATPOS, selStart);
    }
    EnableAdvancedControls();
}

void CRenameDlg::OnInsertSideClicked(OptionFlag own, OptionFlag partner) {
    UpdateData(TRUE);
    if (this->*own) {
        this->*partner = FALSE;
        m_strInsAtPos.clear();
    }
    EnableAdvancedControls();
}

void CRenameDlg::OnInsAfter() { OnInsertSideClicked(&RenameOptions::m_bInsAfter, &RenameOptions::m_bInsBefore); }
void CRenameDlg::OnInsBefore() { OnInsertSideClicked(&RenameOptions::m_bInsBefore, &RenameOptions::m_bInsAfter); }

// Replacing a searched text and replacing a range of positions exclude each other.
void CRenameDlg::OnReStr1Changed() {
    UpdateData(TRUE);
    if (!m_strReStr1.empty()) {
        m_strReFromPos.clear();
        m_strReToPos.clear();
    }
    EnableAdvancedControls();
}

// Reads the edit alone, without an exchange: the field keeps the last accepted text
// until this one passes. Setting the old text back raises this edit's change
// notification once more; it is let pass, since the field already holds that text
// (and a text that came from the settings file unchecked would be refused again
// without end).
void CRenameDlg::CheckRangePosition(int editId, OptionText field) {
    if (m_bRestoringPosition) return;
    const int selStart = EditSelectionStart(editId);
    const CString typed = GetDlgItemText(editId);
    if (!typed.empty()) m_strReStr1.clear();
    if (!IsPositionTextAccepted(typed)) {
        UiBeep(kRefusalBeep);
        m_bRestoringPosition = true;
        SetDlgItemText(editId, this->*field);
        m_bRestoringPosition = false;
        SendDlgItemMessage(editId, EM_SETSEL, static_cast<WPARAM>(selStart - 1), static_cast<LPARAM>(selStart - 1));
        SendDlgItemMessage(editId, EM_SCROLLCARET, 0, 0);
    } else {
        this->*field = typed;
    }
    EnableAdvancedControls();
}

void CRenameDlg::OnReFromPosChanged() { CheckRangePosition(IDC_REFROMPOS, &RenameOptions::m_strReFromPos); }
void CRenameDlg::OnReToPosChanged() { CheckRangePosition(IDC_RETOPOS, &RenameOptions::m_strReToPos); }
