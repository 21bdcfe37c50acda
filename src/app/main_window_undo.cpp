// "&Undo Last Run" (system menu, Ctrl+Z) and the start-up check for a run that never
// reached its end: the journal says what the run did, the undo part puts it back.
#include "app/rename_dlg.h"

#include "rename/progress_dlg.h"
#include "rename/run_journal.h"
#include "rename/undo_run.h"
#include "winui/app.h"

namespace {

const char* const kUndoTitle = "Undo Last Run";
const char* const kUnfinishedTitle = "Unfinished Run";

std::string DamagedText(const std::string& path, const std::string& damage) {
    return "The journal of the last rename run cannot be read:\n" + path + "\n\n" + damage +
           "\n\nNo file has been changed.";
}

}  // namespace

void CRenameDlg::OnUndoLastRun() {
    // Never on top of a run, an undo or a Delete of this window, whichever way it was asked.
    if (m_busy) return;
    if (m_runWithoutJournal) {
        MessageBox("The last rename run was made without a journal and cannot be undone.", "NOTE:",
                   MB_ICONINFORMATION);
        return;
    }
    const Busy busy(m_busy);
    JournalFile file = ReadJournalFile(Files(), m_services.journalPath);
    if (file.heldElsewhere) {
        MessageBox(kJournalHeldText, kUndoTitle, MB_ICONEXCLAMATION);
        return;
    }
    if (!file.missing && !file.read.journal) {
        MessageBox(DamagedText(m_services.journalPath, file.read.damage), kUndoTitle, MB_ICONEXCLAMATION);
        return;
    }
    std::vector<size_t> changed;
    if (!file.missing && !file.read.journal->undone && !CheckEntries(*file.read.journal, changed)) return;
    if (changed.empty()) {
        MessageBox("There is no rename run to undo.", "NOTE:", MB_ICONINFORMATION);
        return;
    }
    if (MessageBox(UndoQuestion(*file.read.journal, changed.size()), kUndoTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    UndoRun(file, changed);
    FillFileList();
}

bool CRenameDlg::CheckEntries(const Journal& journal, std::vector<size_t>& changed) {
    CWaitCursor wait;
    RunProgress progress(Ui(), m_hWnd, journal.entries.size());
    bool cancelled = false;
    changed = ChangedEntries(journal, Files(), [&](size_t i, size_t) { return !(cancelled = !progress.BeforeFile(i)); });
    return !cancelled;
}

void CRenameDlg::UndoRun(JournalFile& file, const std::vector<size_t>& changed) {
    const Journal& journal = *file.read.journal;
    UndoReport report;
    {
        CWaitCursor wait;
        RunProgress progress(Ui(), m_hWnd, changed.size());
        report = UndoEntries(journal, changed, Files(), [&](size_t i, size_t) { return progress.BeforeFile(i); });
    }
    file.held->Append(ClosingLines(journal, changed, &report));
    file.held.reset();
    if (const std::optional<std::string> errors = UndoErrorText(report))
        MessageBox(*errors, "Undo Error:", MB_ICONEXCLAMATION);
}

bool CRenameDlg::FindUnfinishedRun() {
    auto file = std::make_unique<JournalFile>(ReadJournalFile(Files(), m_services.journalPath));
    // A run of another window that goes on now is no unfinished one.
    if (file->missing || file->heldElsewhere) return false;
    if (!file->read.journal) {
        MessageBox(DamagedText(m_services.journalPath, file->read.damage), kUnfinishedTitle, MB_ICONEXCLAMATION);
        return false;
    }
    if (file->read.journal->end != RunEnd::None) return false;
    m_unfinished = std::move(file);
    return true;
}

void CRenameDlg::CheckUnfinishedRun() {
    const std::unique_ptr<JournalFile> file = std::move(m_unfinished);
    if (!file || m_busy) return;
    const Busy busy(m_busy);
    const Journal& journal = *file->read.journal;
    // A folder away (a drive not there now) would make every file look unchanged.
    if (const std::optional<std::string> away = UnreadableFolder(journal, Files())) {
        MessageBox(UnreadableFolderText(*away), kUnfinishedTitle, MB_ICONINFORMATION);
        return;
    }
    // The run wrote nothing after its plan: the disk shows how far it came.
    std::vector<size_t> changed;
    // Cancelled: asked again at the next start.
    if (!CheckEntries(journal, changed)) return;
    if (!changed.empty() && MessageBox(UnfinishedQuestion(changed.size(), journal.entries.size()),
                                       kUnfinishedTitle, MB_YESNO | MB_ICONQUESTION) == IDYES) {
        UndoRun(*file, changed);
        FillFileList();
        return;
    }
    // Ended as it stands; Undo Last Run can still put it back.
    file->held->Append(ClosingLines(journal, changed, nullptr));
}
