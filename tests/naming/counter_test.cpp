#include <gtest/gtest.h>

#include <vector>

#include "naming/counter.h"

namespace {

// The texts a counter gives file after file, from its "Starting value:" and "Increment by:" texts.
TEST(Counter, GivesTheTexts) {
    const struct { const char *start, *increment; bool alpha; std::vector<std::string> texts; } cases[] = {
        {"001", "1", false, {"001", "002", "003"}}, {"8", "2", false, {"8", "10", "12", "14"}},
        {"Y", "1", true, {"Y", "Z", "BA"}},         {"aY", "1", true, {"ay", "az", "ba"}},
        {"", "1", true, {"a", "b", "c"}},           {"", "1", false, {"1", "2", "3"}},
        {"0", "1", false, {"0", "1"}},              {"000", "1", false, {"000", "001"}},
        {"AAA", "1", true, {"AAA", "AAB"}},         {"AB-C", "1", true, {"AAAB", "AAAC"}},
        {"", "", false, {"1", "2"}},                {"1", "5x", false, {"1", "6"}},
        {"HLHXCZMXSYUMQP", "1", true, {"HLHXCZMXSYUMQP"}},  // the largest value
        {"18446744073709551610", "5", false, {"18446744073709551610", "18446744073709551615"}},  // exactly fits
        // Starting texts only a settings file can give: longer than 20 characters, or past the largest value.
        {"0000000000000000000000000007", "1", false, {"00000000000000000007"}},
        {"18446744073709551616", "1", false, {"00000000000000000000", "00000000000000000001"}},  // wraps
    };
    for (const auto& c : cases) {
        CounterSetUp s = SetUpCounter(c.start, c.increment, c.alpha);
        ASSERT_FALSE(s.zeroIncrement) << c.start;
        for (std::size_t i = 0; i < c.texts.size(); ++i) {
            EXPECT_EQ(c.texts[i], FormatCounter(s.state)) << c.start << " file " << i;
            EXPECT_TRUE(StepCounter(s.state, i + 1 == c.texts.size()));
        }
    }
}

}  // namespace
