// The main window over temporary directories of real files, listed as the file
// list shows them, for the tests of the single-file tools.
#pragma once

#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <set>

class ToolsWindow : public WindowTest {
protected:
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
};
