// The settings file: a 45-line text file beside the executable that keeps the
// window position, the start directory, the renaming options and the program
// settings between runs.
//
// Line 1 is the header, line 2 "WINDOWPOS=left,top,right,bottom", lines 3 to
// 45 one "KEY=value" each, in the fixed order of kSettingKeys. The reader goes
// by position, not by key: the n-th line after line 2 belongs to the n-th key,
// so a missing or extra line makes every later line miss its key, and those
// fields keep the values they had. This keeps files of earlier versions and
// hand-edited files readable without ever failing.
//
// The fields themselves are members of the main window, bound to its
// controls, so the format works through a binding: one pointer per key, to
// an int for flags and numbers, to a string for texts.
#pragma once

#include <string>

#include "naming/utf8.h"

struct RenameOptions;

enum class SettingKind {
    Flag,    // written as the int; read back as 1 when atoi of the text is > 0, else 0
    Number,  // written as the int; read back as atoi of the text, unchecked
    Text,    // written as it stands; read back as the rest of the line, blanks included,
             // up to a NUL and at most maxChars characters (code points)
};

struct SettingKey {
    const char* key;
    SettingKind kind;
    int maxChars = 0;  // Text: the most characters its field holds; 0 for no limit
};

// Row numbers of kSettingKeys: line 3 of the file is row 0.
enum SettingRow : int {
    kRowDefDir,
    kRowSrchStr,
    kRowWarnRen,
    kRowFileFilter,
    kRowFileSort,
    kRowChgPrefix,
    kRowNewPrefix,
    kRowPrefixPos,
    kRowPrefixUp,
    kRowPrefixLow,
    kRowPrefixCnt,
    kRowChgExtension,
    kRowNewExt,
    kRowExtPos,
    kRowExtUp,
    kRowExtLow,
    kRowExtCnt,
    kRowStartCnt,
    kRowIncCnt,
    kRowAlphaCnt,
    kRowApplyTo,
    kRowSearchBack,
    kRowCaseSensitive,
    kRowInsert,
    kRowInsStr1,
    kRowInsStr2,
    kRowInsAtPos,
    kRowInsAfter,
    kRowInsBefore,
    kRowReplace,
    kRowReStr1,
    kRowReStr2,
    kRowReFromPos,
    kRowReToPos,
    kRowAutoSel,
    kRowNoRefresh,
    kRowWarnDel,
    kRowToolTip,
    kRowSetAttrib,
    kRowTimeDate,
    kRowAbortError,
    kRowUseNewDir,
    kRowDestination,
    kSettingRowCount  // 43
};

extern const SettingKey kSettingKeys[kSettingRowCount];

extern const char kSettingsHeader[];  // "[Startup Settings for Vorlix v3.11]"

// The main window's outer rectangle in screen pixels.
struct WindowRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
};

// Where each key's value lives: number[row] for Flag and Number rows,
// text[row] for Text rows. The DEFDIR row stays unbound: its text is the
// start directory, which the start-up decides on (it may not exist any
// more), so FormatSettings takes it as an argument and ReadSettings hands it
// back in its result. Unbound rows are written as 0 or as an empty text and
// are not stored when read; SettingsBindingProblem tells whether a binding
// is complete.
struct SettingsBinding {
    int* number[kSettingRowCount] = {};
    std::string* text[kSettingRowCount] = {};

    void Bind(SettingRow row, int* field) { number[row] = field; }
    void Bind(SettingRow row, std::string* field) { text[row] = field; }
};

// Binds the rows that belong to RenameOptions (SRCHSTR, the basic and the
// advanced options); the caller binds the program settings (WARNREN,
// FILEFILTER, FILESORT, AUTOSEL ... DESTINATION) to its own members.
void BindRenameOptions(SettingsBinding& binding, RenameOptions& options);

// "" when every row but DEFDIR has exactly one pointer, of its kind, and
// DEFDIR has none; otherwise a short description of the first fault, e.g.
// "FILESORT is not bound", for an assertion in the caller.
std::string SettingsBindingProblem(const SettingsBinding& binding);

// The whole file, 45 lines, each ended with "\r\n" (a "\n" inside a text
// value is written as "\r\n" as well, as a text-mode file would). curDir is
// written as DEFDIR. The texts are UTF-8, as they are held, with no byte-order mark.
std::string FormatSettings(const WindowRect& window, const std::string& curDir,
                           const SettingsBinding& fields);

struct SettingsReadResult {
    bool windowRead = false;     // line 2 held all four numbers
    WindowRect window;           // valid when windowRead
    bool startDirRead = false;   // the DEFDIR line carried its key
    std::string startDir;        // valid when startDirRead
    bool toolTipStored = false;  // the TOOLTIP line carried its key: switch tooltips now
};

// Reads a settings file's bytes into the bound fields. The file is UTF-8 (a
// byte-order mark is skipped); one that is not well-formed UTF-8 was written by
// an earlier version in the ANSI code page and is read through `ansi` (see
// TextFileAsUtf8; without it, for a caller still in that code page, the bytes
// stay as they are). Lines end at "\n" (a "\r" before it is dropped); a last
// line without "\n" counts. Line 1 is skipped unseen. A line that lacks its
// "KEY=" leaves its field alone. A text value ends at its first NUL (a damaged
// or hand-edited file) and is cut to its key's maxChars characters, so that it
// neither turns into a shorter path further on nor exceeds what its edit box
// accepts. Never fails; at worst nothing is read.
SettingsReadResult ReadSettings(const std::string& fileContents, const SettingsBinding& fields,
                                const CodePageToUtf8& ansi = {});

// The settings file of an executable: same directory, the executable's name
// without its extension in lower case, ".ini" ("D:\Tools\Renamer.exe" ->
// "D:\Tools\renamer.ini"). Both "\" and "/" separate directories.
std::string SettingsPathForExe(const std::string& exePath);
