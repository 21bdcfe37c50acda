// The about box opens from its button and from the system menu, and its help
// button opens the help page while the box stays open; the help command (ID_HELP,
// and WM_HELP, which F1 sends on Windows) opens it too.
#include "tools/about_dlg.h"
#include "tools_fixture.h"
#include "winui/app.h"

namespace {

std::vector<std::string> g_opened;
void RecordHelp(const std::string& path) { g_opened.push_back(path); }

class AboutBox : public ToolsWindow {
protected:
    void SetUp() override {
        ToolsWindow::SetUp();
        g_opened.clear();
        m_previousOpener = SetHelpOpener(&RecordHelp);
    }
    void TearDown() override {
        SetHelpOpener(m_previousOpener);
        ToolsWindow::TearDown();
    }

private:
    HelpOpener m_previousOpener = nullptr;
};

struct Seen {
    int opened = 0;
    UINT templateId = 0;
    std::string contact;
    std::string built;
    bool openAfterHelp = false;
    size_t helpCallsWhileOpen = 0;
};

TEST_F(AboutBox, BothWaysShowTheSameBoxAndHelpKeepsItOpen) {
    struct Way { const char* what; std::function<void()> open; };
    const Way ways[] = {
        {"About button", [&] { ClickButton(Item(IDC_ABOUT)); }},
        {"system menu", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX, 0); }},
        {"system menu, low bits set", [&] { ::SendMessageA(hwnd, WM_SYSCOMMAND, IDM_ABOUTBOX | 0x3, 0); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        g_opened.clear();
        Seen seen;
        SetModalHook([&](CDialog& shown) {
            ++seen.opened;
            seen.templateId = shown.GetTemplateId();
            seen.contact = TextOf(shown.GetDlgItem(IDC_CONTACT));
            seen.built = TextOf(shown.GetDlgItem(IDC_BUILDDATE));
            // Ending a modal box hides it and gives the main window back its input.
            ::ShowWindow(shown.GetSafeHwnd(), SW_SHOW);
            ClickButton(shown.GetDlgItem(IDC_HELPBUTTON));
            PumpMessages(shown.GetSafeHwnd());
            seen.openAfterHelp = ::IsWindowVisible(shown.GetSafeHwnd()) && !::IsWindowEnabled(hwnd);
            seen.helpCallsWhileOpen = g_opened.size();
            ClickButton(shown.GetDlgItem(IDOK));
        });
        way.open();
        SetModalHook(nullptr);

        EXPECT_EQ(seen.opened, 1);
        EXPECT_EQ(seen.templateId, static_cast<UINT>(IDD_ABOUTBOX));
        EXPECT_EQ(seen.contact, kAboutContactLine);
        EXPECT_EQ(seen.built.rfind("Built ", 0), 0u) << seen.built;
        EXPECT_GT(seen.built.size(), 6u);
        EXPECT_TRUE(seen.openAfterHelp) << "the help button leaves the box open";
        EXPECT_EQ(seen.helpCallsWhileOpen, 1u);
        EXPECT_EQ(g_opened, std::vector<std::string>{HelpFilePath()});
    }
    EXPECT_TRUE(::IsWindowEnabled(hwnd)) << "the main window is usable again";
}

TEST_F(AboutBox, HelpCommandOpensTheHelpPage) {
    struct Way { const char* what; std::function<void()> send; };
    const Way ways[] = {
        {"ID_HELP", [&] { ::SendMessageA(hwnd, WM_COMMAND, ID_HELP, 0); }},
        {"WM_HELP", [&] {
             HELPINFO info = {};
             info.cbSize = sizeof info;
             info.iContextType = HELPINFO_WINDOW;
             info.iCtrlId = IDC_NEWPREFIX;
             info.hItemHandle = Item(IDC_NEWPREFIX);
             ::SendMessageA(hwnd, WM_HELP, 0, reinterpret_cast<LPARAM>(&info));
         }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.what);
        g_opened.clear();
        int modal = 0;
        SetModalHook([&](CDialog&) { ++modal; });
        way.send();
        SetModalHook(nullptr);
        EXPECT_EQ(g_opened, std::vector<std::string>{HelpFilePath()});
        EXPECT_EQ(modal, 0);
    }
}

}  // namespace
