// "Renaming in progress...": the one modeless window. The rename run creates it
// before its loop, steps its bar while it walks the files and destroys it after.
// Its "Cancel" button (and Esc) asks the run to stop after the file in hand.
#pragma once

#include "winui/dialog.h"

#include <cstddef>
#include <memory>

class CProgressDlg : public CDialog {
public:
    explicit CProgressDlg(UiServices& ui, HWND parent = nullptr);

    int m_nSteps = 0;  // steps of the bar; the run sets it (at most 30) before InitProgress
    int m_nPos = 0;    // steps taken so far
    bool m_bCancelled = false;  // "Cancel" was pressed

    // Range 0..m_nSteps, step 1, position 0.
    void InitProgress();
    // TRUE: one step, but never past the range. FALSE: the bar full, m_nPos untouched.
    void StepProgress(BOOL bStep);

protected:
    // The window stays until the run closes it; the run sees the request.
    void OnCancel() override;
};

// The progress window of one run over `files` files: created, shown and painted at
// once; filled and destroyed when it goes out of scope, so that every way out of the
// run closes it. The bar has at most 30 steps, one every files / 30 files. While it is
// up, the owner is disabled and the messages of the desktop are handled between files,
// so that the windows repaint and "Cancel" can be pressed.
class RunProgress {
public:
    RunProgress(UiServices& ui, HWND owner, size_t files);
    ~RunProgress();
    RunProgress(const RunProgress&) = delete;
    RunProgress& operator=(const RunProgress&) = delete;

    // Before file `file` (from 0) is handled; false when the user cancelled the run.
    bool BeforeFile(size_t file);

private:
    std::unique_ptr<CProgressDlg> m_dlg;
    HWND m_owner = nullptr;
    bool m_ownerWasEnabled = false;
    size_t m_interval = 1;
    unsigned long long m_lastPump = 0;
};
