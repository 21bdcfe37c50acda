#include "settings/options_dlg.h"

#include "browse/dir_explorer_dlg.h"
#include "settings/date_time_text.h"
#include "settings/options_rules.h"
#include "winui/ddx.h"

#include <algorithm>

namespace {

const int kAttributeBoxes[] = {IDC_ATTR_ARCHIVE, IDC_ATTR_HIDDEN, IDC_ATTR_READONLY, IDC_ATTR_SYSTEM};

const wchar_t kExplorerMenuTip[] =
    L"Folders, files and rule sets get \"Rename with Vorlix\" in Explorer's menu, for you only. "
    L"Written when saved; unticked and saved, removed again.";

// A tooltip for one control, gone with the window that owns it.
void AddToolTip(HWND dialog, int control, const wchar_t* text) {
    HWND tip = ::CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP, CW_USEDEFAULT,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, dialog, nullptr, nullptr, nullptr);
    if (!tip) return;
    TOOLINFOW tool = {};
    tool.cbSize = sizeof tool;
    tool.uFlags = TTF_IDISHWND | TTF_SUBCLASS;
    tool.hwnd = dialog;
    tool.uId = reinterpret_cast<UINT_PTR>(::GetDlgItem(dialog, control));
    tool.lpszText = const_cast<wchar_t*>(text);
    ::SendMessageW(tip, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
    ::SendMessageW(tip, TTM_SETMAXTIPWIDTH, 0, 400);
}

}  // namespace

COptionsDlg::COptionsDlg(UiServices& ui, FileServices& files, HWND parent, const ProgramSettings& settings,
                         bool explorerMenu)
    : CDialog(IDD_OPTIONS, ui, parent),
      m_files(files),
      m_settings(settings),
      m_bExplorerMenu(explorerMenu ? 1 : 0),
      m_strDate(FormatDate(settings.m_nMonth, settings.m_nDay, settings.m_nYear)),
      m_strTime(FormatTime(settings.m_nHour, settings.m_nMinute, settings.m_nSecond)),
      m_strIncTime(FormatTime(settings.m_nIncHour, settings.m_nIncMinute, settings.m_nIncSecond)) {
    BuildMessageMap();
}

void COptionsDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_OPT_WARNREN, m_settings.m_bWarnRename);
    DDX_Check(pDX, IDC_OPT_AUTOSEL, m_settings.m_bAutoSelect);
    DDX_Check(pDX, IDC_OPT_NOREFRESH, m_settings.m_bNoRefresh);
    DDX_Check(pDX, IDC_OPT_WARNDEL, m_settings.m_bWarnDelete);
    DDX_Check(pDX, IDC_OPT_TOOLTIP, m_settings.m_bToolTip);
    DDX_Text(pDX, IDC_OPT_DESTINATION, m_settings.m_strDestination);
    DDX_Check(pDX, IDC_OPT_USENEWDIR, m_settings.m_bUseNewDir);
    DDX_Check(pDX, IDC_OPT_SETATTRIB, m_settings.m_bSetAttrib);
    DDX_Attributes(pDX, m_settings.m_bReadOnly, m_settings.m_bHidden, m_settings.m_bSystem, m_settings.m_bArchive);
    DDX_Check(pDX, IDC_OPT_TIMEDATE, m_settings.m_bTimeDate);
    DDX_Text(pDX, IDC_OPT_DATE, m_strDate);
    DDV_MaxChars(pDX, m_strDate, 10);
    DDX_Text(pDX, IDC_OPT_TIME, m_strTime);
    DDV_MaxChars(pDX, m_strTime, 8);
    DDX_Check(pDX, IDC_OPT_INCTIME, m_settings.m_bIncTime);
    DDX_Text(pDX, IDC_OPT_INCAMOUNT, m_strIncTime);
    DDV_MaxChars(pDX, m_strIncTime, 8);
    DDX_Check(pDX, IDC_OPT_ABORTERROR, m_settings.m_bAbortOnError);
    DDX_Check(pDX, IDC_OPT_EXPLORERMENU, m_bExplorerMenu);
}

