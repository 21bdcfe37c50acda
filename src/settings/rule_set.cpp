#include "settings/rule_set.h"

#include <algorithm>
#include <string_view>

#include "naming/option_rules.h"
#include "naming/utf8.h"
#include "platform/move_rules.h"
#include "res/resource.h"
#include "settings/scan_ints.h"

const char kRuleSetHeader[] = "[Vorlix rules 1]";
const char kRuleSetExtension[] = ".vorlixrules";

namespace {

using O = RenameOptions;

// One option of a rule set: its key and its field (a flag, a position choice with
// `choices` buttons, or a text with a limit in characters).
struct RuleKey {
    const char* key;
    int O::*number;
    int choices;  // 0: a flag
    std::string O::*text;
    int maxChars;
};

RuleKey Flag(const char* key, int O::*f) { return {key, f, 0, nullptr, 0}; }
RuleKey Choice(const char* key, int O::*f) { return {key, f, 3, nullptr, 0}; }
RuleKey Text(const char* key, std::string O::*t, int maxChars) { return {key, nullptr, 0, t, maxChars}; }

// The file's line order; the reader goes by key, so it may grow anywhere.
const RuleKey kRuleKeys[] = {
    Flag("ChangePrefix", &O::m_bChangePrefix),
    Text("NewPrefix", &O::m_strNewPrefix, kMaxNameText),
    Choice("PrefixPosition", &O::m_nPrefixPos),
    Flag("PrefixUpper", &O::m_bPrefixUpper),
    Flag("PrefixLower", &O::m_bPrefixLower),
    Flag("CountPrefix", &O::m_bCountPrefix),
    Flag("ChangeExtension", &O::m_bChangeExt),
    Text("NewExtension", &O::m_strNewExt, kMaxNameText),
    Choice("ExtensionPosition", &O::m_nExtPos),
    Flag("ExtensionUpper", &O::m_bExtUpper),
    Flag("ExtensionLower", &O::m_bExtLower),
    Flag("CountExtension", &O::m_bCountExt),
    Text("StartCount", &O::m_strStartCount, kMaxStartCount),
    Text("Increment", &O::m_strIncrement, kMaxIncrement),
    Flag("AlphaCount", &O::m_bAlphaCount),
    Flag("Insert", &O::m_bInsert),
    Text("InsertString", &O::m_strInsStr1, kMaxNameText),
    Text("InsertBeside", &O::m_strInsStr2, kMaxNameText),
    Text("InsertAtPosition", &O::m_strInsAtPos, kMaxPositionText),
    Flag("InsertAfter", &O::m_bInsAfter),
    Flag("InsertBefore", &O::m_bInsBefore),
    Flag("Replace", &O::m_bReplace),
    Text("ReplaceString", &O::m_strReStr1, kMaxNameText),
    Text("ReplaceWith", &O::m_strReStr2, kMaxNameText),
    Text("ReplaceFrom", &O::m_strReFromPos, kMaxPositionText),
    Text("ReplaceTo", &O::m_strReToPos, kMaxPositionText),
    Choice("ApplyTo", &O::m_nApplyTo),
    Flag("SearchBackward", &O::m_bSearchBack),
    Flag("CaseSensitive", &O::m_bCaseSensitive),
    Flag("RegularExpression", &O::m_bRegex),
};

bool IsTextByte(unsigned char c) { return c >= 0x20 || c == '\t' || c == '\r' || c == '\n'; }

// Windows names a file in any case of its letters; beyond ASCII the case of a path
// in the list is the one the dialog gave, so ASCII folding is enough here.
bool SamePath(const std::string& a, const std::string& b) { return EqualIgnoringCase(a, b); }

// The lines of a text, each without its "\n" and one "\r" before it.
std::vector<std::string_view> LinesOf(std::string_view text) {
    std::vector<std::string_view> lines;
    for (size_t pos = 0; pos < text.size();) {
        size_t end = text.find('\n', pos);
        const size_t next = end == std::string_view::npos ? text.size() : end + 1;
        if (end == std::string_view::npos) end = text.size();
        std::string_view line = text.substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        pos = next;
    }
    return lines;
}

}  // namespace

