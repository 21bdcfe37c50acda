// "&Rename it!": the rename run over the selected files of the list, in list order.
// The same routine collects the new names for the full preview (m_bPreviewRun set);
// then it asks nothing, shows no progress and changes nothing on disk.
//
// A run never overwrites or deletes a file: every rename goes through the platform's
// move, which refuses an existing target, and a refused move only counts as an error
// (or stops the run). Nothing done before a stop is undone.
#include "app/rename_dlg.h"

#include "naming/composition.h"
#include "naming/counter.h"
#include "platform/move_rules.h"
#include "rename/progress_dlg.h"
#include "settings/date_time_text.h"
#include "winui/app.h"

#include <cstdio>
#include <memory>
#include <new>
#include <optional>

namespace {

// The bar's updates stay few however many files are selected.
constexpr int kMaxProgressSteps = 30;

const char* const kNoChangesText = "There are no changes!";
const char* const kNoSelectionText = "You need to select at least one file!";
const char* const kNoteTitle = "NOTE:";
const char* const kConfirmTitle = "Confirmation: Are you sure?";
const char* const kNoMemoryText = "Not enough memory!\n Renaming Abort!";
const char* const kNoMemoryTitle = "Memory Error:";
const char* const kMoveOnlyPreviewText = "No preview for just moving files to another directory!";
const char* const kStatusOnlyPreviewText =
    "No preview for just changing the attributes or the time & date of files!";
const char* const kPreviewDoneTitle = "Done";
const char* const kRenameErrorTitle = "Rename Error:";
const char* const kAdvancedText = "Advance renaming options was not filled out correctly!";
const char* const kAdvancedTitle = "Abort:";
const char* const kErrorCountTitle = "Notice!";
const char* const kNotFullPathText = "The destination is not a full path: ";
const char* const kInvalidDateText = "Invalid date: ";
const char* const kErrorTitle = "Error:";
const char* const kLeftAsText = "\n\nThe file was left as-  ";

const char* YesNo(int flag) { return flag ? "YES" : "NO"; }

// The progress window of one run: created and shown at once, filled and destroyed
// when it goes out of scope, so that every way out of the loop closes it.
class RunProgress {
public:
    RunProgress(HWND owner, int files) {
        m_dlg.reset(new (std::nothrow) CProgressDlg(owner));
        if (!m_dlg || !m_dlg->Create(owner)) {
            m_dlg.reset();
            return;
        }
        m_dlg->m_nSteps = files < kMaxProgressSteps ? files : kMaxProgressSteps;
        m_dlg->InitProgress();
        ::ShowWindow(m_dlg->GetSafeHwnd(), SW_SHOW);
        ::UpdateWindow(m_dlg->GetSafeHwnd());
    }
    ~RunProgress() {
        if (!m_dlg) return;
        m_dlg->StepProgress(FALSE);
        m_dlg->DestroyWindow();
    }
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    void Step() {
        if (m_dlg) m_dlg->StepProgress(TRUE);
    }

private:
    std::unique_ptr<CProgressDlg> m_dlg;
};

}  // namespace

