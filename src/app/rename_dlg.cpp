#include "app/rename_dlg.h"

#include "winui/ddx.h"

CRenameDlg::CRenameDlg(HWND parent)
    : CDialog(IDD_RENAME_DIALOG, parent), m_filePane(*this, m_browse, *this, m_bAutoSelect, Platform()) {
    m_hIcon = ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    BuildMessageMap();
}

CRenameDlg::~CRenameDlg() = default;

void CRenameDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Radio(pDX, IDC_SINGLEMULTI, m_nSelectMode);
    DDX_Text(pDX, IDC_SELCOUNT, m_lSelCount);
    DDX_Check(pDX, IDC_PREFIXUPPER, m_bPrefixUpper);
    DDX_Check(pDX, IDC_PREFIXLOWER, m_bPrefixLower);
    DDX_Check(pDX, IDC_EXTUPPER, m_bExtUpper);
    DDX_Check(pDX, IDC_EXTLOWER, m_bExtLower);
    DDX_Radio(pDX, IDC_PREFIX_REPLACE, m_nPrefixPos);
    DDX_Radio(pDX, IDC_EXT_REPLACE, m_nExtPos);
    DDX_Check(pDX, IDC_CHGPREFIX, m_bChangePrefix);
    DDX_Check(pDX, IDC_CHGEXT, m_bChangeExt);
    DDX_Check(pDX, IDC_COUNTPREFIX, m_bCountPrefix);
    DDX_Check(pDX, IDC_COUNTEXT, m_bCountExt);
    DDX_Check(pDX, IDC_ALPHACOUNT, m_bAlphaCount);
    DDX_Text(pDX, IDC_NEWPREFIX, m_strNewPrefix);
    DDV_MaxChars(pDX, m_strNewPrefix, kMaxNameText);
    DDX_Text(pDX, IDC_NEWEXT, m_strNewExt);
    DDV_MaxChars(pDX, m_strNewExt, kMaxNameText);
    DDX_Text(pDX, IDC_INCREMENT, m_strIncrement);
    DDV_MaxChars(pDX, m_strIncrement, kMaxIncrement);
    DDX_Text(pDX, IDC_STARTCOUNT, m_strStartCount);
    DDV_MaxChars(pDX, m_strStartCount, kMaxStartCount);
    DDX_Text(pDX, IDC_SEARCHMASK, m_strSearchMask);
    DDV_MaxChars(pDX, m_strSearchMask, kMaxSearchMask);
    DDX_Text(pDX, IDC_PREVIEW, m_strPreview);
    DDX_Check(pDX, IDC_INSERT, m_bInsert);
    DDX_Check(pDX, IDC_REPLACE, m_bReplace);
    DDX_Text(pDX, IDC_INSSTR1, m_strInsStr1);
    DDV_MaxChars(pDX, m_strInsStr1, kMaxNameText);
    DDX_Text(pDX, IDC_INSSTR2, m_strInsStr2);
    DDV_MaxChars(pDX, m_strInsStr2, kMaxNameText);
    DDX_Text(pDX, IDC_INSATPOS, m_strInsAtPos);
    DDV_MaxChars(pDX, m_strInsAtPos, kMaxPositionText);
    DDX_Text(pDX, IDC_RESTR1, m_strReStr1);
    DDV_MaxChars(pDX, m_strReStr1, kMaxNameText);
    DDX_Text(pDX, IDC_RESTR2, m_strReStr2);
    DDV_MaxChars(pDX, m_strReStr2, kMaxNameText);
    DDX_Text(pDX, IDC_REFROMPOS, m_strReFromPos);
    DDV_MaxChars(pDX, m_strReFromPos, kMaxPositionText);
    DDX_Text(pDX, IDC_RETOPOS, m_strReToPos);
    DDV_MaxChars(pDX, m_strReToPos, kMaxPositionText);
    DDX_Check(pDX, IDC_INSAFTER, m_bInsAfter);
    DDX_Check(pDX, IDC_INSBEFORE, m_bInsBefore);
    DDX_Radio(pDX, IDC_APPLY_PREFIX, m_nApplyTo);
    DDX_Check(pDX, IDC_CASESENSITIVE, m_bCaseSensitive);
    DDX_Check(pDX, IDC_SEARCHBACK, m_bSearchBack);
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
    OnMessageRoute(WM_SIZE, [this](WPARAM wp, LPARAM lp, LRESULT&) {
        OnSize(static_cast<UINT>(wp), LOWORD(lp), HIWORD(lp));
        return false;  // nothing else of the dialog's own handling is replaced
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
    notify(IDC_DIRTREE, TVN_SELCHANGEDA, &CRenameDlg::OnTreeSelChanged);
    notify(IDC_DIRTREE, TVN_SELCHANGEDW, &CRenameDlg::OnTreeSelChanged);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDINGA, &CRenameDlg::OnTreeItemExpanding);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDINGW, &CRenameDlg::OnTreeItemExpanding);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDEDA, &CRenameDlg::OnTreeItemExpanded);
    notify(IDC_DIRTREE, TVN_ITEMEXPANDEDW, &CRenameDlg::OnTreeItemExpanded);
    notify(IDC_DIRTREE, NM_DBLCLK, &CRenameDlg::OnTreeDblClk);
    OnCommandRoute(IDC_DRIVES, CBN_SELCHANGE, [this] { OnDriveChanged(); });
    OnCommandRoute(IDC_FILELIST, LBN_SELCHANGE, [this] { OnFileListSelChange(); });
    OnCommandRoute(IDC_FILELIST, LBN_DBLCLK, [this] { OnFileListDblClk(); });
    clicked(IDC_CLEAR, &CRenameDlg::OnClear);
    OnCommandRoute(IDC_FILEFILTER, CBN_SELCHANGE, [this] { OnFilterChanged(); });
    OnCommandRoute(IDC_FILESORT, CBN_SELCHANGE, [this] { OnSortChanged(); });
    clicked(IDC_SINGLEMULTI, &CRenameDlg::OnSingleMultiple);
    clicked(IDC_EXTENDED, &CRenameDlg::OnExtended);

    clicked(IDC_CHGPREFIX, &CRenameDlg::OnChangePrefix);
    clicked(IDC_CHGEXT, &CRenameDlg::OnChangeExt);
    changed(IDC_NEWPREFIX, &CRenameDlg::OnNewPrefixChanged);
    changed(IDC_NEWEXT, &CRenameDlg::OnNewExtChanged);
    for (int id = IDC_PREFIX_REPLACE; id <= IDC_EXT_AFTER; ++id) clicked(id, &CRenameDlg::OnPositionClicked);
    clicked(IDC_COUNTPREFIX, &CRenameDlg::OnCountPrefix);
    clicked(IDC_COUNTEXT, &CRenameDlg::OnCountExt);
    clicked(IDC_ALPHACOUNT, &CRenameDlg::OnAlphaCount);
    clicked(IDC_PREFIXUPPER, &CRenameDlg::OnPrefixUpper);
    clicked(IDC_PREFIXLOWER, &CRenameDlg::OnPrefixLower);
    clicked(IDC_EXTUPPER, &CRenameDlg::OnExtUpper);
    clicked(IDC_EXTLOWER, &CRenameDlg::OnExtLower);
    changed(IDC_STARTCOUNT, &CRenameDlg::OnStartCountChanged);
    changed(IDC_INCREMENT, &CRenameDlg::OnIncrementChanged);
    changed(IDC_SEARCHMASK, &CRenameDlg::OnSearchMaskChanged);
    changed(IDC_PREVIEW, &CRenameDlg::OnPreviewChanged);

    clicked(IDC_INSERT, &CRenameDlg::OnInsert);
    clicked(IDC_REPLACE, &CRenameDlg::OnReplace);
    changed(IDC_INSSTR1, &CRenameDlg::OnInsStr1Changed);
    changed(IDC_INSSTR2, &CRenameDlg::OnInsStr2Changed);
    changed(IDC_REFROMPOS, &CRenameDlg::OnReFromPosChanged);
    changed(IDC_RETOPOS, &CRenameDlg::OnReToPosChanged);
    changed(IDC_INSATPOS, &CRenameDlg::OnInsAtPosChanged);
    clicked(IDC_INSBEFORE, &CRenameDlg::OnInsBefore);
    clicked(IDC_INSAFTER, &CRenameDlg::OnInsAfter);
    changed(IDC_RESTR1, &CRenameDlg::OnReStr1Changed);
    changed(IDC_RESTR2, &CRenameDlg::OnExchangeOnly);
    for (int id : {IDC_APPLY_PREFIX, IDC_APPLY_EXT, IDC_APPLY_NAME, IDC_SEARCHBACK, IDC_CASESENSITIVE})
        clicked(id, &CRenameDlg::OnExchangeOnly);

    clicked(IDC_RENAME, &CRenameDlg::OnRename);
    clicked(IDC_FULLPREVIEW, &CRenameDlg::OnFullPreview);
    clicked(IDC_ABOUT, &CRenameDlg::OnAbout);
    clicked(IDC_OPTIONS, &CRenameDlg::OnOptions);
    OnNotifyCode(TTN_NEEDTEXTA, [this](NMHDR* hdr, LRESULT* result) { OnToolTipNeedText(hdr, result); });
    // The application's help command: ID_HELP, and F1 (which arrives as WM_HELP).
    OnCommandRoute(ID_HELP, 0, [this] { OnHelpCommand(); });
    OnMessageRoute(WM_HELP, [this](WPARAM, LPARAM, LRESULT& result) {
        OnHelpCommand();
        result = TRUE;
        return true;
    });
}

