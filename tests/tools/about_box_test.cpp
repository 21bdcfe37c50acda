// The about box opens from its button and from the system menu, and its help
// button opens the help page while the box stays open; the help command opens
// the page without the box.
#include "tools/about_dlg.h"
#include "tools_fixture.h"
#include "winui/app.h"

namespace {

std::vector<std::string> g_opened;
void RecordHelp(const std::string& path) { g_opened.push_back(path); }

TEST_F(ToolsWindow, AboutBoxFromBothPlacesStaysOpenForItsHelp) {
    struct Way { const char* what; std::function<void()> open; bool box; };
    const Way ways[] = {
        {"About button", [&] { ClickButton(Item(IDC_ABOUT)); }, true},
        {"system menu", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }, true},
        {"system menu, low bits set", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX | 3, 0); }, true},
        {"help command", [&] { ::SendMessageA(hwnd, WM_COMMAND, ID_HELP, 0); }, false},
    };
    HelpOpener previous = SetHelpOpener(&RecordHelp);
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        g_opened.clear();
        std::string seen;
        SetModalHook([&](CDialog& box) {
            ::ShowWindow(box.GetSafeHwnd(), SW_SHOW);
            ClickButton(box.GetDlgItem(IDC_HELPBUTTON));
            PumpMessages(box.GetSafeHwnd());
            // Ending a modal box would hide it and give the main window back its input.
            seen += std::to_string(box.GetTemplateId()) +
                    (::IsWindowVisible(box.GetSafeHwnd()) && !::IsWindowEnabled(hwnd) ? " open, " : " closed, ") +
                    std::to_string(g_opened.size()) + " help|" + TextOf(box.GetDlgItem(IDC_CONTACT)) + "|" +
                    TextOf(box.GetDlgItem(IDC_BUILDDATE)).substr(0, 6) + ";";
            ClickButton(box.GetDlgItem(IDOK));
        });
        way.open();
        SetModalHook(nullptr);
        std::string once = std::to_string(IDD_ABOUTBOX) + " open, 1 help|" + kAboutContactLine + "|Built ;";
        EXPECT_EQ(seen, way.box ? once : "");
        EXPECT_EQ(g_opened, std::vector<std::string>{HelpFilePath()});
        EXPECT_TRUE(::IsWindowEnabled(hwnd)) << "the main window is usable again";
    }
    SetHelpOpener(previous);
}

}  // namespace
