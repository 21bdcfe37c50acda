// Transitional (single-file tools): the process-wide services that the single-file
// tools (src/tools and tests/tools) still reach. Every other window is given its
// services by its creator: WinMain, or a test. All of this goes once the tools take
// theirs from the main window. Other leftovers for them carry the same first words,
// "Transitional (single-file tools)".
#pragma once

#include "winui/ui_services.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

#include <functional>
#include <string>

class CDialog;

// The installed file services, else the real ones.
FileServices& Platform();
// Installs file services (nullptr restores the real ones); returns the previous ones.
FileServices* SetPlatform(FileServices* services);

// The UI services of windows made without any: message boxes and beeps go to the
// installed sink (else the desktop), each modal window to the modal hook, the help
// page to the help opener (else the desktop's viewer).
UiServices& GlobalUi();
// Installs a sink (nullptr restores the desktop); returns the previous one.
UiServices* SetUiSink(UiServices* sink);
using ModalHook = std::function<void(CDialog&)>;
ModalHook SetModalHook(ModalHook hook);
using HelpOpener = void (*)(const std::string& path);
HelpOpener SetHelpOpener(HelpOpener opener);

// There is no application object (WinMain runs the main window), so AfxGetApp() gives
// nullptr and the tools open the help page the way they do without one.
class CWinApp {
public:
    void WinHelp(DWORD_PTR data, UINT command);
    void OnHelp();
};
CWinApp* AfxGetApp();
