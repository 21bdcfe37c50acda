// "Full &Preview" from the main window on real files: the new names are shown, and
// nothing on disk changes although the options ask for new times and attributes.
#include "preview/preview_dlg.h"
#include "rename/run_kit.h"

#include <gtest/gtest.h>

namespace {

TEST(FullPreview, ShowsTheNewNamesAndChangesNothing) {
    CapturingSink sink;
    TempDir dir;
    for (const char* name : {"b.txt", "a.txt", "c.txt"}) dir.WriteFile(name, name);
    dir.MakeDir("sub");
    struct Case {
        std::function<void(CRenameDlg&)> setUp;
        std::vector<std::string> names;  // as the window lists them; none: no window
        std::string told;                // "" for no message box
        const char* dest;                // shown destination under the directory
    };
    const auto count = [](CRenameDlg& d, const char* prefix, int pos, const char* start) {
        d.m_bChangePrefix = d.m_bCountPrefix = 1, d.m_strNewPrefix = prefix, d.m_nPrefixPos = pos;
        d.m_strStartCount = start;
    };
    const Case cases[] = {
        {[&](CRenameDlg& d) { count(d, "z", 1, "9"); }, {"z10b.txt", "z11c.txt", "z9a.txt"}, "", ""},
        // Overflow keeps the names so far.
        {[&](CRenameDlg& d) { count(d, "n", 0, "18446744073709551614"); },
         {"n18446744073709551614.txt", "n18446744073709551615.txt"}, "Error|Counter Overflow!", ""},
        {[&](CRenameDlg& d) {
             d.m_bInsert = d.m_bUseNewDir = 1, d.m_strInsStr1 = "-", d.m_strInsAtPos = "0";
             d.m_strDestination = dir.path() + "sub";
         },
         {"-a.txt", "-b.txt", "-c.txt"}, "", "sub\\"},
        {[&](CRenameDlg& d) { d.m_bUseNewDir = 1, d.m_strDestination = dir.path() + "sub"; }, {},
         "Done|No preview for just moving files to another directory!", ""},
        {[](CRenameDlg&) {}, {}, "Done|No preview for just changing the attributes or the time & date of files!", ""},
    };
    const FileMap before = Files(dir.path(), true, true);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.told);
        ListedWindow w(dir.path());
        w.dlg.m_bWarnRename = TRUE;  // yet no confirmation is asked
        w.dlg.m_bTimeDate = w.dlg.m_bSetAttrib = w.dlg.m_bHidden = 1;
        w.dlg.m_nYear = 2001;
        c.setUp(w.dlg);
        sink.messages.clear();
        std::vector<std::string> names;
        ModalHook previous = SetModalHook([&](CDialog& d) {
            names = Items(d.GetDlgItem(IDC_PREVIEW_LIST));
            EXPECT_EQ(TextOf(d.GetDlgItem(IDC_PREVIEW_DEST)), dir.path() + c.dest);
            EXPECT_FALSE(::IsWindowEnabled(w.dlg.GetSafeHwnd()));  // modal over the main window
            ClickButton(d.GetDlgItem(IDOK));
        });
        ClickButton(w.dlg.GetDlgItem(IDC_FULLPREVIEW));
        SetModalHook(previous);

        EXPECT_EQ(names, c.names);
        EXPECT_EQ(Told(sink), c.told.empty() ? std::vector<std::string>{} : std::vector<std::string>{c.told});
        EXPECT_EQ(Files(dir.path(), true, true), before);
        // Nothing of the preview stays behind for the next run; the list is not refilled.
        EXPECT_TRUE(w.dlg.m_arrNewNames.empty());
        EXPECT_EQ(w.dlg.m_bPreviewRun, FALSE);
        EXPECT_EQ(w.Selected(), 3);
    }
}

}  // namespace
