#include "browse/drive_tree.h"

#include "browse/browse_memory.h"
#include "browse/mask_match.h"
#include "browse/name_compare.h"
#include "platform/file_services.h"
#include "res/resource.h"
#include "winui/dialog.h"
#include "winui/dpi.h"

#include <cstring>
#include <vector>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

char UpperAscii(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool IsDotEntry(const std::string& name) { return name == "." || name == ".."; }

// A copy of `text` in memory that may be refused; nullptr then.
char* CopyText(const CString& text) {
    char* buffer = static_cast<char*>(BrowseAlloc(text.size() + 1));
    if (buffer) std::memcpy(buffer, text.c_str(), text.size() + 1);
    return buffer;
}

}  // namespace

char DriveLetterOfEntry(const CString& entry) {
    for (char c : entry)
        if (IsAsciiLetter(c)) return UpperAscii(c);
    return 0;
}

DriveTree::DriveTree(CDialog& window, FileServices& files, CString& currentPath, std::function<void()> onSelected)
    : m_window(window), m_files(files), m_path(currentPath), m_onSelected(std::move(onSelected)) {}

DriveTree::~DriveTree() {
    if (m_imageList) ImageList_Destroy(m_imageList);
}

void DriveTree::CreateImages() {
    // 16 pixels at 100 %, as large as the window's display scale asks for; the
    // icon files hold each common size, so none is stretched.
    const int size = ScalePixels(16, WindowDpi(m_window.GetSafeHwnd()));
    HIMAGELIST old = m_imageList;
    m_imageList = ImageList_Create(size, size, ILC_COLOR32 | ILC_MASK, 2, 2);
    for (int id : {IDI_CLOSEDFOLDER, IDI_OPENFOLDER}) {
        HICON icon = static_cast<HICON>(::LoadImageW(AfxGetResourceHandle(), MAKEINTRESOURCEW(id),
                                                     IMAGE_ICON, size, size, 0));
        ImageList_AddIcon(m_imageList, icon);
        ::DestroyIcon(icon);
    }
    // A tree that shows the old images (the scale changed) takes the new ones first.
    HWND tree = Tree();
    if (old && tree && TreeView_GetImageList(tree, TVSIL_NORMAL) == old) AttachImages(tree);
    if (old) ImageList_Destroy(old);
}

void DriveTree::AttachImages(HWND tree) {
    TreeView_SetImageList(tree, m_imageList, TVSIL_NORMAL);
    // The control's own indent for 16-pixel images is 19 pixels at 100 %; the
    // levels keep that room beside their larger images at other scales.
    TreeView_SetIndent(tree, ScalePixels(19, WindowDpi(m_window.GetSafeHwnd())));
}

HWND DriveTree::Tree() const { return m_window.GetDlgItem(IDC_DIRTREE); }

HWND DriveTree::DriveBox() const { return m_window.GetDlgItem(IDC_DRIVES); }

int DriveTree::FindDriveEntry(char letter) const {
    HWND box = DriveBox();
    letter = UpperAscii(letter);
    int count = static_cast<int>(::SendMessageW(box, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < count; ++i)
        if (DriveLetterOfEntry(GetComboText(box, i)) == letter) return i;
    return CB_ERR;
}

HTREEITEM DriveTree::InsertItem(HWND tree, HTREEITEM parent, const char* text) {
    return TreeInsertItem(tree, parent, TVI_SORT, text, 0);
}

// Real directory names are never empty, so an empty first child can only be the
// placeholder that stands for subdirectories not read yet.
bool DriveTree::RemovePlaceholder(HWND tree, HTREEITEM item) {
    if (!item) return false;
    HTREEITEM child = TreeView_GetChild(tree, item);
    if (!child || !TreeItemText(tree, child).empty()) return false;
    TreeView_DeleteItem(tree, child);
    return true;
}

void DriveTree::FillDriveBox() {
    HWND box = DriveBox();
    ::SendMessageW(box, CB_RESETCONTENT, 0, 0);
    ComboDir(box, DDL_DRIVES | DDL_EXCLUSIVE, "*.*");
}

bool DriveTree::OpenDirectory(CString path) {
    if (path.empty() || !IsAsciiLetter(path[0])) return false;
    path[0] = UpperAscii(path[0]);
    if (!m_files.CanList(path) || m_files.ChangeDir(path) != 0) return false;
    FillDriveBox();
    ::SendMessageW(DriveBox(), CB_SETCURSEL, static_cast<WPARAM>(FindDriveEntry(path[0])), 0);
    m_path = path;
    BuildTreeToPath();
    return true;
}

void DriveTree::OpenStartDirectory(const CString& startPath) {
    if (OpenDirectory(startPath)) return;
    FillDriveBox();
    HWND box = DriveBox();
    // No usable start path: the root of whatever drive is current.
    m_path.clear();
    char letter = static_cast<char>('A' + m_files.GetDrive() - 1);
    ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(FindDriveEntry(letter)), 0);
    m_path = CString(1, letter) + ":\\";
    BuildDriveTree();
}

