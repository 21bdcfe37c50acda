// The options window: the program's settings and the extended renaming options
// (moving renamed files, new attributes, a new time stamp stepped per file).
// It edits copies; the main window's "&Options" handler fills them in before
// the window opens and takes them back only after one of the two OK buttons.
#pragma once

#include "res/resource.h"
#include "winui/afx.h"
#include "winui/dialog.h"

class COptionsDlg : public CDialog {
public:
    explicit COptionsDlg(HWND parent = nullptr);

    // Fields, in exchange order. The three-state attribute boxes hold
    // 0 (clear), 1 (set) or 2 (leave as is).
    int m_bSaveToFile = 0;  // closed with "Ok && Save to ini file"
    int m_bWarnRename = 0;
    int m_bAutoSelect = 0;
    int m_bNoRefresh = 0;
    int m_bWarnDelete = 0;
    int m_bToolTip = 0;
    CString m_strDestination;
    int m_bUseNewDir = 0;
    int m_bSetAttrib = 0;
    int m_bArchive = 0;
    int m_bHidden = 0;
    int m_bReadOnly = 0;
    int m_bSystem = 0;
    int m_bTimeDate = 0;
    CString m_strDate;     // "MM/DD/YYYY", at most 10 characters
    CString m_strTime;     // "HH:MM:SS", at most 8
    int m_bIncTime = 0;
    CString m_strIncTime;  // "HH:MM:SS", at most 8
    int m_bAbortOnError = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter with no button focused: take and close like "Ok - use current settings".
    void OnOK() override;

private:
    void BuildMessageMap();

    void OnTake();
    void OnUseNewDir();
    void OnSetAttrib();
    void OnTimeDate();
    void OnIncTime();
    void OnDestinationChanged();
    void OnSelectNewDir();
    void OnGetCurrentDateTime();
    void OnOkUseCurrent();
    void OnOkSave();
    void CloseWithOk(int saveToFile);
    // Takes every value for closing; false, with the user told and the offending text
    // selected, when one cannot be kept.
    bool TakeForClosing();

    // The enabled state of the controls that depend on a check box, from the
    // fields (not the controls), so each runs after a take.
    void ApplyUseNewDir();
    void ApplySetAttrib();
    void ApplyTimeDate();
    void ApplyIncTime();
};
