// The about box opens from its button and from the system menu, and its help
// button opens the help page while the box stays open; the help command opens
// the page without the box.
#include "tools/about_dlg.h"
#include "tools_fixture.h"

namespace {

TEST_F(ToolsWindow, AboutBoxFromBothPlacesStaysOpenForItsHelp) {
    const struct { const char* what; std::function<void()> open; bool box; } ways[] = {
        {"About button", [&] { ClickButton(dlg.GetDlgItem(IDC_ABOUT)); }, true},
        {"system menu", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }, true},
        {"system menu, low bits set", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX | 3, 0); }, true},
        {"help command", [&] { ::SendMessageA(hwnd, WM_COMMAND, ID_HELP, 0); }, false},
    };
    char exe[MAX_PATH] = "";
    const std::string help = std::string(exe, ::GetModuleFileNameA(nullptr, exe, MAX_PATH) - 4) + ".html";  // beside it
    for (const auto& way : ways) {
        SCOPED_TRACE(way.what);
        ui.helpOpened.clear();
        std::string seen;
        ui.onModal = [&](CDialog& box) {
            HWND h = box.GetSafeHwnd();
            ::ShowWindow(h, SW_SHOW);
            ClickButton(box.GetDlgItem(IDC_HELPBUTTON));
            PumpMessages(h);
            // Ending a modal box would hide it and give the main window back its input.
            seen += std::to_string(box.GetTemplateId()) + (::IsWindowVisible(h) && !::IsWindowEnabled(hwnd) ? " open|" : " closed|") +
                    TextOf(box.GetDlgItem(IDC_CONTACT)) + "|" + TextOf(box.GetDlgItem(IDC_BUILDDATE)).substr(0, 6) + ";";
            ClickButton(box.GetDlgItem(IDOK));
        };
        way.open();
        EXPECT_EQ(seen, way.box ? std::to_string(IDD_ABOUTBOX) + " open|Questions, ideas and bug reports are welcome on "
                                  "the Vorlix project's issue tracker.|Built ;" : "");
        EXPECT_EQ(ui.helpOpened, std::vector<std::string>{help});
        EXPECT_TRUE(::IsWindowEnabled(hwnd)) << "the main window is usable again";
    }
}

}  // namespace
