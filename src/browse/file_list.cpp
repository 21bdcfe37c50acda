// The main window's file list (1001): its refill and the handlers around it
// (selection modes, Clear, the filter and sort combos, the search mask).
#include "app/rename_dlg.h"
#include "browse/browse_memory.h"
#include "browse/file_filter.h"
#include "browse/mask_match.h"
#include "browse/sort_orders.h"
#include "platform/file_services.h"
#include "winui/app.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The entry to put the caret on after a refill: the list's case-insensitive
// search decides, but where names differ only in letter case (possible on some
// file systems) the one spelled exactly as asked wins.
int FindCaretEntry(HWND list, const CString& name) {
    LPARAM text = reinterpret_cast<LPARAM>(name.c_str());
    int first = static_cast<int>(::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1), text));
    int at = first;
    while (at != LB_ERR && GetListBoxText(list, at) != name) {
        at = static_cast<int>(::SendMessageA(list, LB_FINDSTRINGEXACT, static_cast<WPARAM>(at), text));
        if (at == first) break;  // went round: no exact spelling, keep the first match
    }
    return at;
}

void AddName(HWND list, const std::string& name) {
    ::SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(name.c_str()));
}

// Orders 1 to 9 (and the unsorted 10 and more): the names go in at 0, 1, 2, ...
template <typename Entry, typename NameOf>
void InsertInOrder(HWND list, const std::vector<Entry>& entries, NameOf nameOf) {
    size_t bytes = 0;
    for (const Entry& entry : entries) bytes += nameOf(entry).size() + 1;
    ::SendMessageA(list, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (size_t i = 0; i < entries.size(); ++i)
        ::SendMessageA(list, LB_INSERTSTRING, i, reinterpret_cast<LPARAM>(nameOf(entries[i]).c_str()));
}

}  // namespace

void CRenameDlg::FillFileList() {
    HWND list = GetDlgItem(IDC_FILELIST);
    CWaitCursor wait;

    if (::SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) ::SendMessageA(list, LB_RESETCONTENT, 0, 0);

    // The pattern is the directory followed by the mask. The directory is read
    // whole and each name matched with MatchMask, so that a mask selects the
    // same names whatever the platform's own wildcard rules are.
    if (!BrowseMemoryAvailable(m_strCurDir.size() + m_strSearchMask.size() + 1)) {
        MessageBox("Not enough memory!", "Memory Error:", MB_OK);
        return;
    }
    const int filter = m_nFileFilter;
    const CString mask = m_strSearchMask;
    auto listed = [filter, &mask](const FindEntry& entry) {
        return PassesFileFilter(entry.attrib, filter) && MatchMask(mask, entry.name);
    };

    FileListFill how = FileListFillForOrder(m_nFileSort);
    // A directory that cannot be read is said to be so: an empty list would tell the
    // user that it holds no files.
    bool readable = true;
    // Redraw stays off while the names go in: with it on, every name repaints the list.
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    if (how == FileListFill::kListBoxSorts) {
        readable = Platform().EnumerateDirectory(m_strCurDir, [&](const FindEntry& entry) {
            if (listed(entry)) AddName(list, entry.name);
        });
    } else {
        size_t count = 0;
        readable = Platform().EnumerateDirectory(m_strCurDir, [&](const FindEntry& entry) {
            if (listed(entry)) ++count;
        });
        size_t recordSize = how == FileListFill::kSortDatedNames ? sizeof(DatedName) : sizeof(std::string);
        if (count == 0) {
            // an empty list
        } else if (!BrowseMemoryAvailable(count * recordSize)) {
            ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
            MessageBox("Not enough memory to sort filenames by date.\nPleae choose other sorting methods!",
                       "Memory Error:", MB_ICONSTOP);
        } else if (how == FileListFill::kSortDatedNames) {
            // Files created since the count are left out; vanished ones just make fewer.
            std::vector<DatedName> records;
            records.reserve(count);
            Platform().EnumerateDirectory(m_strCurDir, [&](const FindEntry& entry) {
                if (records.size() < count && listed(entry))
                    records.push_back(MakeDatedName(entry.name, entry.writeTime));
            });
            SortDatedForOrder(m_nFileSort, records);
            InsertInOrder(list, records, [](const DatedName& record) -> const std::string& { return record.name; });
        } else {
            std::vector<std::string> names;
            names.reserve(count);
            Platform().EnumerateDirectory(m_strCurDir, [&](const FindEntry& entry) {
                if (names.size() < count && listed(entry)) names.push_back(entry.name);
            });
            SortNamesForOrder(m_nFileSort, names);
            InsertInOrder(list, names, [](const std::string& name) -> const std::string& { return name; });
        }
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    if (!readable) MessageBox("Cannot list the directory: " + m_strCurDir, "Error:", MB_ICONEXCLAMATION);

    m_nAnchorIndex = -1;
    m_nCaretIndex = -1;
    m_lSelCount = 0;

    int entries = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (m_bAutoSelect && entries > 0) {
        ::SendMessageA(list, LB_SELITEMRANGEEX, 0, entries);
        m_lSelCount = static_cast<long>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    }

    if (!m_strCaretName.empty()) {
        int at = FindCaretEntry(list, m_strCaretName);
        if (at != LB_ERR) ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(at), FALSE);
        m_strCaretName.clear();
    }

    UpdateData(FALSE);
}

