#include "app/rename_dlg.h"

#include "naming/option_rules.h"
#include "rename/run_journal.h"
#include "settings/rule_set.h"
#include "winui/ddx.h"
#include "winui/dpi.h"

CRenameDlg::CRenameDlg(const Services& services, HWND parent)
    : CDialog(IDD_RENAME_DIALOG, services.ui, parent),
      m_services(services),
      m_filePane(*this, m_browse, *this, m_bAutoSelect, services.files, m_facts) {
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    BuildMessageMap();
}

CRenameDlg::~CRenameDlg() = default;

// Every field with its control, in the order of the options; an edit with a limit
// gets it when the fields are shown and refuses a longer text when they are read.
void CRenameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    for (const OptionBinding& b : OptionBindings()) {
        switch (b.kind) {
            case ControlKind::CheckBox: DDX_Check(pDX, b.control, this->*b.flag); break;
            case ControlKind::RadioGroup: DDX_Radio(pDX, b.control, this->*b.flag); break;
            case ControlKind::Number: DDX_Text(pDX, b.control, this->*b.number); break;
            case ControlKind::Text:
                DDX_Text(pDX, b.control, this->*b.text);
                if (b.maxChars > 0) DDV_MaxChars(pDX, this->*b.text, b.maxChars);
                break;
        }
    }
}

void CRenameDlg::BuildMessageMap() {
    OnMessageRoute(WM_SYSCOMMAND, [this](WPARAM wp, LPARAM lp, LRESULT&) {
        bool handled = false;
        OnSysCommand(static_cast<UINT>(wp), lp, handled);
        return handled;
    });
    OnMessageRoute(WM_PAINT, [this](WPARAM, LPARAM, LRESULT&) { return OnPaint(); });
    OnMessageRoute(WM_QUERYDRAGICON, [this](WPARAM, LPARAM, LRESULT& result) {
        result = reinterpret_cast<LRESULT>(m_hIcon);
        return true;
    });
    OnMessageRoute(WM_DROPFILES, [this](WPARAM wp, LPARAM, LRESULT&) {
        OnDropFiles(reinterpret_cast<HDROP>(wp));
        return true;
    });
    OnMessageRoute(WM_SIZE, [this](WPARAM wp, LPARAM lp, LRESULT&) {
        OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return false;  // nothing else of the dialog's own handling is replaced
    });
    OnMessageRoute(WM_DPICHANGED, [this](WPARAM wp, LPARAM lp, LRESULT&) {
        OnDpiChanged(HIWORD(wp), reinterpret_cast<const RECT*>(lp));
        // The dialog manager goes on to scale the controls' places and fonts.
        return false;
    });
    OnMessageRoute(WM_APP_RELAYOUT, [this](WPARAM, LPARAM, LRESULT&) {
        RECT client;
        ::GetClientRect(m_hWnd, &client);
        OnSize(SIZE_RESTORED, client.right, client.bottom);
        return true;
    });
    OnMessageRoute(WM_APP_UNDO, [this](WPARAM, LPARAM, LRESULT&) {
        OnUndoLastRun();
        return true;
    });
    OnMessageRoute(WM_APP_UNFINISHED, [this](WPARAM, LPARAM, LRESULT&) {
        CheckUnfinishedRun();
        return true;
    });
    OnMessageRoute(WM_COPYDATA, [this](WPARAM, LPARAM lp, LRESULT& result) {
        result = OnHandedOver(*reinterpret_cast<const COPYDATASTRUCT*>(lp)) ? TRUE : FALSE;
        return true;
    });
    // A window must lose its marks before it goes.
    OnMessageRoute(WM_DESTROY, [this](WPARAM, LPARAM, LRESULT&) {
        StopGathering();
        return false;
    });
    OnMessageRoute(WM_TIMER, [this](WPARAM id, LPARAM, LRESULT&) {
        if (id != kGatherTimer) return false;
        StopGathering();
        return true;
    });
    OnMessageRoute(WM_APP_SAVERULES, [this](WPARAM, LPARAM, LRESULT&) {
        OnSaveRules();
        return true;
    });
    OnMessageRoute(WM_APP_OPENRULES, [this](WPARAM, LPARAM, LRESULT&) {
        OnOpenRules();
        return true;
    });
    OnMessageRoute(WM_VKEYTOITEM, [this](WPARAM wp, LPARAM lp, LRESULT& result) {
        HWND list = reinterpret_cast<HWND>(lp);
        if (list != GetDlgItem(IDC_FILELIST)) return false;
        result = OnVKeyToItem(LOWORD(wp), list, HIWORD(wp));
        return true;
    });

    auto clicked = [this](int id, void (CRenameDlg::*fn)()) {
        OnCommandRoute(id, BN_CLICKED, [this, fn] { (this->*fn)(); });
    };
    auto changed = [this](int id, void (CRenameDlg::*fn)()) {
        OnCommandRoute(id, EN_CHANGE, [this, fn] { (this->*fn)(); });
    };
    auto notify = [this](int id, UINT code, void (CRenameDlg::*fn)(NMHDR*, LRESULT*)) {
        OnNotifyRoute(id, code, [this, fn](NMHDR* hdr, LRESULT* result) { (this->*fn)(hdr, result); });
    };

    clicked(IDC_EXIT, &CRenameDlg::OnExit);
    notify(IDC_DIRTREE, TVN_SELCHANGEDW, &CRenameDlg::OnTreeSelChanged);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDINGW, &CRenameDlg::OnTreeItemExpanding);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDEDW, &CRenameDlg::OnTreeItemExpanded);
    notify(IDC_DIRTREE, NM_DBLCLK, &CRenameDlg::OnTreeDblClk);
    OnCommandRoute(IDC_DRIVES, CBN_SELCHANGE, [this] { OnDriveChanged(); });
    OnCommandRoute(IDC_FILELIST, LBN_SELCHANGE, [this] { OnFileListSelChange(); });
    OnCommandRoute(IDC_FILELIST, LBN_DBLCLK, [this] { OnFileListDblClk(); });
    clicked(IDC_CLEAR, &CRenameDlg::OnClear);
    OnCommandRoute(IDC_FILEFILTER, CBN_SELCHANGE, [this] { OnFilterChanged(); });
    OnCommandRoute(IDC_FILESORT, CBN_SELCHANGE, [this] { OnSortChanged(); });
    clicked(IDC_EXTENDED, &CRenameDlg::OnExtended);
    changed(IDC_SEARCHMASK, &CRenameDlg::OnSearchMaskChanged);

    // The option controls. The file list's own fields have the handlers above
    // ("Extended", the search mask); its count has none, being read-only.
    for (int id : {IDC_SINGLEMULTI, IDC_CHGPREFIX, IDC_CHGEXT, IDC_PREFIX_REPLACE, IDC_PREFIX_BEFORE,
                   IDC_PREFIX_AFTER, IDC_EXT_REPLACE, IDC_EXT_BEFORE, IDC_EXT_AFTER, IDC_COUNTPREFIX,
                   IDC_COUNTEXT, IDC_ALPHACOUNT, IDC_PREFIXUPPER, IDC_PREFIXLOWER, IDC_EXTUPPER, IDC_EXTLOWER,
                   IDC_INSERT, IDC_REPLACE, IDC_INSBEFORE, IDC_INSAFTER, IDC_APPLY_PREFIX, IDC_APPLY_EXT,
                   IDC_APPLY_NAME, IDC_SEARCHBACK, IDC_CASESENSITIVE, IDC_REGEX})
        OnCommandRoute(id, BN_CLICKED, [this, id] { OnOptionControl(id); });
    for (int id : {IDC_NEWPREFIX, IDC_NEWEXT, IDC_STARTCOUNT, IDC_INCREMENT, IDC_PREVIEW, IDC_INSSTR1,
                   IDC_INSSTR2, IDC_INSATPOS, IDC_RESTR1, IDC_RESTR2, IDC_REFROMPOS, IDC_RETOPOS})
        OnCommandRoute(id, EN_CHANGE, [this, id] { OnOptionControl(id); });

    clicked(IDC_RENAME, &CRenameDlg::OnRename);
    clicked(IDC_FULLPREVIEW, &CRenameDlg::OnFullPreview);
    clicked(IDC_ABOUT, &CRenameDlg::OnAbout);
    clicked(IDC_OPTIONS, &CRenameDlg::OnOptions);
    OnNotifyCode(TTN_NEEDTEXTW, [this](NMHDR* hdr, LRESULT* result) { OnToolTipNeedText(hdr, result); });
    // The application's help command: ID_HELP, and F1 (which arrives as WM_HELP).
    OnCommandRoute(ID_HELP, 0, [this] { OnHelpCommand(); });
    OnMessageRoute(WM_HELP, [this](WPARAM, LPARAM, LRESULT& result) {
        OnHelpCommand();
        result = TRUE;
        return true;
    });
}

