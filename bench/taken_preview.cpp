// How long "Full &Preview" takes for every photo of a directory named by <taken>: the
// names alone, then from the button until the window shows them; the first time each
// photo is read once, after a change of the text the facts kept serve (what a further
// keystroke costs). Goals for 10,000 photos: under 2 s, and 0.2 s a keystroke; the same
// for 10,000 songs named by their tags.
//
//   bench_taken_preview DIR\ [PREFIX...]   (a directory of photos or songs, made by
//                                          bench/taken_preview.sh; the prefixes tried)
// BENCH_READERS=N reads the files on N threads instead of the program's choice.
#include "bench_clock.h"
#include "app/rename_dlg.h"
#include "platform/win32_file_services.h"
#include "rename/rename_plan.h"

#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

struct BenchFiles : Win32FileServices {
    int readers = 0;
    int PieceReaders() override { return readers > 0 ? readers : Win32FileServices::PieceReaders(); }
};

struct BenchUi : DesktopUi {
    std::function<void(CDialog&)> onModal;
    void ModalStarted(CDialog& dialog) override { onModal(dialog); }
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return 2;
    INITCOMMONCONTROLSEX controls = {sizeof controls, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    ::InitCommonControlsEx(&controls);
    BenchFiles files;
    if (const char* readers = std::getenv("BENCH_READERS")) files.readers = std::atoi(readers);
    std::printf("files read on %d threads\n", files.PieceReaders());
    BenchUi ui;
    CRenameDlg dlg(Services{files, ui, ""});
    dlg.Create();
    dlg.m_browse.m_strCurDir = argv[1];
    dlg.m_strSearchMask = "*.*";
    double t0 = BenchSeconds();
    dlg.FillFileList();
    HWND list = dlg.GetDlgItem(IDC_FILELIST);
    const LRESULT listed = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    ::SendMessageA(list, LB_SELITEMRANGEEX, 0, listed - 1);
    std::printf("listed and selected %ld files in %.2f s (not timed below)\n", static_cast<long>(listed),
                BenchSeconds() - t0);

    dlg.m_bChangePrefix = 1, dlg.m_nPrefixPos = 0;
    int failures = 0;
    std::vector<std::string> prefixes(argv + 2, argv + argc);
    if (prefixes.empty())
        prefixes = {"IMG_", "<taken>", "<taken:yyyy-MM-dd_HHmmss>", "<taken:yyyy-MM-dd_HHmmss>_", "<name>"};
    for (const std::string& prefix : prefixes) {
        dlg.m_strNewPrefix = prefix;
        // The names alone (what a change of the text costs), then the window.
        // Its parts: the selection's checks and names read from the list, then the plan.
        t0 = BenchSeconds();
        const bool stray = !dlg.FilePane().FirstStraySelected().empty();
        const double strayCheck = BenchSeconds() - t0;
        t0 = BenchSeconds();
        const size_t selected = dlg.FilePane().SelectedNames().size();
        const double read = BenchSeconds() - t0;
        t0 = BenchSeconds();
        const size_t planned = PreviewOf(dlg.PlanRun()).names.size();
        const double collect = BenchSeconds() - t0;
        if (stray || selected != planned) ++failures;
        long names = 0;
        t0 = BenchSeconds();
        double shown = -1;
        ui.onModal = [&](CDialog& d) {
            shown = BenchSeconds() - t0;
            names = static_cast<long>(::SendMessageA(d.GetDlgItem(IDC_PREVIEW_LIST), LB_GETCOUNT, 0, 0));
            d.EndDialog(IDOK);
        };
        dlg.OnFullPreview();
        if (names != listed || planned != static_cast<size_t>(listed)) ++failures;
        std::printf("%-32s %6ld names: names only %.3f s (stray check %.3f, selection read %.3f), window shown in "
                    "%.3f s\n",
                    prefix.c_str(), names, collect, strayCheck, read, shown);
    }
    dlg.DestroyWindow();
    return failures == 0 ? 0 : 1;
}
