#include "tools/file_status_dlg.h"

#include "browse/dir_explorer_dlg.h"
#include "platform/attributes.h"
#include "platform/file_services.h"
#include "settings/date_time_text.h"
#include "winui/ddx.h"

CFileStatusDlg::CFileStatusDlg(UiServices& ui, FileServices& files, HWND parent)
    : CDialog(IDD_FILESTATUS, ui, parent), m_files(files) {
    // Name and path follow every keystroke, so that OK sees them even if the
    // exchange on OK were refused part-way.
    OnCommandRoute(IDC_FS_NAME, EN_CHANGE, [this] { m_strName = GetDlgItemText(IDC_FS_NAME); });
    OnCommandRoute(IDC_FS_PATH, EN_CHANGE, [this] { m_strPath = GetDlgItemText(IDC_FS_PATH); });
    for (const AttributeBox& box : kAttributeTable)
        OnCommandRoute(box.controlId, BN_CLICKED, [this] { OnAttributeClicked(); });
    for (int id : {IDC_FS_MODIFIED_DATE, IDC_FS_MODIFIED_TIME, IDC_FS_CREATED_DATE, IDC_FS_CREATED_TIME,
                   IDC_FS_ACCESSED_DATE, IDC_FS_ACCESSED_TIME})
        OnCommandRoute(id, EN_CHANGE, [this] { m_bChanged = 1; });
    OnCommandRoute(IDC_FS_CHANGEPATH, BN_CLICKED, [this] { OnChangePath(); });
    OnCommandRoute(IDC_FS_NOW_MODIFIED, BN_CLICKED, [this] { SetToNow(m_strModifiedDate, m_strModifiedTime); });
    OnCommandRoute(IDC_FS_NOW_CREATED, BN_CLICKED, [this] { SetToNow(m_strCreatedDate, m_strCreatedTime); });
    OnCommandRoute(IDC_FS_NOW_ACCESSED, BN_CLICKED, [this] { SetToNow(m_strAccessedDate, m_strAccessedTime); });
}

void CFileStatusDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_FS_NAME, m_strName);
    DDV_MaxChars(pDX, m_strName, 256);
    DDX_Attributes(pDX, m_bReadOnly, m_bHidden, m_bSystem, m_bArchive);
    DDX_Text(pDX, IDC_FS_PATH, m_strPath);
    DDX_Text(pDX, IDC_FS_CREATED_DATE, m_strCreatedDate);
    DDV_MaxChars(pDX, m_strCreatedDate, 10);
    DDX_Text(pDX, IDC_FS_CREATED_TIME, m_strCreatedTime);
    DDV_MaxChars(pDX, m_strCreatedTime, 8);
    DDX_Text(pDX, IDC_FS_ACCESSED_DATE, m_strAccessedDate);
    DDV_MaxChars(pDX, m_strAccessedDate, 10);
    DDX_Text(pDX, IDC_FS_ACCESSED_TIME, m_strAccessedTime);
    DDV_MaxChars(pDX, m_strAccessedTime, 8);
    DDX_Text(pDX, IDC_FS_MODIFIED_DATE, m_strModifiedDate);
    DDV_MaxChars(pDX, m_strModifiedDate, 10);
    DDX_Text(pDX, IDC_FS_MODIFIED_TIME, m_strModifiedTime);
    DDV_MaxChars(pDX, m_strModifiedTime, 8);
}

BOOL CFileStatusDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetWindowTextString(m_hWnd, "File Status...");
    SetDlgItemText(IDC_FS_LBL_NAME, "File Name:");
    return TRUE;
}

void CFileStatusDlg::OnAttributeClicked() {
    UpdateData(TRUE);
    m_bChanged = 1;
}

void CFileStatusDlg::OnChangePath() {
    // Owned by this window, which stays disabled while the chooser is open.
    CDirExplorerDlg chooser(Ui(), m_files, m_hWnd);
    chooser.m_strDirPath = m_strPath;
    if (chooser.DoModal() == IDOK) {
        m_strPath = chooser.m_strDirPath;
        UpdateData(FALSE);
    }
}

void CFileStatusDlg::SetToNow(CString& date, CString& time) {
    const LocalTime now = m_files.ToLocalTime(m_files.Now());
    date = FormatDate(now.month, now.day, now.year);
    time = FormatTime(now.hour, now.minute, now.second);
    m_bChanged = 1;
    UpdateData(FALSE);
}
