// The options window as the user works it from the main window's "&Options"
// button, and the settings file it writes, read back by a new main window.
#include "app/rename_dlg.h"
#include "platform/file_services.h"
#include "settings/date_time_text.h"
#include "settings/options_dlg.h"
#include "settings/settings_file_guard.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <direct.h>

#include <functional>
#include <iterator>
#include <memory>
#include <vector>

namespace {

class ScopedModalHook {
public:
    explicit ScopedModalHook(ModalHook hook) : m_previous(SetModalHook(std::move(hook))) {}
    ~ScopedModalHook() { SetModalHook(m_previous); }

private:
    ModalHook m_previous;
};

// Replaces an edit's whole text by typing, as a user selecting all and typing would.
void ReplaceText(HWND edit, const std::string& text) {
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) {
        ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    } else {
        for (char c : text) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
    }
}

class OptionsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        char dir[MAX_PATH] = "";
        ASSERT_NE(_getcwd(dir, MAX_PATH), nullptr);
        m_cwd = dir;
        StartMain();
    }
    void TearDown() override {
        if (main) main->DestroyWindow();
        main.reset();
        _chdir(m_cwd.c_str());
    }

    void StartMain() {
        main = std::make_unique<CRenameDlg>();
        ASSERT_TRUE(main->Create());
        PumpMessages(main->GetSafeHwnd());
    }
    void Restart() {
        main->DestroyWindow();
        main.reset();
        StartMain();
    }

    // Presses "&Options"; `drive` gets the options window once its modal loop
    // runs and must close it. `chooser`, when given, works the directory
    // chooser that the options window opens.
    void WithOptions(std::function<void(HWND)> drive, std::function<void(CDialog&)> chooser = nullptr) {
        bool shown = false;
        ScopedModalHook hook([&](CDialog& dialog) {
            if (dialog.GetTemplateId() == IDD_OPTIONS) {
                shown = true;
                drive(dialog.GetSafeHwnd());
            } else if (chooser) {
                chooser(dialog);
            } else {
                ::PostMessageA(dialog.GetSafeHwnd(), WM_COMMAND, IDCANCEL, 0);
            }
        });
        ClickButton(main->GetDlgItem(IDC_OPTIONS));
        PumpMessages(main->GetSafeHwnd());
        EXPECT_TRUE(shown) << "the options window did not open";
    }

    SettingsFileGuard file;
    CapturingSink sink;
    std::unique_ptr<CRenameDlg> main;

private:
    std::string m_cwd;
};

HWND Item(HWND dialog, int id) { return ::GetDlgItem(dialog, id); }

// --- enabling ---------------------------------------------------------------

struct EnablingCase {
    const char* name;
    int useNewDir, setAttrib, timeDate, incTime;  // as the window opens
    std::vector<int> clicks;                      // then clicked, in order
    bool dir, attributes, timeStamp, increment;   // enabled afterwards
};

