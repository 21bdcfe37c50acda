// The renaming options of the main window: one field per option control.
// Plain data, shared by the dialog (which binds each field to its control),
// the name composition, the settings file and the rename run.
#pragma once

#include <string>

// The most characters each text option holds: its edit box takes no more, and a
// value read from elsewhere (the settings file) is cut to it, since a longer text
// would be refused by every later reading of the controls.
constexpr int kMaxNameText = 256;     // new prefix and extension, insert and replace texts
constexpr int kMaxStartCount = 20;    // the counter's starting value
constexpr int kMaxIncrement = 19;     // the counter's increment
constexpr int kMaxSearchMask = 100;
constexpr int kMaxPositionText = 4;   // insert-at, replace-from and replace-to positions

struct RenameOptions {
    // Order matters: this is the order in which the main window exchanges them.
    int m_nSelectMode = 0;        // 0 "Single/Multiple", 1 "Extended"
    long m_lSelCount = 0;         // selected entries of the file list
    int m_bPrefixUpper = 0;
    int m_bPrefixLower = 0;
    int m_bExtUpper = 0;
    int m_bExtLower = 0;
    int m_nPrefixPos = 2;         // 0 replace, 1 before, 2 after the old prefix
    int m_nExtPos = 2;            // the same for the extension
    int m_bChangePrefix = 0;
    int m_bChangeExt = 0;
    int m_bCountPrefix = 0;
    int m_bCountExt = 0;
    int m_bAlphaCount = 0;
    std::string m_strNewPrefix;
    std::string m_strNewExt;
    std::string m_strIncrement = "1";
    std::string m_strStartCount = "001";   // its length is the counter's width
    std::string m_strSearchMask;           // "*.*" from start-up on
    std::string m_strPreview;              // "(NO CHANGES)" from start-up on
    int m_bInsert = 0;
    int m_bReplace = 0;
    std::string m_strInsStr1;
    std::string m_strInsStr2;
    std::string m_strInsAtPos;
    std::string m_strReStr1;
    std::string m_strReStr2;
    std::string m_strReFromPos;
    std::string m_strReToPos;
    int m_bInsAfter = 0;
    int m_bInsBefore = 0;
    int m_nApplyTo = 0;           // 0 prefix, 1 extension, 2 entire name
    int m_bCaseSensitive = 0;
    int m_bSearchBack = 0;
    int m_bRegex = 0;             // the replace "string:" is a regular expression
};
