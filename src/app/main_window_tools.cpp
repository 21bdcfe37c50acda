// The main window's single-file tools: the parts of src/tools do the work on the
// window's file list and directory.
#include "app/rename_dlg.h"

#include "tools/about_dlg.h"
#include "tools/file_tools.h"
#include "winui/app.h"

void CRenameDlg::OnFileListDblClk() {
    EditFileStatus(*this, GetDlgItem(IDC_FILELIST), m_browse.m_strCurDir, Files());
}

int CRenameDlg::OnVKeyToItem(UINT key, HWND listBox, UINT) {
    if (key != VK_DELETE) return -1;  // every other key keeps its effect in the list
    DeleteSelectedFiles(*this, listBox, m_browse.m_strCurDir, m_bWarnDelete != 0, Files());
    return -2;
}

void CRenameDlg::EnableToolTips(BOOL enable) { m_toolTips.Enable(enable != FALSE); }

void CRenameDlg::OnToolTipNeedText(NMHDR* hdr, LRESULT* result) {
    m_toolTips.OnNeedText(hdr);
    *result = 0;
}

void CRenameDlg::OnAbout() {
    CAboutDlg about(Ui(), m_hWnd);
    about.DoModal();
}

void CRenameDlg::OnHelpCommand() { Ui().OpenHelp(HelpFilePath()); }
