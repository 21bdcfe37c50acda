#include "winui/app.h"

#include "platform/executable_path.h"

namespace {
// The program's windows all run on one thread.
int g_waitCount = 0;
HCURSOR g_restoreCursor = nullptr;
}  // namespace

CWaitCursor::CWaitCursor() {
    if (g_waitCount++ == 0) g_restoreCursor = ::SetCursor(::LoadCursor(nullptr, IDC_WAIT));
}

CWaitCursor::~CWaitCursor() {
    if (g_waitCount == 0) return;
    if (--g_waitCount == 0) ::SetCursor(g_restoreCursor ? g_restoreCursor : ::LoadCursor(nullptr, IDC_ARROW));
}

std::string HelpFilePath() { return PathBesideExecutable(ExecutablePath(), ".html"); }
