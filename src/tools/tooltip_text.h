// Which line of "tooltip.txt" belongs to which main-window control, and how the
// lines are picked out of the file. Plain text in, text out.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "naming/utf8.h"

// The line of the tooltip file for a main-window control; 0 for a control without one.
int ToolTipLineOf(int controlId);

// Lines 1 to this are the ones controls use.
constexpr int kToolTipLines = 45;

// The most of the file ever looked at: each of the 45 reads takes at most 79
// characters (code points), which come from at most 4 * 79 + 1 stored bytes (a
// character takes up to four bytes in UTF-8; a carriage return and line feed are one
// character), after a byte-order mark, plus one byte to tell whether a carriage return
// at the end is followed by a line feed. The rest of the file, however large, is never
// read.
constexpr std::size_t kToolTipFileBytes = 16384;

// The tooltip texts of one version of the file, and which version that was.
class ToolTipFile {
public:
    // Takes the texts from the file's first stored bytes `start` (only the first
    // kToolTipFileBytes are looked at), as a line-by-line reader sees them in text mode:
    // reads of at most 79 characters, each up to and including a line feed, a longer
    // line cut and its rest being the next read; a carriage return before a line feed
    // is dropped and a Ctrl-Z ends the file. The file is UTF-8, or in the ANSI code page
    // when it is not well-formed UTF-8 (files of earlier versions): see TextFileAsUtf8
    // for `ansi`. `version` names the file's state (its place, size and write time) for
    // Holds.
    void Load(const std::string& version, std::string_view start, const CodePageToUtf8& ansi = {});
    // Whether the texts are those of the file in the state `version` names.
    bool Holds(const std::string& version) const { return m_loaded && version == m_version; }
    void Forget();

    // The text of line `line` (1 to kToolTipLines): the reader's buffer after reads
    // 1..line, with its last character (the line feed) dropped. A file shorter than
    // `line` leaves the last read it has; an empty file gives "".
    std::string Text(int line) const;

private:
    bool m_loaded = false;
    std::string m_version;
    std::vector<std::string> m_reads;  // at most kToolTipLines, of at most 79 characters each
};