void CRenameDlg::OnSysCommand(UINT id, LPARAM, bool& handled) {
    if ((id & 0xFFF0) == IDM_ABOUTBOX) {
        OnAbout();
        handled = true;
    } else {
        handled = false;  // the window's default handling
    }
}

bool CRenameDlg::OnPaint() {
    if (!::IsIconic(m_hWnd)) return false;
    PAINTSTRUCT ps;
    HDC dc = ::BeginPaint(m_hWnd, &ps);
    ::SendMessageA(m_hWnd, WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    int cxIcon = ::GetSystemMetrics(SM_CXICON);
    int cyIcon = ::GetSystemMetrics(SM_CYICON);
    RECT rect;
    ::GetClientRect(m_hWnd, &rect);
    int x = (rect.right - rect.left - cxIcon + 1) / 2;
    int y = (rect.bottom - rect.top - cyIcon + 1) / 2;
    ::DrawIcon(dc, x, y, m_hIcon);
    ::EndPaint(m_hWnd, &ps);
    return true;
}

void CRenameDlg::OnSize(UINT, int, int cy) {
    // Only the file list follows the window, and only while there is room for it.
    HWND list = GetDlgItem(IDC_FILELIST);
    if (list && cy >= 218) ::MoveWindow(list, 3, 179, 215, cy - 182, TRUE);
}

// Exit leaves the way OK does: the fields take the controls' values first.
void CRenameDlg::OnExit() { CDialog::OnOK(); }

// The preview line is output only: whatever is typed there is put back at once.
void CRenameDlg::OnPreviewChanged() { UpdateData(FALSE); }

void CRenameDlg::OnExchangeOnly() { UpdateData(TRUE); }

void CRenameDlg::OnSingleMultiple() { UpdateData(TRUE); }
