// The "Preview" window: its sorted list and its two checks, driven with real clicks
// while the window runs modally.
#include "preview/preview_dlg.h"
#include "naming/case_map.h"
#include "res/resource.h"
#include "support/ui_test_kit.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace {

struct Shown {
    std::vector<std::string> items;
    std::string count;
    std::string dest;
    int countLimit = 0;
    int extent = 0;
    std::vector<ShownMessage> messages;
    int selected = LB_ERR;
};

std::vector<std::string> Items(HWND list) {
    std::vector<std::string> out;
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
        LRESULT length = ::SendMessageA(list, LB_GETTEXTLEN, static_cast<WPARAM>(i), 0);
        std::string text(static_cast<size_t>(length) + 1, '\0');
        ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&text[0]));
        text.resize(static_cast<size_t>(length));
        out.push_back(text);
    }
    return out;
}

// Opens the window on `names`, clicks `button` (0 for none) and reports what it showed.
Shown RunPreview(const std::vector<std::string>& names, int button, CPreviewDlg* keep = nullptr) {
    CapturingSink sink;
    CPreviewDlg local;
    CPreviewDlg& dlg = keep ? *keep : local;
    dlg.m_arrNames = names;
    dlg.m_strDestPath = "C:\\dest\\";
    Shown shown;
    ModalHook previous = SetModalHook([&](CDialog& d) {
        HWND list = d.GetDlgItem(IDC_PREVIEW_LIST);
        HWND count = d.GetDlgItem(IDC_PREVIEW_COUNT);
        shown.items = Items(list);
        shown.count = TextOf(count);
        shown.dest = TextOf(d.GetDlgItem(IDC_PREVIEW_DEST));
        shown.countLimit = static_cast<int>(::SendMessageA(count, EM_GETLIMITTEXT, 0, 0));
        shown.extent = static_cast<int>(::SendMessageA(list, LB_GETHORIZONTALEXTENT, 0, 0));
        if (button) ClickButton(d.GetDlgItem(button));
        shown.selected = static_cast<int>(::SendMessageA(list, LB_GETCURSEL, 0, 0));
        ClickButton(d.GetDlgItem(IDOK));
    });
    EXPECT_EQ(dlg.DoModal(), IDOK);
    SetModalHook(previous);
    shown.messages = sink.messages;
    return shown;
}

TEST(PreviewWindow, ListsTheNamesSortedWithTheirCountAndDestination) {
    CPreviewDlg dlg;
    Shown shown = RunPreview({"b.txt", "C.txt", "a.txt", "b.txt"}, 0, &dlg);
    EXPECT_EQ(shown.items, (std::vector<std::string>{"a.txt", "b.txt", "b.txt", "C.txt"}));
    EXPECT_EQ(shown.count, "4");  // duplicates count
    EXPECT_EQ(shown.dest, "C:\\dest\\");
    EXPECT_EQ(shown.countLimit, 33);
    EXPECT_EQ(shown.extent, 1500);
    EXPECT_TRUE(shown.messages.empty());
    EXPECT_TRUE(dlg.m_arrNames.empty());  // emptied when the window went away
}

TEST(PreviewWindow, OrderIsTheSortedListBoxOwn) {
    // Names from pieces that the list box's word order treats in its own ways:
    // punctuation, blanks, digits, case and letters of the code page.
    const char* pieces[] = {"a", "A", "-", "'", "_", " ", "b", "1", "10", "2", ".", "\xE9", "\xC9", "z", "~"};
    std::vector<std::string> names;
    for (const char* x : pieces)
        for (const char* y : pieces)
            for (const char* z : {"a", "B.txt", "-c", "1"}) names.push_back(std::string(x) + y + z);
    Shown shown = RunPreview(names, 0);

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
        EXPECT_EQ(::lstrcmpiA(shown.items[i].c_str(), expected[i].c_str()), 0)
            << i << ": " << shown.items[i] << " / " << expected[i];
}

