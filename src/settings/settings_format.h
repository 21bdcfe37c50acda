// The settings file: a 46-line text file beside the executable that keeps the
// window position, the start directory, the renaming options and the program
// settings between runs.
//
// Line 1 is the header, line 2 "WINDOWPOS=left,top,right,bottom", lines 3 to
// 46 one "KEY=value" each, in the fixed order of kSettingKeys. Line 46 (REGEX)
// came last, so the 45 lines of earlier files read as before, unticked. The
// reader goes by position, not by key: the n-th line after line 2 belongs to the n-th key,
// so a missing or extra line makes every later line miss its key, and those
// fields keep the values they had. This keeps files of earlier versions and
// hand-edited files readable without ever failing.
#pragma once

#include <string>

#include "naming/rename_options.h"
#include "naming/utf8.h"
#include "settings/program_settings.h"

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
    kRowRegex,
    kSettingRowCount  // 44
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

// What the file keeps, as plain values. The renaming options and the program
// settings are whole structs, but only their fields with a row in the file are
// written and read; the others (the selection mode, the attribute choices, the
// time stamp and its step) pass through reading unchanged.
struct SettingsFile {
    WindowRect window;
    bool windowRead = false;     // set by reading: line 2 held all four numbers
    // DEFDIR: the listed directory when written; when read, the directory to try
    // first, which start-up may find gone.
    std::string startDir;
    RenameOptions options;       // SRCHSTR and the basic and advanced options
    ProgramSettings settings;    // WARNREN, AUTOSEL ... DESTINATION
    int fileFilter = 0;          // FILEFILTER: the filter box's entry
    int fileSort = 0;            // FILESORT: the sort box's entry
    bool toolTipStored = false;  // set by reading: the TOOLTIP line carried its key
};

// The whole file, 46 lines, each ended with "\r\n" (a "\n" inside a text
// value is written as "\r\n" as well, as a text-mode file would). The texts are
// UTF-8, as they are held, with no byte-order mark.
std::string FormatSettings(const SettingsFile& file);

// Reads a settings file's bytes over `start`, the values that stand where a
// line is missing or lacks its key; windowRead and toolTipStored tell what was
// found. The file is UTF-8 (a byte-order mark is skipped); one that is not
// well-formed UTF-8 was written by an earlier version in the ANSI code page and
// is read through `ansi` (see TextFileAsUtf8; without it the bytes stay as they
// are). Lines end at "\n" (a "\r" before it is dropped); a last line without
// "\n" counts. Line 1 is skipped unseen. A text value ends at its first NUL (a
// damaged or hand-edited file) and is cut to its key's maxChars characters, so
// that it neither turns into a shorter path further on nor exceeds what its edit
// box accepts. Never fails; at worst nothing is read.
SettingsFile ReadSettings(const std::string& fileContents, SettingsFile start,
                          const CodePageToUtf8& ansi = {});
