// The options window as the user works it from the main window's "&Options"
// button, and the settings file it writes, read back by a new main window.
#include "app/rename_dlg.h"
#include "settings/options_dlg.h"
#include "settings/settings_file_guard.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>
#include <vector>

namespace {

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override { Restart(); }
    void TearDown() override { main->DestroyWindow(); }

    void Restart() {
        if (main) main->DestroyWindow();
        main = std::make_unique<CRenameDlg>();
        ASSERT_TRUE(main->Create());
        PumpMessages(main->GetSafeHwnd());
    }
    // Presses "&Options"; `drive` gets the options window and must close it.
    void WithOptions(const std::function<void(HWND)>& drive) {
        bool shown = false;
        SetModalHook([&](CDialog& dialog) { shown = true; drive(dialog.GetSafeHwnd()); });
        ClickButton(main->GetDlgItem(IDC_OPTIONS));
        PumpMessages(main->GetSafeHwnd());
        SetModalHook(nullptr);
        EXPECT_TRUE(shown) << "the options window did not open";
    }

    SettingsFileGuard file;
    CapturingSink sink;
    std::unique_ptr<CRenameDlg> main;
};

TEST_F(OptionsWindow, DependentControlsFollowTheirCheckBoxes) {
    // The check boxes move, attributes, time stamp and increment as the window
    // opens, the boxes then clicked in order, and whether the controls that
    // depend on each of the four are enabled afterwards.
    const struct { const char* name; int initial[4]; std::vector<int> clicks; bool enabled[4]; } cases[] = {
        {"all off", {0, 0, 0, 0}, {}, {false, false, false, false}},
        {"all on", {1, 1, 1, 1}, {}, {true, true, true, true}},
        {"increment checked without a time stamp", {0, 0, 0, 1}, {}, {false, false, false, false}},
        {"move checked", {0, 0, 0, 0}, {IDC_OPT_USENEWDIR}, {true, false, false, false}},
        {"attributes unchecked", {0, 1, 0, 0}, {IDC_OPT_SETATTRIB}, {false, false, false, false}},
        {"time stamp checked brings a checked increment", {0, 0, 0, 1}, {IDC_OPT_TIMEDATE}, {false, false, true, true}},
        {"time stamp unchecked takes the increment along", {0, 0, 1, 1}, {IDC_OPT_TIMEDATE}, {false, false, false, false}},
        {"increment checked", {0, 0, 1, 0}, {IDC_OPT_INCTIME}, {false, false, true, true}},
        {"increment unchecked", {0, 0, 1, 1}, {IDC_OPT_INCTIME}, {false, false, true, false}},
    };
    const std::vector<int> groups[] = {
        {IDC_OPT_SELECTDIR, IDC_OPT_DESTINATION},
        {IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM},
        {IDC_OPT_LBL_DATE, IDC_OPT_LBL_TIME, IDC_OPT_DATE, IDC_OPT_TIME, IDC_OPT_GETNOW, IDC_OPT_INCTIME,
         IDC_OPT_LBL_FORMAT},
        {IDC_OPT_INCAMOUNT, IDC_OPT_LBL_INCFORMAT},
    };
    const int alwaysOn[] = {IDC_OPT_USENEWDIR, IDC_OPT_SETATTRIB, IDC_OPT_TIMEDATE, IDC_OPT_OK, IDC_OPT_OKSAVE, IDCANCEL};
    int* const fields[] = {&main->m_bUseNewDir, &main->m_bSetAttrib, &main->m_bTimeDate, &main->m_bIncTime};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        for (int i = 0; i < 4; ++i) *fields[i] = c.initial[i];
        WithOptions([&](HWND w) {
            for (int id : c.clicks) ClickButton(Item(w, id));
            for (int g = 0; g < 4; ++g)
                for (int id : groups[g]) EXPECT_EQ(IsEnabled(Item(w, id)), c.enabled[g]) << id;
            for (int id : alwaysOn) EXPECT_TRUE(IsEnabled(Item(w, id))) << id;
            ClickButton(Item(w, IDCANCEL));
        });
    }
}