TEST(OptionsEnabling, DependentControlsFollowTheirCheckBoxes) {
    const EnablingCase cases[] = {
        {"all off", 0, 0, 0, 0, {}, false, false, false, false},
        {"all on", 1, 1, 1, 1, {}, true, true, true, true},
        {"increment checked without a time stamp", 0, 0, 0, 1, {}, false, false, false, false},
        {"time stamp without increment", 0, 0, 1, 0, {}, false, false, true, false},
        {"move checked", 0, 0, 0, 0, {IDC_OPT_USENEWDIR}, true, false, false, false},
        {"move unchecked", 1, 0, 0, 0, {IDC_OPT_USENEWDIR}, false, false, false, false},
        {"attributes checked", 0, 0, 0, 0, {IDC_OPT_SETATTRIB}, false, true, false, false},
        {"attributes unchecked", 0, 1, 0, 0, {IDC_OPT_SETATTRIB}, false, false, false, false},
        {"time stamp checked brings a checked increment", 0, 0, 0, 1, {IDC_OPT_TIMEDATE}, false, false, true, true},
        {"time stamp unchecked takes the increment along", 0, 0, 1, 1, {IDC_OPT_TIMEDATE}, false, false, false, false},
        {"increment checked", 0, 0, 1, 0, {IDC_OPT_INCTIME}, false, false, true, true},
        {"increment unchecked", 0, 0, 1, 1, {IDC_OPT_INCTIME}, false, false, true, false},
        {"time stamp off and on again", 0, 0, 1, 1, {IDC_OPT_TIMEDATE, IDC_OPT_TIMEDATE}, false, false, true, true},
    };
    const int dirControls[] = {IDC_OPT_SELECTDIR, IDC_OPT_DESTINATION};
    const int attributeControls[] = {IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM};
    const int timeControls[] = {IDC_OPT_LBL_DATE, IDC_OPT_LBL_TIME, IDC_OPT_DATE, IDC_OPT_TIME,
                                IDC_OPT_GETNOW, IDC_OPT_INCTIME, IDC_OPT_LBL_FORMAT};
    const int incrementControls[] = {IDC_OPT_INCAMOUNT, IDC_OPT_LBL_INCFORMAT};
    // Never disabled, whatever the state.
    const int alwaysOn[] = {IDC_OPT_USENEWDIR, IDC_OPT_SETATTRIB, IDC_OPT_TIMEDATE, IDC_OPT_WARNREN,
                            IDC_OPT_ABORTERROR, IDC_OPT_OK, IDC_OPT_OKSAVE, IDCANCEL};

    for (const EnablingCase& c : cases) {
        SCOPED_TRACE(c.name);
        COptionsDlg dlg;
        dlg.m_bUseNewDir = c.useNewDir;
        dlg.m_bSetAttrib = c.setAttrib;
        dlg.m_bTimeDate = c.timeDate;
        dlg.m_bIncTime = c.incTime;
        ScopedModalHook hook([&](CDialog& shown) {
            HWND w = shown.GetSafeHwnd();
            for (int id : c.clicks) ClickButton(Item(w, id));
            for (int id : dirControls) EXPECT_EQ(IsEnabled(Item(w, id)), c.dir) << id;
            for (int id : attributeControls) EXPECT_EQ(IsEnabled(Item(w, id)), c.attributes) << id;
            for (int id : timeControls) EXPECT_EQ(IsEnabled(Item(w, id)), c.timeStamp) << id;
            for (int id : incrementControls) EXPECT_EQ(IsEnabled(Item(w, id)), c.increment) << id;
            for (int id : alwaysOn) EXPECT_TRUE(IsEnabled(Item(w, id))) << id;
            ::PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
        });
        EXPECT_EQ(dlg.DoModal(), IDCANCEL);
    }
}

TEST(OptionsEnabling, TextBoxesHoldNoMoreThanTheirForms) {
    struct Limit { int id; int max; };
    COptionsDlg dlg;
    ScopedModalHook hook([&](CDialog& shown) {
        HWND w = shown.GetSafeHwnd();
        for (Limit l : {Limit{IDC_OPT_DATE, 10}, Limit{IDC_OPT_TIME, 8}, Limit{IDC_OPT_INCAMOUNT, 8}})
            EXPECT_EQ(::SendMessageA(Item(w, l.id), EM_GETLIMITTEXT, 0, 0), l.max) << l.id;
        ::PostMessageA(w, WM_COMMAND, IDCANCEL, 0);
    });
    dlg.DoModal();
}

// --- closing ----------------------------------------------------------------

enum class Close { OkUseCurrent, OkSave, EnterKey, CancelButton, EscapeKey };

struct CloseCase {
    const char* name;
    Close how;
    bool applied;  // the main window took the values
    bool saved;    // and they survive a restart
};

