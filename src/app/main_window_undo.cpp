// "&Undo Last Run" (system menu, Ctrl+Z) and the start-up check for a run that never
// reached its end: the journal says what the run did, the undo part puts it back.
#include "app/rename_dlg.h"

#include "rename/run_journal.h"
#include "rename/undo_run.h"
#include "winui/app.h"

namespace {

const char* const kUndoTitle = "Undo Last Run";

std::string DamagedText(const std::string& path, const std::string& damage) {
    return "The journal of the last rename run cannot be read:\n" + path + "\n\n" + damage +
           "\n\nNo file has been changed.";
}

}  // namespace

void CRenameDlg::OnUndoLastRun() {
    const JournalFile file = ReadJournalFile(Files(), m_services.journalPath);
    if (!file.missing && !file.read.journal) {
        MessageBox(DamagedText(m_services.journalPath, file.read.damage), kUndoTitle, MB_ICONEXCLAMATION);
        return;
    }
    std::vector<size_t> changed;
    if (!file.missing && !file.read.journal->undone) changed = ChangedEntries(*file.read.journal, Files());
    if (changed.empty()) {
        MessageBox("There is no rename run to undo.", "NOTE:", MB_ICONINFORMATION);
        return;
    }
    const Journal& journal = *file.read.journal;
    if (MessageBox(UndoQuestion(journal, changed.size()), kUndoTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK)
        return;
    UndoRun(journal, changed);
    FillFileList();
}

void CRenameDlg::UndoRun(const Journal& journal, const std::vector<size_t>& changed) {
    UndoReport report;
    {
        CWaitCursor wait;
        report = UndoEntries(journal, changed, Files());
    }
    Files().AppendFile(m_services.journalPath, ClosingLines(journal, changed, true));
    if (const std::optional<std::string> errors = UndoErrorText(report))
        MessageBox(*errors, "Undo Error:", MB_ICONEXCLAMATION);
}

void CRenameDlg::CheckUnfinishedRun() {
    const JournalFile file = ReadJournalFile(Files(), m_services.journalPath);
    if (file.missing) return;
    if (!file.read.journal) {
        MessageBox(DamagedText(m_services.journalPath, file.read.damage), "Unfinished Run", MB_ICONEXCLAMATION);
        return;
    }
    const Journal& journal = *file.read.journal;
    if (journal.end != RunEnd::None) return;
    // The run wrote nothing after its plan: the disk shows how far it came.
    const std::vector<size_t> changed = ChangedEntries(journal, Files());
    if (!changed.empty() && MessageBox(UnfinishedQuestion(changed.size(), journal.entries.size()),
                                       "Unfinished Run", MB_YESNO | MB_ICONQUESTION) == IDYES) {
        UndoRun(journal, changed);
        return;
    }
    // Ended as it stands; Undo Last Run can still put it back.
    Files().AppendFile(m_services.journalPath, ClosingLines(journal, changed, false));
}
