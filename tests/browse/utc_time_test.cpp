#include "browse/utc_time.h"

#include <gtest/gtest.h>

#include <limits>

namespace {

struct UtcCase {
    int64_t seconds;
    UtcDateTime expected;
};

bool Same(const UtcDateTime& a, const UtcDateTime& b) {
    return a.year == b.year && a.month == b.month && a.day == b.day && a.hour == b.hour &&
           a.minute == b.minute && a.second == b.second;
}

class UtcTable : public ::testing::TestWithParam<UtcCase> {};

TEST_P(UtcTable, BreaksDown) {
    const UtcDateTime t = BreakDownUtc(GetParam().seconds);
    EXPECT_TRUE(Same(t, GetParam().expected))
        << t.year << "-" << t.month << "-" << t.day << " " << t.hour << ":" << t.minute << ":" << t.second;
    EXPECT_EQ(UtcSecondsFromDateTime(t), GetParam().seconds);
}

INSTANTIATE_TEST_SUITE_P(Moments, UtcTable, ::testing::Values(
    UtcCase{0, {1970, 1, 1, 0, 0, 0}}, UtcCase{-1, {1969, 12, 31, 23, 59, 59}},
    UtcCase{951782400, {2000, 2, 29, 0, 0, 0}}, UtcCase{2147483647, {2038, 1, 19, 3, 14, 7}},
    UtcCase{2147483648, {2038, 1, 19, 3, 14, 8}}, UtcCase{4107542399, {2100, 2, 28, 23, 59, 59}},
    UtcCase{4107542400, {2100, 3, 1, 0, 0, 0}}, UtcCase{-2203891200, {1900, 3, 1, 0, 0, 0}},
    UtcCase{-62135596800, {1, 1, 1, 0, 0, 0}}, UtcCase{253402300799, {9999, 12, 31, 23, 59, 59}},
    UtcCase{std::numeric_limits<int64_t>::max(), {292277026596, 12, 4, 15, 30, 7}},
    UtcCase{std::numeric_limits<int64_t>::min(), {-292277022657, 1, 27, 8, 29, 52}}));

// Walk day by day with a calendar counter that knows nothing but month
// lengths and the leap-year rule, across four centuries on both sides of 1970.
TEST(UtcBreakDown, AgreesWithDayByDayCalendar) {
    int64_t y = 1600;
    int m = 1, d = 1;
    const int64_t firstDay = -135140;  // 1600-01-01 counted in days from 1970-01-01
    for (int64_t day = firstDay; day < firstDay + 800 * 366; ++day) {
        const int64_t at = day * 86400 + 3723;  // 01:02:03 that day
        const UtcDateTime t = BreakDownUtc(at);
        ASSERT_TRUE(Same(t, UtcDateTime{y, m, d, 1, 2, 3})) << "day " << day;
        ASSERT_EQ(UtcSecondsFromDateTime(t), at);
        const bool leap = (y % 4 == 0 && y % 100 != 0) || y % 400 == 0;
        const int lengths[12] = {31, leap ? 29 : 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
        if (++d > lengths[m - 1]) {
            d = 1;
            if (++m > 12) {
                m = 1;
                ++y;
            }
        }
    }
}

}  // namespace
