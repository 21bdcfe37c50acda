// What every window of the program shares without an application object: the wait
// cursor and the place of the help page.
#pragma once

#include "winui/afx.h"

// Turns on the wait cursor for its lifetime (nesting is counted: the arrow comes
// back when the outermost one ends).
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
};

// The help page: beside the executable, named after it.
std::string HelpFilePath();
