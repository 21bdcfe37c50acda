// Transitional (single-file tools): see global_seams.h.
#include "winui/global_seams.h"

#include "platform/win32_file_services.h"
#include "winui/app.h"
#include "winui/dialog.h"

namespace {

FileServices* g_files = nullptr;
UiServices* g_sink = nullptr;
ModalHook g_modalHook;
HelpOpener g_helpOpener = nullptr;

class ForwardingUi : public UiServices {
public:
    int MessageBox(HWND owner, const std::string& text, const std::string& title, UINT flags) override {
        return (g_sink ? *g_sink : m_desktop).MessageBox(owner, text, title, flags);
    }
    void Beep(UINT type) override { (g_sink ? *g_sink : m_desktop).Beep(type); }
    void ModalStarted(CDialog& dialog) override {
        if (!g_modalHook) return;
        ModalHook hook = g_modalHook;  // the hook may install another
        hook(dialog);
    }
    void OpenHelp(const std::string& path) override {
        if (g_helpOpener) g_helpOpener(path);
        else m_desktop.OpenHelp(path);
    }

private:
    DesktopUi m_desktop;
};

}  // namespace

FileServices& Platform() {
    static Win32FileServices real;
    return g_files ? *g_files : real;
}

FileServices* SetPlatform(FileServices* services) {
    FileServices* previous = &Platform();
    g_files = services;
    return previous;
}

UiServices& GlobalUi() {
    static ForwardingUi ui;
    return ui;
}

UiServices* SetUiSink(UiServices* sink) {
    UiServices* previous = g_sink;
    g_sink = sink;
    return previous;
}

ModalHook SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(g_modalHook);
    g_modalHook = std::move(hook);
    return previous;
}

HelpOpener SetHelpOpener(HelpOpener opener) {
    HelpOpener previous = g_helpOpener;
    g_helpOpener = opener;
    return previous;
}

void CWinApp::WinHelp(DWORD_PTR, UINT) { GlobalUi().OpenHelp(HelpFilePath()); }
void CWinApp::OnHelp() { WinHelp(0, HELP_CONTENTS); }
CWinApp* AfxGetApp() { return nullptr; }

CDialog::CDialog(UINT idTemplate, HWND parent) : CDialog(idTemplate, GlobalUi(), parent) {}