TEST(PreviewWindow, CheckForDuplicatesReportsTheFirstPairIgnoringCase) {
    struct Case {
        const char* name;
        std::vector<std::string> names;
        bool found;
    };
    const Case cases[] = {
        {"case only", {"other.txt", "readme.txt", "README.TXT"}, true},
        {"single name", {"only.txt"}, false},
        {"exact twins", {"x.txt", "x.txt"}, true},
        {"distinct", {"a.txt", "b.txt", "c.txt"}, false},
        // The list's word order weighs hyphens and apostrophes little: the twins still
        // end up side by side, and the look-alikes are no duplicates.
        {"punctuation look-alikes", {"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "A-B.TXT"}, true},
        {"punctuation only", {"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "a b.txt"}, false},
        // Accented letters are not folded: only the pair differing in ASCII case counts,
        // however the list orders the three.
        {"accented", {"\xE9t\xE9.txt", "\xC9T\xC9.txt", "\xE9t\xE9.TXT"}, true},
        {"accented only", {"\xE9t\xE9.txt", "\xC9t\xE9.txt"}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Shown shown = RunPreview(c.names, IDC_CHECKDUPS);
        ASSERT_EQ(shown.messages.size(), 1u);
        const ShownMessage& m = shown.messages[0];
        if (!c.found) {
            EXPECT_EQ(m.text, "No Duplicates found!");
            EXPECT_EQ(m.title, "Done");
            EXPECT_EQ(m.flags, static_cast<UINT>(MB_ICONINFORMATION));
            continue;
        }
        EXPECT_EQ(m.title, "Duplicates found!");
        EXPECT_EQ(m.flags, static_cast<UINT>(MB_ICONEXCLAMATION));
        // The first of the pair is named and selected; a later item is its twin.
        ASSERT_GE(shown.selected, 0);
        const std::string& first = shown.items[static_cast<size_t>(shown.selected)];
        EXPECT_EQ(m.text, "Duplicate file:  " + first);
        bool twin = false;
        for (size_t j = static_cast<size_t>(shown.selected) + 1; j < shown.items.size(); ++j)
            twin = twin || CompareNoCase(first, shown.items[j]) == 0;
        EXPECT_TRUE(twin);
    }
}

TEST(PreviewWindow, FindInvalidCharactersReportsTheFirstProblem) {
    struct Case {
        std::string label;
        std::vector<std::string> names;
        std::string text;  // empty: nothing found
        std::string title;
        UINT flags;
        std::string selectedName;
    };
    std::vector<Case> cases;
    for (char c : std::string("\"*/:<>?\\|")) {
        std::string name = std::string("a") + c + "b.txt";
        cases.push_back({std::string("character ") + c, {"fine.txt", name},
                         std::string("Invalid character is  ") + c + "\nIn filename:  " + name,
                         "Invalid character found!", MB_ICONEXCLAMATION, name});
    }
    const std::string n256 = std::string(252, 'n') + ".txt";
    const std::string n257 = std::string(253, 'n') + ".txt";
    cases.push_back({"256 characters", {n256}, "", "", 0, ""});
    cases.push_back({"257 characters", {"a.txt", n257}, "File:  " + n257 + "\nis longer than 256 characters!",
                     "Warning!", MB_ICONINFORMATION, n257});
    // Only the first problem from the top is told; within a name, the leftmost character.
    cases.push_back({"first only", {"a|b*c.txt", "z?.txt"}, "Invalid character is  |\nIn filename:  a|b*c.txt",
                     "Invalid character found!", MB_ICONEXCLAMATION, "a|b*c.txt"});
    cases.push_back({"long before invalid", {"a" + n257, "b?.txt"}, "File:  a" + n257 + "\nis longer than 256 characters!",
                     "Warning!", MB_ICONINFORMATION, "a" + n257});
    cases.push_back({"high bytes and control characters pass", {"\xE9t\xE9.txt", "tab\there.txt", "a.b c;d,e+f=[g]!"},
                     "", "", 0, ""});
    for (const Case& c : cases) {
        SCOPED_TRACE(c.label);
        Shown shown = RunPreview(c.names, IDC_FINDINVALID);
        ASSERT_EQ(shown.messages.size(), 1u);
        const ShownMessage& m = shown.messages[0];
        if (c.text.empty()) {
            EXPECT_EQ(m.text, "No Invalid Character found!");
            EXPECT_EQ(m.title, "Checked");
            EXPECT_EQ(m.flags, static_cast<UINT>(MB_ICONINFORMATION));
            EXPECT_EQ(shown.selected, LB_ERR);
            continue;
        }
        EXPECT_EQ(m.text, c.text);
        EXPECT_EQ(m.title, c.title);
        EXPECT_EQ(m.flags, c.flags);
        ASSERT_GE(shown.selected, 0);
        EXPECT_EQ(shown.items[static_cast<size_t>(shown.selected)], c.selectedName);
    }
}

}  // namespace
