#include "settings/date_time_text.h"

#include <cstdio>

#include "settings/scan_ints.h"

namespace {

int Clamp(int value, int low, int high) {
    if (value < low) return low;
    if (value > high) return high;
    return value;
}

// Three readings in turn, each only while fewer than three numbers were
// converted. Later readings overwrite just the fields they reach, so a
// partial first reading (for example "12/24") keeps its numbers.
void ScanThree(const std::string& text, const char* const formats[3], int& a, int& b, int& c) {
    int* const fields[3] = {&a, &b, &c};
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (ScanInts(text, formats[attempt], fields, 3) >= 3) return;
    }
}

std::string FormatThree(const char* format, int a, int b, int c) {
    char buffer[48];  // three ints of at most 11 characters each plus separators
    std::snprintf(buffer, sizeof buffer, format, a, b, c);
    return buffer;
}

}  // namespace

std::string FormatDate(int month, int day, int year) {
    return FormatThree("%02d/%02d/%04d", month, day, year);
}

std::string FormatTime(int hour, int minute, int second) {
    return FormatThree("%02d:%02d:%02d", hour, minute, second);
}

void ParseDate(const std::string& text, int& month, int& day, int& year) {
    static const char* const kFormats[3] = {"%d/%d/%d", "%d-%d-%d", "%2d%2d%4d"};
    month = 1;
    day = 1;
    year = 1980;
    ScanThree(text, kFormats, month, day, year);
    // A year too large for int was clamped to INT_MAX while reading; having no
    // upper limit here, it stays INT_MAX, and a hugely negative one becomes 1980.
    if (year < 1980) year = 1980;
    month = Clamp(month, 1, 12);
    day = Clamp(day, 1, 31);
}

bool IsDateAccepted(const std::string& text) {
    int month, day, year;
    ParseDate(text, month, day, year);
    return year <= kLastDateYear;
}

void ParseTime(const std::string& text, int& hour, int& minute, int& second) {
    static const char* const kFormats[3] = {"%d:%d:%d", "%d-%d-%d", "%2d%2d%2d"};
    hour = 0;
    minute = 0;
    second = 0;
    ScanThree(text, kFormats, hour, minute, second);
    hour = Clamp(hour, 0, 23);
    minute = Clamp(minute, 0, 59);
    second = Clamp(second, 0, 59);
}