TEST_F(OptionsWindow, EachWayOfClosingAppliesAndSavesOrNot) {
    enum Close { OkUseCurrent, OkSave, EnterKey, CancelButton, EscapeKey };
    const struct { const char* name; Close how; bool applied, saved; } cases[] = {
        {"Ok - use current settings", OkUseCurrent, true, false},
        {"Ok && Save to ini file", OkSave, true, true},
        {"Enter in a text box", EnterKey, true, false},
        {"Cancel", CancelButton, false, false},
        {"Escape", EscapeKey, false, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        file.Remove();
        Restart();
        WithOptions([&](HWND w) {
            ClickButton(Item(w, IDC_OPT_WARNREN));    // on -> off
            ClickButton(Item(w, IDC_OPT_USENEWDIR));  // off -> on
            ::SetWindowTextA(Item(w, IDC_OPT_DESTINATION), "D:\\Out\\");
            ClickButton(Item(w, IDC_ATTR_HIDDEN));    // leave as is -> clear
            ClickButton(Item(w, IDC_OPT_TIMEDATE));
            ::SetWindowTextA(Item(w, IDC_OPT_DATE), "12/24/2003");
            const int buttons[] = {IDC_OPT_OK, IDC_OPT_OKSAVE, 0, IDCANCEL, 0};
            if (buttons[c.how]) ClickButton(Item(w, buttons[c.how]));
            else PressKey(w, Item(w, IDC_OPT_DATE), c.how == EnterKey ? VK_RETURN : VK_ESCAPE);
        });
        EXPECT_EQ(FileExists(file.path()), c.saved);
        EXPECT_TRUE(sink.messages.empty());
        // Attributes and the time stamp live only until the program ends.
        for (bool restarted : {false, true}) {
            const bool kept = restarted ? c.saved : c.applied;
            EXPECT_EQ(main->m_bWarnRename, kept ? 0 : 1) << restarted;
            EXPECT_EQ(main->m_bUseNewDir, kept ? 1 : 0) << restarted;
            EXPECT_EQ(main->m_strDestination, kept ? "D:\\Out\\" : "") << restarted;
            EXPECT_EQ(main->m_bTimeDate, kept ? 1 : 0) << restarted;
            EXPECT_EQ(main->m_bHidden, !restarted && kept ? 0 : 2) << restarted;
            EXPECT_EQ(main->m_nYear, !restarted && kept ? 2003 : 1980) << restarted;
            Restart();
        }
    }
}

// The file cannot be replaced: the message, and whatever was there stays.
TEST_F(OptionsWindow, FailedSaveGivesTheMessageAndLeavesTheOldFile) {
    main->SaveSettings();
    const std::string old = ReadFile(file.path());
    ASSERT_FALSE(old.empty());
    for (bool directory : {false, true}) {
        SCOPED_TRACE(directory ? "a directory in the file's place" : "the file held open");
        sink.messages.clear();
        if (directory) file.Remove();
        ASSERT_TRUE(!directory || _mkdir(file.path().c_str()) == 0);
        // Held open without sharing, the file cannot be replaced.
        HANDLE held = ::CreateFileA(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        WithOptions([&](HWND w) { ClickButton(Item(w, IDC_OPT_WARNDEL)); ClickButton(Item(w, IDC_OPT_OKSAVE)); });
        ::CloseHandle(held);
        ASSERT_EQ(sink.messages.size(), 1u);
        EXPECT_EQ(sink.messages[0].text, "Error writing to data file!");
        EXPECT_EQ(sink.messages[0].title, "Error:");
        EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
        EXPECT_EQ((::GetFileAttributesA(file.path().c_str()) & FILE_ATTRIBUTE_DIRECTORY) != 0, directory);
        EXPECT_EQ(ReadFile(file.path()), directory ? "" : old);
    }
}

}  // namespace