TEST_F(OptionsWindow, EachWayOfClosingAppliesAndSavesOrNot) {
    const CloseCase cases[] = {
        {"Ok - use current settings", Close::OkUseCurrent, true, false},
        {"Ok && Save to ini file", Close::OkSave, true, true},
        {"Enter in a text box", Close::EnterKey, true, false},
        {"Cancel", Close::CancelButton, false, false},
        {"Escape", Close::EscapeKey, false, false},
    };
    for (const CloseCase& c : cases) {
        SCOPED_TRACE(c.name);
        file.Remove();
        Restart();
        ASSERT_EQ(main->m_bWarnRename, TRUE);
        WithOptions([&](HWND w) {
            ClickButton(Item(w, IDC_OPT_WARNREN));    // on -> off
            ClickButton(Item(w, IDC_OPT_TOOLTIP));    // on -> off
            ClickButton(Item(w, IDC_OPT_USENEWDIR));  // off -> on
            ReplaceText(Item(w, IDC_OPT_DESTINATION), "D:\\Out\\");
            ClickButton(Item(w, IDC_ATTR_HIDDEN));    // leave as is -> clear
            ClickButton(Item(w, IDC_OPT_TIMEDATE));
            ReplaceText(Item(w, IDC_OPT_DATE), "12/24/2003");
            switch (c.how) {
            case Close::OkUseCurrent: ClickButton(Item(w, IDC_OPT_OK)); break;
            case Close::OkSave: ClickButton(Item(w, IDC_OPT_OKSAVE)); break;
            case Close::EnterKey: PressKey(w, Item(w, IDC_OPT_DATE), VK_RETURN); break;
            case Close::CancelButton: ClickButton(Item(w, IDCANCEL)); break;
            case Close::EscapeKey: PressKey(w, Item(w, IDC_OPT_DATE), VK_ESCAPE); break;
            }
        });
        EXPECT_EQ(main->m_bWarnRename, c.applied ? 0 : 1);
        EXPECT_EQ(main->m_bToolTip, c.applied ? 0 : 1);
        EXPECT_EQ(main->m_bUseNewDir, c.applied ? 1 : 0);
        EXPECT_EQ(main->m_strDestination, c.applied ? "D:\\Out\\" : "");
        EXPECT_EQ(main->m_bHidden, c.applied ? 0 : 2);
        EXPECT_EQ(main->m_bTimeDate, c.applied ? 1 : 0);
        EXPECT_EQ(main->m_nYear, c.applied ? 2003 : 1980);
        EXPECT_EQ(file.Exists(), c.saved);
        EXPECT_TRUE(sink.messages.empty());

        Restart();
        EXPECT_EQ(main->m_bWarnRename, c.saved ? 0 : 1);
        EXPECT_EQ(main->m_bToolTip, c.saved ? 0 : 1);
        EXPECT_EQ(main->m_bUseNewDir, c.saved ? 1 : 0);
        EXPECT_EQ(main->m_strDestination, c.saved ? "D:\\Out\\" : "");
        EXPECT_EQ(main->m_bTimeDate, c.saved ? 1 : 0);
        // Attributes and the time stamp are not kept in the file.
        EXPECT_EQ(main->m_bHidden, 2);
        EXPECT_EQ(main->m_nYear, 1980);
    }
}

// --- the time stamp texts ---------------------------------------------------

struct StampCase {
    const char* date;
    const char* time;
    const char* increment;
    int month, day, year, hour, minute, second, incHour, incMinute, incSecond;
};

