#pragma once

#include <cstdint>
#include <string>

// The counter that numbers the files of one rename run. Its value is an unsigned
// 64-bit number written in decimal digits or in letters (A = 0 ... Z = 25), padded on
// the left to the width of the starting value as typed.

// No counter text is longer than this: the width is limited to it, and the largest
// value takes 20 decimal digits (14 letters).
constexpr int kMaxCounterWidth = 20;

// Texts of the message boxes the counter's users show.
extern const char* const kCounterOverflowText;       // title kCounterOverflowTitle
extern const char* const kCounterOverflowTitle;
extern const char* const kZeroIncrementText;         // title kZeroIncrementTitle
extern const char* const kZeroIncrementTitle;
extern const char* const kCounterNoticeTitle;        // title of the field limit notices
extern const char* const kMaxDecimalCounterText;     // "18446744073709551615"
extern const char* const kMaxAlphaCounterText;       // "HLHXCZMXSYUMQP"

struct CounterState {
    uint64_t value = 1;      // what the next file gets
    uint64_t increment = 1;  // at least 1 once set up
    int width = 1;           // pad the text up to this many characters
    bool upper = false;      // letter case of an alphabetical counter
    bool alpha = false;      // written in letters instead of digits
};

// Value of the leading run of digits (decimal) or letters (alphabetical, case
// ignored) of the text; 0 when there is none. Wraps modulo 2^64: only texts that the
// field checks would refuse can make it wrap.
uint64_t ParseCounterText(const std::string& text, bool alpha);

// 0 gives the empty text (callers that need a visible zero pad it). A remainder below
// 10 of a radix up to 16 is a digit, above it an upper-case letter; from radix 17 on
// every remainder is a letter from A (or a) up. A radix outside 2..36 gives "".
std::string ToRadixText(uint64_t value, int radix, bool upper);

// The counter's text for the current value: padded with "0" (decimal) or with "A"/"a"
// (alphabetical) up to the width, which counts as at most kMaxCounterWidth. A text
// longer than the width is never cut.
std::string FormatCounter(const CounterState& state);

// The counter of a run, made from the "Starting value:" and "Increment by:" texts.
struct CounterSetUp {
    CounterState state;
    // The increment reads as 0 (also when it starts with a non-digit): the run must
    // show kZeroIncrementText and end before anything is renamed.
    bool zeroIncrement = false;
};

// The width is the length of the starting text (every character counts, also those
// the parse skips), limited to kMaxCounterWidth, which only a settings file can exceed;
// an empty starting text counts from 1 (decimal) or from "a" (alphabetical); an empty
// increment text steps by 1.
CounterSetUp SetUpCounter(const std::string& startCount, const std::string& increment,
                          bool alpha);

// Steps the counter after a file. Returns false, leaving the value as it was, when the
// file was not the last one and value + increment would not fit into 64 bits (the run
// then stops with kCounterOverflowText). After the last file the sum is not checked.
bool StepCounter(CounterState& state, bool lastFile);

// The starting value after "Alphabetical count" was switched: the value is kept, not
// the width ("001" becomes "B", "B" becomes "1", a value of 0 an empty text).
std::string ConvertStartCountOnAlphaSwitch(const std::string& startCount, bool nowAlpha);

// Checks of the counter fields on each change, given the text as it now reads.
enum class FieldCheck {
    Accept,
    Reject,            // put the old text back and beep
    RejectWithNotice,  // the same, after a notice box (title kCounterNoticeTitle)
};

struct FieldVerdict {
    FieldCheck check = FieldCheck::Accept;
    std::string notice;  // "Cannot exceed ..." when check is RejectWithNotice
};

// "Starting value:": decimal mode takes digits only, up to 18446744073709551615;
// alphabetical mode takes anything but digits, at most 14 characters, up to
// HLHXCZMXSYUMQP ignoring case.
FieldVerdict CheckStartCountText(const std::string& text, bool alpha);

// "Increment by:": digits only (empty and "0" pass; the run refuses a zero increment).
FieldCheck CheckIncrementText(const std::string& text);
