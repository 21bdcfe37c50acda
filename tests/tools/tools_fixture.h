// The main window over temporary directories of real files, listed as the file
// list shows them, for the tests of the single-file tools.
#pragma once

#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <set>

class ToolsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        ::GetCurrentDirectoryA(MAX_PATH, m_savedDir);
        ASSERT_TRUE(dlg.Create());
        hwnd = dlg.GetSafeHwnd();
        list = dlg.GetDlgItem(IDC_FILELIST);
    }
    // Windows that open on a directory make it current; a temp directory left current could not be removed.
    void TearDown() override { ::SetCurrentDirectoryA(m_savedDir); }

    // Creates the files in `in` and shows them as the list's entries.
    void ListFiles(const TempDir& in, const std::vector<std::string>& names) {
        dlg.m_browse.m_strCurDir = in.path();
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : names) {
            in.WriteFile(name, "contents of " + name);
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    // The entries in list order, a selected one marked with '*'; a note follows when
    // they are not the files of the listed directory, spelled alike.
    std::string ListState() const {
        const std::vector<std::string> items = Items(list);
        const bool same = std::set<std::string>(items.begin(), items.end()) == NamesIn(dlg.m_browse.m_strCurDir);
        return ::ListState(list) + (same ? "" : " (not the files on the disk)");
    }
    // The message boxes shown, one "title|text|flags" line each.
    static std::string Box(const std::string& title, const std::string& text, UINT flags) {
        return title + "|" + text + "|" + std::to_string(flags) + "\n";
    }
    std::string Shown() const {
        std::string shown;
        for (const ShownMessage& m : ui.messages) shown += Box(m.title, m.text, m.flags);
        return shown;
    }

    MainWindowKit kit;
    CRenameDlg& dlg = kit.dlg;
    RecordingUi& ui = kit.ui;
    const TempDir& dir = kit.dir;
    HWND hwnd = nullptr, list = nullptr;
    char m_savedDir[MAX_PATH] = "";
};
