#include "settings/settings_format.h"

#include <cassert>
#include <utility>
#include <vector>

#include "naming/utf8.h"
#include "settings/scan_ints.h"

// The order is the file's line order and must never change: the reader pairs
// lines with keys by position. Two keys carry old misspellings that existing
// files depend on: CASESENSITVIE and NOREFLESH.
const SettingKey kSettingKeys[kSettingRowCount] = {
    {"DEFDIR", SettingKind::Text},
    {"SRCHSTR", SettingKind::Text, kMaxSearchMask},
    {"WARNREN", SettingKind::Flag},
    {"FILEFILTER", SettingKind::Number},
    {"FILESORT", SettingKind::Number},
    {"CHGPREFIX", SettingKind::Flag},
    {"NEWPREFIX", SettingKind::Text, kMaxNameText},
    {"PREFIXPOS", SettingKind::Number},
    {"PREFIXUP", SettingKind::Flag},
    {"PREFIXLOW", SettingKind::Flag},
    {"PREFIXCNT", SettingKind::Flag},
    {"CHGEXTENSION", SettingKind::Flag},
    {"NEWEXT", SettingKind::Text, kMaxNameText},
    {"EXTPOS", SettingKind::Number},
    {"EXTUP", SettingKind::Flag},
    {"EXTLOW", SettingKind::Flag},
    {"EXTCNT", SettingKind::Flag},
    {"STARTCNT", SettingKind::Text, kMaxStartCount},
    {"INCCNT", SettingKind::Text, kMaxIncrement},
    {"ALPHACNT", SettingKind::Flag},
    {"APPLYTO", SettingKind::Number},
    {"SEARCHBACK", SettingKind::Flag},
    {"CASESENSITVIE", SettingKind::Flag},
    {"INSERT", SettingKind::Flag},
    {"INSSTR1", SettingKind::Text, kMaxNameText},
    {"INSSTR2", SettingKind::Text, kMaxNameText},
    {"INSATPOS", SettingKind::Text, kMaxPositionText},
    {"INSAFTER", SettingKind::Flag},
    {"INSBEFORE", SettingKind::Flag},
    {"REPLACE", SettingKind::Flag},
    {"RESTR1", SettingKind::Text, kMaxNameText},
    {"RESTR2", SettingKind::Text, kMaxNameText},
    {"REFROMPOS", SettingKind::Text, kMaxPositionText},
    {"RETOPOS", SettingKind::Text, kMaxPositionText},
    {"AUTOSEL", SettingKind::Flag},
    {"NOREFLESH", SettingKind::Flag},
    {"WARNDEL", SettingKind::Flag},
    {"TOOLTIP", SettingKind::Flag},
    {"SETATTRIB", SettingKind::Flag},
    {"TIMEDATE", SettingKind::Flag},
    {"ABORTERROR", SettingKind::Flag},
    {"USENEWDIR", SettingKind::Flag},
    {"DESTINATION", SettingKind::Text},
    {"REGEX", SettingKind::Flag},
};

const char kSettingsHeader[] = "[Startup Settings for Vorlix v3.11]";

namespace {

const char kWindowPosKey[] = "WINDOWPOS=";

// Hands out the lines of a text-mode file one by one: each without its "\n"
// and without one "\r" before that; a last line without "\n" still counts,
// and nothing follows a final "\n".
class LineReader {
public:
    explicit LineReader(std::string_view text) : text_(text) {}

