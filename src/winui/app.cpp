#include "winui/app.h"

#include "platform/executable_path.h"

#include <shellapi.h>

namespace {
CWinApp* g_app = nullptr;
HelpOpener g_helpOpener = nullptr;

// When no application object exists (UI tests), the wait cursor still works.
int g_looseWaitCount = 0;
HCURSOR g_looseRestore = nullptr;

void WaitCursorOn(int& count, HCURSOR& restore) {
    if (count++ == 0) restore = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

void WaitCursorOff(int& count, HCURSOR& restore) {
    if (count == 0) return;
    if (--count == 0) ::SetCursor(restore ? restore : ::LoadCursor(nullptr, IDC_ARROW));
}
}  // namespace

CWinApp::CWinApp() { g_app = this; }

CWinApp::~CWinApp() {
    if (g_app == this) g_app = nullptr;
}

CWinApp* AfxGetApp() { return g_app; }

void CWinApp::BeginWaitCursor() { WaitCursorOn(m_nWaitCursorCount, m_hcurWaitCursorRestore); }

void CWinApp::EndWaitCursor() { WaitCursorOff(m_nWaitCursorCount, m_hcurWaitCursorRestore); }

CWaitCursor::CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->BeginWaitCursor();
    else WaitCursorOn(g_looseWaitCount, g_looseRestore);
}

CWaitCursor::~CWaitCursor() {
    if (CWinApp* app = AfxGetApp()) app->EndWaitCursor();
    else WaitCursorOff(g_looseWaitCount, g_looseRestore);
}

HelpOpener SetHelpOpener(HelpOpener opener) {
    HelpOpener previous = g_helpOpener;
    g_helpOpener = opener;
    return previous;
}

std::string HelpFilePath() { return PathBesideExecutable(ExecutablePath(), ".html"); }

void CWinApp::WinHelp(DWORD_PTR, UINT) {
    std::string path = HelpFilePath();
    if (g_helpOpener) {
        g_helpOpener(path);
        return;
    }
    HWND owner = nullptr;
    ::ShellExecuteA(owner, "open", path.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CWinApp::OnHelp() { WinHelp(0, HELP_CONTENTS); }
