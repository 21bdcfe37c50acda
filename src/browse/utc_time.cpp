#include "browse/utc_time.h"

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kDaysPer400Years = 146097;
// Days from 0000-03-01 to 1970-01-01: counting years from March puts the leap
// day at the end of a year, which keeps the month arithmetic linear.
constexpr int64_t kEpochShift = 719468;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    if ((a % b) != 0 && ((a < 0) != (b < 0)))
        --q;
    return q;
}

}  // namespace

UtcDateTime BreakDownUtc(int64_t secondsSince1970) {
    int64_t days = secondsSince1970 / kSecondsPerDay;
    int64_t secs = secondsSince1970 % kSecondsPerDay;
    if (secs < 0) {  // the remainder, not days * 86400, so INT64_MIN cannot overflow
        secs += kSecondsPerDay;
        --days;
    }

    const int64_t z = days + kEpochShift;
    const int64_t era = FloorDiv(z, kDaysPer400Years);
    const int64_t dayOfEra = z - era * kDaysPer400Years;                                     // [0, 146096]
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;  // [0, 399]
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);  // [0, 365], from March 1
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;                                // [0, 11]

    UtcDateTime t;
    t.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    t.month = static_cast<int>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    t.year = yearOfEra + era * 400 + (t.month <= 2 ? 1 : 0);
    t.hour = static_cast<int>(secs / 3600);
    t.minute = static_cast<int>(secs / 60 % 60);
    t.second = static_cast<int>(secs % 60);
    return t;
}

int64_t UtcSecondsFromDateTime(const UtcDateTime& t) {
    const int64_t y = t.year - (t.month <= 2 ? 1 : 0);
    const int64_t era = FloorDiv(y, 400);
    const int64_t yearOfEra = y - era * 400;
    const int64_t monthFromMarch = t.month > 2 ? t.month - 3 : t.month + 9;
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + t.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    const int64_t days = era * kDaysPer400Years + dayOfEra - kEpochShift;
    const int64_t secondOfDay = t.hour * 3600 + t.minute * 60 + t.second;
    // For negative days go through the day after, so the earliest moments of
    // the range do not pass below INT64_MIN on the way.
    if (days < 0)
        return (days + 1) * kSecondsPerDay + (secondOfDay - kSecondsPerDay);
    return days * kSecondsPerDay + secondOfDay;
}

int CompareUtcDateTime(const UtcDateTime& a, const UtcDateTime& b) {
    if (a.year != b.year)
        return a.year < b.year ? -1 : 1;
    const int fa[5] = {a.month, a.day, a.hour, a.minute, a.second};
    const int fb[5] = {b.month, b.day, b.hour, b.minute, b.second};
    for (int i = 0; i < 5; ++i)
        if (fa[i] != fb[i])
            return fa[i] < fb[i] ? -1 : 1;
    return 0;
}
