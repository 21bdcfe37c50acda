// The program's entry: the real services on the stack, given to the main window,
// which runs modally; the program ends with it, whatever it returned.
#include "app/rename_dlg.h"
#include "app/services.h"
#include "platform/executable_path.h"
#include "platform/selection_handover.h"
#include "platform/win32_file_services.h"
#include "platform/win32_registry.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) {
    const CommandLine line = ReadCommandLine();
    // One of several files chosen in Explorer: the window opened for the first of them
    // selects it too, and this process has nothing more to do.
    SelectionGatherer gatherer;
    if (line.gather && line.paths.size() == 1 && HandSelectionOver(line.paths[0], gatherer)) return 0;

    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    Win32FileServices files;
    DesktopUi ui;
    Win32ClassesRegistry classes;
    // The settings file lies beside the executable and is named after it.
    const std::string appData = LocalAppDataPath(), roaming = AppDataPath();
    const Services services{files,
                            ui,
                            PathBesideExecutable(ExecutablePath(), ".ini"),
                            line.paths,
                            appData.empty() ? std::string() : appData + "Vorlix\\last-run.txt",
                            roaming.empty() ? std::string() : roaming + "Vorlix\\Rules\\",
                            roaming.empty() ? std::string() : roaming + "Vorlix\\recent-rules.txt",
                            line.rulesPath,
                            &classes,
                            ExecutablePath(),
                            line.gather ? &gatherer : nullptr};
    CRenameDlg window(services);
    window.DoModal();
    return 0;
}
