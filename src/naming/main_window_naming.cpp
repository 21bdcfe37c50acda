// The main window's side of name composition: its members feed the portable
// composition, which appends preview names and records the caret name in them.
#include "app/rename_dlg.h"
#include "naming/composition.h"

namespace {

CompositionTarget TargetOf(const CRenameDlg& dlg) {
    CompositionTarget t;
    t.previewRun = dlg.m_bPreviewRun != 0;
    t.useNewDir = dlg.m_bUseNewDir != 0;
    t.destination = dlg.m_strDestination;
    t.curDir = dlg.m_browse.m_strCurDir;
    t.noRefresh = dlg.m_bNoRefresh != 0;
    return t;
}

}  // namespace

int CRenameDlg::ComposeBasicName(const CString& oldName, const char* counterText, int& firstFlag,
                                 CString& newName) {
    return ::ComposeBasicName(*this, TargetOf(*this), oldName, counterText ? counterText : "",
                              firstFlag, newName, m_arrNewNames, m_browse.m_strCaretName);
}

int CRenameDlg::ComposeAdvancedName(const CString& oldName, int& firstFlag, CString& newName) {
    return ::ComposeAdvancedName(*this, TargetOf(*this), oldName, firstFlag, newName,
                                 m_arrNewNames, m_browse.m_strCaretName);
}
