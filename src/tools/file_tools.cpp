#include "tools/file_tools.h"

#include "platform/attributes.h"
#include "platform/file_services.h"
#include "platform/move_rules.h"
#include "rename/run_journal.h"
#include "settings/date_time_text.h"
#include "tools/delete_files.h"
#include "tools/file_status_dlg.h"
#include "winui/app.h"

#include <algorithm>
#include <cstdio>
#include <optional>

namespace {

void ShowTime(FileServices& files, TimeValue time, CString& date, CString& clock) {
    LocalTime local = files.ToLocalTime(time);
    date = FormatDate(local.month, local.day, local.year);
    clock = FormatTime(local.hour, local.minute, local.second);
}

// A date box and a time box read back leniently, as local time. Boxes that still show
// the text they were filled with give 0, which leaves that stamp exactly as it was:
// read back from its text, a stamp could change (its fraction of a second, or a year
// outside what the date reader takes). A moment the platform cannot represent gives 0 too.
TimeValue ReadTime(FileServices& files, const CString& date, const CString& clock, const CString (&shown)[2]) {
    if (date == shown[0] && clock == shown[1]) return 0;
    int month, day, year, hour, minute, second;
    ParseDate(date, month, day, year);
    ParseTime(clock, hour, minute, second);
    TimeValue value = files.MakeLocalTime(year, month, day, hour, minute, second);
    return value < 0 ? 0 : value;
}

}  // namespace

int DeleteSelectedFiles(CDialog& window, HWND list, const std::string& dir, bool warn, FileServices& files) {
    const LRESULT selected = ::SendMessageW(list, LB_GETSELCOUNT, 0, 0);
    if (selected == LB_ERR || selected <= 0) return 0;
    std::vector<int> indices(static_cast<size_t>(selected));
    indices.resize(static_cast<size_t>(std::max<LRESULT>(
        0, ::SendMessageW(list, LB_GETSELITEMS, indices.size(), reinterpret_cast<LPARAM>(indices.data())))));
    std::vector<DeleteEntry> entries;
    for (int index : indices) entries.push_back({GetListBoxText(list, index), IsStrayEntry(list, index)});

    CWaitCursor wait;
    const size_t deleted = DeleteFiles(dir, entries, warn, files, [&](const DeletePrompt& prompt) {
        switch (prompt.kind) {
            case DeletePrompt::Kind::kSure:
                return window.MessageBox(prompt.text, "Are you sure?", MB_YESNO | MB_ICONQUESTION) == IDYES;
            case DeletePrompt::Kind::kForGood:
                return window.MessageBox(prompt.text, "Delete Error:", MB_YESNO | MB_ICONEXCLAMATION) == IDYES;
            case DeletePrompt::Kind::kCannot: break;
        }
        window.MessageBox(prompt.text, "Delete Error:", MB_OK | MB_ICONSTOP);
        return false;
    });
    // The files deleted are the first ones; where it stopped, the later entries stay selected.
    for (size_t i = deleted; i-- > 0;) ::SendMessageW(list, LB_DELETESTRING, static_cast<WPARAM>(indices[i]), 0);
    return static_cast<int>(deleted);
}

