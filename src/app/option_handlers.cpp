// The option controls of the main window: partners exclude each other, basic and
// advanced renaming exclude each other, and dependent controls follow.
#include "app/rename_dlg.h"

void CRenameDlg::EnableBasicControls() {
    UpdateData(FALSE);
    UpdateRealTimePreview();
}

void CRenameDlg::EnableAdvancedControls() { UpdateData(FALSE); }

void CRenameDlg::OnChangePrefix() { UpdateData(TRUE); }
void CRenameDlg::OnChangeExt() { UpdateData(TRUE); }
void CRenameDlg::OnNewPrefixChanged() { m_strNewPrefix = GetDlgItemText(IDC_NEWPREFIX); }
void CRenameDlg::OnNewExtChanged() { m_strNewExt = GetDlgItemText(IDC_NEWEXT); }
void CRenameDlg::OnPositionClicked() { UpdateData(TRUE); }
void CRenameDlg::OnCountPrefix() { UpdateData(TRUE); }
void CRenameDlg::OnCountExt() { UpdateData(TRUE); }
void CRenameDlg::OnAlphaCount() { UpdateData(TRUE); }
void CRenameDlg::OnPrefixUpper() { UpdateData(TRUE); }
void CRenameDlg::OnPrefixLower() { UpdateData(TRUE); }
void CRenameDlg::OnExtUpper() { UpdateData(TRUE); }
void CRenameDlg::OnExtLower() { UpdateData(TRUE); }
void CRenameDlg::OnStartCountChanged() { UpdateData(TRUE); }
void CRenameDlg::OnIncrementChanged() { UpdateData(TRUE); }
void CRenameDlg::OnInsert() { UpdateData(TRUE); }
void CRenameDlg::OnReplace() { UpdateData(TRUE); }
void CRenameDlg::OnInsStr1Changed() { m_strInsStr1 = GetDlgItemText(IDC_INSSTR1); }
void CRenameDlg::OnInsStr2Changed() { m_strInsStr2 = GetDlgItemText(IDC_INSSTR2); }
void CRenameDlg::OnInsAtPosChanged() { UpdateData(TRUE); }
void CRenameDlg::OnInsAfter() { UpdateData(TRUE); }
void CRenameDlg::OnInsBefore() { UpdateData(TRUE); }
void CRenameDlg::OnReStr1Changed() { UpdateData(TRUE); }
void CRenameDlg::OnReFromPosChanged() { UpdateData(TRUE); }
void CRenameDlg::OnReToPosChanged() { UpdateData(TRUE); }