TEST_F(OptionsWindow, TimeStampTextsAreReadBackEvenWhenTheirBoxIsOff) {
    const StampCase cases[] = {
        {"", "", "", 1, 1, 1980, 0, 0, 0, 0, 0, 0},
        {"12-24-2003", "235959", "1:00:00", 12, 24, 2003, 23, 59, 59, 1, 0, 0},
        {"07/14/03", "25:61:61", "-1:30:00", 7, 14, 1980, 23, 59, 59, 0, 30, 0},
    };
    for (const StampCase& c : cases) {
        SCOPED_TRACE(c.date);
        main->m_nYear = 2010, main->m_nMonth = 10, main->m_nDay = 10;
        main->m_nHour = main->m_nMinute = main->m_nSecond = 10;
        main->m_nIncHour = main->m_nIncMinute = main->m_nIncSecond = 10;
        WithOptions([&](HWND w) {
            // Check the boxes to type, then uncheck them again before OK.
            ClickButton(Item(w, IDC_OPT_TIMEDATE));
            ClickButton(Item(w, IDC_OPT_INCTIME));
            ReplaceText(Item(w, IDC_OPT_DATE), c.date);
            ReplaceText(Item(w, IDC_OPT_TIME), c.time);
            ReplaceText(Item(w, IDC_OPT_INCAMOUNT), c.increment);
            ClickButton(Item(w, IDC_OPT_INCTIME));
            ClickButton(Item(w, IDC_OPT_TIMEDATE));
            ClickButton(Item(w, IDC_OPT_OK));
        });
        EXPECT_EQ(main->m_bTimeDate, 0);
        EXPECT_EQ(main->m_bIncTime, 0);
        EXPECT_EQ(main->m_nMonth, c.month);
        EXPECT_EQ(main->m_nDay, c.day);
        EXPECT_EQ(main->m_nYear, c.year);
        EXPECT_EQ(main->m_nHour, c.hour);
        EXPECT_EQ(main->m_nMinute, c.minute);
        EXPECT_EQ(main->m_nSecond, c.second);
        EXPECT_EQ(main->m_nIncHour, c.incHour);
        EXPECT_EQ(main->m_nIncMinute, c.incMinute);
        EXPECT_EQ(main->m_nIncSecond, c.incSecond);
    }
}

TEST_F(OptionsWindow, ClearedDateShowsAsTheStartDateNextTime) {
    main->m_nYear = 2003, main->m_nMonth = 12, main->m_nDay = 24;
    WithOptions([&](HWND w) {
        EXPECT_EQ(TextOf(Item(w, IDC_OPT_DATE)), "12/24/2003");
        ClickButton(Item(w, IDC_OPT_TIMEDATE));
        ReplaceText(Item(w, IDC_OPT_DATE), "");
        ClickButton(Item(w, IDC_OPT_OK));
    });
    EXPECT_EQ(main->m_nMonth, 1);
    EXPECT_EQ(main->m_nDay, 1);
    EXPECT_EQ(main->m_nYear, 1980);
    std::string shown;
    WithOptions([&](HWND w) {
        shown = TextOf(Item(w, IDC_OPT_DATE));
        ClickButton(Item(w, IDCANCEL));
    });
    EXPECT_EQ(shown, "01/01/1980");
}

std::string NowDate() {
    LocalTime t = Platform().ToLocalTime(Platform().Now());
    return FormatDate(t.month, t.day, t.year) + " " + FormatTime(t.hour, t.minute, t.second);
}

TEST_F(OptionsWindow, GetCurrentDateTimeFillsBothBoxesWithTheLocalTime) {
    std::string before, after, date, time;
    WithOptions([&](HWND w) {
        ClickButton(Item(w, IDC_OPT_TIMEDATE));
        before = NowDate();
        ClickButton(Item(w, IDC_OPT_GETNOW));
        after = NowDate();
        date = TextOf(Item(w, IDC_OPT_DATE));
        time = TextOf(Item(w, IDC_OPT_TIME));
        ClickButton(Item(w, IDC_OPT_OK));
    });
    ASSERT_EQ(date.size(), 10u);
    ASSERT_EQ(time.size(), 8u);
    EXPECT_TRUE(date + " " + time == before || date + " " + time == after) << date << " " << time;
    LocalTime now = Platform().ToLocalTime(Platform().Now());
    EXPECT_EQ(main->m_nYear, now.year);
}

// --- the directory chooser --------------------------------------------------

