// Calendar arithmetic on the proleptic Gregorian calendar, with no time zone attached.
// The services turn a local date and time into a count of seconds by way of it: the
// fields are first run into their ranges here (as the C runtime's mktime does), and only
// the normalised date and time are handed to the platform's time-zone rules.
#pragma once

#include "platform/file_services.h"

#include <cstdint>

// The years a time value of the platform can hold (its 100-ns count from 1601 on).
constexpr int kFirstPlatformYear = 1601;
constexpr int kLastPlatformYear = 30827;

// Seconds since 1970-01-01 00:00:00 of the given fields read on one clock. No field is
// held to its range: month 13 is January of the next year, February 30 is March 2 (or
// March 1 in a leap year), day 0 the last day of the month before, hour -1 the last hour
// of the day before. A count beyond the 64-bit range is cut to it.
int64_t CalendarSeconds(int64_t year, int month, int day, int hour, int minute, int second);

// The fields of such a count, each in its range. A year beyond the range of int is cut
// to it (the other fields then mean nothing).
LocalTime CalendarFields(int64_t seconds);

// The fields run into their ranges; CalendarFields(CalendarSeconds(...)).
LocalTime NormalizeCalendar(int year, int month, int day, int hour, int minute, int second);
