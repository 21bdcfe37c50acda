#include "tools/about_dlg.h"

#include "winui/app.h"
#include "winui/ddx.h"

const char kAboutContactLine[] =
    "Questions, ideas and bug reports are welcome on the Vorlix project's issue tracker.";

CAboutDlg::CAboutDlg(UiServices& ui, HWND parent) : CDialog(IDD_ABOUTBOX, ui, parent), m_strContact(kAboutContactLine) {
    OnCommandRoute(IDC_HELPBUTTON, BN_CLICKED, [this] { Ui().OpenHelp(HelpFilePath()); });
}

BOOL CAboutDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SetDlgItemText(IDC_BUILDDATE, std::string("Built ") + __DATE__);
    return TRUE;
}

void CAboutDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_CONTACT, m_strContact);
}