// The list box has toggled the clicked entry already; the rule of the mode may
// then spread the anchor entry's state over a range.
void CRenameDlg::OnFileListSelChange() {
    HWND list = GetDlgItem(IDC_FILELIST);
    auto spreadAnchorState = [list](int anchor, int caret) {
        int low = std::min(anchor, caret), high = std::max(anchor, caret);
        if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(anchor), 0) > 0)
            ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(low), high);
        else
            ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(high), low);
    };

    if (m_nSelectMode == 1) {
        // "Extended": the first click fixes the start of a range, the second its end.
        if (m_nAnchorIndex < 0)
            m_nAnchorIndex = static_cast<int>(::SendMessageA(list, LB_GETANCHORINDEX, 0, 0));
        else
            m_nCaretIndex = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        if (m_nAnchorIndex >= 0 && m_nCaretIndex >= 0 && m_nAnchorIndex != m_nCaretIndex) {
            spreadAnchorState(m_nAnchorIndex, m_nCaretIndex);
            m_nAnchorIndex = -1;
            m_nCaretIndex = -1;
        }
    } else {
        m_nAnchorIndex = static_cast<int>(::SendMessageA(list, LB_GETANCHORINDEX, 0, 0));
        m_nCaretIndex = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        if (m_nAnchorIndex >= 0 && m_nCaretIndex >= 0 && m_nAnchorIndex != m_nCaretIndex)
            spreadAnchorState(m_nAnchorIndex, m_nCaretIndex);
    }

    m_lSelCount = static_cast<long>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    UpdateData(FALSE);
}

void CRenameDlg::OnClear() {
    HWND list = GetDlgItem(IDC_FILELIST);
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(count), 0);
    m_lSelCount = static_cast<long>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    UpdateData(FALSE);
}

void CRenameDlg::OnFilterChanged() {
    int index = static_cast<int>(SendDlgItemMessage(IDC_FILEFILTER, CB_GETCURSEL));
    if (index == m_nFileFilter) return;
    m_nFileFilter = index;
    FillFileList();
}

void CRenameDlg::OnSortChanged() {
    int index = static_cast<int>(SendDlgItemMessage(IDC_FILESORT, CB_GETCURSEL));
    if (index == m_nFileSort) return;
    m_nFileSort = index;
    FillFileList();
}

void CRenameDlg::OnExtended() {
    UpdateData(TRUE);
    m_nAnchorIndex = -1;
    m_nCaretIndex = -1;
}

// The list follows every keystroke in the mask.
void CRenameDlg::OnSearchMaskChanged() {
    UpdateData(TRUE);
    FillFileList();
}
