// "&Rename it!" and "Full &Preview": the main window makes the run's plan from its
// options, settings, directory and the list's selection, then either carries it out
// (asking first, with the progress window up and the message boxes of the run) or
// shows the plan's new names in the preview window.
#include "app/rename_dlg.h"

#include "preview/preview_dlg.h"
#include "rename/progress_dlg.h"
#include "rename/rename_plan.h"
#include "rename/run_execute.h"
#include "rename/run_journal.h"
#include "winui/app.h"

#include <optional>
#include <utility>

namespace {

UINT IconFlags(RunIcon icon) {
    switch (icon) {
        case RunIcon::Information: return MB_ICONINFORMATION;
        case RunIcon::Exclamation: return MB_ICONEXCLAMATION;
        case RunIcon::Stop: return MB_ICONSTOP;
        case RunIcon::None: break;
    }
    return MB_OK;
}

void Tell(CDialog& window, const RunMessage& message) {
    window.MessageBox(message.text, message.title, IconFlags(message.icon));
}

// The main window's side of a run: the progress bar follows the files (and may cancel
// the run), the journal learns of targets that differ from the plan's, and a failure
// the settings stop the run for is told; one the run goes on after is only counted.
class WindowRunObserver : public RunObserver {
public:
    WindowRunObserver(CDialog& window, RunProgress& progress, RunJournal& journal, RunKind kind)
        : m_window(window), m_progress(progress), m_journal(journal), m_kind(kind) {}

    bool OnFile(size_t file, size_t, const PlanStep& step) override {
        if (!m_progress.BeforeFile(file)) return false;
        m_journal.Amend(file, step, m_kind);
        return true;
    }
    bool OnFailure(const RunFailure& failure) override {
        if (failure.stops) Tell(m_window, failure.message);
        return !failure.stops;
    }
    void OnStop(const RunMessage& message) override { Tell(m_window, message); }

private:
    CDialog& m_window;
    RunProgress& m_progress;
    RunJournal& m_journal;
    RunKind m_kind;
};

RunEnd EndOf(const RunReport& report) {
    return report.cancelled ? RunEnd::Cancelled : report.stopped ? RunEnd::Stopped : RunEnd::Finished;
}

}  // namespace

RenamePlan CRenameDlg::PlanRun() {
    const std::string stray = FilePane().FirstStraySelected();
    if (!stray.empty()) {
        RenamePlan refused;
        refused.refusal = RunMessage{StrayNameText(stray), "Rename Error:", RunIcon::Exclamation};
        return refused;
    }
    // The stamp is made whatever the options; only a run that stamps uses it, and refuses
    // it when the platform cannot hold it (-1).
    const TimeValue stampTime = Files().MakeLocalTime(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond);
    return MakePlan(*this, *this, m_browse.m_strCurDir, FilePane().SelectedNames(), stampTime, stampTime != -1,
                    &m_facts);
}

void CRenameDlg::OnRename() {
    const RenamePlan plan = PlanRun();
    if (plan.refusal || plan.missingValue) {
        Tell(*this, plan.refusal ? *plan.refusal : *plan.missingValue);
        return;
    }
    if (!plan.confirmation.empty() &&
        MessageBox(plan.confirmation, "Confirmation: Are you sure?", MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;

    // The whole plan is on disk before the first file changes, and the journal is held
    // until the run ends.
    const Busy busy(m_busy);
    RunJournal journal(Files(), m_services.journalPath);
    const std::optional<Failure> unwritten = journal.Begin(plan);
    if (journal.HeldElsewhere()) {
        MessageBox(unwritten->message, "Rename Error:", MB_ICONEXCLAMATION);
        return;
    }
    if (unwritten) {
        if (MessageBox(unwritten->message + "\n\nRename anyway? This run could not be undone.",
                       "Confirmation: Are you sure?", MB_OKCANCEL | MB_ICONEXCLAMATION) != IDOK)
            return;
        // Undo Last Run must not reach the run before this one.
        journal.Supersede();
    }
    m_runWithoutJournal = !journal.Written();

    RunReport report;
    {
        CWaitCursor wait;
        // Filled and closed before the cursor comes back, however the run ends.
        RunProgress progress(Ui(), m_hWnd, plan.fileCount);
        WindowRunObserver observer(*this, progress, journal, plan.kind);
        report = Execute(plan, Files(), observer);
    }
    journal.End(report.changed, EndOf(report));
    // A cancelled run ends as one stopped by a failure, without the count.
    const std::optional<RunMessage> errors = ErrorCountMessage(report);
    if (errors && !report.cancelled) Tell(*this, *errors);

    // The refill puts the caret on the first file's new name.
    m_browse.m_strCaretName = report.caretName;
    if (!m_bNoRefresh) FillFileList();
}

void CRenameDlg::OnFullPreview() {
    // Owned by the main window, which stays disabled while the preview is shown.
    CPreviewDlg dlg(Ui(), m_hWnd);
    const RenamePlan plan = PlanRun();
    PreviewContent preview = PreviewOf(plan);
    if (preview.message) Tell(*this, *preview.message);
    if (preview.names.empty()) return;
    dlg.m_strDestPath = plan.targetDir;
    dlg.m_arrNames = std::move(preview.names);
    if (preview.missingValue) {
        dlg.m_strMissingText = preview.missingValue->text;
        dlg.m_strMissingTitle = preview.missingValue->title;
        dlg.m_nMissingName = preview.missingName;
    }
    dlg.DoModal();
}
