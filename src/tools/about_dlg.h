// The about box: name and version, build date, a contact line, a disclaimer and
// a button that opens the help page. It stays open while the help is shown.
#pragma once

#include "res/resource.h"
#include "winui/afx.h"
#include "winui/dialog.h"

class CAboutDlg : public CDialog {
public:
    explicit CAboutDlg(UiServices& ui, HWND parent = nullptr);

    CString m_strContact;  // shown in the read-only edit 1079

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
};

// The fixed contact line of the about box.
extern const char kAboutContactLine[];
