#pragma once

#include "winui/app.h"

#include <string>

// The application object: runs the main window and ends with it.
class CRenameApp : public CWinApp {
public:
    BOOL InitInstance() override;

    // The settings file the main window starts from and saves to.
    std::string m_settingsPath;
};
