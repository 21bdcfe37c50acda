// The "Preview" window: its sorted list and its two checks, driven with real clicks
// while the window runs modally.
#include "preview/preview_dlg.h"
#include "naming/case_map.h"
#include "rename/run_kit.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

struct Shown {
    std::vector<std::string> items, told;
    std::string selected;  // "" when nothing is selected
};

// Opens the window on `names`, clicks `button` (0 for none) and reports what it showed.
// Every time, the list must hold the names in the order a sorted list box of the system
// gives them (names it takes as equal may stand in either order).
Shown RunPreview(const std::vector<std::string>& names, int button) {
    CapturingSink sink;
    CPreviewDlg dlg;
    dlg.m_arrNames = names;
    dlg.m_strDestPath = "C:\\dest\\";
    Shown shown;
    ModalHook previous = SetModalHook([&](CDialog& d) {
        HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
        shown.items = Items(list);
        EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_COUNT)), std::to_string(names.size()));
        EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_DEST)), "C:\\dest\\");
        if (button) ClickButton(d.GetDlgItem(button));
        const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (selected >= 0) shown.selected = shown.items[static_cast<size_t>(selected)];
        ClickButton(d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetModalHook(previous);
    shown.told = Told(sink);
    EXPECT_TRUE(dlg.m_arrNames.empty());  // emptied when the window went away

    HWND reference = ::CreateWindowA("LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    for (const std::string& name : names)
        ::SendMessageA(reference, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const std::vector<std::string> expected = Items(reference);
    ::DestroyWindow(reference);
    EXPECT_EQ(shown.items.size(), expected.size());
    for (size_t i = 0; i < std::min(expected.size(), shown.items.size()); ++i)
        EXPECT_EQ(::lstrcmpiA(shown.items[i].c_str(), expected[i].c_str()), 0) << i << ": " << shown.items[i];
    return shown;
}

TEST(PreviewWindow, ListsTheNamesInTheSortedListBoxOwnOrder) {
    // Pieces that the list box's word order treats in its own ways: punctuation, blanks,
    // digits, case and letters of the code page; twins count twice.
    const char* pieces[] = {"a", "A", "-", "'", "_", " ", "b", "1", "10", "2", ".", "\xE9", "\xC9", "~"};
    std::vector<std::string> names = {"a-b.txt", "a-b.txt"};
    for (const char* x : pieces)
        for (const char* y : pieces)
            for (const char* z : {"a", "B.txt", "-c"}) names.push_back(std::string(x) + y + z);
    EXPECT_TRUE(RunPreview(names, 0).told.empty());
}

TEST(PreviewWindow, CheckForDuplicatesReportsTheFirstPairIgnoringCase) {
    struct Case {
        std::vector<std::string> names;
        bool found;
    };
    const Case cases[] = {
        {{"other.txt", "readme.txt", "README.TXT"}, true},
        // The list's word order weighs hyphens and apostrophes little: the twins still
        // end up side by side, and the look-alikes are no duplicates.
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "A-B.TXT"}, true},
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "a b.txt"}, false},
        // Accented letters are not folded: only the pair differing in ASCII case counts.
        {{"\xE9t\xE9.txt", "\xC9T\xC9.txt", "\xE9t\xE9.TXT"}, true},
        {{"\xE9t\xE9.txt", "\xC9t\xE9.txt"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.names[0]);
        Shown shown = RunPreview(c.names, IDC_CHECKDUPS);
        // The first of the pair is named and selected; a later item is its twin.
        EXPECT_EQ(shown.told, std::vector<std::string>{c.found ? "Duplicates found!|Duplicate file:  " + shown.selected
                                                               : "Done|No Duplicates found!"});
        const auto at = std::find(shown.items.begin(), shown.items.end(), shown.selected);
        const auto twin = [&](const std::string& item) { return CompareNoCase(item, shown.selected) == 0; };
        EXPECT_EQ(c.found, at != shown.items.end() && std::any_of(at + 1, shown.items.end(), twin));
    }
}

TEST(PreviewWindow, FindInvalidCharactersReportsTheFirstProblem) {
    struct Case {
        std::vector<std::string> names;
        std::string selected, told;  // "" for nothing found
    };
    const auto invalid = [](char c, const std::string& name) {
        return std::string("Invalid character found!|Invalid character is  ") + c + "\nIn filename:  " + name;
    };
    std::vector<Case> cases;
    for (char c : std::string("\"*/:<>?\\|")) {
        const std::string name = std::string("a") + c + "b.txt";
        cases.push_back({{"fine.txt", name}, name, invalid(c, name)});
    }
    const std::string n256 = std::string(252, 'n') + ".txt", n257 = "n" + n256;
    cases.push_back({{n256, "\xE9t\xE9.txt", "tab\there.txt", "a.b c;d,e+f=[g]!"}, "", ""});
    cases.push_back({{"a.txt", n257, "z?.txt"}, n257, "Warning!|File:  " + n257 + "\nis longer than 256 characters!"});
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

}  // namespace
