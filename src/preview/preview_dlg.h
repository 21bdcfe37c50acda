// "Preview": every new name of a preview run in a sorted list, with checks for
// duplicate names and for names the file system would refuse.
#pragma once

#include "winui/dialog.h"

class CPreviewDlg : public CDialog {
public:
    explicit CPreviewDlg(UiServices& ui, HWND parent = nullptr);

    CStringArray m_arrNames;   // the new names without directory, filled before the window opens
    CString m_strFileCount;    // number of listed names, as shown
    CString m_strDestPath;     // directory the names will be in

    // "Find Invalid Characters": the first name that is too long or holds a character
    // the file system refuses is reported and selected.
    void OnFindInvalidChars();
    // "Check for Duplicates": the first two names that are equal without regard to case.
    void OnCheckDuplicates();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();
};
