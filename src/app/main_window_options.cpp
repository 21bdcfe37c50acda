// The option controls of the main window. A change reads the one control that
// changed, the option rules give the new options, and only the controls whose field
// or enabled state differs are shown again.
#include "app/rename_dlg.h"

#include "naming/counter.h"
#include "naming/option_rules.h"
#include "naming/preview_line.h"

#include <algorithm>
#include <cstdio>

namespace {

const UINT kRefusalBeep = 0xFFFF;

bool Has(const std::vector<int>& sortedIds, int id) {
    return std::binary_search(sortedIds.begin(), sortedIds.end(), id);
}

}  // namespace

// Start-up shows everything once; the handlers below then keep the controls in step.
void CRenameDlg::EnableBasicControls() {
    const std::vector<int> enabled = EnabledControls(*this);
    for (int id : BasicGroupControls()) EnableItem(id, Has(enabled, id) ? TRUE : FALSE);
    UpdateData(FALSE);
    UpdateRealTimePreview();
}

// The advanced notice stands in the preview line whatever these controls hold,
// so the preview is not refreshed here.
void CRenameDlg::EnableAdvancedControls() {
    const std::vector<int> enabled = EnabledControls(*this);
    for (int id : AdvancedGroupControls()) EnableItem(id, Has(enabled, id) ? TRUE : FALSE);
    UpdateData(FALSE);
}

void CRenameDlg::UpdateRealTimePreview() {
    m_strPreview = RealTimePreviewText(*this);
    SetDlgItemText(IDC_PREVIEW, m_strPreview);
}

int CRenameDlg::EditSelectionStart(int editId) const {
    DWORD start = 0;
    SendDlgItemMessage(editId, EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
    return static_cast<int>(start);
}

OptionChange CRenameDlg::ReadOptionControl(const OptionBinding& b, int id) const {
    // A button tells of a click only; an edit of a new text with the caret after it.
    if (b.kind == ControlKind::CheckBox || b.kind == ControlKind::RadioGroup) return ClickedOption(*this, id);
    OptionChange change;
    change.control = id;
    change.text = GetDlgItemText(id);
    if (b.kind == ControlKind::Text) change.caret = EditSelectionStart(id);
    return change;
}

void CRenameDlg::ShowOptionField(const OptionBinding& b) {
    switch (b.kind) {
        case ControlKind::CheckBox: {
            const int state = this->*b.flag;
            CheckDlgButton(b.control, state >= 0 && state <= 2 ? static_cast<UINT>(state) : BST_UNCHECKED);
            break;
        }
        case ControlKind::RadioGroup:
            for (int i = 0; i < b.buttons; ++i)
                CheckDlgButton(b.control + i, i == this->*b.flag ? BST_CHECKED : BST_UNCHECKED);
            break;
        case ControlKind::Text: SetDlgItemText(b.control, this->*b.text); break;
        case ControlKind::Number: {
            char text[32];
            std::snprintf(text, sizeof text, "%ld", this->*b.number);
            SetDlgItemText(b.control, text);
            break;
        }
    }
}

// Showing a field in its edit raises the edit's change notification, which comes
// back here: the control then holds what its field holds, and nothing is done.
void CRenameDlg::OnOptionControl(int id) {
    const OptionBinding* binding = FindOptionBinding(id);
    if (!binding) return;
    const OptionChange change = ReadOptionControl(*binding, id);
    const RenameOptions shown = WithChangeShown(*this, change);
    if (SameField(*binding, shown, *this)) return;

    const RenameOptions before = *this;
    const OptionOutcome outcome = ApplyOptionChange(before, change);
    // The notice comes while the refused text is still in sight.
    if (!outcome.notice.empty())
        MessageBox(outcome.notice, kCounterNoticeTitle, MB_OK | MB_ICONINFORMATION);

    // The fields first, so that the notifications of the controls shown next find
    // them equal.
    static_cast<RenameOptions&>(*this) = outcome.options;
    for (const OptionBinding& b : OptionBindings())
        if (!SameField(b, shown, *this)) ShowOptionField(b);
    const std::vector<int> was = EnabledControls(before), now = EnabledControls(*this);
    for (const std::vector<int>* group : {&BasicGroupControls(), &AdvancedGroupControls()})
        for (int control : *group)
            if (Has(now, control) != Has(was, control)) EnableItem(control, Has(now, control) ? TRUE : FALSE);

    // The refused character has vanished with the old text; the caret goes back to
    // where it went in.
    if (outcome.refused) {
        Beep(kRefusalBeep);
        SendDlgItemMessage(id, EM_SETSEL, static_cast<WPARAM>(outcome.caret), static_cast<LPARAM>(outcome.caret));
        SendDlgItemMessage(id, EM_SCROLLCARET, 0, 0);
    }
}
