// The main window's side of the settings: loading, saving and the options window.
#include "app/rename_dlg.h"

#include "platform/executable_path.h"
#include "platform/file_services.h"
#include "settings/date_time_text.h"
#include "settings/options_dlg.h"
#include "settings/settings_format.h"

#include <cassert>

namespace {

// The settings file lies beside the executable and is named after it; reader
// and writer compute it afresh, so both always agree.
std::string SettingsPath() {
    return SettingsPathForExe(ExecutablePath());
}

// Every row of the file but DEFDIR, bound to the main window's own members.
SettingsBinding MainWindowFields(CRenameDlg& dlg) {
    SettingsBinding fields;
    BindRenameOptions(fields, dlg);
    fields.Bind(kRowWarnRen, &dlg.m_bWarnRename);
    fields.Bind(kRowFileFilter, &dlg.m_browse.m_nFileFilter);
    fields.Bind(kRowFileSort, &dlg.m_browse.m_nFileSort);
    fields.Bind(kRowAutoSel, &dlg.m_bAutoSelect);
    fields.Bind(kRowNoRefresh, &dlg.m_bNoRefresh);
    fields.Bind(kRowWarnDel, &dlg.m_bWarnDelete);
    fields.Bind(kRowToolTip, &dlg.m_bToolTip);
    fields.Bind(kRowSetAttrib, &dlg.m_bSetAttrib);
    fields.Bind(kRowTimeDate, &dlg.m_bTimeDate);
    fields.Bind(kRowAbortError, &dlg.m_bAbortOnError);
    fields.Bind(kRowUseNewDir, &dlg.m_bUseNewDir);
    fields.Bind(kRowDestination, &dlg.m_strDestination);
    assert(SettingsBindingProblem(fields).empty());
    return fields;
}

}  // namespace

bool CRenameDlg::LoadSettings(CString& startDir) {
    startDir.clear();
    std::string contents;
    // No file (a first run) or one that cannot be read: the start values stand.
    if (!Platform().ReadFile(SettingsPath(), contents)) return false;

    SettingsReadResult read = ReadSettings(contents, MainWindowFields(*this));
    if (read.windowRead) {
        // Not checked against the screen: the user put it there.
        const WindowRect& r = read.window;
        ::SetWindowPos(m_hWnd, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top,
                       SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (read.toolTipStored) EnableToolTips(m_bToolTip);
    if (read.startDirRead) startDir = read.startDir;
    return read.windowRead;
}

void CRenameDlg::SaveSettings() {
    RECT outer = {};
    ::GetWindowRect(m_hWnd, &outer);
    WindowRect window;
    window.left = outer.left;
    window.top = outer.top;
    window.right = outer.right;
    window.bottom = outer.bottom;
    std::string contents = FormatSettings(window, m_browse.m_strCurDir, MainWindowFields(*this));
    // The file is replaced only once the new one is complete, so a failed
    // write leaves the user's earlier settings as they were.
    if (!Platform().WriteFileReplacing(SettingsPath(), contents))
        MessageBox("Error writing to data file!", "Error:", MB_OK | MB_ICONSTOP);
}

void CRenameDlg::OnOptions() {
    COptionsDlg options(m_hWnd);
    options.m_bWarnRename = m_bWarnRename;
    options.m_bAutoSelect = m_bAutoSelect;
    options.m_bNoRefresh = m_bNoRefresh;
    options.m_bWarnDelete = m_bWarnDelete;
    options.m_bToolTip = m_bToolTip;
    options.m_bUseNewDir = m_bUseNewDir;
    options.m_strDestination = m_strDestination;
    options.m_bArchive = m_bArchive;
    options.m_bReadOnly = m_bReadOnly;
    options.m_bHidden = m_bHidden;
    options.m_bSystem = m_bSystem;
    options.m_bSetAttrib = m_bSetAttrib;
    options.m_bTimeDate = m_bTimeDate;
    options.m_bIncTime = m_bIncTime;
    options.m_bAbortOnError = m_bAbortOnError;
    options.m_bSaveToFile = 0;
    options.m_strDate = FormatDate(m_nMonth, m_nDay, m_nYear);
    options.m_strTime = FormatTime(m_nHour, m_nMinute, m_nSecond);
    options.m_strIncTime = FormatTime(m_nIncHour, m_nIncMinute, m_nIncSecond);

    if (options.DoModal() != IDOK) return;

    m_bWarnDelete = options.m_bWarnDelete;
    m_bAutoSelect = options.m_bAutoSelect;
    m_bWarnRename = options.m_bWarnRename;
    m_bNoRefresh = options.m_bNoRefresh;
    m_bUseNewDir = options.m_bUseNewDir;
    m_strDestination = options.m_strDestination;
    m_bArchive = options.m_bArchive;
    m_bReadOnly = options.m_bReadOnly;
    m_bHidden = options.m_bHidden;
    m_bSystem = options.m_bSystem;
    m_bSetAttrib = options.m_bSetAttrib;
    m_bTimeDate = options.m_bTimeDate;
    // The texts are read back even when their check box is off: what cannot be
    // read falls back to the parse's start values, never to the old ones.
    ParseDate(options.m_strDate, m_nMonth, m_nDay, m_nYear);
    ParseTime(options.m_strTime, m_nHour, m_nMinute, m_nSecond);
    m_bIncTime = options.m_bIncTime;
    ParseTime(options.m_strIncTime, m_nIncHour, m_nIncMinute, m_nIncSecond);
    m_bAbortOnError = options.m_bAbortOnError;
    m_bToolTip = options.m_bToolTip;
    EnableToolTips(m_bToolTip);

    if (options.m_bSaveToFile == 1) SaveSettings();
}
