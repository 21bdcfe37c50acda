// "Directory Explorer": a small modal window in which the user picks a directory
// with the same drive box and tree as the main window. The caller sets
// m_strDirPath, runs DoModal and, on IDOK, takes m_strDirPath back.
#pragma once

#include "res/resource.h"
#include "winui/afx.h"
#include "winui/dialog.h"

class CDirExplorerDlg : public CDialog {
public:
    explicit CDirExplorerDlg(HWND parent = nullptr);
    ~CDirExplorerDlg() override;

    HIMAGELIST m_imageList = nullptr;  // folder icons of the tree: 0 closed, 1 open
    // In: the starting directory. Out: the path of the tree item selected last,
    // a full path ending in a backslash.
    CString m_strDirPath;

protected:
    BOOL OnInitDialog() override;
};
