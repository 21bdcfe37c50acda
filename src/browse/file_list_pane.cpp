#include "browse/file_list_pane.h"

#include "browse/browse_memory.h"
#include "browse/file_filter.h"
#include "browse/mask_match.h"
#include "browse/name_compare.h"
#include "browse/sort_orders.h"
#include "res/resource.h"
#include "winui/app.h"
#include "winui/dialog.h"
#include "winui/dpi.h"

#include <algorithm>
#include <set>

namespace {

// The entry to put the caret on after a refill (FindCaretIndex). The list's own
// search finds the exact spelling without reading every entry; only when there is
// none are all entries read, for the first one equal to it in any case.
int FindCaretEntry(HWND list, const std::string& name) {
    const int first = static_cast<int>(ListBoxFindExact(list, -1, name));
    for (int at = first; at != LB_ERR;) {
        if (GetListBoxText(list, at) == name) return at;
        at = static_cast<int>(ListBoxFindExact(list, at, name));
        if (at == first) break;  // went round
    }
    const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
    std::vector<std::string> entries;
    entries.reserve(count > 0 ? static_cast<size_t>(count) : 0);
    for (int i = 0; i < count; ++i) entries.push_back(GetListBoxText(list, i));
    const int at = FindCaretIndex(entries, name);
    return at < 0 ? LB_ERR : at;
}

void AddName(HWND list, const std::string& name) { ListBoxAddString(list, name); }

const std::string& NameOf(const std::string& name) { return name; }
const std::string& NameOf(const DatedName& record) { return record.name; }
void SortForOrder(int order, std::vector<std::string>& names) { SortNamesForOrder(order, names); }
void SortForOrder(int order, std::vector<DatedName>& records) { SortDatedForOrder(order, records); }

// Orders 1 to 9 (and the unsorted 10 and more): the entries, read in one pass, are put in
// order and go in at 0, 1, 2, ... False, with the list left empty, when the memory for
// sorting them cannot be had.
template <typename Entry>
bool SortAndInsert(HWND list, int order, std::vector<Entry>& entries) {
    if (entries.empty()) return true;
    if (!BrowseMemoryAvailable(entries.size() * sizeof(Entry))) return false;
    SortForOrder(order, entries);
    size_t bytes = 0;
    for (const Entry& entry : entries) bytes += (NameOf(entry).size() + 1) * sizeof(wchar_t);
    ::SendMessageW(list, LB_INITSTORAGE, entries.size(), static_cast<LPARAM>(bytes));
    for (size_t i = 0; i < entries.size(); ++i) ListBoxInsertString(list, static_cast<int>(i), NameOf(entries[i]));
    return true;
}

void FillComboTexts(HWND combo, const char* const* texts, int count) {
    ::SendMessageA(combo, CB_RESETCONTENT, 0, 0);
    for (int i = 0; i < count; ++i)
        ComboAddString(combo, texts[i]);
}

}  // namespace

FileListPane::FileListPane(CDialog& window, BrowseState& state, RenameOptions& options, const int& autoSelect,
                           FileServices& files, FactSource& facts)
    : m_window(window),
      m_state(state),
      m_options(options),
      m_autoSelect(autoSelect),
      m_files(files),
      m_facts(facts),
      m_tree(window, files, state.m_strCurDir, [this] { Fill(); }) {}

HWND FileListPane::List() const { return m_window.GetDlgItem(IDC_FILELIST); }

// The combos' entries belong to the window like its labels do.
void FileListPane::FillChoiceTexts() {
    FillComboTexts(m_window.GetDlgItem(IDC_FILEFILTER), kFileFilterTexts, kFileFilterCount);
    FillComboTexts(m_window.GetDlgItem(IDC_FILESORT), kSortOrderTexts, kSortBoxEntries);
}

