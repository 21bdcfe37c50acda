// Start-up of the main window: everything between the controls' creation and
// the window's first appearance, in a fixed order.
#include "app/rename_dlg.h"

#include "browse/file_filter.h"
#include "browse/sort_orders.h"

namespace {

void FillComboTexts(HWND combo, const char* const* texts, int count) {
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ::SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(texts[i]));
}

}  // namespace

BOOL CRenameDlg::OnInitDialog() {
    // The two combos' entries belong to the window like its labels do.
    FillComboTexts(GetDlgItem(IDC_FILEFILTER), kFileFilterTexts, kFileFilterCount);
    FillComboTexts(GetDlgItem(IDC_FILESORT), kSortOrderTexts, kSortOrderCount);

    // 1. Every control gets its field once.
    CDialog::OnInitDialog();

    // 2. "&About Vorlix..." at the end of the system menu.
    if (HMENU sysMenu = ::GetSystemMenu(m_hWnd, FALSE)) {
        char text[128] = "";
        ::LoadStringA(AfxGetResourceHandle(), IDS_ABOUTBOX, text, sizeof text);
        if (text[0]) {
            ::AppendMenuA(sysMenu, MF_SEPARATOR, 0, nullptr);
            ::AppendMenuA(sysMenu, MF_STRING, IDM_ABOUTBOX, text);
        }
    }

    // 3. Large icon first, then the small one.
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    ::SendMessageA(m_hWnd, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    // 4. Folder images: closed first (index 0), open second (index 1).
    if (m_imageList) ImageList_Destroy(m_imageList);
    m_imageList = ImageList_Create(16, 16, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (int id : {IDI_CLOSEDFOLDER, IDI_OPENFOLDER}) {
        HICON icon = static_cast<HICON>(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(id),
                                                     IMAGE_ICON, 16, 16, 0));
        ImageList_AddIcon(m_imageList, icon);
        ::DestroyIcon(icon);
    }

    // 5. Start values, before the settings file may change them.
    m_strSearchMask = "*.*";
    m_strPreview = "(NO CHANGES)";
    m_strDestination.clear();
    m_strCurDir.clear();
    m_strCaretName.clear();
    m_nFileFilter = 0;
    m_nFileSort = 0;
    m_bArchive = m_bReadOnly = m_bHidden = m_bSystem = 2;
    m_nYear = 1980;
    m_nMonth = 1;
    m_nDay = 1;
    m_nHour = m_nMinute = m_nSecond = 0;
    m_nIncHour = m_nIncMinute = m_nIncSecond = 0;
    m_nAnchorIndex = m_nCaretIndex = -1;
    m_bAbortOnError = m_bToolTip = m_bWarnRename = m_bWarnDelete = TRUE;
    m_bIncTime = m_bTimeDate = m_bSetAttrib = m_bUseNewDir = FALSE;
    m_bPreviewRun = m_bNoRefresh = m_bAutoSelect = FALSE;
    EnableToolTips(TRUE);

    // 6. The settings file (window rectangle, options, start directory).
    CString startDir;
    LoadSettings(startDir);

    // 7. Long names can be scrolled into view.
    SendDlgItemMessage(IDC_FILELIST, LB_SETHORIZONTALEXTENT, 1500, 0);

    // 8. Filter and sort entries (a number outside the list leaves no selection).
    SendDlgItemMessage(IDC_FILEFILTER, CB_SETCURSEL, static_cast<WPARAM>(m_nFileFilter), 0);
    SendDlgItemMessage(IDC_FILESORT, CB_SETCURSEL, static_cast<WPARAM>(m_nFileSort), 0);

    // 9. Drive box, current directory, tree; the tree's selection fills the list.
    OpenStartDirectory(startDir);

    // 10. Controls from the fields, the enabled states and the preview line.
    EnableBasicControls();
    EnableAdvancedControls();

    // 11. The focus goes to the first control.
    return TRUE;
}