std::string FormatRuleSet(const RenameOptions& o) {
    std::string out = std::string(kRuleSetHeader) + "\r\n";
    for (const RuleKey& k : kRuleKeys)
        out += std::string(k.key) + "=" + (k.text ? o.*k.text : std::to_string(o.*k.number)) + "\r\n";
    return out;
}

std::optional<RenameOptions> ReadRuleSet(const std::string& bytes) {
    if (bytes.size() > kMaxRuleSetBytes || !IsValidUtf8(bytes)) return std::nullopt;
    if (!std::all_of(bytes.begin(), bytes.end(), [](char c) { return IsTextByte(static_cast<unsigned char>(c)); }))
        return std::nullopt;
    std::string_view text = bytes;
    if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
    const std::vector<std::string_view> lines = LinesOf(text);
    if (lines.empty() || lines[0] != kRuleSetHeader) return std::nullopt;

    RenameOptions o;
    for (size_t i = 1; i < lines.size(); ++i) {
        const size_t eq = lines[i].find('=');
        if (eq == std::string_view::npos) continue;
        const std::string_view key = lines[i].substr(0, eq), value = lines[i].substr(eq + 1);
        for (const RuleKey& k : kRuleKeys) {
            if (key != k.key) continue;
            if (k.text) {
                o.*k.text = std::string(value.substr(0, CodePointOffset(value, size_t(k.maxChars))));
            } else {
                const int n = AtoiClamped(std::string(value));
                if (k.choices == 0) o.*k.number = n > 0 ? 1 : 0;
                else if (n >= 0 && n < k.choices) o.*k.number = n;
            }
        }
    }
    return o;
}

RenameOptions WithRuleSet(const RenameOptions& current, const RenameOptions& rules) {
    RenameOptions o = current;
    for (const OptionBinding& b : OptionBindings()) {
        // The fields that are no renaming option stay the window's.
        if (b.control == IDC_SINGLEMULTI || b.control == IDC_SELCOUNT || b.control == IDC_SEARCHMASK ||
            b.control == IDC_PREVIEW || SameField(b, o, rules))
            continue;
        OptionChange change;
        change.control = b.control;
        if (b.kind == ControlKind::Text) {
            change.text = rules.*b.text;
            change.caret = int(change.text.size());
        } else if (b.kind == ControlKind::RadioGroup) {
            change.control = b.control + rules.*b.flag;
            change.value = rules.*b.flag;
        } else {
            change.value = rules.*b.flag;
        }
        o = ApplyOptionChange(o, change).options;
    }
    return o;
}

bool IsRuleSetPath(const std::string& path) {
    const size_t n = sizeof kRuleSetExtension - 1;
    return path.size() > n && SamePath(path.substr(path.size() - n), kRuleSetExtension);
}

std::vector<std::string> ReadRecentRules(const std::string& text) {
    std::vector<std::string> paths;
    for (std::string_view line : LinesOf(text))
        if (!line.empty() && paths.size() < kMaxRecentRules) paths.emplace_back(line);
    return paths;
}

std::string FormatRecentRules(const std::vector<std::string>& paths) {
    std::string out;
    for (const std::string& path : paths) out += path + "\r\n";
    return out;
}

std::vector<std::string> WithRecentFirst(std::vector<std::string> paths, const std::string& path) {
    paths = WithoutRecent(std::move(paths), path);
    paths.insert(paths.begin(), path);
    if (paths.size() > kMaxRecentRules) paths.resize(kMaxRecentRules);
    return paths;
}

std::vector<std::string> WithoutRecent(std::vector<std::string> paths, const std::string& path) {
    paths.erase(std::remove_if(paths.begin(), paths.end(), [&](const std::string& p) { return SamePath(p, path); }),
                paths.end());
    return paths;
}
