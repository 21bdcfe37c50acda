#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "settings/date_time_text.h"
#include "settings/scan_ints.h"

namespace {

struct ThreeCase {
    const char* text;
    int a, b, c;
};

const ThreeCase kDates[] = {
    {"12/24/2003", 12, 24, 2003}, {"12-24-2003", 12, 24, 2003}, {"12242003", 12, 24, 2003},
    {"5/6/2001", 5, 6, 2001},     {"12/24", 12, 24, 1980},      {"07/14/03", 7, 14, 1980},
    {"13/32/1999", 12, 31, 1999}, {"0/0/0", 1, 1, 1980},        {"2/30/1999", 2, 30, 1999},
    {"", 1, 1, 1980},             {"   ", 1, 1, 1980},          {"2000", 12, 1, 1980},
    {"12/24/2003x", 12, 24, 2003}, {" 1/ 2/ 1999", 1, 2, 1999}, {"+3/+4/+2001", 3, 4, 2001},
    // A blank before a literal is a mismatch; the last attempt keeps only "12".
    {"12 /24/2003", 12, 1, 1980},
    // The first attempt's two numbers survive the later, shorter attempts.
    {"12/24-2003", 12, 24, 1980},
    // A width counts the sign: "-1", "22", "4200".
    {"-12242003", 1, 22, 4200},
    {"122", 12, 2, 1980},         {"1224200399", 12, 24, 2003},
    // Too large for int: clamped while reading, then into range; a huge year stays huge.
    {"99999999999/1/1", 12, 1, 1980}, {"1/1/99999999999", 1, 1, INT_MAX},
    {"1/1/-99999999999", 1, 1, 1980},
};

const ThreeCase kTimes[] = {
    {"235959", 23, 59, 59}, {"25:61:61", 23, 59, 59}, {"-1:30:00", 0, 30, 0},
    {"12:30", 12, 30, 0},   {"", 0, 0, 0},            {"1:00:00", 1, 0, 0},
    {"23-59-59", 23, 59, 59}, {"7:5", 7, 5, 0},       {" 1: 2: 3", 1, 2, 3},
    {"12:30x", 12, 30, 0},  {"1234", 12, 34, 0},      {"12345", 12, 34, 5},
    {"-99999999999:99999999999:-5", 0, 59, 0},
};

TEST(DateTimeText, ParseDate) {
    for (const ThreeCase& t : kDates) {
        int month = -7, day = -7, year = -7;
        ParseDate(t.text, month, day, year);
        EXPECT_EQ(month, t.a) << t.text;
        EXPECT_EQ(day, t.b) << t.text;
        EXPECT_EQ(year, t.c) << t.text;
        int m2, d2, y2;  // what is shown reads back the same
        ParseDate(FormatDate(month, day, year), m2, d2, y2);
        EXPECT_TRUE(m2 == month && d2 == day && y2 == year) << t.text;
    }
}

TEST(DateTimeText, ParseTime) {
    for (const ThreeCase& t : kTimes) {
        int hour = -7, minute = -7, second = -7;
        ParseTime(t.text, hour, minute, second);
        EXPECT_EQ(hour, t.a) << t.text;
        EXPECT_EQ(minute, t.b) << t.text;
        EXPECT_EQ(second, t.c) << t.text;
        int h2, m2, s2;
        ParseTime(FormatTime(hour, minute, second), h2, m2, s2);
        EXPECT_TRUE(h2 == hour && m2 == minute && s2 == second) << t.text;
    }
}

TEST(DateTimeText, Format) {
    EXPECT_EQ(FormatDate(5, 6, 2001), "05/06/2001");
    EXPECT_EQ(FormatDate(12, 31, 999), "12/31/0999");
    EXPECT_EQ(FormatDate(1, 1, INT_MAX), "01/01/2147483647");
    EXPECT_EQ(FormatTime(0, 0, 0), "00:00:00");
    EXPECT_EQ(FormatTime(23, 5, 9), "23:05:09");
    EXPECT_EQ(FormatTime(-1, 100, 7), "-1:100:07");
}

TEST(ScanInts, Atoi) {
    const struct { std::string text; int value; } cases[] = {
        {" \t\n\v\f\r42x", 42}, {"+7", 7},   {"-0", 0},           {"- 5", 0},
        {"0x1F", 0},            {"", 0},     {"yes", 0},          {"0000000000000000000012", 12},
        {"2147483647", INT_MAX}, {"2147483648", INT_MAX}, {"-2147483648", INT_MIN},
        {"-2147483649", INT_MIN}, {"99999999999999999999999", INT_MAX},
        {std::string("1\0" "2", 3), 1}, {std::string("\0" "5", 2), 0},
    };
    for (const auto& c : cases) EXPECT_EQ(AtoiClamped(c.text), c.value) << c.text;
}

TEST(ScanInts, Conversions) {
    const struct { std::string text; const char* format; int count, a, b; } cases[] = {
        {"+5", "%2d%d", 1, 5, -1},     {"-5", "%1d%d", 0, -1, -1},   {"12 , 3", "%d , %d", 2, 12, 3},
        {"12,3", "%d , %d", 2, 12, 3}, {"1", "%d,%d", 1, 1, -1},     {"1,x", "%d,%d", 1, 1, -1},
        {"x", "%d", 0, -1, -1},        {std::string("1,\0" "2", 4), "%d,%d", 1, 1, -1},
        {"1,2", "%d,%x", 1, 1, -1},    {"123456", "%3d%d", 2, 123, 456},
    };
    for (const auto& c : cases) {
        int a = -1, b = -1;
        int* const fields[2] = {&a, &b};
        EXPECT_EQ(ScanInts(c.text, c.format, fields, 2), c.count) << c.text << " " << c.format;
        EXPECT_EQ(a, c.a) << c.text;
        EXPECT_EQ(b, c.b) << c.text;
    }
}

}  // namespace