void COptionsDlg::BuildMessageMap() {
    auto clicked = [this](int id, void (COptionsDlg::*fn)()) {
        OnCommandRoute(id, BN_CLICKED, [this, fn] { (this->*fn)(); });
    };
    for (int id : {IDC_OPT_WARNREN, IDC_OPT_AUTOSEL, IDC_OPT_NOREFRESH, IDC_OPT_WARNDEL, IDC_OPT_TOOLTIP,
                   IDC_OPT_EXPLORERMENU})
        clicked(id, &COptionsDlg::OnTake);
    for (int id : kAttributeBoxes) clicked(id, &COptionsDlg::OnTake);
    for (int id : {IDC_OPT_USENEWDIR, IDC_OPT_SETATTRIB, IDC_OPT_TIMEDATE, IDC_OPT_INCTIME})
        clicked(id, &COptionsDlg::OnEnablingBox);
    OnCommandRoute(IDC_OPT_DESTINATION, EN_CHANGE, [this] { OnDestinationChanged(); });
    clicked(IDC_OPT_SELECTDIR, &COptionsDlg::OnSelectNewDir);
    clicked(IDC_OPT_GETNOW, &COptionsDlg::OnGetCurrentDateTime);
    clicked(IDC_OPT_OK, &COptionsDlg::OnOkUseCurrent);
    clicked(IDC_OPT_OKSAVE, &COptionsDlg::OnOkSave);
    // IDOK (Enter with no button focused) takes and closes like the OK buttons,
    // through OnOK; IDCANCEL keeps the base handling: close without taking.
}

BOOL COptionsDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    ApplyEnabling();
    if (m_settings.m_bToolTip) AddToolTip(m_hWnd, IDC_OPT_EXPLORERMENU, kExplorerMenuTip);
    // The template gives no position, so the window would sit at its owner's
    // top-left corner; over the owner's middle is where the user looks.
    CenterWindow(m_hWnd, ::GetWindow(m_hWnd, GW_OWNER));
    return TRUE;
}

void COptionsDlg::OnTake() {
    UpdateData(TRUE);
}

void COptionsDlg::OnEnablingBox() {
    UpdateData(TRUE);
    ApplyEnabling();
}

void COptionsDlg::ApplyEnabling() {
    const std::vector<int> enabled = OptionsEnabledControls(m_settings);
    for (int id : OptionsDependentControls())
        EnableItem(id, std::find(enabled.begin(), enabled.end(), id) != enabled.end());
}

void COptionsDlg::OnDestinationChanged() {
    m_settings.m_strDestination = GetDlgItemText(IDC_OPT_DESTINATION);
}

void COptionsDlg::OnSelectNewDir() {
    // Owned by this window, so that it stays disabled while the chooser is open.
    CDirExplorerDlg chooser(Ui(), m_files, m_hWnd);
    chooser.m_strDirPath = m_settings.m_strDestination;
    if (chooser.DoModal() != IDOK) return;
    m_settings.m_strDestination = chooser.m_strDirPath;
    UpdateData(FALSE);
}

void COptionsDlg::OnGetCurrentDateTime() {
    LocalTime now = m_files.ToLocalTime(m_files.Now());
    m_strDate = FormatDate(now.month, now.day, now.year);
    m_strTime = FormatTime(now.hour, now.minute, now.second);
    UpdateData(FALSE);
}

void COptionsDlg::OnOkUseCurrent() {
    CloseWithOk(0);
}

void COptionsDlg::OnOkSave() {
    CloseWithOk(1);
}

void COptionsDlg::OnOK() {
    CloseWithOk(0);
}

void COptionsDlg::CloseWithOk(int saveToFile) {
    if (!TakeForClosing()) return;
    // The texts are read back even when their check box is off: what cannot be
    // read falls back to the parse's start values, never to the old ones.
    ParseDate(m_strDate, m_settings.m_nMonth, m_settings.m_nDay, m_settings.m_nYear);
    ParseTime(m_strTime, m_settings.m_nHour, m_settings.m_nMinute, m_settings.m_nSecond);
    ParseTime(m_strIncTime, m_settings.m_nIncHour, m_settings.m_nIncMinute, m_settings.m_nIncSecond);
    m_bSaveToFile = saveToFile;
    EndDialog(IDOK);
}

bool COptionsDlg::TakeForClosing() {
    if (!UpdateData(TRUE)) return false;
    // The date is read back whether or not time stamps are on, so a year the box
    // could not show again is refused here, while the user can still correct it.
    if (!IsDateAccepted(m_strDate)) {
        MessageBox("Invalid date: " + m_strDate, "Error:", MB_OK | MB_ICONSTOP);
        HWND date = GetDlgItem(IDC_OPT_DATE);
        ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(date), TRUE);
        ::SendMessageA(date, EM_SETSEL, 0, -1);
        return false;
    }
    return true;
}
