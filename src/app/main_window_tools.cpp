// The main window's single-file tools: the parts of src/tools do the work on the
// window's file list and directory.
#include "app/rename_dlg.h"

#include "rename/run_journal.h"
#include "tools/about_dlg.h"
#include "tools/file_tools.h"
#include "winui/app.h"

void CRenameDlg::OnFileListDblClk() {
    RunJournal journal(Files(), m_services.journalPath);
    EditFileStatus(*this, GetDlgItem(IDC_FILELIST), m_browse.m_strCurDir, Files(), journal);
    // Undo Last Run now reaches this change.
    if (journal.Written()) m_runWithoutJournal = false;
}

// Delete deletes the selected files, F5 reads the directory again, Ctrl+A selects every
// entry; every other key keeps its effect in the list.
int CRenameDlg::OnVKeyToItem(UINT key, HWND listBox, UINT) {
    if (key == VK_DELETE) {
        const Busy busy(m_busy);
        DeleteSelectedFiles(*this, listBox, m_browse.m_strCurDir, m_bWarnDelete != 0, Files());
    } else if (key == VK_F5) {
        m_filePane.Refresh();
    } else if (key == 'A' && ::GetKeyState(VK_CONTROL) < 0) {
        m_filePane.SelectAll();
    } else {
        return -1;
    }
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
