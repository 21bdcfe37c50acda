#include <gtest/gtest.h>

#include <vector>

#include "naming/counter.h"

namespace {

struct SequenceCase {
    const char* start;
    const char* increment;
    bool alpha;
    std::vector<std::string> texts;
};

const SequenceCase kSequences[] = {
    {"001", "1", false, {"001", "002", "003"}}, {"8", "2", false, {"8", "10", "12", "14"}},
    {"Y", "1", true, {"Y", "Z", "BA"}},         {"aY", "1", true, {"ay", "az", "ba"}},
    {"", "1", true, {"a", "b", "c"}},           {"", "1", false, {"1", "2", "3"}},
    {"0", "1", false, {"0", "1"}},              {"000", "1", false, {"000", "001"}},
    {"AAA", "1", true, {"AAA", "AAB"}},         {"AB-C", "1", true, {"AAAB", "AAAC"}},
    {"", "", false, {"1", "2"}},                {"HLHXCZMXSYUMQP", "1", true, {"HLHXCZMXSYUMQP"}},
    // A starting text longer than 20 characters can come only from a settings file.
    {"0000000000000000000000000007", "1", false, {"00000000000000000007"}},
    // The width counts characters, those the parse skips too.
    {"ä1", "1", true, {"aa", "ab"}}, {"é7", "1", false, {"00", "01"}},
};

TEST(Counter, GivesTheTexts) {
    for (const SequenceCase& c : kSequences) {
        CounterSetUp s = SetUpCounter(c.start, c.increment, c.alpha);
        EXPECT_FALSE(s.zeroIncrement) << c.start;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(c.texts[i], FormatCounter(s.state)) << c.start << " file " << i;
            EXPECT_TRUE(StepCounter(s.state, i + 1 == c.texts.size())) << c.start;
        }
    }
}

TEST(Counter, OverflowOnlyBeforeAnotherFile) {
    CounterState s = SetUpCounter("18446744073709551615", "1", false).state;
    EXPECT_EQ("18446744073709551615", FormatCounter(s));
    CounterState one = s;
    EXPECT_TRUE(StepCounter(one, true));          // one file: no check after the last
    EXPECT_FALSE(StepCounter(s, false));          // two files: stop before the second
    EXPECT_EQ(18446744073709551615u, s.value);
    CounterState big{18446744073709551610u, 5, 1, false, false};
    EXPECT_TRUE(StepCounter(big, false));         // exactly 2^64 - 1 still fits
    EXPECT_FALSE(StepCounter(big, false));
}

TEST(Counter, IncrementSetUp) {
    EXPECT_TRUE(SetUpCounter("1", "0", false).zeroIncrement);
    EXPECT_TRUE(SetUpCounter("1", "x5", false).zeroIncrement);
    EXPECT_EQ(5u, SetUpCounter("1", "5x", false).state.increment);
    EXPECT_EQ(1u, SetUpCounter("1", "", false).state.increment);
}

TEST(Counter, RadixTextAndParse) {
    EXPECT_EQ("", ToRadixText(0, 10, true));  // callers pad a zero themselves
    EXPECT_EQ("FF", ToRadixText(255, 16, false));
    EXPECT_EQ("HLHXCZMXSYUMQP", ToRadixText(18446744073709551615u, 26, true));
    EXPECT_EQ(18446744073709551615u, ParseCounterText("hlhxczmxsyumqp", true));
    EXPECT_EQ(0u, ParseCounterText("18446744073709551616", false));  // wraps
}

// The length limit counts characters (the other limits: option_rules_test.cpp).
TEST(Counter, StartingValueLengthCountsCharacters) {
    EXPECT_EQ(FieldCheck::Accept, CheckStartCountText("ÉÉÉÉÉÉÉÉÉÉÉÉÉ", true).check);  // 13 characters, 26 bytes
}

}  // namespace
