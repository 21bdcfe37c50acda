#pragma once

#include <cstdint>

// A moment broken down in UTC on the proleptic Gregorian calendar.
// month is 1..12, day 1..31; year is the full year (1969, 2024, ...), held in
// 64 bits so that every 64-bit second count has a break-down.
struct UtcDateTime {
    int64_t year;
    int month;
    int day;
    int hour;
    int minute;
    int second;
};

// Breaks seconds since 1970-01-01 00:00:00 UTC down into calendar fields.
// Works for the whole int64_t range: before 1970, after 2038, and without
// the C runtime (whose gmtime fails for negative times on some platforms).
UtcDateTime BreakDownUtc(int64_t secondsSince1970);

// The inverse of BreakDownUtc: exact for every moment BreakDownUtc can
// return (fields in their normal ranges, the whole int64_t second range).
int64_t UtcSecondsFromDateTime(const UtcDateTime& t);

// Field-by-field comparison: year, month, day, hour, minute, second.
// Returns <0, 0 or >0.
int CompareUtcDateTime(const UtcDateTime& a, const UtcDateTime& b);
