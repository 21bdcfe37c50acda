// "File Status...": one file's name, directory, attributes and three time stamps,
// edited together. The window only collects the values; EditFileStatus reads the
// file before and applies the changes after.
#pragma once

#include "res/resource.h"
#include "winui/afx.h"
#include "winui/dialog.h"

class FileServices;

class CFileStatusDlg : public CDialog {
public:
    // `files`: the directory chooser's and the clock of "Get Current Time".
    CFileStatusDlg(UiServices& ui, FileServices& files, HWND parent = nullptr);

    // Set when an attribute box is clicked, a date or time box changes or a
    // "Get Current Time" button is pressed: only then are times and attributes applied.
    int m_bChanged = 0;
    CString m_strName;
    int m_bArchive = 0;
    int m_bHidden = 0;
    int m_bReadOnly = 0;
    int m_bSystem = 0;
    CString m_strPath;  // directory, full path ending in a backslash
    CString m_strCreatedDate;
    CString m_strCreatedTime;
    CString m_strAccessedDate;
    CString m_strAccessedTime;
    CString m_strModifiedDate;
    CString m_strModifiedTime;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;

private:
    void OnChangePath();
    void OnAttributeClicked();
    // "Get Current Time": the current local date and time into one pair of boxes.
    void SetToNow(CString& date, CString& time);

    FileServices& m_files;
};
