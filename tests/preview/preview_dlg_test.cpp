// The "Preview" window: its sorted list and its two checks, driven with real clicks
// while the window runs modally.
#include "preview/preview_dlg.h"
#include "rename/run_kit.h"
#include "res/resource.h"

#include <gtest/gtest.h>

namespace {

// The list's items, the message boxes, and the selected item ("" when none).
struct Shown { std::vector<std::string> items, told; std::string selected; };

// Opens the window on `names`, clicks `button` and reports what it showed.
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
        ClickButton(d.GetDlgItem(button));
        const LRESULT selected = ::SendMessageA(list, LB_GETCURSEL, 0, 0);
        if (selected >= 0) shown.selected = shown.items[static_cast<size_t>(selected)];
        ClickButton(d.GetDlgItem(IDOK));
    };
    EXPECT_EQ(dlg.DoModal(), IDOK);
    shown.told = ui.Told();
    return shown;
}

// The first pair from the top is named and selected: either twin, since the sorted list
// takes them as equal (the check itself: text_test.cpp).
TEST(PreviewWindow, CheckForDuplicatesReportsTheFirstPairIgnoringCase) {
    const struct { std::vector<std::string> names; const char* twin; } cases[] = {
        {{"other.txt", "readme.txt", "README.TXT"}, "readme.txt"},
        // The list's word order weighs hyphens little: the twins still end up side by side,
        // and the look-alikes are no duplicates.
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "A-B.TXT"}, "a-b.txt"},
        {{"a-b.txt", "ab.txt", "a'b.txt", "a_b.txt", "a b.txt"}, ""},
        {{"été.txt", "ete.txt"}, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names[0]);
        Shown shown = RunPreview(c.names, IDC_CHECKDUPS);
        EXPECT_EQ(::lstrcmpiA(shown.selected.c_str(), c.twin), 0) << shown.selected;
        EXPECT_EQ(shown.told, std::vector<std::string>{*c.twin ? "Duplicates found!|Duplicate file:  " + shown.selected
                                                               : "Done|No Duplicates found!"});
    }
}

TEST(PreviewWindow, FindInvalidCharactersReportsTheFirstProblemInListOrder) {
    const std::string n255 = std::string(251, 'n') + ".txt", n256 = "n" + n255;
    // items: the list's order; selected and told: "" for nothing found.
    const struct { std::vector<std::string> names, items; std::string selected, told; } cases[] = {
        {{"c.txt", n255, "a.txt", "B.txt"}, {"a.txt", "B.txt", "c.txt", n255}, "", ""},
        {{"z?.txt", n256, "a.txt"}, {"a.txt", n256, "z?.txt"}, n256,
         "Warning!|File:  " + n256 + "\nis longer than 255 characters!"},
        {{"z?.txt", "a|b*c.txt"}, {"a|b*c.txt", "z?.txt"}, "a|b*c.txt",
         "Invalid character found!|Invalid character is  |\nIn filename:  a|b*c.txt"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.names[0]);
        Shown shown = RunPreview(c.names, IDC_FINDINVALID);
        EXPECT_EQ(shown.items, c.items);
        EXPECT_EQ(shown.told, std::vector<std::string>{c.told.empty() ? "Checked|No Invalid Character found!" : c.told});
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
