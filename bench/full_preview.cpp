// How long "Full &Preview" takes for N selected files (default 100,000): from the
// button until the preview window is shown with every new name in its sorted list.
// Goal: under 2 seconds. The preview touches no file, so the main window's list is
// filled with the names directly: making 100,000 real files under Wine takes some
// half an hour, as each new name makes it scan the whole directory.
//
//   bench_full_preview [N]
//
// Two sets of options: one that keeps the names in list order (a counter before the
// prefix), so the preview list receives them already sorted, and one that scrambles
// the order (the first four characters cut off), so every name lands somewhere inside.
#include "bench_clock.h"
#include "app/rename_dlg.h"
#include "platform/win32_file_services.h"
#include "rename/rename_plan.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>

namespace {

std::string Name(unsigned i) {
    char name[64];
    unsigned n = (i * 7919u) % 1000003u;  // numbers out of step with the list order
    std::snprintf(name, sizeof name, "%04u%07u.jpg", i % 10000u, n);
    return name;
}

struct Timing {
    double shown = -1;  // seconds until the window was shown
    double total = 0;   // until the handler returned, the window closed
    long names = 0;
};

// The desktop's message boxes; the preview window is timed and closed as soon as it runs.
struct BenchUi : DesktopUi {
    std::function<void(CDialog&)> onModal;
    void ModalStarted(CDialog& dialog) override { onModal(dialog); }
};

Timing Preview(CRenameDlg& dlg, BenchUi& ui) {
    Timing timing;
    double t0 = BenchSeconds();
    ui.onModal = [&](CDialog& d) {
        timing.shown = BenchSeconds() - t0;
        timing.names = static_cast<long>(::SendMessageA(d.GetDlgItem(IDC_PREVIEW_LIST), LB_GETCOUNT, 0, 0));
        d.EndDialog(IDOK);
    };
    dlg.OnFullPreview();
    timing.total = BenchSeconds() - t0;
    return timing;
}

}  // namespace

int main(int argc, char** argv) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    const unsigned count = argc > 1 ? static_cast<unsigned>(std::strtoul(argv[1], nullptr, 10)) : 100000;

    int failures = 0;
    Win32FileServices files;
    BenchUi ui;
    CRenameDlg dlg(Services{files, ui, ""});  // no settings file: the start values
    dlg.Create();
    dlg.m_browse.m_strCurDir = "C:\\photos\\";
    HWND list = dlg.GetDlgItem(IDC_FILELIST);
    double t0 = BenchSeconds();
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);  // whatever start-up listed
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    for (unsigned i = 0; i < count; ++i)
        ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Name(i).c_str()));
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    const LRESULT listed = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    ::SendMessageA(list, LB_SELITEMRANGEEX, 0, listed - 1);
    std::printf("listed and selected %ld names in %.1f s (not timed below)\n\n", static_cast<long>(listed),
                BenchSeconds() - t0);

    struct Options {
        const char* label;
        std::function<void(CRenameDlg&)> set;
    };
    const Options options[] = {
        {"counter before the prefix (order kept)",
         [](CRenameDlg& d) {
             d.m_bChangePrefix = 1;
             d.m_nPrefixPos = 1;
             d.m_strNewPrefix = "IMG_";
             d.m_bCountPrefix = 1;
             d.m_strStartCount = "000001";
         }},
        {"first four characters cut (order scrambled)",
         [](CRenameDlg& d) {
             d.m_bReplace = 1;
             d.m_strReFromPos = "0";
             d.m_strReToPos = "3";
             d.m_nApplyTo = 2;
         }},
        {"regular expression, groups swapped",
         [](CRenameDlg& d) {
             d.m_bReplace = 1;
             d.m_bRegex = 1;
             d.m_strReStr1 = "^(\\d{4})(\\d+)";
             d.m_strReStr2 = "$2-$1";
             d.m_nApplyTo = 0;
         }},
    };
    std::printf("%-46s %8s %12s %14s %14s\n", "options", "names", "names only s", "until shown s",
                "with closing s");
    for (const Options& o : options) {
        static_cast<RenameOptions&>(dlg) = RenameOptions();
        o.set(dlg);
        // The plan and its names alone, to tell their share from the window's.
        t0 = BenchSeconds();
        const size_t planned = PreviewOf(dlg.PlanRun()).names.size();
        const double collect = BenchSeconds() - t0;
        if (planned != count) ++failures;

        Timing timing = Preview(dlg, ui);
        if (timing.names != static_cast<long>(count)) ++failures;
        std::printf("%-46s %8ld %12.2f %14.2f %14.2f%s\n", o.label, timing.names, collect, timing.shown,
                    timing.total, timing.shown < 2.0 ? "" : "  (over the 2 s goal)");
    }
    dlg.DestroyWindow();
    return failures == 0 ? 0 : 1;
}