// A number outside a combo's entries leaves it without a selection.
void FileListPane::ShowChoices() {
    // 1500 pixels at 100 %, scaled to the window's display.
    const int extent = ScalePixels(1500, WindowDpi(m_window.GetSafeHwnd()));
    ::SendMessageA(List(), LB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
    m_window.SendDlgItemMessage(IDC_FILEFILTER, CB_SETCURSEL, static_cast<WPARAM>(m_state.m_nFileFilter), 0);
    m_window.SendDlgItemMessage(IDC_FILESORT, CB_SETCURSEL, static_cast<WPARAM>(SortEntryOfOrder(m_state.m_nFileSort)), 0);
}

void FileListPane::Fill() {
    HWND list = List();
    CWaitCursor wait;

    if (::SendMessageA(list, LB_GETCOUNT, 0, 0) > 0) ::SendMessageA(list, LB_RESETCONTENT, 0, 0);

    // The pattern is the directory followed by the mask. The directory is read
    // whole and each name matched with MatchMask, so that a mask selects the
    // same names whatever the platform's own wildcard rules are.
    const std::string& dir = m_state.m_strCurDir;
    const std::string& mask = m_options.m_strSearchMask;
    if (!BrowseMemoryAvailable(dir.size() + mask.size() + 1)) {
        m_window.MessageBox("Not enough memory!", "Memory Error:", MB_OK);
        return;
    }
    const int filter = m_state.m_nFileFilter;
    std::set<std::string> stray;  // names that do not lead back to their entries: rare
    auto listed = [filter, &mask, &stray](const FindEntry& entry) {
        if (!PassesFileFilter(entry.attrib, filter) || !MatchMask(mask, entry.name)) return false;
        if (entry.strayName) stray.insert(entry.name);
        return true;
    };

    const int order = m_state.m_nFileSort;
    FileListFill how = FileListFillForOrder(order);
    bool readable = true;
    bool outOfMemory = false;
    // Redraw stays off while the names go in: with it on, every name repaints the list.
    ::SendMessageA(list, WM_SETREDRAW, FALSE, 0);
    if (how == FileListFill::kListBoxSorts) {
        readable = m_files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
            if (listed(entry)) AddName(list, entry.name);
        });
    } else if (how == FileListFill::kSortDatedNames) {
        std::vector<DatedName> records;
        readable = m_files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
            if (listed(entry)) records.push_back(MakeDatedName(entry.name, entry.writeTime));
        });
        outOfMemory = !SortAndInsert(list, order, records);
    } else if (how == FileListFill::kSortTakenNames) {
        // Each file is read once here; the facts stay for the names composed later.
        m_facts.BeginDirectory(dir);
        std::vector<std::string> names;
        std::vector<TimeValue> written;
        readable = m_files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
            if (listed(entry)) names.push_back(entry.name), written.push_back(entry.writeTime);
        });
        const FactNeeds needs{false, true};
        m_facts.Prefetch(dir, names, needs);
        std::vector<DatedName> records;
        records.reserve(names.size());
        for (std::size_t i = 0; i < names.size(); ++i) {
            const FileFacts facts = m_facts.Facts(dir, names[i], needs);
            const LocalTime t = facts.media.taken ? *facts.media.taken : m_files.ToLocalTime(written[i]);
            records.push_back(DatedName{names[i], UtcDateTime{t.year, t.month, t.day, t.hour, t.minute, t.second}});
        }
        outOfMemory = !SortAndInsert(list, order, records);
    } else {
        std::vector<std::string> names;
        readable = m_files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
            if (listed(entry)) names.push_back(entry.name);
        });
        outOfMemory = !SortAndInsert(list, order, names);
    }
    if (!stray.empty()) {
        // Every entry of such a name is marked, since the name reaches at most one of them.
        const int count = static_cast<int>(::SendMessageW(list, LB_GETCOUNT, 0, 0));
        for (int i = 0; i < count; ++i)
            if (stray.count(GetListBoxText(list, i))) MarkStrayEntry(list, i);
    }
    ::SendMessageA(list, WM_SETREDRAW, TRUE, 0);
    ::InvalidateRect(list, nullptr, TRUE);
    if (outOfMemory) {
        m_window.MessageBox("Not enough memory to sort filenames by date.\nPleae choose other sorting methods!",
                            "Memory Error:", MB_ICONSTOP);
    } else if (!readable) {
        // Gone since it was chosen, or a drive that lost its medium: the list stays empty.
        m_window.MessageBox("Cannot list the directory: " + dir, "Error:", MB_OK | MB_ICONEXCLAMATION);
    }

    m_state.m_nAnchorIndex = -1;
    m_state.m_nCaretIndex = -1;
    m_options.m_lSelCount = 0;

    int entries = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    if (m_autoSelect && entries > 0) {
        ::SendMessageA(list, LB_SELITEMRANGEEX, 0, entries);
        m_options.m_lSelCount = static_cast<long>(::SendMessageA(list, LB_GETSELCOUNT, 0, 0));
    }

    if (!m_state.m_strCaretName.empty()) {
        int at = FindCaretEntry(list, m_state.m_strCaretName);
        if (at != LB_ERR) ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(at), FALSE);
        m_state.m_strCaretName.clear();
    }

    m_window.UpdateData(FALSE);
}

