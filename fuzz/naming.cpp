// Any bytes become renaming options, an old name and a counter, as a settings file
// could give them (damaged UTF-8 included); every composition must produce a
// well-formed UTF-8 name without tripping a check.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "naming/advanced_name.h"
#include "naming/basic_name.h"
#include "naming/case_map.h"
#include "naming/counter.h"
#include "naming/name_checks.h"
#include "naming/option_rules.h"
#include "naming/position_field.h"
#include "naming/preview_line.h"
#include "naming/rename_options.h"
#include "naming/split_name.h"
#include "naming/utf8.h"

namespace {

constexpr std::size_t kHeaderSize = 24;

void Require(bool condition) {
    if (!condition) __builtin_trap();
}

// Small signed numbers, so that every radio value and its out-of-range neighbours occur.
int Small(uint8_t b) {
    return static_cast<int8_t>(b) % 5;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    if (size < kHeaderSize + 1) return 0;
    const uint8_t* h = data;
    // The byte after the header separates the text fields, so any byte can occur in them.
    const char sep = static_cast<char>(data[kHeaderSize]);
    std::vector<std::string> f(15);
    std::size_t field = 0;
    for (std::size_t i = kHeaderSize + 1; i < size && field < f.size(); ++i) {
        const char c = static_cast<char>(data[i]);
        if (c == sep)
            ++field;
        else
            f[field].push_back(c);
    }

    RenameOptions o;
    o.m_bPrefixUpper = h[0] & 1;
    o.m_bPrefixLower = h[0] & 2;
    o.m_bExtUpper = h[0] & 4;
    o.m_bExtLower = h[0] & 8;
    o.m_bChangePrefix = h[0] & 16;
    o.m_bChangeExt = h[0] & 32;
    o.m_bCountPrefix = h[0] & 64;
    o.m_bCountExt = h[0] & 128;
    o.m_bAlphaCount = h[1] & 1;
    o.m_bInsert = h[1] & 2;
    o.m_bReplace = h[1] & 4;
    o.m_bInsAfter = h[1] & 8;
    o.m_bInsBefore = h[1] & 16;
    o.m_bCaseSensitive = h[1] & 32;
    o.m_bSearchBack = h[1] & 64;
    o.m_nPrefixPos = Small(h[2]);
    o.m_nExtPos = Small(h[3]);
    o.m_nApplyTo = Small(h[4]);
    const std::string& oldName = f[0];
    o.m_strNewPrefix = f[1];
    o.m_strNewExt = f[2];
    o.m_strIncrement = f[3];
    o.m_strStartCount = f[4];
    o.m_strInsStr1 = f[5];
    o.m_strInsStr2 = f[6];
    o.m_strInsAtPos = f[7];
    o.m_strReStr1 = f[8];
    o.m_strReStr2 = f[9];
    o.m_strReFromPos = f[10];
    o.m_strReToPos = f[11];
    const std::string& counterArg = f[12];

    // Counter: set-up, text, stepping, conversions and field checks.
    CounterSetUp setUp = SetUpCounter(o.m_strStartCount, o.m_strIncrement, o.m_bAlphaCount != 0);
    Require(setUp.zeroIncrement == (setUp.state.increment == 0));
    std::string counterText = FormatCounter(setUp.state);
    Require(counterText.size() <= static_cast<std::size_t>(kMaxCounterWidth));
    for (int i = 0; i < (h[5] & 7); ++i) {
        const CounterState before = setUp.state;
        if (!StepCounter(setUp.state, (h[6] >> i) & 1)) {
            Require(before.value == setUp.state.value);
            Require(before.value + before.increment < before.value);
            break;
        }
        Require(FormatCounter(setUp.state).size() <= static_cast<std::size_t>(kMaxCounterWidth));
    }
    CounterState raw;
    raw.value = ParseCounterText(counterArg, h[7] & 1);
    raw.increment = ParseCounterText(o.m_strIncrement, false);
    raw.width = static_cast<int8_t>(h[8]);
    raw.upper = h[7] & 2;
    raw.alpha = h[7] & 4;
    Require(ParseCounterText(ToRadixText(raw.value, 10, true), false) == raw.value);
    Require(ParseCounterText(ToRadixText(raw.value, 26, raw.upper), true) == raw.value);
    Require(FormatCounter(raw).size() <= static_cast<std::size_t>(kMaxCounterWidth));
    ToRadixText(raw.value, static_cast<int8_t>(h[9]), raw.upper);
    ConvertStartCountOnAlphaSwitch(o.m_strStartCount, h[7] & 8);
    const FieldVerdict verdict = CheckStartCountText(o.m_strStartCount, o.m_bAlphaCount != 0);
    Require((verdict.check == FieldCheck::RejectWithNotice) == !verdict.notice.empty());
    CheckIncrementText(o.m_strIncrement);
    for (int i = 7; i <= 11; ++i)
        if (IsPositionTextAccepted(f[i])) Require(ParsePositionNumber(f[i]) <= kMaxPositionValue);

    // Text: case mapping keeps the number of characters; comparisons agree with folding.
    const std::size_t oldChars = CountCodePoints(oldName);
    Require(IsValidUtf8(ToValidUtf8(oldName)) && CountCodePoints(ToValidUtf8(oldName)) == oldChars);
    std::string upper = oldName, lower = oldName;
    MakeUpper(upper);
    MakeLower(lower);
    Require(IsValidUtf8(upper) && CountCodePoints(upper) == oldChars);
    Require(IsValidUtf8(lower) && CountCodePoints(lower) == oldChars && FoldCase(oldName) == lower);
    const int c = CompareNoCase(oldName, f[1]);
    const int folded = FoldCase(oldName).compare(FoldCase(f[1]));
    Require(c == -CompareNoCase(f[1], oldName) && c == (folded > 0) - (folded < 0));
    Require(CompareNoCase(oldName, lower) == 0);
    for (std::size_t n = 0; n <= oldChars + 1; n += 1 + n / 4)
        Require(CountCodePoints(oldName.substr(0, CodePointOffset(oldName, n))) == std::min(n, oldChars));
    const NameProblem problem = FindNameProblem(oldName);
    // The file system counts UTF-16 units: one a character, two beyond U+FFFF.
    const std::size_t units = CountUtf16Units(oldName);
    Require(units >= oldChars && units <= 2 * oldChars);
    Require((problem.kind == NameProblem::Kind::kTooLong) == (units > kMaxNewNameLength));
    const std::vector<std::string> twins = {f[13], oldName, f[14], lower};
    const int twin = FindDuplicateName(twins);
    Require(twin >= 0 && twin <= 1);

    // Compositions.
    const std::string basic = ComposeBasicBareName(o, oldName, counterText);
    Require(IsValidUtf8(basic));
    if (!o.m_bChangePrefix && !o.m_bChangeExt) {
        const NameParts parts = SplitName(oldName);
        Require(basic == ToValidUtf8(parts.prefix + "." + parts.extension));
    }
    std::string advanced;
    const int status = ComposeAdvancedBareName(o, oldName, advanced);
    Require(status == 1 || (status == kAdvancedNotFilledIn && advanced.empty()));
    Require(IsValidUtf8(advanced));
    const SearchMatch m = FindSearchText(oldName, f[8], o.m_bCaseSensitive != 0);
    Require(!m.found || m.start + m.length <= oldChars);
    Require(IsValidUtf8(RealTimePreviewText(o)));

    // Option changes as the window lets them happen (enabled controls only), from the
    // start values: whatever the order, the options stay consistent.
    const std::vector<OptionBinding>& bindings = OptionBindings();
    RenameOptions w;
    for (std::size_t i = 11; i < kHeaderSize; ++i) {
        const OptionBinding& b = bindings[h[i] % bindings.size()];
        const std::vector<int> enabled = EnabledControls(w);
        const std::vector<int>& basicGroup = BasicGroupControls();
        const std::vector<int>& advancedGroup = AdvancedGroupControls();
        const bool ruled = std::count(basicGroup.begin(), basicGroup.end(), b.control) +
                           std::count(advancedGroup.begin(), advancedGroup.end(), b.control);
        if (ruled && !std::count(enabled.begin(), enabled.end(), b.control)) continue;
        OptionChange change;
        change.control = b.control;
        if (b.kind == ControlKind::CheckBox) change.value = !(w.*b.flag);
        if (b.kind == ControlKind::RadioGroup) change.value = h[i] / bindings.size() % b.buttons;
        if (b.kind == ControlKind::Text) change.text = f[h[i] / bindings.size() % f.size()];
        if (b.kind == ControlKind::Number) continue;
        const OptionOutcome out = ApplyOptionChange(w, change);
        Require(!out.refused || w.*b.text == out.options.*b.text);
        w = out.options;
        Require(!(w.m_bPrefixUpper && w.m_bPrefixLower) && !(w.m_bExtUpper && w.m_bExtLower));
        Require(!(w.m_bCountPrefix && w.m_bCountExt) && !(w.m_bInsBefore && w.m_bInsAfter));
        Require((!w.m_bCountPrefix || w.m_bChangePrefix) && (!w.m_bCountExt || w.m_bChangeExt));
        Require(!((w.m_bChangePrefix || w.m_bChangeExt) && (w.m_bInsert || w.m_bReplace)));
        Require(!(w.m_bInsert && w.m_bReplace));
        Require(w.m_strInsStr2.empty() || w.m_strInsAtPos.empty());
        Require(w.m_strReStr1.empty() || (w.m_strReFromPos.empty() && w.m_strReToPos.empty()));
        Require(w.m_strPreview == RealTimePreviewText(w));
        Require(IsValidUtf8(w.m_strPreview));
    }
    return 0;
}