void CRenameDlg::OnRename() {
    // 1. The stamp and its step are made whatever the options; the step applies only
    // while "Increment Time by:" is ticked, so with it clear every file gets one stamp.
    TimeValue stampTime =
        Platform().MakeLocalTime(m_nYear, m_nMonth, m_nDay, m_nHour, m_nMinute, m_nSecond);
    const TimeValue timeIncrement =
        m_bIncTime ? static_cast<TimeValue>(m_nIncHour) * 3600 + m_nIncMinute * 60 + m_nIncSecond : 0;
    CounterState counter;  // value 1, increment 1, lower case

    // 2.
    const bool basic = m_bChangePrefix || m_bChangeExt;
    const bool advanced = m_bInsert || m_bReplace;
    const bool toDestination = m_bUseNewDir && !m_strDestination.empty();
    if (!basic && !advanced && !toDestination && !m_bSetAttrib && !m_bTimeDate) {
        MessageBox(kNoChangesText, kNoteTitle, MB_ICONINFORMATION);
        return;
    }

    // Before anything is asked or moved. A destination that is not a full path would be
    // resolved against the process's working directory, wherever that happens to be (an
    // empty one means the listed directory).
    if (toDestination && !IsFullPath(m_strDestination)) {
        MessageBox(kNotFullPathText + m_strDestination, kErrorTitle, MB_ICONSTOP);
        return;
    }
    // A time the platform cannot hold would come out as some other time on every file.
    if (m_bTimeDate && (m_nYear > kLastDateYear || stampTime == -1)) {
        MessageBox(kInvalidDateText + FormatDate(m_nMonth, m_nDay, m_nYear), kErrorTitle, MB_ICONSTOP);
        return;
    }

    // 3. The compositions put the destination right in front of the name.
    if (!m_strDestination.empty() && m_strDestination.back() != '\\') m_strDestination += '\\';

    // 4.
    HWND list = GetDlgItem(IDC_FILELIST);
    const int selected = static_cast<int>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    if (selected <= 0) {
        MessageBox(kNoSelectionText, kNoteTitle, MB_ICONINFORMATION);
        return;
    }

    // 5. Before the confirmation: a zero increment ends the run before anything is asked.
    if (basic && (m_bCountPrefix || m_bCountExt)) {
        CounterSetUp setUp = SetUpCounter(static_cast<RenameOptions&>(*this));
        if (setUp.zeroIncrement) {
            MessageBox(kZeroIncrementText, kZeroIncrementTitle, MB_ICONSTOP);
            return;
        }
        counter = setUp.state;
    }
    const bool counting = (m_bChangePrefix && m_bCountPrefix) || (m_bChangeExt && m_bCountExt);

    // 6.
    if (m_bWarnRename && !m_bPreviewRun) {
        char head[64];
        std::snprintf(head, sizeof head, "Rename/Move %d Files\n\n", selected);
        CString text = head;
        text += "From:  " + m_browse.m_strCurDir;
        text += "\n\nTo:  " + (toDestination ? m_strDestination : m_browse.m_strCurDir);
        text += "\n\nChange File Prefix:  ";
        text += YesNo(m_bChangePrefix);
        text += "\nChange File Extension:  ";
        text += YesNo(m_bChangeExt);
        text += "\nAdvance Insert/Replace:  ";
        text += YesNo(advanced);
        text += "\nChange Attributes:  ";
        text += YesNo(m_bSetAttrib);
        text += "\nChange Time & Date:  ";
        text += YesNo(m_bTimeDate);
        if (MessageBox(text, kConfirmTitle, MB_OKCANCEL | MB_ICONQUESTION) != IDOK) return;
    }

    // 7.
    int errors = 0;
    const int n = static_cast<int>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    if (n > 0) {
        std::unique_ptr<int[]> indexes(new (std::nothrow) int[static_cast<size_t>(n)]);
        if (!indexes) {
            MessageBox(kNoMemoryText, kNoMemoryTitle, MB_OK);
            return;
        }

        // 8.
        std::optional<CWaitCursor> wait(std::in_place);
        std::optional<RunProgress> progress;
        int interval = 1;
        if (!m_bPreviewRun) {
            progress.emplace(m_hWnd, n);
            interval = n < kMaxProgressSteps ? 1 : n / kMaxProgressSteps;
        }
        const int got = static_cast<int>(::SendMessageA(list, LB_GETSELITEMS, static_cast<WPARAM>(n),
                                                        reinterpret_cast<LPARAM>(indexes.get())));
        const int count = got < n ? (got > 0 ? got : 0) : n;
        int subCounter = 1;
        int firstFlag = 0;
        std::string counterText;

        // 9. Every way out of this loop goes on below it.
        for (int i = 0; i < count; ++i) {
            if (progress && subCounter >= interval) {
                progress->Step();
                subCounter = 0;
            }
            const CString oldName = GetListBoxText(list, indexes[i]);
            if (counting) counterText = FormatCounter(counter);

            int status = 0;
            CString newName;
            if (basic) {
                status = ComposeBasicName(oldName, counterText.c_str(), firstFlag, newName);
            } else if (advanced) {
                status = ComposeAdvancedName(oldName, firstFlag, newName);
            } else if (toDestination) {
                // Moved under its old name. (With no destination there is nowhere to move
                // to: the file stays and only its time or attributes change, below.)
                if (m_bPreviewRun) {
                    MessageBox(kMoveOnlyPreviewText, kPreviewDoneTitle, MB_OK);
                    break;
                }
                newName = m_strDestination + oldName;
                status = kComposedPath;
            } else {
                // Only attributes or time stamps change: the file keeps its name.
                if (m_bPreviewRun) {
                    MessageBox(kStatusOnlyPreviewText, kPreviewDoneTitle, MB_OK);
                    break;
                }
                if (!StampAndAttribute(m_browse.m_strCurDir + oldName, stampTime, timeIncrement, i)) {
                    m_browse.m_strCaretName.clear();
                    break;
                }
            }

            if (status == kComposedPath) {
                const CString from = m_browse.m_strCurDir + oldName;
                std::string leftAs;
                if (!Platform().MoveFile(from, newName, leftAs)) {
                    // A file stranded under a temporary name is always told of, and ends
                    // the run: the user has to find it.
                    if (m_bAbortOnError || !leftAs.empty()) {
                        MessageBox("Error Moving/Renaming File:\nFrom-  " + from + "\nTo-  " + newName +
                                       (leftAs.empty() ? "" : kLeftAsText + leftAs),
                                   kRenameErrorTitle, MB_ICONEXCLAMATION);
                        m_browse.m_strCaretName.clear();
                        break;
                    }
                    // The next file takes the number this one would have had.
                    ++errors;
                    ++subCounter;
                    continue;
                }
                // The file now has the name the platform made of the new one.
                if ((m_bTimeDate || m_bSetAttrib) &&
                    !StampAndAttribute(StoredTargetPath(newName), stampTime, timeIncrement, i)) {
                    m_browse.m_strCaretName.clear();
                    break;
                }
            } else if (status == kAdvancedNotFilledIn) {
                MessageBox(kAdvancedText, kAdvancedTitle, MB_ICONEXCLAMATION);
                break;
            }

            if (counting && !StepCounter(counter, i == count - 1)) {
                MessageBox(kCounterOverflowText, kCounterOverflowTitle, MB_ICONSTOP);
                break;
            }
            ++subCounter;
        }
        // 10. The bar is filled and the window closed, then the cursor comes back.
        progress.reset();
        indexes.reset();
        wait.reset();
    }

    // 11.
    if (errors != 0) {
        char text[64];
        std::snprintf(text, sizeof text, "%d Renaming Error Encountered!", errors);
        MessageBox(text, kErrorCountTitle, MB_ICONEXCLAMATION);
    }

    // 12. The refill puts the caret on the first file's new name.
    if (!m_bPreviewRun && !m_bNoRefresh) FillFileList();
}

