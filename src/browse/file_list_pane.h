// The main window's browsing pane: the drive box (1002), the directory tree (1000),
// the file list (1001) with its filter (1031) and sort (1048) combos. It refills
// the list, applies the selection modes and reads the selection; the window routes
// the controls' notifications here and keeps the state the pane works on.
#pragma once

#include "metadata/file_facts.h"

#include "browse/browse_state.h"
#include "browse/drive_tree.h"
#include "naming/rename_options.h"
#include "winui/afx.h"

#include <string>
#include <vector>

class CDialog;

class FileListPane {
public:
    // `window` holds the controls; `state` is its browsing state; `options` gives the
    // search mask and the selection mode and takes the selected count (edit 1005);
    // `autoSelect` is the "Auto select all files in directory" setting, read at each fill.
    // `facts` gives the dates taken of the orders by date taken.
    FileListPane(CDialog& window, BrowseState& state, RenameOptions& options, const int& autoSelect,
                 FileServices& files, FactSource& facts);

    // Start-up, before the controls take their fields: the two combos' entries.
    void FillChoiceTexts();
    // Start-up: the tree's folder icons.
    void CreateImages() { m_tree.CreateImages(); }
    // Start-up, after the settings are read: long names can be scrolled into view
    // (also after a change of display scale), and the combos show the state's filter
    // and order.
    void ShowChoices();
    // Fills the drive box and opens `startPath` (else the current drive's root);
    // the tree's selection fills the list.
    void OpenStartDirectory(const std::string& startPath) { m_tree.OpenStartDirectory(startPath); }
    // Opens `path` when it can be entered and listed (DriveTree::OpenDirectory).
    bool OpenDirectory(const std::string& path) { return m_tree.OpenDirectory(path); }

    // Empties the list and lists the current directory's files under the mask, the
    // filter and the order; then selects all when asked to, puts the caret on the
    // state's caret name, and shows the window's fields.
    void Fill();
    // LBN_SELCHANGE: the rule of the selection mode, then the selected count.
    void OnSelChange();
    // "<-- &Clear": nothing selected.
    void Clear();
    // The filter or sort combo's choice; a refill only when it differs from the state's.
    void OnFilterChanged();
    void OnSortChanged();
    // "Extended" chosen: no range start remembered.
    void ForgetRangeStart();

    // The tree's notifications and the drive box's selection change.
    DriveTree& Tree() { return m_tree; }

    // Selects the entries `names` alone (each spelled exactly, else the first spelled
    // otherwise in case), with the caret on the first found; false when none is listed.
    bool SelectOnly(const std::vector<std::string>& names);
    // The same, keeping what is selected already.
    bool SelectAlso(const std::vector<std::string>& names);
    // F5: the directory read again; the entries still there stay selected, the caret
    // stays on its entry's name where that is still there.
    void Refresh();
    // Ctrl+A: every entry selected.
    void SelectAll();
    // The selected entries, top to bottom (the order a run works in).
    std::vector<std::string> SelectedNames() const;
    // The first selected entry whose name is stray (no operation may use it); "" when none.
    std::string FirstStraySelected() const;

private:
    HWND List() const;
    std::vector<int> SelectedIndices() const;
    void ShowSelectedCount();

    CDialog& m_window;
    BrowseState& m_state;
    RenameOptions& m_options;
    const int& m_autoSelect;
    FileServices& m_files;
    FactSource& m_facts;
    DriveTree m_tree;
};
