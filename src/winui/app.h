// The application object: one per process, runs the main window, owns the wait cursor
// and opens the program's help.
#pragma once

#include "winui/afx.h"

class CDialog;

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();

    // Creates and runs the main window; the program ends when it returns.
    virtual BOOL InitInstance() = 0;

    void BeginWaitCursor();
    void EndWaitCursor();
    // Opens the help page beside the executable (HELP_CONTENTS and friends all open it).
    void WinHelp(DWORD_PTR data, UINT command);
    // The help command of the application (ID_HELP).
    void OnHelp();

    CDialog* m_pMainWnd = nullptr;

private:
    int m_nWaitCursorCount = 0;
    HCURSOR m_hcurWaitCursorRestore = nullptr;
};

CWinApp* AfxGetApp();

// Turns on the wait cursor for its lifetime (nesting is counted).
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// Test seam for the help viewer: receives the path that would be opened.
using HelpOpener = void (*)(const std::string& path);
HelpOpener SetHelpOpener(HelpOpener opener);
std::string HelpFilePath();
