#include "settings/settings_format.h"

#include <utility>

#include "naming/rename_options.h"
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

void ReadWindowPos(const std::string& line, SettingsReadResult& result) {
    if (line.find(kWindowPosKey) == std::string::npos) return;
    // The first ten characters go, wherever the key was found, and the window
    // moves only when all four numbers are there.
    WindowRect r;
    int* const fields[4] = {&r.left, &r.top, &r.right, &r.bottom};
    if (ScanInts(line.substr(CodePointOffset(line, sizeof kWindowPosKey - 1)), "%d,%d,%d,%d", fields, 4) == 4) {
        result.windowRead = true;
        result.window = r;
    }
}

void StoreLine(int row, const std::string& line, const SettingsBinding& fields,
               SettingsReadResult& result) {
    const SettingKey& key = kSettingKeys[row];
    const std::string keyEq = std::string(key.key) + "=";
    if (line.find(keyEq) == std::string::npos) return;
    // Cut by length, not at the place found: a line with text before its key
    // keeps part of the key in its value, as files have always been read. The
    // length counts characters, so no character before the key is cut in two.
    std::string value = line.substr(CodePointOffset(line, keyEq.size()));
    if (key.kind == SettingKind::Text) {
        const size_t nul = value.find('\0');
        if (nul != std::string::npos) value.erase(nul);
        if (key.maxChars > 0) value.resize(CodePointOffset(value, size_t(key.maxChars)));
    }
    if (row == kRowToolTip) result.toolTipStored = true;
    if (row == kRowDefDir) {
        result.startDirRead = true;
        result.startDir = std::move(value);
        return;
    }
    switch (key.kind) {
    case SettingKind::Flag:
        if (fields.number[row]) *fields.number[row] = AtoiClamped(value) > 0 ? 1 : 0;
        break;
    case SettingKind::Number:
        if (fields.number[row]) *fields.number[row] = AtoiClamped(value);
        break;
    case SettingKind::Text:
        if (fields.text[row]) *fields.text[row] = std::move(value);
        break;
    }
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

void BindRenameOptions(SettingsBinding& b, RenameOptions& o) {
    b.Bind(kRowSrchStr, &o.m_strSearchMask);
    b.Bind(kRowChgPrefix, &o.m_bChangePrefix);
    b.Bind(kRowNewPrefix, &o.m_strNewPrefix);
    b.Bind(kRowPrefixPos, &o.m_nPrefixPos);
    b.Bind(kRowPrefixUp, &o.m_bPrefixUpper);
    b.Bind(kRowPrefixLow, &o.m_bPrefixLower);
    b.Bind(kRowPrefixCnt, &o.m_bCountPrefix);
    b.Bind(kRowChgExtension, &o.m_bChangeExt);
    b.Bind(kRowNewExt, &o.m_strNewExt);
    b.Bind(kRowExtPos, &o.m_nExtPos);
    b.Bind(kRowExtUp, &o.m_bExtUpper);
    b.Bind(kRowExtLow, &o.m_bExtLower);
    b.Bind(kRowExtCnt, &o.m_bCountExt);
    b.Bind(kRowStartCnt, &o.m_strStartCount);
    b.Bind(kRowIncCnt, &o.m_strIncrement);
    b.Bind(kRowAlphaCnt, &o.m_bAlphaCount);
    b.Bind(kRowApplyTo, &o.m_nApplyTo);
    b.Bind(kRowSearchBack, &o.m_bSearchBack);
    b.Bind(kRowCaseSensitive, &o.m_bCaseSensitive);
    b.Bind(kRowInsert, &o.m_bInsert);
    b.Bind(kRowInsStr1, &o.m_strInsStr1);
    b.Bind(kRowInsStr2, &o.m_strInsStr2);
    b.Bind(kRowInsAtPos, &o.m_strInsAtPos);
    b.Bind(kRowInsAfter, &o.m_bInsAfter);
    b.Bind(kRowInsBefore, &o.m_bInsBefore);
    b.Bind(kRowReplace, &o.m_bReplace);
    b.Bind(kRowReStr1, &o.m_strReStr1);
    b.Bind(kRowReStr2, &o.m_strReStr2);
    b.Bind(kRowReFromPos, &o.m_strReFromPos);
    b.Bind(kRowReToPos, &o.m_strReToPos);
}

std::string SettingsBindingProblem(const SettingsBinding& b) {
    for (int row = 0; row < kSettingRowCount; ++row) {
        const std::string key = kSettingKeys[row].key;
        const bool isText = kSettingKeys[row].kind == SettingKind::Text;
        if (row == kRowDefDir) {
            if (b.text[row] || b.number[row]) return key + " is the start directory, not a field";
            continue;
        }
        if (isText ? b.number[row] != nullptr : b.text[row] != nullptr)
            return key + " is bound to the wrong kind of field";
        if (isText ? b.text[row] == nullptr : b.number[row] == nullptr)
            return key + " is not bound";
    }
    return "";
}

std::string FormatSettings(const WindowRect& w, const std::string& curDir,
                           const SettingsBinding& fields) {
    std::string out = std::string(kSettingsHeader) + "\n";
    out += kWindowPosKey + std::to_string(w.left) + "," + std::to_string(w.top) + "," +
           std::to_string(w.right) + "," + std::to_string(w.bottom) + "\n";
    for (int row = 0; row < kSettingRowCount; ++row) {
        out += kSettingKeys[row].key;
        out += '=';
        if (row == kRowDefDir) {
            out += curDir;
        } else if (kSettingKeys[row].kind == SettingKind::Text) {
            if (fields.text[row]) out += *fields.text[row];
        } else {
            out += std::to_string(fields.number[row] ? *fields.number[row] : 0);
        }
        out += '\n';
    }
    return ToCrLf(out);
}

SettingsReadResult ReadSettings(const std::string& fileContents, const SettingsBinding& fields,
                                const CodePageToUtf8& ansi) {
    SettingsReadResult result;
    std::string converted;
    LineReader lines(TextFileAsUtf8(fileContents, ansi, converted));
    std::string line;
    if (!lines.Next(line)) return result;  // the header, never looked at
    if (!lines.Next(line)) return result;
    ReadWindowPos(line, result);
    for (int row = 0; row < kSettingRowCount && lines.Next(line); ++row)
        StoreLine(row, line, fields, result);
    return result;
}

std::string SettingsPathForExe(const std::string& exePath) {
    const size_t slash = exePath.find_last_of("\\/");
    const size_t nameStart = slash == std::string::npos ? 0 : slash + 1;
    std::string name = exePath.substr(nameStart);
    const size_t dot = name.rfind('.');
    if (dot != std::string::npos) name.erase(dot);
    for (char& c : name) {
        if (c >= 'A' && c <= 'Z') c = char(c - 'A' + 'a');
    }
    return exePath.substr(0, nameStart) + name + ".ini";
}