void DriveTree::BuildTreeToPath() {
    HWND tree = Tree();
    AttachImages(tree);

    CString rootText, rest;
    size_t slash = m_path.find('\\');
    if (slash == CString::npos) {
        rootText = m_path + "\\";
    } else {
        rootText = m_path.substr(0, slash + 1);
        rest = m_path.substr(slash + 1);
    }
    m_path = rest;

    char* text = CopyText(rootText);
    if (!text) {
        m_window.MessageBox("Ran out of memory!", "Error:", MB_ICONSTOP);
        return;
    }
    HTREEITEM root = InsertItem(tree, TVI_ROOT, text);
    BrowseFree(text);
    AddSubdirectories(root, rootText + "*.*", tree);

    HTREEITEM current = root;
    for (;;) {
        // The first opening of an item reads its subdirectories (expanding handler).
        TreeView_Expand(tree, current, TVE_EXPAND);
        if (rest.empty()) break;
        size_t next = rest.find('\\');
        CString segment = rest.substr(0, next);
        rest = next == CString::npos ? CString() : rest.substr(next + 1);
        // The name spelt exactly first: a file system that tells case apart may hold a
        // twin differing only in case, which is another folder.
        HTREEITEM found = nullptr;
        for (HTREEITEM child = TreeView_GetChild(tree, current); child;
             child = TreeView_GetNextSibling(tree, child)) {
            const CString text = TreeItemText(tree, child);
            if (text == segment) {
                found = child;
                break;
            }
            if (!found && CompareNoCase(text, segment) == 0) found = child;
        }
        if (!found) break;
        current = found;
    }
    // The selection handler turns the deepest item reached into the current path.
    Select(tree, current);
}

void DriveTree::BuildDriveTree() {
    HWND tree = Tree();
    char letter = m_path.empty() ? 0 : m_path[0];

    if (TreeView_GetCount(tree) > 0) {
        // Selecting the top item first (which may refill the main window's list)
        // leaves the old drive's root current while its items go away.
        if (HTREEITEM item = TreeView_GetSelection(tree)) {
            while (HTREEITEM parent = TreeView_GetParent(tree, item)) item = parent;
            TreeView_SelectItem(tree, item);
        }
        TreeView_DeleteAllItems(tree);
    }
    AttachImages(tree);

    // The selection changes above may have put the old drive's root there.
    if (letter && !m_path.empty()) m_path[0] = letter;

    char* text = CopyText(m_path);
    if (!text) {
        m_window.MessageBox("Cannot allocate enough memory!", "Memory Error:", MB_ICONSTOP);
        return;
    }
    HTREEITEM root = InsertItem(tree, TVI_ROOT, text);
    BrowseFree(text);
    AddSubdirectories(root, m_path + "*.*", tree);
    Select(tree, root);
}

// The tree tells nothing when the item is selected already; the handler runs then anyway.
void DriveTree::Select(HWND tree, HTREEITEM item) {
    if (TreeView_GetSelection(tree) == item) {
        LRESULT ignored = 0;
        OnSelChanged(nullptr, &ignored);
    } else {
        TreeView_SelectItem(tree, item);
    }
}

void DriveTree::AddSubdirectories(HTREEITEM parent, const CString& pattern, HWND tree) {
    size_t slash = pattern.rfind('\\');
    CString dir = slash == CString::npos ? CString() : pattern.substr(0, slash + 1);
    CString mask = slash == CString::npos ? pattern : pattern.substr(slash + 1);

    // Names first, items after: the enumeration is not interleaved with tree work.
    std::vector<CString> names;
    m_files.EnumerateDirectory(dir, [&](const FindEntry& entry) {
        if ((entry.attrib & kFileDirectory) && !IsDotEntry(entry.name) && MatchMask(mask, entry.name))
            names.push_back(entry.name);
    });
    for (const CString& name : names) {
        HTREEITEM item = InsertItem(tree, parent, name.c_str());
        if (!item) continue;
        bool hasSubdirectory = false;
        m_files.EnumerateDirectory(dir + name + "\\", [&](const FindEntry& entry) {
            if (!hasSubdirectory && (entry.attrib & kFileDirectory) && !IsDotEntry(entry.name))
                hasSubdirectory = true;
        });
        if (hasSubdirectory) InsertItem(tree, item, "");
    }
    TreeView_Expand(tree, parent, TVE_EXPAND);
}

