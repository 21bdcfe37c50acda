#pragma once

#include <cstdint>

// A moment broken down in UTC on the proleptic Gregorian calendar.
// month is 1..12, day 1..31; year is the full year (1969, 2024, ...). The break-down
// is the platform's calendar arithmetic (CalendarFields of platform/civil_time.h).
struct UtcDateTime {
    int64_t year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

// Field-by-field comparison: year, month, day, hour, minute, second.
// Returns <0, 0 or >0.
int CompareUtcDateTime(const UtcDateTime& a, const UtcDateTime& b);
