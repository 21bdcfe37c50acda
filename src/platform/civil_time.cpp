#include "platform/civil_time.h"

#include <limits>

namespace {

constexpr int64_t kSecondsPerDay = 86400;
constexpr int64_t kMaxSeconds = std::numeric_limits<int64_t>::max();
constexpr int64_t kMinSeconds = std::numeric_limits<int64_t>::min();
// Far enough out that the seconds of such a year lie beyond the 64-bit range whatever
// the other fields say, and near enough that the day count cannot overflow.
constexpr int64_t kYearLimit = int64_t{1} << 40;

int64_t FloorDiv(int64_t a, int64_t b) {
    int64_t q = a / b;
    return (a % b != 0 && ((a < 0) != (b < 0))) ? q - 1 : q;
}

// days * 86400 + inDay (0 <= inDay < 86400), cut to the 64-bit range instead of overflowing.
int64_t DaySeconds(int64_t days, int64_t inDay) {
    if (days >= 0) return days <= (kMaxSeconds - inDay) / kSecondsPerDay ? days * kSecondsPerDay + inDay : kMaxSeconds;
    // Division truncates towards zero, so this day starts within the range; so may the
    // day before it, in part.
    const int64_t firstWholeDay = kMinSeconds / kSecondsPerDay;
    if (days >= firstWholeDay) return days * kSecondsPerDay + inDay;
    if (days < firstWholeDay - 1) return kMinSeconds;
    const int64_t start = firstWholeDay * kSecondsPerDay, back = kSecondsPerDay - inDay;
    return back <= start - kMinSeconds ? start - back : kMinSeconds;
}

// Days since 1970-01-01 of a date whose month and day are in range. Counting in eras of
// 400 years (146097 days) keeps the arithmetic exact for any year, before 1970 included.
int64_t DaysFromCivil(int64_t year, int month, int day) {
    year -= month <= 2 ? 1 : 0;
    const int64_t era = FloorDiv(year, 400);
    const int64_t yearOfEra = year - era * 400;                              // 0..399
    const int64_t monthFromMarch = month > 2 ? month - 3 : month + 9;        // 0..11
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + day - 1;      // 0..365
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

}  // namespace

int64_t CalendarSeconds(int64_t year, int month, int day, int hour, int minute, int second) {
    if (year > kYearLimit) return kMaxSeconds;
    if (year < -kYearLimit) return kMinSeconds;
    const int64_t monthIndex = static_cast<int64_t>(month) - 1;
    const int64_t fullYear = year + FloorDiv(monthIndex, 12);
    const int inYearMonth = static_cast<int>(monthIndex - FloorDiv(monthIndex, 12) * 12) + 1;
    const int64_t days = DaysFromCivil(fullYear, inYearMonth, 1) + (static_cast<int64_t>(day) - 1);
    const int64_t inDays = static_cast<int64_t>(hour) * 3600 + static_cast<int64_t>(minute) * 60 + second;
    const int64_t extraDays = FloorDiv(inDays, kSecondsPerDay);
    return DaySeconds(days + extraDays, inDays - extraDays * kSecondsPerDay);
}

LocalTime CalendarFields(int64_t seconds) {
    // Split without multiplying back: days * 86400 leaves the 64-bit range near its ends.
    int64_t days = seconds / kSecondsPerDay;
    int64_t inDay = seconds % kSecondsPerDay;
    if (inDay < 0) {
        inDay += kSecondsPerDay;
        --days;
    }

    const int64_t shifted = days + 719468;  // days since 0000-03-01
    const int64_t era = FloorDiv(shifted, 146097);
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    const int64_t month = monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9;
    int64_t year = yearOfEra + era * 400 + (month <= 2 ? 1 : 0);

    if (year > std::numeric_limits<int>::max()) year = std::numeric_limits<int>::max();
    if (year < std::numeric_limits<int>::min()) year = std::numeric_limits<int>::min();

    LocalTime t;
    t.year = static_cast<int>(year);
    t.month = static_cast<int>(month);
    t.day = static_cast<int>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    t.hour = static_cast<int>(inDay / 3600);
    t.minute = static_cast<int>(inDay / 60 % 60);
    t.second = static_cast<int>(inDay % 60);
    return t;
}

LocalTime NormalizeCalendar(int year, int month, int day, int hour, int minute, int second) {
    return CalendarFields(CalendarSeconds(year, month, day, hour, minute, second));
}
