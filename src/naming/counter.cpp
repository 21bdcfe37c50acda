#include "naming/counter.h"

#include "naming/case_map.h"
#include "naming/utf8.h"

const char* const kCounterOverflowText = "Counter Overflow!";
const char* const kCounterOverflowTitle = "Error";
const char* const kZeroIncrementText = "Increment must be 1 or larger!";
const char* const kZeroIncrementTitle = "Error:";
const char* const kCounterNoticeTitle = "Notice!";
const char* const kMaxDecimalCounterText = "18446744073709551615";
const char* const kMaxAlphaCounterText = "HLHXCZMXSYUMQP";

namespace {

constexpr std::string::size_type kMaxAlphaLength = 14;
constexpr std::string::size_type kMaxDecimalLength = 20;

}  // namespace

uint64_t ParseCounterText(const std::string& text, bool alpha) {
    uint64_t value = 0;
    for (char c : text) {
        if (alpha) {
            if (!IsLetterAscii(c)) break;
            value = value * 26u + static_cast<uint64_t>(ToUpperAscii(c) - 'A');
        } else {
            if (!IsDigitAscii(c)) break;
            value = value * 10u + static_cast<uint64_t>(c - '0');
        }
    }
    return value;
}

std::string ToRadixText(uint64_t value, int radix, bool upper) {
    if (radix < 2 || radix > 36) return std::string();
    const uint64_t base = static_cast<uint64_t>(radix);
    std::string reversed;
    while (value != 0) {
        const int d = static_cast<int>(value % base);
        value /= base;
        char c;
        if (radix <= 16)
            c = static_cast<char>(d < 10 ? '0' + d : 'A' + (d - 10));
        else
            c = static_cast<char>((upper ? 'A' : 'a') + d);
        reversed.push_back(c);
    }
    return std::string(reversed.rbegin(), reversed.rend());
}

std::string FormatCounter(const CounterState& state) {
    std::string text = ToRadixText(state.value, state.alpha ? 26 : 10, state.upper);
    const int width = state.width < kMaxCounterWidth ? state.width : kMaxCounterWidth;
    if (width > 0 && text.size() < static_cast<std::string::size_type>(width)) {
        const char pad = !state.alpha ? '0' : (state.upper ? 'A' : 'a');
        text.insert(0, static_cast<std::string::size_type>(width) - text.size(), pad);
    }
    return text;
}

CounterSetUp SetUpCounter(const std::string& startCount, const std::string& increment,
                          bool alpha) {
    CounterSetUp setUp;
    CounterState& s = setUp.state;
    s.alpha = alpha;
    if (!startCount.empty()) {
        const std::size_t length = CountCodePoints(startCount);
        s.width = length < static_cast<std::size_t>(kMaxCounterWidth) ? static_cast<int>(length)
                                                                      : kMaxCounterWidth;
        if (alpha) s.upper = startCount[0] >= 'A' && startCount[0] <= 'Z';
        s.value = ParseCounterText(startCount, alpha);
    } else {
        s.width = 1;
        s.upper = false;
        s.value = alpha ? 0 : 1;
    }
    if (!increment.empty()) {
        s.increment = ParseCounterText(increment, false);
        setUp.zeroIncrement = s.increment == 0;
    } else {
        s.increment = 1;
    }
    return setUp;
}

bool StepCounter(CounterState& state, bool lastFile) {
    const uint64_t next = state.value + state.increment;  // wraps when it doesn't fit
    if (!lastFile && next < state.value) return false;
    state.value = next;
    return true;
}

std::string ConvertStartCountOnAlphaSwitch(const std::string& startCount, bool nowAlpha) {
    if (nowAlpha) return ToRadixText(ParseCounterText(startCount, false), 26, true);
    return ToRadixText(ParseCounterText(startCount, true), 10, true);
}

FieldVerdict CheckStartCountText(const std::string& text, bool alpha) {
    FieldVerdict verdict;
    const std::size_t n = CountCodePoints(text);
    if (alpha) {
        if (n > kMaxAlphaLength) {
            verdict.check = FieldCheck::Reject;
            return verdict;
        }
        if (n == kMaxAlphaLength && CompareNoCase(text, kMaxAlphaCounterText) > 0) {
            verdict.check = FieldCheck::RejectWithNotice;
            verdict.notice = std::string("Cannot exceed ") + kMaxAlphaCounterText;
            return verdict;
        }
    } else if (n >= kMaxDecimalLength && CompareBytes(text, kMaxDecimalCounterText) > 0) {
        verdict.check = FieldCheck::RejectWithNotice;
        verdict.notice = std::string("Cannot exceed ") + kMaxDecimalCounterText;
        return verdict;
    }
    for (char c : text) {
        // Letters mode lets blanks and punctuation through: the parse stops at them.
        if (IsDigitAscii(c) == alpha) {
            verdict.check = FieldCheck::Reject;
            return verdict;
        }
    }
    return verdict;
}

FieldCheck CheckIncrementText(const std::string& text) {
    for (char c : text)
        if (!IsDigitAscii(c)) return FieldCheck::Reject;
    return FieldCheck::Accept;
}
