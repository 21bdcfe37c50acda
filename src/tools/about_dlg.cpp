#include "tools/about_dlg.h"

#include "winui/app.h"
#include "winui/ddx.h"

#include <shellapi.h>

const char kAboutContactLine[] =
    "Questions, ideas and bug reports are welcome on the Vorlix project's issue tracker.";

void OpenProgramHelp() {
    if (CWinApp* app = AfxGetApp()) {
        app->WinHelp(0, HELP_CONTENTS);
        return;
    }
    // No application object (the window runs on its own, as in the UI tests):
    // honour an installed opener exactly as CWinApp::WinHelp does.
    HelpOpener opener = SetHelpOpener(nullptr);
    SetHelpOpener(opener);
    std::string path = HelpFilePath();
    if (opener) opener(path);
    else DesktopUi().OpenHelp(path);
}

CAboutDlg::CAboutDlg(HWND parent) : CDialog(IDD_ABOUTBOX, parent), m_strContact(kAboutContactLine) {
    OnCommandRoute(IDC_HELPBUTTON, BN_CLICKED, [] { OpenProgramHelp(); });
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