// The list box has toggled the clicked entry already; the rule of the mode may
// then spread the anchor entry's state over a range.
void FileListPane::OnSelChange() {
    HWND list = List();
    auto spreadAnchorState = [list](int anchor, int caret) {
        int low = std::min(anchor, caret), high = std::max(anchor, caret);
        if (::SendMessageA(list, LB_GETSEL, static_cast<WPARAM>(anchor), 0) > 0)
            ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(low), high);
        else
            ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(high), low);
    };

    int& anchor = m_state.m_nAnchorIndex;
    int& caret = m_state.m_nCaretIndex;
    if (m_options.m_nSelectMode == 1) {
        // "Extended": the first click fixes the start of a range, the second its end.
        if (anchor < 0)
            anchor = static_cast<int>(::SendMessageA(list, LB_GETANCHORINDEX, 0, 0));
        else
            caret = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        if (anchor >= 0 && caret >= 0 && anchor != caret) {
            spreadAnchorState(anchor, caret);
            anchor = -1;
            caret = -1;
        }
    } else {
        anchor = static_cast<int>(::SendMessageA(list, LB_GETANCHORINDEX, 0, 0));
        caret = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
        if (anchor >= 0 && caret >= 0 && anchor != caret) spreadAnchorState(anchor, caret);
    }
    ShowSelectedCount();
}

// The remembered indices stay as they are.
void FileListPane::Clear() {
    HWND list = List();
    LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(count), 0);
    ShowSelectedCount();
}

void FileListPane::Refresh() {
    HWND list = List();
    const std::vector<std::string> selectedBefore = SelectedNames();
    const std::set<std::string> selected(selectedBefore.begin(), selectedBefore.end());
    const int caret = static_cast<int>(::SendMessageA(list, LB_GETCARETINDEX, 0, 0));
    const int countBefore = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    const std::string caretName = caret >= 0 && caret < countBefore ? GetListBoxText(list, caret) : std::string();
    Fill();
    // One pass over the new entries, whatever the size of the selection.
    const int count = static_cast<int>(::SendMessageA(list, LB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        const std::string name = GetListBoxText(list, i);
        if (selected.count(name)) ::SendMessageA(list, LB_SETSEL, TRUE, i);
        if (!caretName.empty() && name == caretName) ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(i), FALSE);
    }
    ShowSelectedCount();
}

void FileListPane::SelectAll() {
    HWND list = List();
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    if (count > 0) ::SendMessageA(list, LB_SELITEMRANGEEX, 0, count - 1);
    ShowSelectedCount();
}

bool FileListPane::SelectOnly(const std::vector<std::string>& names) {
    HWND list = List();
    const LRESULT count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
    ::SendMessageA(list, LB_SELITEMRANGEEX, static_cast<WPARAM>(count), 0);
    return SelectAlso(names);
}

bool FileListPane::SelectAlso(const std::vector<std::string>& names) {
    HWND list = List();
    int first = LB_ERR;
    for (const std::string& name : names) {
        const int at = FindCaretEntry(list, name);
        if (at == LB_ERR) continue;
        ::SendMessageA(list, LB_SETSEL, TRUE, at);
        if (first == LB_ERR) first = at;
    }
    if (first != LB_ERR) ::SendMessageA(list, LB_SETCARETINDEX, static_cast<WPARAM>(first), FALSE);
    ShowSelectedCount();
    return first != LB_ERR;
}

void FileListPane::ShowSelectedCount() {
    m_options.m_lSelCount = static_cast<long>(::SendMessageA(List(), LB_GETSELCOUNT, 0, 0));
    m_window.UpdateData(FALSE);
}

void FileListPane::OnFilterChanged() {
    int index = static_cast<int>(m_window.SendDlgItemMessage(IDC_FILEFILTER, CB_GETCURSEL));
    if (index == m_state.m_nFileFilter) return;
    m_state.m_nFileFilter = index;
    Fill();
}

void FileListPane::OnSortChanged() {
    const int order = SortOrderOfEntry(static_cast<int>(m_window.SendDlgItemMessage(IDC_FILESORT, CB_GETCURSEL)));
    if (order == m_state.m_nFileSort) return;
    m_state.m_nFileSort = order;
    Fill();
}

void FileListPane::ForgetRangeStart() {
    m_state.m_nAnchorIndex = -1;
    m_state.m_nCaretIndex = -1;
}

std::vector<int> FileListPane::SelectedIndices() const {
    HWND list = List();
    LRESULT count = ::SendMessageA(list, LB_GETSELCOUNT, 0, 0);
    std::vector<int> indices(count > 0 ? static_cast<size_t>(count) : 0);
    if (!indices.empty())
        count = ::SendMessageA(list, LB_GETSELITEMS, indices.size(), reinterpret_cast<LPARAM>(indices.data()));
    indices.resize(count > 0 ? static_cast<size_t>(count) : 0);
    // The list gives them in ascending order already; that is list order.
    return indices;
}

// The list is looked up once: under Wine each look-up of a child window asks the server.
std::vector<std::string> FileListPane::SelectedNames() const {
    HWND list = List();
    std::vector<std::string> names;
    const std::vector<int> indices = SelectedIndices();
    names.reserve(indices.size());
    for (int index : indices) names.push_back(GetListBoxText(list, index));
    return names;
}

std::string FileListPane::FirstStraySelected() const {
    HWND list = List();
    for (int index : SelectedIndices())
        if (IsStrayEntry(list, index)) return GetListBoxText(list, index);
    return std::string();
}
