// The options window: the program's settings and the extended renaming options
// (moving renamed files, new attributes, a new time stamp stepped per file).
// It edits a copy of the settings it is given, showing the time stamp and its
// step as text; only after one of the two OK buttons is the copy, with those
// texts read back, the result.
#pragma once

#include "res/resource.h"
#include "settings/program_settings.h"
#include "winui/afx.h"
#include "winui/dialog.h"
// After the Windows headers: it takes back their MoveFile/DeleteFile macros.
#include "platform/file_services.h"

class COptionsDlg : public CDialog {
public:
    // `files`: the clock of "Get Current Date && Time" and the directory chooser's drives.
    // `explorerMenu`: whether Explorer's menu holds "Rename with Vorlix" now.
    COptionsDlg(UiServices& ui, FileServices& files, HWND parent, const ProgramSettings& settings,
                bool explorerMenu = false);

    // After OK: the settings as the user left them.
    const ProgramSettings& Result() const { return m_settings; }
    // Closed with "Ok && Save to ini file".
    bool SaveToFile() const { return m_bSaveToFile == 1; }
    // Show "Rename with Vorlix" in Explorer's menu, as the box was left.
    bool ExplorerMenu() const { return m_bExplorerMenu == 1; }

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    // Enter with no button focused: take and close like "Ok - use current settings".
    void OnOK() override;

private:
    // The fields the controls show; the three-state attribute boxes hold
    // 0 (clear), 1 (set) or 2 (leave as is). The numbers of the time stamp and
    // its step are shown as the three texts and set from them on closing.
    FileServices& m_files;
    ProgramSettings m_settings;
    int m_bSaveToFile = 0;
    int m_bExplorerMenu = 0;
    CString m_strDate;     // "MM/DD/YYYY", at most 10 characters
    CString m_strTime;     // "HH:MM:SS", at most 8
    CString m_strIncTime;  // "HH:MM:SS", at most 8

    void BuildMessageMap();

    void OnTake();
    // A box that enables other controls: taken, then the enabling applied.
    void OnEnablingBox();
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
    void ApplyEnabling();
};