TEST_F(OptionsWindow, SelectNewDirectoryTakesTheChoiceOnlyAfterOk) {
    TempDir temp;
    std::string start = temp.MakeDir("target");
    if (start.back() == '\\') start.pop_back();  // the chooser adds the backslash
    struct Case { int button; std::string expected; };
    for (const Case& c : {Case{IDOK, start + "\\"}, Case{IDCANCEL, start}}) {
        SCOPED_TRACE(c.button);
        main->m_bUseNewDir = 1;
        main->m_strDestination = start;
        std::string handedOver, shown;
        WithOptions(
            [&](HWND w) {
                ClickButton(Item(w, IDC_OPT_SELECTDIR));
                shown = TextOf(Item(w, IDC_OPT_DESTINATION));
                ClickButton(Item(w, IDC_OPT_OK));
            },
            [&](CDialog& chooser) {
                EXPECT_EQ(chooser.GetTemplateId(), static_cast<UINT>(IDD_DIREXPLORER));
                ::PostMessageA(chooser.GetSafeHwnd(), WM_COMMAND, c.button, 0);
            });
        EXPECT_EQ(shown, c.expected);
        EXPECT_EQ(main->m_strDestination, c.expected);
    }
    _chdir(temp.path().substr(0, 3).c_str());  // the chooser entered the directory; let it go
}

// --- the settings file ------------------------------------------------------

TEST_F(OptionsWindow, UnwritableFileGivesTheMessageAndKeepsTheSettingsInMemory) {
    ASSERT_EQ(_mkdir(file.path().c_str()), 0);
    WithOptions([&](HWND w) {
        ClickButton(Item(w, IDC_OPT_WARNDEL));
        ClickButton(Item(w, IDC_OPT_OKSAVE));
    });
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Error writing to data file!");
    EXPECT_EQ(sink.messages[0].title, "Error:");
    EXPECT_EQ(sink.messages[0].flags, static_cast<UINT>(MB_OK | MB_ICONSTOP));
    EXPECT_TRUE(IsDirectory(file.path()));
    EXPECT_EQ(main->m_bWarnDelete, 0);
}

