#include "app/rename_app.h"

#include "platform/executable_path.h"

// The one application object, constructed before the entry point runs.
CRenameApp theApp;

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    // The settings file lies beside the executable and is named after it.
    theApp.m_settingsPath = PathBesideExecutable(ExecutablePath(), ".ini");
    theApp.InitInstance();
    return 0;
}
