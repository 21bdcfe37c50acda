// "Preview": every new name of a preview run in a sorted list, with checks for
// duplicate names and for names the file system would refuse.
#pragma once

#include "winui/dialog.h"

#include <vector>

class CPreviewDlg : public CDialog {
public:
    explicit CPreviewDlg(UiServices& ui, HWND parent = nullptr);

    CStringArray m_arrNames;   // the new names without directory, filled before the window opens
    CString m_strFileCount;    // number of listed names, as shown
    CString m_strDestPath;     // directory the names will be in
    // A field without a value in the name m_arrNames[m_nMissingName]: both checks tell
    // it first (with an exclamation) and select that name. No text, no such name.
    CString m_strMissingText;
    CString m_strMissingTitle;
    size_t m_nMissingName = 0;

    // "Find Invalid Characters": the first name that is too long or holds a character
    // the file system refuses is reported and selected.
    void OnFindInvalidChars();
    // "Check for Duplicates": the first two names that are equal without regard to case.
    void OnCheckDuplicates();

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    void OnDestroy();

private:
    // Tells the missing value and selects its name; false when there is none.
    bool ToldMissingValue();
    std::vector<int> m_rowOfName;  // the list row of each name of m_arrNames
};
