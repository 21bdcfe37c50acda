// The options window as the user works it from the main window's "&Options"
// button, and the settings file it writes, read back by a new main window.
#include "app/rename_dlg.h"
#include "platform/win32_registry.h"
#include "settings/explorer_menu.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <direct.h>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <memory>
#include <set>
#include <tuple>
#include <vector>

namespace {

class OptionsWindow : public WindowTest {
protected:
    OptionsWindow() : WindowTest(nullptr, false) {}
    static HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }
    void SetUp() override {
        WindowTest::SetUp();
        Restart();
    }
    // Presses "&Options"; `drive` gets the options window and must close it.
    void WithOptions(const std::function<void(HWND)>& drive) {
        bool shown = false;
        kit.ui.onModal = [&](CDialog& dialog) { shown = true; drive(dialog.GetSafeHwnd()); };
        ClickButton(restarted->GetDlgItem(IDC_OPTIONS));
        PumpMessages(restarted->GetSafeHwnd());
        kit.ui.onModal = nullptr;
        EXPECT_TRUE(shown) << "the options window did not open";
    }

    const std::string& settingsPath = kit.services.settingsPath;
    std::vector<ShownMessage>& told = kit.ui.messages;
};

// The enabling boxes reach their controls as the window opens and as they are clicked
// (which box enables what: options_rules_test.cpp).
TEST_F(OptionsWindow, DependentControlsFollowTheirCheckBoxes) {
    restarted->m_bIncTime = 1;
    WithOptions([&](HWND w) {
        EXPECT_FALSE(IsEnabled(Item(w, IDC_OPT_INCAMOUNT)));
        for (int id : {IDC_OPT_TIMEDATE, IDC_OPT_USENEWDIR, IDC_OPT_SETATTRIB}) ClickButton(Item(w, id));
        for (int id : {IDC_OPT_INCAMOUNT, IDC_OPT_DATE, IDC_OPT_DESTINATION, IDC_ATTR_SYSTEM})
            EXPECT_TRUE(IsEnabled(Item(w, id))) << id;
        ClickButton(Item(w, IDC_OPT_INCTIME));
        EXPECT_FALSE(IsEnabled(Item(w, IDC_OPT_INCAMOUNT)));
        ClickButton(Item(w, IDCANCEL));
    });
}

TEST_F(OptionsWindow, EachWayOfClosingAppliesAndSavesOrNot) {
    // The button pressed (0: Enter in a text box), and whether the changes apply and are saved.
    const struct { int button; bool applied, saved; } cases[] = {
        {IDC_OPT_OK, true, false}, {IDC_OPT_OKSAVE, true, true}, {0, true, false}, {IDCANCEL, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.button);
        std::remove(settingsPath.c_str());
        Restart();
        WithOptions([&](HWND w) {
            ClickButton(Item(w, IDC_OPT_WARNREN));    // on -> off
            ClickButton(Item(w, IDC_OPT_USENEWDIR));  // off -> on
            ::SetWindowTextW(Item(w, IDC_OPT_DESTINATION), L"D:\\Ωut\\");
            ClickButton(Item(w, IDC_ATTR_HIDDEN));    // leave as is -> clear
            ClickButton(Item(w, IDC_OPT_TIMEDATE));
            ::SetWindowTextA(Item(w, IDC_OPT_DATE), "12/24/2003");
            if (c.button) ClickButton(Item(w, c.button));
            else PressKey(w, Item(w, IDC_OPT_DATE), VK_RETURN);
        });
        EXPECT_EQ(FileExists(settingsPath), c.saved);
        EXPECT_TRUE(told.empty());
        // Attributes and the time stamp live only until the program ends.
        for (bool again : {false, true}) {
            const bool kept = again ? c.saved : c.applied, forNow = kept && !again;
            const CRenameDlg& d = *restarted;
            EXPECT_EQ(std::make_tuple(d.m_bWarnRename, d.m_bUseNewDir, d.m_strDestination, d.m_bTimeDate, d.m_bHidden, d.m_nYear),
                      std::make_tuple(!kept, +kept, std::string(kept ? "D:\\Ωut\\" : ""), +kept, forNow ? 0 : 2,
                                      forNow ? 2003 : 1980)) << again;
            Restart();
        }
    }
}

