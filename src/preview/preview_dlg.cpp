#include "preview/preview_dlg.h"

#include "browse/key_order.h"
#include "naming/name_checks.h"
#include "platform/wide_text.h"
#include "res/resource.h"
#include "winui/app.h"
#include "winui/ddx.h"
#include "winui/dpi.h"

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

namespace {

// The order in which the sorted list box would keep the names. Added one by one, it
// finds each name's place anew and moves every name behind it, which for a large
// preview is most of its time; so the names are put in its order here, by the list
// box's own comparison (the wide text, case-insensitive, in the user's locale), and
// appended. Names it takes as equal keep their order. The locale's sort key of each
// name orders them as that comparison does, at a fraction of its cost per pair.
std::vector<size_t> ListBoxOrder(const CStringArray& names) {
    constexpr DWORD kFlags = NORM_IGNORECASE;
    std::vector<std::wstring> wide(names.size());
    std::vector<std::string> keys(names.size());
    for (size_t i = 0; i < names.size(); ++i) {
        wide[i] = ToWide(names[i]);
        const int length = static_cast<int>(wide[i].size());
        const int bytes = ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kFlags, wide[i].data(), length, nullptr, 0);
        keys[i].resize(bytes > 0 ? static_cast<size_t>(bytes) : 0);
        if (bytes > 0)
            ::LCMapStringW(LOCALE_USER_DEFAULT, LCMAP_SORTKEY | kFlags, wide[i].data(), length,
                           reinterpret_cast<LPWSTR>(&keys[i][0]), bytes);
    }
    return StableOrderByKeys(keys, [&wide](size_t a, size_t b) {
        const int r = ::CompareStringW(LOCALE_USER_DEFAULT, kFlags, wide[a].data(), static_cast<int>(wide[a].size()),
                                wide[b].data(), static_cast<int>(wide[b].size()));
        return r == CSTR_LESS_THAN ? -1 : r == CSTR_GREATER_THAN ? 1 : 0;  // a failure as equal
    });
}

}  // namespace

CPreviewDlg::CPreviewDlg(UiServices& ui, HWND parent) : CDialog(IDD_PREVIEW, ui, parent) {
    OnCommandRoute(IDC_FINDINVALID, BN_CLICKED, [this] { OnFindInvalidChars(); });
    OnCommandRoute(IDC_CHECKDUPS, BN_CLICKED, [this] { OnCheckDuplicates(); });
    OnMessageRoute(WM_DESTROY, [this](WPARAM, LPARAM, LRESULT&) {
        OnDestroy();
        return false;  // the window's own destruction goes on
    });
}

void CPreviewDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_PREVIEW_COUNT, m_strFileCount);
    DDV_MaxChars(pDX, m_strFileCount, 33);
    DDX_Text(pDX, IDC_PREVIEW_DEST, m_strDestPath);
}

BOOL CPreviewDlg::OnInitDialog() {
    HWND list = GetDlgItem(IDC_PREVIEW_LIST);
    ::SendMessageA(list, LB_RESETCONTENT, 0, 0);
    // 1500 pixels at 100 %, scaled to the display.
    ::SendMessageA(list, LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(ScalePixels(1500, WindowDpi(m_hWnd))), 0);
    // Room for all the names is made once, and the list is drawn once when complete.
    size_t bytes = 0;
    for (const CString& name : m_arrNames) bytes += (name.size() + 1) * sizeof(wchar_t);
    ::SendMessageA(list, LB_INITSTORAGE, m_arrNames.size(), static_cast<LPARAM>(bytes));
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    m_rowOfName.assign(m_arrNames.size(), -1);
    int row = 0;
    for (size_t index : ListBoxOrder(m_arrNames)) {
        ListBoxInsertString(list, -1, m_arrNames[index]);
        m_rowOfName[index] = row++;
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    m_strFileCount = std::to_string(static_cast<long>(::SendMessageA(list, LB_GETCOUNT, 0, 0)));
    return CDialog::OnInitDialog();  // fields into the controls
}

void CPreviewDlg::OnDestroy() {
    ::SendDlgItemMessageA(m_hWnd, IDC_PREVIEW_LIST, LB_RESETCONTENT, 0, 0);
    if (!m_arrNames.empty()) m_arrNames.clear();
}

bool CPreviewDlg::ToldMissingValue() {
    if (m_strMissingText.empty() || m_nMissingName >= m_rowOfName.size()) return false;
    MessageBox(m_strMissingText, m_strMissingTitle, MB_ICONEXCLAMATION);
    ::SendDlgItemMessageA(m_hWnd, IDC_PREVIEW_LIST, LB_SETCURSEL, static_cast<WPARAM>(m_rowOfName[m_nMissingName]), 0);
    return true;
}

void CPreviewDlg::OnFindInvalidChars() {
    if (ToldMissingValue()) return;
    HWND list = GetDlgItem(IDC_PREVIEW_LIST);
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count <= 0) return;
    std::optional<CWaitCursor> wait(std::in_place);
    for (int i = 0; i < count; ++i) {
        const CString name = GetListBoxText(list, i);
        const NameProblem problem = FindNameProblem(name);
        if (problem.kind == NameProblem::Kind::kTooLong) {
            MessageBox("File:  " + name + "\nis longer than " + std::to_string(kMaxNewNameLength) + " characters!",
                       "Warning!", MB_ICONINFORMATION);
            ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
        if (problem.kind == NameProblem::Kind::kInvalidCharacter) {
            MessageBox(CString("Invalid character is  ") + problem.character + "\nIn filename:  " + name,
                       "Invalid character found!", MB_ICONEXCLAMATION);
            ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(i), 0);
            return;
        }
    }
    MessageBox("No Invalid Character found!", "Checked", MB_ICONINFORMATION);
}

void CPreviewDlg::OnCheckDuplicates() {
    if (ToldMissingValue()) return;
    HWND list = GetDlgItem(IDC_PREVIEW_LIST);
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (count >= 2) {
        std::optional<CWaitCursor> wait(std::in_place);
        // Every earlier name is compared, not only the neighbour: the list's collation
        // (the user's locale) need not put names that fold alike side by side.
        CStringArray names;
        names.reserve(static_cast<size_t>(count));
        for (int i = 0; i < count; ++i) names.push_back(GetListBoxText(list, i));
        const int first = FindDuplicateName(names);
        if (first >= 0) {
            MessageBox("Duplicate file:  " + names[static_cast<size_t>(first)], "Duplicates found!",
                       MB_ICONEXCLAMATION);
            ::SendMessageA(list, LB_SETCURSEL, static_cast<WPARAM>(first), 0);
            return;
        }
    }
    MessageBox("No Duplicates found!", "Done", MB_ICONINFORMATION);
}