    bool Next(std::string& line) {
        if (pos_ >= text_.size()) return false;
        size_t end = text_.find('\n', pos_);
        size_t next = end;
        if (end == std::string::npos) {
            end = text_.size();
            next = end;
        } else {
            ++next;
            if (end > pos_ && text_[end - 1] == '\r') --end;
        }
        line.assign(text_.substr(pos_, end - pos_));
        pos_ = next;
        return true;
    }

private:
    std::string_view text_;
    size_t pos_ = 0;
};

// Every row's field in `f`, paired with its row: `number` gets the int of a
// flag or number row, `text` the string of a text row. Reading and writing
// both go through this one list, so they cannot disagree on a field.
template <class File, class OnNumber, class OnText>
void ForEachField(File& f, OnNumber number, OnText text) {
    auto& o = f.options;
    auto& s = f.settings;
    text(kRowDefDir, f.startDir);
    text(kRowSrchStr, o.m_strSearchMask);
    number(kRowWarnRen, s.m_bWarnRename);
    number(kRowFileFilter, f.fileFilter);
    number(kRowFileSort, f.fileSort);
    number(kRowChgPrefix, o.m_bChangePrefix);
    text(kRowNewPrefix, o.m_strNewPrefix);
    number(kRowPrefixPos, o.m_nPrefixPos);
    number(kRowPrefixUp, o.m_bPrefixUpper);
    number(kRowPrefixLow, o.m_bPrefixLower);
    number(kRowPrefixCnt, o.m_bCountPrefix);
    number(kRowChgExtension, o.m_bChangeExt);
    text(kRowNewExt, o.m_strNewExt);
    number(kRowExtPos, o.m_nExtPos);
    number(kRowExtUp, o.m_bExtUpper);
    number(kRowExtLow, o.m_bExtLower);
    number(kRowExtCnt, o.m_bCountExt);
    text(kRowStartCnt, o.m_strStartCount);
    text(kRowIncCnt, o.m_strIncrement);
    number(kRowAlphaCnt, o.m_bAlphaCount);
    number(kRowApplyTo, o.m_nApplyTo);
    number(kRowSearchBack, o.m_bSearchBack);
    number(kRowCaseSensitive, o.m_bCaseSensitive);
    number(kRowInsert, o.m_bInsert);
    text(kRowInsStr1, o.m_strInsStr1);
    text(kRowInsStr2, o.m_strInsStr2);
    text(kRowInsAtPos, o.m_strInsAtPos);
    number(kRowInsAfter, o.m_bInsAfter);
    number(kRowInsBefore, o.m_bInsBefore);
    number(kRowReplace, o.m_bReplace);
    text(kRowReStr1, o.m_strReStr1);
    text(kRowReStr2, o.m_strReStr2);
    text(kRowReFromPos, o.m_strReFromPos);
    text(kRowReToPos, o.m_strReToPos);
    number(kRowAutoSel, s.m_bAutoSelect);
    number(kRowNoRefresh, s.m_bNoRefresh);
    number(kRowWarnDel, s.m_bWarnDelete);
    number(kRowToolTip, s.m_bToolTip);
    number(kRowSetAttrib, s.m_bSetAttrib);
    number(kRowTimeDate, s.m_bTimeDate);
    number(kRowAbortError, s.m_bAbortOnError);
    number(kRowUseNewDir, s.m_bUseNewDir);
    text(kRowDestination, s.m_strDestination);
    number(kRowRegex, o.m_bRegex);
}

void ReadWindowPos(const std::string& line, SettingsFile& file) {
    if (line.find(kWindowPosKey) == std::string::npos) return;
    // The first ten characters go, wherever the key was found, and the window
    // moves only when all four numbers are there.
    WindowRect r;
    int* const fields[4] = {&r.left, &r.top, &r.right, &r.bottom};
    if (ScanInts(line.substr(CodePointOffset(line, sizeof kWindowPosKey - 1)), "%d,%d,%d,%d", fields, 4) == 4) {
        file.windowRead = true;
        file.window = r;
    }
}

// The value on the line of `row`; false when the file ended before it or the
// line lacks its "KEY=", which leaves the field alone.
bool ValueOf(int row, const std::vector<std::string>& lines, std::string& value) {
    if (size_t(row) >= lines.size()) return false;
    const std::string& line = lines[size_t(row)];
    const SettingKey& key = kSettingKeys[row];
    const std::string keyEq = std::string(key.key) + "=";
    if (line.find(keyEq) == std::string::npos) return false;
    // Cut by length, not at the place found: a line with text before its key
    // keeps part of the key in its value, as files have always been read. The
    // length counts characters, so no character before the key is cut in two.
    value = line.substr(CodePointOffset(line, keyEq.size()));
    if (key.kind == SettingKind::Text) {
        const size_t nul = value.find('\0');
        if (nul != std::string::npos) value.erase(nul);
        if (key.maxChars > 0) value.resize(CodePointOffset(value, size_t(key.maxChars)));
    }
    return true;
}

// A text-mode file writes each "\n" as "\r\n", those inside values included.
std::string ToCrLf(const std::string& text) {
    std::string out;
    out.reserve(text.size() + 64);
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace

std::string FormatSettings(const SettingsFile& file) {
    std::string values[kSettingRowCount];
    ForEachField(
        file, [&](int row, int field) { values[row] = std::to_string(field); },
        [&](int row, const std::string& field) { values[row] = field; });
    const WindowRect& w = file.window;
    std::string out = std::string(kSettingsHeader) + "\n";
    out += kWindowPosKey + std::to_string(w.left) + "," + std::to_string(w.top) + "," +
           std::to_string(w.right) + "," + std::to_string(w.bottom) + "\n";
    for (int row = 0; row < kSettingRowCount; ++row)
        out += std::string(kSettingKeys[row].key) + "=" + values[row] + "\n";
    return ToCrLf(out);
}

SettingsFile ReadSettings(const std::string& fileContents, SettingsFile start,
                          const CodePageToUtf8& ansi) {
    SettingsFile file = std::move(start);
    file.windowRead = false;
    file.toolTipStored = false;
    std::string converted;
    LineReader reader(TextFileAsUtf8(fileContents, ansi, converted));
    std::string line;
    if (!reader.Next(line)) return file;  // the header, never looked at
    if (!reader.Next(line)) return file;
    ReadWindowPos(line, file);
    std::vector<std::string> lines;
    while (lines.size() < size_t(kSettingRowCount) && reader.Next(line)) lines.push_back(line);

    std::string value;
    ForEachField(
        file,
        [&](int row, int& field) {
            assert(kSettingKeys[row].kind != SettingKind::Text);
            if (!ValueOf(row, lines, value)) return;
            const int number = AtoiClamped(value);
            field = kSettingKeys[row].kind == SettingKind::Flag ? (number > 0 ? 1 : 0) : number;
            if (row == kRowToolTip) file.toolTipStored = true;
        },
        [&](int row, std::string& field) {
            assert(kSettingKeys[row].kind == SettingKind::Text);
            if (ValueOf(row, lines, value)) field = std::move(value);
        });
    return file;
}
