#pragma once

#include "winui/app.h"

// The application object: runs the main window and ends with it.
class CRenameApp : public CWinApp {
public:
    BOOL InitInstance() override;
};
