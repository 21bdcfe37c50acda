// The text forms of dates and times in the options and file status windows.
//
// Shown as "MM/DD/YYYY" and "HH:MM:SS"; read back forgivingly: whatever cannot
// be read keeps its start value and every number is pulled into its range, so
// reading never fails and never shows a message.
#pragma once

#include <string>

// "%02d/%02d/%04d": month and day at least two digits, the year at least four.
std::string FormatDate(int month, int day, int year);

// "%02d:%02d:%02d"; used for times of day and for the time step alike.
std::string FormatTime(int hour, int minute, int second);

// Starts from 1/1/1980, then reads "M/D/Y", else "M-D-Y", else "MMDDYYYY"
// (two, two and up to four characters), each attempt overwriting only the
// fields it reached. Afterwards year >= 1980 (no upper limit), month 1..12,
// day 1..31; the day is not checked against the length of the month.
void ParseDate(const std::string& text, int& month, int& day, int& year);

// The last year a date text may give. Four digits fill the date box, so a later
// year would be shown in a form the box refuses to give back; and every date up
// to it can be turned into a time stamp.
constexpr int kLastDateYear = 9999;

// False when the text, read by ParseDate, gives a year after kLastDateYear: such
// a date is refused rather than taken.
bool IsDateAccepted(const std::string& text);

// Starts from 0:00:00, then reads "H:M:S", else "H-M-S", else "HHMMSS", the
// same way. Afterwards hour 0..23, minute and second 0..59.
void ParseTime(const std::string& text, int& hour, int& minute, int& second);
