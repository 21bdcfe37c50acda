// The main window over a temporary directory of real files, listed as the file
// list shows them, for the tests of the single-file tools.
#pragma once

#include "app/rename_dlg.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Real mouse double click on a list entry: the list sends its own LBN_DBLCLK.
inline void DoubleClickListItem(HWND list, int index) {
    RECT rect;
    ::SendMessageA(list, LB_GETITEMRECT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&rect));
    LPARAM point = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    ::SendMessageA(list, WM_LBUTTONDOWN, MK_LBUTTON, point);
    ::SendMessageA(list, WM_LBUTTONUP, 0, point);
    ::SendMessageA(list, WM_LBUTTONDBLCLK, MK_LBUTTON, point);
    ::SendMessageA(list, WM_LBUTTONUP, 0, point);
    PumpMessages();
}

// Replaces an edit's whole text by typing, as a user selecting all and typing over it.
inline void TypeOver(HWND edit, const std::string& text) {
    ::SendMessageA(edit, EM_SETSEL, 0, -1);
    if (text.empty()) ::SendMessageA(edit, WM_CHAR, VK_BACK, 1);
    for (char c : text) ::SendMessageA(edit, WM_CHAR, static_cast<unsigned char>(c), 1);
}

inline std::string CurrentDirectory() {
    char dir[MAX_PATH] = "";
    ::GetCurrentDirectoryA(MAX_PATH, dir);
    return dir;
}

class ToolsWindow : public ::testing::Test {
protected:
    void SetUp() override {
        m_savedDir = CurrentDirectory();
        ASSERT_TRUE(dlg.Create());
        hwnd = dlg.GetSafeHwnd();
        ::ShowWindow(hwnd, SW_SHOW);
        PumpMessages(hwnd);
        list = dlg.GetDlgItem(IDC_FILELIST);
    }
    void TearDown() override {
        SetModalHook(nullptr);
        dlg.DestroyWindow();
        // Windows that open on a directory make it current; the temp directory must
        // not stay current, or it could not be removed.
        ::SetCurrentDirectoryA(m_savedDir.c_str());
    }
    HWND Item(int id) const { return dlg.GetDlgItem(id); }

    // Creates the files in the temp directory and shows them as the list's entries.
    void ListFiles(const std::vector<std::string>& names) {
        dlg.m_strCurDir = dir.path();
        ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
        for (const std::string& name : names) {
            dir.WriteFile(name, "contents of " + name);
            ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
        }
    }
    std::vector<std::string> Entries() const {
        std::vector<std::string> entries;
        int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i) {
            char text[512] = "";
            ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
            entries.push_back(text);
        }
        return entries;
    }
    std::vector<int> Selected() const {
        std::vector<int> selected;
        int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(i), 0) > 0) selected.push_back(i);
        return selected;
    }
    int Caret() const { return static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0)); }
    void Select(const std::vector<int>& indices) {
        for (int i : indices) ::SendMessageA(list, LB_SETSEL, TRUE, static_cast<LPARAM>(i));
    }

    CapturingSink sink;
    TempDir dir;
    CRenameDlg dlg;
    HWND hwnd = nullptr;
    HWND list = nullptr;

private:
    std::string m_savedDir;
};
