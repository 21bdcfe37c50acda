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
    std::vector<std::string> items;
    std::string count, dest;
    std::vector<std::string> told;
    std::string selected;  // "" when nothing is selected
};

// Opens the window on `names`, clicks `button` (0 for none) and reports what it showed.
Shown RunPreview(const std::vector<std::string>& names, int button) {
    CapturingSink sink;
    CPreviewDlg dlg;
    dlg.m_arrNames = names;
    dlg.m_strDestPath = "C:\\dest\\";
    Shown shown;
    ModalHook previous = SetModalHook([&](CDialog& d) {
        HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
        shown.items = Items(list);
        shown.count = TextOf(d.GetDlgItem(IDC_PREVIEW_COUNT));
        shown.dest = TextOf(d.GetDlgItem(IDC_PREVIEW_DEST));
        if (button) ClickButton(d.GetDlgItem(button));
        const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (selected >= 0) shown.selected = shown.items[static_cast<size_t>(selected)];
        ClickButton(d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetModalHook(previous);
    shown.told = Told(sink);
    EXPECT_TRUE(dlg.m_arrNames.empty());  // emptied when the window went away
    return shown;
}

TEST(PreviewWindow, ListsTheNamesInTheSortedListBoxOwnOrder) {
    // Names from pieces that the list box's word order treats in its own ways:
    // punctuation, blanks, digits, case and letters of the code page.
    const char* pieces[] = {"a", "A", "-", "'", "_", " ", "b", "1", "10", "2", ".", "\xE9", "\xC9", "z", "~"};
    std::vector<std::string> names = {"a-b.txt", "a-b.txt"};  // twins count twice
    for (const char* x : pieces)
        for (const char* y : pieces)
            for (const char* z : {"a", "B.txt", "-c", "1"}) names.push_back(std::string(x) + y + z);
    Shown shown = RunPreview(names, 0);
    EXPECT_EQ(shown.count, std::to_string(names.size()));
    EXPECT_EQ(shown.dest, "C:\\dest\\");
    EXPECT_TRUE(shown.told.empty());

    HWND reference = ::CreateWindowA("LISTBOX", "", LBS_SORT | LBS_HASSTRINGS, 0, 0, 10, 10, nullptr, nullptr,
                                     ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(reference, nullptr);
    for (const std::string& name : names)
        ::SendMessageA(reference, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
    const std::vector<std::string> expected = Items(reference);
    ::DestroyWindow(reference);
    ASSERT_EQ(shown.items.size(), expected.size());
    // Names the list box takes as equal may stand in either order.
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(::lstrcmpiA(shown.items[i].c_str(), expected[i].c_str()), 0) << i << ": " << shown.items[i];
}

TEST(PreviewWindow, CheckForDuplicatesReportsTheFirstPairIgnoringCase) {
    struct Case {
        const char* name;
        std::vector<std::string> names;
        bool found;
    };
    const Case cases[] = {
        {"case only", {"other.txt", "readme.txt", "README.TXT"}, true},
        {"exact twins", {"x.txt", "x.txt"}, true},
        {"distinct", {"a.txt", "b.txt", "c.txt"}, false},
        // The list's word order weighs hyphens and apostrophes little: the twins still
        // end up side by side, and the look-alikes are no duplicates.
        {"punctuation look-alikes", {"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "A-B.TXT"}, true},
        {"punctuation only", {"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "a b.txt"}, false},
        // Accented letters are not folded: only the pair differing in ASCII case counts.
        {"accented", {"\xE9t\xE9.txt", "\xC9T\xC9.txt", "\xE9t\xE9.TXT"}, true},
        {"accented only", {"\xE9t\xE9.txt", "\xC9t\xE9.txt"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown shown = RunPreview(c.names, IDC_CHECKDUPS);
        // The first of the pair is named and selected; a later item is its twin.
        EXPECT_EQ(shown.told, std::vector<std::string>{c.found ? "Duplicates found!|Duplicate file:  " + shown.selected
                                                               : "Done|No Duplicates found!"});
        if (!c.found) continue;
        const auto at = std::find(shown.items.begin(), shown.items.end(), shown.selected);
        ASSERT_NE(at, shown.items.end());
        EXPECT_TRUE(std::any_of(at + 1, shown.items.end(),
                                [&](const std::string& item) { return CompareNoCase(item, shown.selected) == 0; }));
    }
}

TEST(PreviewWindow, FindInvalidCharactersReportsTheFirstProblem) {
    struct Case {
        std::string label;
        std::vector<std::string> names;
        std::string selected;  // "" for nothing found
        std::string told;
    };
    const auto invalid = [](char c, const std::string& name) {
        return std::string("Invalid character found!|Invalid character is  ") + c + "\nIn filename:  " + name;
    };
    std::vector<Case> cases;
    for (char c : std::string("\"*/:<>?\\|")) {
        const std::string name = std::string("a") + c + "b.txt";
        cases.push_back({name, {"fine.txt", name}, name, invalid(c, name)});
    }
    const std::string n256 = std::string(252, 'n') + ".txt", n257 = "n" + n256;
    const auto tooLong = [](const std::string& name) {
        return "Warning!|File:  " + name + "\nis longer than 256 characters!";
    };
    cases.push_back({"256 characters", {n256}, "", ""});
    cases.push_back({"257 characters", {"a.txt", n257}, n257, tooLong(n257)});
    // Only the first problem from the top is told; within a name, the leftmost character.
    cases.push_back({"first only", {"a|b*c.txt", "z?.txt"}, "a|b*c.txt", invalid('|', "a|b*c.txt")});
    cases.push_back({"long before invalid", {"a" + n257, "b?.txt"}, "a" + n257, tooLong("a" + n257)});
    cases.push_back({"high bytes and control characters pass", {"\xE9t\xE9.txt", "tab\there.txt", "a.b c;d,e+f=[g]!"},
                     "", ""});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Shown shown = RunPreview(c.names, IDC_FINDINVALID);
        EXPECT_EQ(shown.told, std::vector<std::string>{c.told.empty() ? "Checked|No Invalid Character found!"
                                                                      : c.told});
        EXPECT_EQ(shown.selected, c.selected);
    }
}

}  // namespace