bool CRenameDlg::StampAndAttribute(const CString& path, TimeValue& stampTime, TimeValue increment,
                                   int position) {
    FileStatus status;
    // A file that cannot be read keeps its time and attributes; the run goes on.
    if (!Platform().GetStatus(path, status)) return true;
    CString error;
    if (m_bTimeDate && !StampFileTime(path, status, stampTime, increment, position, error)) {
        MessageBox("Error Setting Time & Date of File:\n" + path + "\nReason-  " + error,
                   kRenameErrorTitle, MB_ICONEXCLAMATION);
        return false;
    }
    if (m_bSetAttrib && !ApplyAttributes(path, status, error)) {
        MessageBox("Error Setting Attributes of File:\n" + path + "\nReason-  " + error,
                   kRenameErrorTitle, MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

bool CRenameDlg::StampFileTime(const CString& path, FileStatus& status, TimeValue& stampTime,
                               TimeValue increment, int position, CString& error) {
    // The stamp is one value for the whole run: the steps add up over the files stamped.
    if (position != 0) stampTime += increment;
    status.modified = stampTime;
    status.created = 0;
    status.accessed = 0;
    if (!(status.attribute & kFileReadOnly)) return Platform().SetStatus(path, status, error);

    // A read-only file refuses new times: clear its attributes while the time is set,
    // then put them back (times left alone), so that it stays read-only.
    const unsigned saved = status.attribute;
    status.attribute = 0;
    const bool stamped = Platform().SetStatus(path, status, error);
    status.modified = 0;
    status.attribute = saved;
    CString restoreError;
    const bool restored = Platform().SetStatus(path, status, restoreError);
    if (stamped && !restored) error = restoreError;
    return stamped && restored;
}

bool CRenameDlg::ApplyAttributes(const CString& path, FileStatus& status, CString& error) {
    unsigned setMask = 0, clearMask = 0;
    const struct {
        int state;
        unsigned bit;
    } settings[] = {{m_bReadOnly, kFileReadOnly}, {m_bHidden, kFileHidden},
                    {m_bSystem, kFileSystem}, {m_bArchive, kFileArchive}};
    for (const auto& s : settings) {
        if (s.state == 1) setMask |= s.bit;
        else if (s.state == 0) clearMask |= s.bit;
    }
    status.attribute = (status.attribute | setMask) & ~clearMask;
    status.modified = 0;
    status.created = 0;
    status.accessed = 0;
    return Platform().SetStatus(path, status, error);
}