// A year the date box could not show again: each way of closing with OK is
// refused, and the window stays open with the date selected for correction.
TEST_F(OptionsWindow, DateWithAFiveDigitYearIsRefused) {
    for (int button : {IDC_OPT_OK, IDC_OPT_OKSAVE, 0}) {
        SCOPED_TRACE(button);
        told.clear();
        restarted->m_bTimeDate = 1;
        WithOptions([&](HWND w) {
            HWND date = Item(w, IDC_OPT_DATE);
            ::SetWindowTextA(date, "1/1/99999");
            if (button) ClickButton(Item(w, button));
            else PressKey(w, date, VK_RETURN);
            DWORD from = 1, to = 0;
            ::SendMessageA(date, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
            EXPECT_TRUE(::GetFocus() == date && from == 0 && to == 9) << from << "-" << to;
            ::SetWindowTextA(date, "12/31/9999");
            ClickButton(Item(w, IDC_OPT_OK));  // a window closed already would ignore this
        });
        EXPECT_EQ(kit.ui.Told(true), std::vector<std::string>{"Error:|Invalid date: 1/1/99999|" + std::to_string(MB_OK | MB_ICONSTOP)});
        EXPECT_EQ(restarted->m_nYear, 9999);
        EXPECT_FALSE(FileExists(settingsPath));
    }
}

// A directory where the file should be: the message, and the directory stays.
TEST_F(OptionsWindow, FailedSaveGivesTheMessage) {
    ASSERT_EQ(_mkdir(settingsPath.c_str()), 0);
    WithOptions([&](HWND w) { ClickButton(Item(w, IDC_OPT_WARNDEL)); ClickButton(Item(w, IDC_OPT_OKSAVE)); });
    EXPECT_EQ(kit.ui.Told(true), std::vector<std::string>{"Error:|Error writing to data file!|" + std::to_string(MB_OK | MB_ICONSTOP)});
    EXPECT_NE(::GetFileAttributesA(settingsPath.c_str()) & FILE_ATTRIBUTE_DIRECTORY, 0u);
}

// Every key under HKEY_CURRENT_USER\Software\Classes, as paths below it.
std::set<std::wstring> ClassesKeys(const std::wstring& below = L"") {
    std::set<std::wstring> keys;
    HKEY key = nullptr;
    if (::RegOpenKeyExW(HKEY_CURRENT_USER, (L"Software\\Classes" + below).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
        return keys;
    wchar_t name[256];
    for (DWORD i = 0, size = 256; ::RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
         ++i, size = 256) {
        const std::wstring path = below + L"\\" + name;
        keys.insert(path);
        for (const std::wstring& sub : ClassesKeys(path)) keys.insert(sub);
    }
    ::RegCloseKey(key);
    return keys;
}

// In Wine's own registry: ticked and saved writes the entries (the box then shows them
// as there), unticked and saved removes them, and every other key stays as it was.
TEST_F(OptionsWindow, ExplorerMenuWritesAndRemovesExactlyItsKeys) {
    Win32ClassesRegistry classes;
    Services services = kit.services;
    services.classes = &classes, services.exePath = "C:\\Vorlix Test\\vorlix.exe";
    restarted->DestroyWindow();
    restarted = std::make_unique<CRenameDlg>(services);
    ASSERT_TRUE(restarted->Create());
    SetExplorerMenu(classes, false, services.exePath);  // what a test run cut short left
    const std::set<std::wstring> before = ClassesKeys();
    // Its own keys (the values in them: rule_set_test.cpp), and those they need above them.
    const std::set<std::wstring> own = {
        L"\\Directory\\shell\\Vorlix\\command", L"\\Directory\\Background\\shell\\Vorlix\\command",
        L"\\*\\shell\\Vorlix\\command", L"\\.vorlixrules", L"\\Vorlix.RuleSet\\DefaultIcon",
        L"\\Vorlix.RuleSet\\shell\\open\\command"};
    for (int on : {1, 0}) {
        WithOptions([&](HWND w) {
            EXPECT_EQ(CheckOf(Item(w, IDC_OPT_EXPLORERMENU)), 1 - on);
            ClickButton(Item(w, IDC_OPT_EXPLORERMENU));
            ClickButton(Item(w, IDC_OPT_OKSAVE));
        });
        const std::set<std::wstring> after = ClassesKeys();
        if (!on) {
            EXPECT_EQ(after, before);
            break;
        }
        for (const std::wstring& key : own) EXPECT_TRUE(after.count(key) && !before.count(key));
        for (const std::wstring& key : after)
            EXPECT_TRUE(before.count(key) || std::any_of(own.begin(), own.end(), [&](const std::wstring& o) {
                            return (o + L"\\").rfind(key + L"\\", 0) == 0;
                        }));
    }
    EXPECT_EQ(kit.ui.Told(), std::vector<std::string>{});
}

}  // namespace
