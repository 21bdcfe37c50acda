// The program's settings as the options window edits them: plain values, held by the
// main window, read by the rename run, the file list, deleting and the tooltips.
#pragma once

#include <string>

struct ProgramSettings {
    int m_bToolTip = 1;          // "Show Tool Tip"
    int m_bWarnRename = 1;       // "Warning message before rename"
    int m_bWarnDelete = 1;       // "Warn before deleting files"
    int m_bAutoSelect = 0;       // "Auto select all files in directory"
    int m_bNoRefresh = 0;        // "No auto refresh directory after rename"
    int m_bUseNewDir = 0;        // "Move renamed files to a new directory..."
    std::string m_strDestination;  // that directory; empty means the listed one
    int m_bAbortOnError = 1;     // "Abort on file rename error"
    int m_bSetAttrib = 0;        // "Change files' attributes"
    // Three-state: 0 clear the attribute, 1 set it, 2 leave it as it is.
    int m_bArchive = 2;
    int m_bReadOnly = 2;
    int m_bHidden = 2;
    int m_bSystem = 2;
    int m_bTimeDate = 0;         // "Change Files' Time && Date"
    int m_nYear = 1980, m_nMonth = 1, m_nDay = 1;   // the last-modified stamp, local time
    int m_nHour = 0, m_nMinute = 0, m_nSecond = 0;
    int m_bIncTime = 0;          // "Increment Time by:"
    int m_nIncHour = 0, m_nIncMinute = 0, m_nIncSecond = 0;  // the step from file to file
};
