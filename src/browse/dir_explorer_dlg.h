// "Directory Explorer": a small modal window in which the user picks a directory
// with the same drive box and tree as the main window. The caller sets
// m_strDirPath, runs DoModal and, on IDOK, takes m_strDirPath back.
#pragma once

#include "browse/drive_tree.h"
#include "res/resource.h"
#include "winui/afx.h"
#include "winui/dialog.h"

class CDirExplorerDlg : public CDialog {
public:
    CDirExplorerDlg(UiServices& ui, FileServices& files, HWND parent = nullptr);

    // In: the starting directory. Out: the path of the tree item selected last,
    // a full path ending in a backslash.
    CString m_strDirPath;

protected:
    BOOL OnInitDialog() override;

private:
    // The drive box and the tree, with the folder icons; it lists nothing and
    // only shows the selected path.
    DriveTree m_tree;
};
