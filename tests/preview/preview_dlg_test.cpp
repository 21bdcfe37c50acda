// The "Preview" window: its sorted list and its two checks, driven with real clicks
// while the window runs modally.
#include "platform/wide_text.h"
#include "preview/preview_dlg.h"
#include "rename/run_kit.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The list's items, the message boxes, and the selected item ("" when none).
struct Shown { std::vector<std::string> items, told; std::string selected; };

// Opens the window on `names`, clicks `button` (0 for none) and reports what it showed.
// Every time, the list must hold the names in the order a sorted list box of the system
// gives them (names it takes as equal may stand in either order).
Shown RunPreview(const std::vector<std::string>& names, int button) {
    RecordingUi ui;
    CPreviewDlg dlg(ui);
    dlg.m_arrNames = names;
    dlg.m_strDestPath = "C:\\dest\\";
    Shown shown;
    ui.onModal = [&](CDialog& d) {
        HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
        shown.items = Items(list);
        EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_COUNT)), std::to_string(names.size()));
        EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_DEST)), "C:\\dest\\");
        if (button) ClickButton(d.GetDlgItem(button));
        const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (selected >= 0) shown.selected = shown.items[static_cast<size_t>(selected)];
        ClickButton(d.GetDlgItem(IDOK));
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    shown.told = ui.Told();

    HWND reference = ::CreateWindowW(L"LISTBOX", L"", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, nullptr, nullptr,
                                     ::GetModuleHandleW(nullptr), nullptr);
    for (const std::string& name : names) ListBoxAddString(reference, name);
    const std::vector<std::string> expected = Items(reference);
    ::DestroyWindow(reference);
    EXPECT_EQ(shown.items.size(), expected.size());
    for (size_t i = 0; i < std::min(expected.size(), shown.items.size()); ++i)
        EXPECT_EQ(::lstrcmpiW(ToWide(shown.items[i]).c_str(), ToWide(expected[i]).c_str()), 0)
            << i << ": " << shown.items[i];
    return shown;
}

TEST(PreviewWindow, CheckForDuplicatesReportsTheFirstPairIgnoringCase) {
    const struct { std::vector<std::string> names; bool found; } cases[] = {
        {{"other.txt", "readme.txt", "README.TXT"}, true},
        // The list's word order weighs hyphens and apostrophes little: the twins still
        // end up side by side, and the look-alikes are no duplicates.
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "A-B.TXT"}, true},
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "a b.txt"}, false},
        {{"été.txt", "Été.txt"}, true},  // letters of every script fold
        {{"été.txt", "ete.txt"}, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names[0]);
        Shown shown = RunPreview(c.names, IDC_CHECKDUPS);
        // The first of the only pair is named and selected.
        EXPECT_EQ(shown.told, std::vector<std::string>{c.found ? "Duplicates found!|Duplicate file:  " + shown.selected
                                                               : "Done|No Duplicates found!"});
    }
}

TEST(PreviewWindow, FindInvalidCharactersReportsTheFirstProblem) {
    struct Case { std::vector<std::string> names; std::string selected, told; };  // "" for nothing found
    const auto invalid = [](char c, const std::string& name) {
        return std::string("Invalid character found!|Invalid character is  ") + c + "\nIn filename:  " + name;
    };
    std::vector<Case> cases = {{{"fine.txt", "a<b.txt"}, "a<b.txt", invalid('<', "a<b.txt")}};
    const std::string n255 = std::string(251, 'n') + ".txt", n256 = "n" + n255;
    // Pieces that the list box's word order treats in its own ways: punctuation, blanks,
    // digits, case and accented letters; twins count twice.
    const char* pieces[] = {"a", "A", "-", "'", "_", " ", "b", "1", "10", "2", ".", "é", "É", "~"};
    std::vector<std::string> fine = {"a-b.txt", "a-b.txt", "tab\there.txt", "a.b c;d,e+f=[g]!", n255};
    for (const char* x : pieces)
        for (const char* y : pieces)
            for (const char* z : {"a", "B.txt", "-c"}) fine.push_back(std::string(x) + y + z);
    cases.push_back({fine, "", ""});
    cases.push_back({{"a.txt", n256, "z?.txt"}, n256, "Warning!|File:  " + n256 + "\nis longer than 255 characters!"});
    // Only the first problem from the top is told; within a name, the leftmost character.
    cases.push_back({{"a|b*c.txt", "z?.txt"}, "a|b*c.txt", invalid('|', "a|b*c.txt")});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names.back());
        Shown shown = RunPreview(c.names, IDC_FINDINVALID);
        const std::string told = c.told.empty() ? "Checked|No Invalid Character found!" : c.told;
        EXPECT_EQ(shown.told, std::vector<std::string>{told});
        EXPECT_EQ(shown.selected, c.selected);
    }
}

// "Full &Preview" from the main window on real files: the new names are shown, and
// nothing on disk changes although the options ask for new times and attributes.
TEST(FullPreview, ShowsTheNewNamesAndChangesNothing) {
    TempDir dir;
    for (const char* name : {"b.txt", "a.txt", "c.txt"}) dir.WriteFile(name, name);
    dir.MakeDir("sub");
    // names: as the window lists them (none: no window); told: "" for no message box; dest: the shown
    // destination under the directory.
    struct Case { std::function<void(CRenameDlg&)> setUp; std::vector<std::string> names; std::string told;
                  const char* dest; };
    const Case cases[] = {
        // Overflow keeps the names so far.
        {[](CRenameDlg& d) {
             d.m_bChangePrefix = d.m_bCountPrefix = 1, d.m_strNewPrefix = "n", d.m_nPrefixPos = 0;
             d.m_strStartCount = "18446744073709551614"; },
         {"n18446744073709551614.txt", "n18446744073709551615.txt"}, "Error|Counter Overflow!", ""},
        {[&](CRenameDlg& d) {
             d.m_bInsert = d.m_bUseNewDir = 1, d.m_strInsStr1 = "-", d.m_strInsAtPos = "0";
             d.m_strDestination = dir.path() + "sub"; },
         {"-a.txt", "-b.txt", "-c.txt"}, "", "sub\\"},
        {[&](CRenameDlg& d) { d.m_bUseNewDir = 1, d.m_strDestination = dir.path() + "sub"; }, {},
         "Done|No preview for just moving files to another directory!", ""},
    };
    const FileMap before = Files(dir.path(), true, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        ListedWindow w(dir.path());
        w.dlg.m_bWarnRename = TRUE;  // yet no confirmation is asked
        w.dlg.m_bTimeDate = w.dlg.m_bSetAttrib = w.dlg.m_bHidden = 1;
        w.dlg.m_nYear = 2001;
        c.setUp(w.dlg);
        std::vector<std::string> names;
        w.kit.ui.onModal = [&](CDialog& d) {
            names = Items(d.GetDlgItem(IDC_PREVIEW_LIST));
            EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_DEST)), dir.path() + c.dest);
            ClickButton(d.GetDlgItem(IDOK));
        };
        ClickButton(w.dlg.GetDlgItem(IDC_FULLPREVIEW));

        EXPECT_EQ(names, c.names);
        EXPECT_EQ(w.kit.ui.Told(), c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
        EXPECT_EQ(Files(dir.path(), true, true), before);
        EXPECT_EQ(w.Selected(), 3);  // the list is not refilled
    }
}

}  // namespace