BOOL DriveTree::PathFromTreeItem(HWND tree, HTREEITEM item, CString& path) {
    if (!TreeView_GetParent(tree, item)) {
        path = TreeItemText(tree, item).substr(0, 1) + ":\\";
        return TRUE;
    }
    // Texts from the item up to the root; the path is built from the root down.
    std::vector<CString> texts;
    size_t length = 0;
    for (HTREEITEM at = item; at; at = TreeView_GetParent(tree, at)) {
        texts.push_back(TreeItemText(tree, at));
        length += texts.back().size() + 1;
    }
    char* buffer = static_cast<char*>(BrowseAlloc(length + 1));
    if (!buffer) {
        m_window.MessageBox("Out of Memory!", "Error", MB_ICONSTOP);
        return FALSE;
    }
    char* out = buffer;
    for (size_t i = texts.size(); i-- > 0;) {
        const CString& text = texts[i];
        std::memcpy(out, text.data(), text.size());
        out += text.size();
        if (i + 1 != texts.size()) *out++ = '\\';  // the root's text ends in one already
    }
    *out = '\0';
    path = buffer;
    BrowseFree(buffer);
    return TRUE;
}

void DriveTree::OnSelChanged(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    HWND tree = Tree();
    // While the tree is being cleared there may be no selection at all: nothing to show.
    HTREEITEM item = TreeView_GetSelection(tree);
    if (!item || m_goingBack) return;
    CString path;
    if (!PathFromTreeItem(tree, item, path)) return;
    if (!m_files.CanList(path)) {
        // The current folder and its list stay; so does the tree's selection, where it was.
        m_window.MessageBox("Cannot open: " + path, "NOTE:", MB_ICONINFORMATION);
        HTREEITEM before = hdr ? reinterpret_cast<NMTREEVIEWW*>(hdr)->itemOld.hItem : nullptr;
        m_goingBack = true;
        if (before) TreeView_SelectItem(tree, before);
        m_goingBack = false;
        return;
    }
    m_path = path;
    if (m_onSelected) m_onSelected();
}

void DriveTree::OnItemExpanding(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    HWND tree = Tree();
    HTREEITEM item = reinterpret_cast<NMTREEVIEWW*>(hdr)->itemNew.hItem;
    if (!RemovePlaceholder(tree, item)) return;
    CString path;
    if (PathFromTreeItem(tree, item, path)) AddSubdirectories(item, path + "*.*", tree);
}

void DriveTree::OnItemExpanded(NMHDR* hdr, LRESULT* result) {
    *result = 0;
    const NMTREEVIEWW* nm = reinterpret_cast<NMTREEVIEWW*>(hdr);
    int image = (nm->action & (TVE_EXPAND | TVE_COLLAPSE)) == TVE_EXPAND ? 1 : 0;
    TVITEMW tvi = {};
    tvi.mask = TVIF_HANDLE | TVIF_IMAGE | TVIF_SELECTEDIMAGE;
    tvi.hItem = nm->itemNew.hItem;
    tvi.iImage = image;
    tvi.iSelectedImage = image;
    ::SendMessageW(Tree(), TVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&tvi));
}

void DriveTree::OnDblClk(NMHDR*, LRESULT* result) {
    *result = 0;
    HWND tree = Tree();
    HTREEITEM item = TreeView_GetSelection(tree);
    if (!RemovePlaceholder(tree, item)) return;
    // The current path is the selected item's, set when it was selected.
    AddSubdirectories(item, m_path + "*.*", tree);
    TreeView_Expand(tree, item, TVE_TOGGLE);
}

void DriveTree::OnDriveChanged() {
    HWND box = DriveBox();
    CString kept = m_path;
    int previous = FindDriveEntry(kept.empty() ? '\0' : kept[0]);

    int index = static_cast<int>(::SendMessageW(box, CB_GETCURSEL, 0, 0));
    if (index == CB_ERR) return;
    const CString text = GetComboText(box, index);
    char letter = DriveLetterOfEntry(text);
    if (!letter) return;

    m_path = CString(1, letter) + ":\\";
    if (m_files.ChangeDrive(letter - 'A' + 1) != 0) {
        // No such drive or no medium: everything shows the previous drive again.
        m_path = kept;
        ::SendMessageW(box, CB_SETCURSEL, static_cast<WPARAM>(previous), 0);
        return;
    }
    BuildDriveTree();
}