void CRenameDlg::OnSysCommand(UINT id, LPARAM, bool& handled) {
    const UINT command = id & 0xFFF0;
    handled = true;
    if (command == IDM_ABOUTBOX) OnAbout();
    else if (command == IDM_UNDOLASTRUN) OnUndoLastRun();
    else if (command == IDM_SAVERULES) OnSaveRules();
    else if (command == IDM_OPENRULES) OnOpenRules();
    else if (command >= IDM_RECENTRULES && command < IDM_RECENTRULES + 16 * kMaxRecentRules)
        OnRecentRules((command - IDM_RECENTRULES) / 16);
    else handled = false;  // the window's default handling
}

bool CRenameDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    // The icon at the size the display's scale asks for (32 pixels at 100 %).
    const UINT dpi = WindowDpi(m_hWnd);
    int cxIcon = SystemMetricForDpi(SM_CXICON, dpi);
    int cyIcon = SystemMetricForDpi(SM_CYICON, dpi);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIconEx(dc, x, y, m_hIcon, cxIcon, cyIcon, 0, nullptr, DI_NORMAL);
    ::EndPaint(m_hWnd, &ps);
    return true;
}

void CRenameDlg::OnSize(UINT, int, int cy) {
    // Only the file list follows the window, and only while there is room for it.
    // Its numbers are pixels at 100 %, scaled to the display the window is on now.
    HWND list = GetDlgItem(IDC_FILELIST);
    const UINT dpi = WindowDpi(m_hWnd);
    auto px = [dpi](int pixels) { return ScalePixels(pixels, dpi); };
    if (list && cy >= px(218)) ::MoveWindow(list, px(3), px(179), px(215), cy - px(182), TRUE);
}

void CRenameDlg::OnDpiChanged(UINT, const RECT* suggested) {
    // The system's rectangle keeps the window's look on the new display; its WM_SIZE
    // places the list. The dialog manager then moves every control to its scaled
    // place, the list too, so the list is placed once more after that.
    if (suggested)
        ::SetWindowPos(m_hWnd, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                       suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    m_filePane.CreateImages();
    m_filePane.ShowChoices();  // the list's scroll extent; the combos keep their choices
    ::PostMessageA(m_hWnd, WM_APP_RELAYOUT, 0, 0);
}

// Exit leaves the way OK does: the fields take the controls' values first.
void CRenameDlg::OnExit() { CDialog::OnOK(); }
