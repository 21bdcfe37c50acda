// Field <-> control exchange of a dialog, with the rules the dialogs rely on:
// a radio group exchanges the index of its checked button (-1 when none),
// a check box 0 or 1 (a three-state box 0, 1 or 2), an edit its text or a number.
#pragma once

#include "winui/afx.h"

class CDialog;

class CDataExchange {
public:
    CDataExchange(CDialog* dlg, BOOL saveAndValidate)
        : m_pDlgWnd(dlg), m_bSaveAndValidate(saveAndValidate) {}

    CDialog* m_pDlgWnd;
    BOOL m_bSaveAndValidate;
    // Set when a field broke its rule while saving; later exchanges are skipped.
    bool m_bFail = false;
    // The edit that the last DDX_Text exchanged, for DDV_MaxChars.
    HWND m_hWndLastControl = nullptr;

    HWND PrepareCtrl(int id);
    void Fail(HWND control);
};

void DDX_Text(CDataExchange* pDX, int id, std::string& value);
void DDX_Text(CDataExchange* pDX, int id, int& value);
void DDX_Text(CDataExchange* pDX, int id, long& value);
void DDX_Check(CDataExchange* pDX, int id, int& value);
// `id` is the first button of the group (the one with WS_GROUP).
void DDX_Radio(CDataExchange* pDX, int id, int& value);
// The four attribute boxes (three-state or two-state) and the fields of a window
// that shows a file's attributes.
void DDX_Attributes(CDataExchange* pDX, int& readOnly, int& hidden, int& system, int& archive);
// Loading: limits the last exchanged edit to `maxChars`. Saving: refuses a longer text.
void DDV_MaxChars(CDataExchange* pDX, const std::string& value, int maxChars);
