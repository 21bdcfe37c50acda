#include "app/rename_app.h"

#include "app/rename_dlg.h"

BOOL CRenameApp::InitInstance() {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    CRenameDlg dlg(m_settingsPath);
    m_pMainWnd = &dlg;
    dlg.DoModal();
    m_pMainWnd = nullptr;
    // The program ends with the main window, whatever it returned.
    return FALSE;
}