TEST_F(OptionsWindow, FailedSaveLeavesTheOldFileAsItWas) {
    main->m_bAutoSelect = 1;
    main->SaveSettings();
    const std::string old = file.Read();
    ASSERT_FALSE(old.empty());
    // A file held open without sharing cannot be replaced.
    HANDLE held = ::CreateFileA(file.path().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    main->m_bAutoSelect = 0;
    main->SaveSettings();
    ::CloseHandle(held);
    ASSERT_EQ(sink.messages.size(), 1u);
    EXPECT_EQ(sink.messages[0].text, "Error writing to data file!");
    EXPECT_EQ(file.Read(), old);
}

struct IntRow { const char* key; int CRenameDlg::*field; int saved; };
struct TextRow { const char* key; std::string CRenameDlg::*field; const char* saved; };

TEST_F(OptionsWindow, EveryKeptFieldSurvivesARestart) {
    // Each value differs from its start value; texts keep their blanks.
    const IntRow ints[] = {
        {"WARNREN", &CRenameDlg::m_bWarnRename, 0},      {"FILEFILTER", &CRenameDlg::m_nFileFilter, 3},
        {"FILESORT", &CRenameDlg::m_nFileSort, 7},       {"CHGPREFIX", &CRenameDlg::m_bChangePrefix, 1},
        {"PREFIXPOS", &CRenameDlg::m_nPrefixPos, 0},     {"PREFIXUP", &CRenameDlg::m_bPrefixUpper, 1},
        {"PREFIXLOW", &CRenameDlg::m_bPrefixLower, 1},   {"PREFIXCNT", &CRenameDlg::m_bCountPrefix, 1},
        {"CHGEXTENSION", &CRenameDlg::m_bChangeExt, 1},  {"EXTPOS", &CRenameDlg::m_nExtPos, 1},
        {"EXTUP", &CRenameDlg::m_bExtUpper, 1},          {"EXTLOW", &CRenameDlg::m_bExtLower, 1},
        {"EXTCNT", &CRenameDlg::m_bCountExt, 1},         {"ALPHACNT", &CRenameDlg::m_bAlphaCount, 1},
        {"APPLYTO", &CRenameDlg::m_nApplyTo, 2},         {"SEARCHBACK", &CRenameDlg::m_bSearchBack, 1},
        {"CASESENSITVIE", &CRenameDlg::m_bCaseSensitive, 1}, {"INSERT", &CRenameDlg::m_bInsert, 1},
        {"INSAFTER", &CRenameDlg::m_bInsAfter, 1},       {"INSBEFORE", &CRenameDlg::m_bInsBefore, 1},
        {"REPLACE", &CRenameDlg::m_bReplace, 1},         {"AUTOSEL", &CRenameDlg::m_bAutoSelect, 1},
        {"NOREFLESH", &CRenameDlg::m_bNoRefresh, 1},     {"WARNDEL", &CRenameDlg::m_bWarnDelete, 0},
        {"TOOLTIP", &CRenameDlg::m_bToolTip, 0},         {"SETATTRIB", &CRenameDlg::m_bSetAttrib, 1},
        {"TIMEDATE", &CRenameDlg::m_bTimeDate, 1},       {"ABORTERROR", &CRenameDlg::m_bAbortOnError, 0},
        {"USENEWDIR", &CRenameDlg::m_bUseNewDir, 1},
    };
    const TextRow texts[] = {
        {"SRCHSTR", &CRenameDlg::m_strSearchMask, " *.t?t "},  {"NEWPREFIX", &CRenameDlg::m_strNewPrefix, "  pre "},
        {"NEWEXT", &CRenameDlg::m_strNewExt, " ext"},           {"STARTCNT", &CRenameDlg::m_strStartCount, "AAA"},
        {"INCCNT", &CRenameDlg::m_strIncrement, "25"},          {"INSSTR1", &CRenameDlg::m_strInsStr1, "in=s "},
        {"INSSTR2", &CRenameDlg::m_strInsStr2, " x"},           {"INSATPOS", &CRenameDlg::m_strInsAtPos, "12"},
        {"RESTR1", &CRenameDlg::m_strReStr1, "a b"},            {"RESTR2", &CRenameDlg::m_strReStr2, "  "},
        {"REFROMPOS", &CRenameDlg::m_strReFromPos, "3"},        {"RETOPOS", &CRenameDlg::m_strReToPos, "255"},
        {"DESTINATION", &CRenameDlg::m_strDestination, " C:\\Dest\\ "},
    };
    ASSERT_EQ(std::size(ints) + std::size(texts), static_cast<size_t>(kSettingRowCount - 1));  // DEFDIR aside

    for (const IntRow& r : ints) (*main).*r.field = r.saved;
    for (const TextRow& r : texts) (*main).*r.field = r.saved;
    HWND w = main->GetSafeHwnd();
    ASSERT_TRUE(::SetWindowPos(w, nullptr, 31, 42, 700, 520, SWP_NOZORDER | SWP_NOACTIVATE));
    main->SaveSettings();
    ASSERT_TRUE(sink.messages.empty());

    Restart();
    for (const IntRow& r : ints) EXPECT_EQ((*main).*r.field, r.saved) << r.key;
    for (const TextRow& r : texts) EXPECT_EQ((*main).*r.field, r.saved) << r.key;
    RECT rect;
    ::GetWindowRect(main->GetSafeHwnd(), &rect);
    EXPECT_EQ(rect.left, 31);
    EXPECT_EQ(rect.top, 42);
    EXPECT_EQ(rect.right - rect.left, 700);
    EXPECT_EQ(rect.bottom - rect.top, 520);
    // The file is the one beside the program, line 1 its header.
    EXPECT_EQ(file.Read().rfind(std::string(kSettingsHeader) + "\r\nWINDOWPOS=31,42,731,562\r\n", 0), 0u);
}

}  // namespace