FileStatusOutcome EditFileStatus(CDialog& window, HWND list, const std::string& dir, FileServices& files,
                                 RunJournal& journal) {
    const int caret = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
    if (caret < 0 || caret >= static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0)))
        return FileStatusOutcome::kNoEntry;
    const CString oldName = GetListBoxText(list, caret);
    ::SendMessageA(list, LB_SETSEL, FALSE, static_cast<LPARAM>(caret));
    const auto restoreCaret = [&] { ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(caret), FALSE); };

    if (IsStrayEntry(list, caret)) {
        window.MessageBox(StrayNameText(oldName), "Error:", MB_OK | MB_ICONEXCLAMATION);
        restoreCaret();
        return FileStatusOutcome::kUnreadable;
    }
    const CString oldPath = dir + oldName;
    FileStatus status;
    if (!files.GetStatus(oldPath, status)) {
        // The entry no longer names a readable file (deleted or renamed elsewhere).
        window.MessageBox("Cannot read the status of file: " + oldPath, "Error:", MB_OK | MB_ICONEXCLAMATION);
        restoreCaret();
        return FileStatusOutcome::kUnreadable;
    }

    CFileStatusDlg dlg(window.Ui(), files, window.GetSafeHwnd());
    dlg.m_strName = oldName;
    dlg.m_strPath = dir;
    ShowTime(files, status.modified, dlg.m_strModifiedDate, dlg.m_strModifiedTime);
    ShowTime(files, status.created, dlg.m_strCreatedDate, dlg.m_strCreatedTime);
    ShowTime(files, status.accessed, dlg.m_strAccessedDate, dlg.m_strAccessedTime);
    const AttributeChoice shown = AttributeChoice::FromWord(status.attribute);
    dlg.m_bReadOnly = shown.readOnly;
    dlg.m_bHidden = shown.hidden;
    dlg.m_bSystem = shown.system;
    dlg.m_bArchive = shown.archive;
    dlg.m_bChanged = 0;
    const CString shownModified[] = {dlg.m_strModifiedDate, dlg.m_strModifiedTime};
    const CString shownAccessed[] = {dlg.m_strAccessedDate, dlg.m_strAccessedTime};
    const CString shownCreated[] = {dlg.m_strCreatedDate, dlg.m_strCreatedTime};

    if (dlg.DoModal() != IDOK) {
        restoreCaret();
        return FileStatusOutcome::kCancelled;
    }
    FileStatusOutcome outcome = FileStatusOutcome::kApplied;
    const CString newPath = dlg.m_strPath + dlg.m_strName;
    CString filePath = oldPath;
    bool moved = false;
    const bool moving = dlg.m_strName != oldName || dlg.m_strPath != dir;
    // The journal is only a help: a change goes ahead when it cannot be written.
    if (moving || dlg.m_bChanged) journal.BeginOne(dir, oldPath, moving ? newPath : oldPath);
    if (moving) {
        std::optional<Failure> failure;
        {
            CWaitCursor wait;
            failure = files.MoveFile(oldPath, newPath);
        }
        if (failure) {
            window.MessageBox("Error Moving/Renaming File:\nFrom-  " + oldPath + "\nTo-  " + newPath +
                                  (failure->leftAs.empty() ? "" : "\n\nThe file was left as-  " + failure->leftAs),
                              "Rename Error:", MB_OK | MB_ICONEXCLAMATION);
            // The target name belongs to no file or to another one: the changed times
            // and attributes are applied to nothing.
            outcome = FileStatusOutcome::kMoveFailed;
            dlg.m_bChanged = 0;
        }
        // The file now has the name the platform made of the new one.
        filePath = StoredTargetPath(newPath);
        moved = !failure;
    }

    if (dlg.m_bChanged) {
        // New times whatever the file's attributes; then the attributes of the boxes.
        FileStatus stamp = status;
        stamp.modified = ReadTime(files, dlg.m_strModifiedDate, dlg.m_strModifiedTime, shownModified);
        stamp.accessed = ReadTime(files, dlg.m_strAccessedDate, dlg.m_strAccessedTime, shownAccessed);
        stamp.created = ReadTime(files, dlg.m_strCreatedDate, dlg.m_strCreatedTime, shownCreated);
        const bool newTimes = stamp.modified != 0 || stamp.accessed != 0 || stamp.created != 0;
        FileStatus attributes;  // no times: only the attribute byte changes
        attributes.attribute =
            AttributeChoice{dlg.m_bReadOnly, dlg.m_bHidden, dlg.m_bSystem, dlg.m_bArchive}.Apply(status.attribute);
        std::optional<Failure> failure = newTimes ? files.StampTimes(filePath, stamp) : std::nullopt;
        if (!failure) failure = files.SetStatus(filePath, attributes);
        if (failure) {
            window.MessageBox(failure->message, "Error:", MB_OK | MB_ICONEXCLAMATION);
            journal.End({true}, RunEnd::Stopped);  // moved, or partly changed
            return FileStatusOutcome::kApplyFailed;
        }
    }
    const bool applied = outcome == FileStatusOutcome::kApplied;
    journal.End({applied}, applied ? RunEnd::Finished : RunEnd::Stopped);

    if (moved) {
        ::SendMessageA(list, LB_DELETESTRING, static_cast<WPARAM>(caret), 0);
        if (dlg.m_strPath == dir)
            ListBoxInsertString(list, caret, StoredTargetPath(dlg.m_strName));
    }
    restoreCaret();
    return outcome;
}
