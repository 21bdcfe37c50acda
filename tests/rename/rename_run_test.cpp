// "&Rename it!" on real files in a temporary directory, with the main window's list
// filled from it and every message box answered by the window's recording UI.
#include "rename/run_kit.h"
#include "support/option_presets.h"

#include <gtest/gtest.h>

#include <algorithm>

namespace {

// The window's side of a run over real files, selected bottom first: the list's order,
// the confirmation, the message boxes, the progress window closed, the list refilled with
// its caret on the first file's new name. What the run does in each case is the plan's
// and the executor's business (run_plan_test.cpp).

TEST(RenameRun, WindowWiring) {
    // vanish: b.txt taken away once listed; after: with attribute letters; told: "$" stands for the directory.
    struct Case { const char* name; bool vanish; std::function<void(CRenameDlg&)> setUp; FileMap after;
                  std::vector<std::string> told; };
    const FileMap untouched = {{"a.txt", "of a.txt"}, {"b.txt", "of b.txt"}, {"c.txt", "of c.txt"}};
    std::string where;  // the directory of the case running
    RecordingUi* ui = nullptr;  // the window's, of the case running
    // f9, f10, ... hidden: the first new name is not the first in the list.
    const auto hidden = [](CRenameDlg& d) {
        d.m_bChangePrefix = d.m_bCountPrefix = d.m_bSetAttrib = d.m_bHidden = 1, d.m_nPrefixPos = 0;
        d.m_strNewPrefix = "f", d.m_strStartCount = "9";
    };
    const Case cases[] = {
        // The platform cannot hold a time before 1601.
        {"stamp before the platform", false, [](CRenameDlg& d) { AppendR(d), d.m_bTimeDate = 1, d.m_nYear = 1600; },
         untouched, {"Error:|Invalid date: 01/01/1600"}},
        {"confirmation cancelled", false, [&](CRenameDlg& d) {
             AppendR(d), d.m_bTimeDate = d.m_bUseNewDir = d.m_bWarnRename = 1, d.m_strDestination = where + "sub";
             ui->Answer(IDCANCEL); }, untouched,
         {"Confirmation: Are you sure?|Rename/Move 3 Files\n\nFrom:  $\n\nTo:  $sub\\\n\n"}},
        {"b vanished, counted", true, hidden,
         {{"f9.txt", "of a.txt h"}, {"f10.txt", "of c.txt h"}, {"elsewhere\\b.txt", "of b.txt"}},
         {"Notice!|1 Renaming Error Encountered!"}},
        {"b vanished, abort", true, [&](CRenameDlg& d) { hidden(d), d.m_bAbortOnError = 1; },
         {{"f9.txt", "of a.txt h"}, {"c.txt", "of c.txt"}, {"elsewhere\\b.txt", "of b.txt"}},
         {"Rename Error:|Error Moving/Renaming File:\nFrom-  $b.txt\nTo-  $f10.txt"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        where = dir.path();
        for (const char* name : {"a.txt", "b.txt", "c.txt"}) dir.WriteFile(name, std::string("of ") + name);
        dir.MakeDir("sub");
        ObservedFiles files;
        ListedWindow w(where, false, &files);
        ui = &w.kit.ui;
        for (int i = 3; i-- > 0;) ClickListItem(w.List(), i);
        if (c.vanish) TakeAway(dir, "b.txt");
        c.setUp(w.dlg);
        w.Rename();

        EXPECT_TRUE(std::is_sorted(files.moved.begin(), files.moved.end()));  // in list order
        EXPECT_EQ(Files(where, true), c.after);
        std::vector<std::string> told = c.told, listed;
        for (std::string& line : told)
            for (size_t at; (at = line.find('$')) != std::string::npos;) line.replace(at, 1, where);
        // Each box by the start of its text: the texts are the plan's (run_plan_test.cpp).
        std::vector<std::string> shown = ui->Told();
        for (size_t i = 0; i < std::min(shown.size(), told.size()); ++i) shown[i].resize(told[i].size());
        EXPECT_EQ(shown, told);
        EXPECT_EQ(ProgressWindowOfThisThread(), nullptr);
        for (const auto& entry : c.after)
            if (entry.first.find('\\') == std::string::npos) listed.push_back(entry.first);
        EXPECT_EQ(Items(w.List()), listed);
        // The caret is on the first file's new name, unless the run was stopped (then it
        // stays where a fill leaves it).
        const auto caret = static_cast<size_t>(::SendMessageA(w.List(), LB_GETCARETINDEX, 0, 0));
        const bool stopped = !told.empty() && told[0].rfind("Rename Error:", 0) == 0;
        EXPECT_TRUE(stopped ? caret == 0 : ReadFile(where + listed.at(caret)) == "of a.txt") << caret;
    }
}

TEST(RenameRun, ProgressBarStepsAtMostThirtyTimes) {
    for (int n : {5, 100}) {
        SCOPED_TRACE(n);
        TempDir dir;
        for (int i = 0; i < n; ++i) dir.WriteFile("file" + std::to_string(1000 + i) + ".txt");
        ObservedFiles files;
        ListedWindow w(dir.path(), true, &files);
        AppendR(w.dlg);
        // One step every n / 30 files (every file below 30), never past the range.
        const int steps = std::min(n, 30), interval = n < 30 ? 1 : n / 30;
        int k = 0;  // the file about to move
        files.beforeMove = [&](const std::string&, std::string&) {
            HWND progress = ProgressWindowOfThisThread(), bar = ::GetDlgItem(progress, IDC_PROGRESS);
            EXPECT_TRUE(progress && ::IsWindowVisible(progress) &&
                        ::GetWindow(progress, GW_OWNER) == w.dlg.GetSafeHwnd());
            EXPECT_EQ(::SendMessageA(bar, PBM_GETPOS, 0, 0), std::min(++k / interval, steps)) << "before file " << k;
            EXPECT_EQ(::SendMessageA(bar, PBM_GETRANGE, FALSE, 0), steps);
        };
        w.Rename();
        EXPECT_EQ(k, n);
    }
}

}  // namespace
