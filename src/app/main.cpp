#include "app/rename_app.h"

// The one application object, constructed before the entry point runs.
CRenameApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    CWinApp* app = AfxGetApp();
    if (app) app->InitInstance();
    return 0;
}
