// What the main window remembers about browsing between events: the listed
// directory, the filter and order chosen, the list indices remembered between
// selection changes and the name the next refill puts the caret on.
// The search mask (m_strSearchMask) and the selection mode (m_nSelectMode) are
// bound to controls like the renaming options, so they live in RenameOptions.
#pragma once

#include <string>

struct BrowseState {
    std::string m_strCurDir;     // listed directory, full path ending in a backslash
    int m_nFileFilter = 0;       // attribute filter entry, 0..4
    int m_nFileSort = 0;         // sort order entry, 0..9
    int m_nAnchorIndex = -1;     // list anchor remembered between selection changes, -1 for none
    int m_nCaretIndex = -1;      // list caret remembered between selection changes, -1 for none
    std::string m_strCaretName;  // the next refill puts the list's caret here, then empties it
};
