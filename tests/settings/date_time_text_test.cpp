#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "settings/date_time_text.h"

namespace {

struct ThreeCase {
    const char* text;
    int a, b, c;
};

const ThreeCase kDates[] = {
    {"12/24/2003", 12, 24, 2003}, {"12-24-2003", 12, 24, 2003}, {"12242003", 12, 24, 2003},
    {"12/24", 12, 24, 1980},      {"07/14/03", 7, 14, 1980},    {"13/32/1999", 12, 31, 1999},
    {"0/0/0", 1, 1, 1980},        {"2/30/1999", 2, 30, 1999},   {"", 1, 1, 1980},
    {"2000", 12, 1, 1980},        {" 1/ 2/ 1999", 1, 2, 1999},  {"12/24/2003x", 12, 24, 2003},
    // A blank before a literal is a mismatch; the last attempt keeps only "12".
    {"12 /24/2003", 12, 1, 1980},
    // The first attempt's two numbers survive the later, shorter attempts.
    {"12/24-2003", 12, 24, 1980},
    // A width counts the sign: "-1", "22", "4200".
    {"-12242003", 1, 22, 4200},
    // Too large for int: clamped while reading, then into range; a huge year stays huge.
    {"99999999999/1/1", 12, 1, 1980}, {"1/1/99999999999", 1, 1, INT_MAX},
};

const ThreeCase kTimes[] = {
    {"235959", 23, 59, 59}, {"25:61:61", 23, 59, 59}, {"-1:30:00", 0, 30, 0},
    {"12:30", 12, 30, 0},   {"", 0, 0, 0},            {"23-59-59", 23, 59, 59},
    {"12345", 12, 34, 5},   {"-99999999999:99999999999:-5", 0, 59, 0},
};

void Check(const ThreeCase& t, void (*parse)(const std::string&, int&, int&, int&),
           std::string (*format)(int, int, int)) {
    int a = -7, b = -7, c = -7;
    parse(t.text, a, b, c);
    EXPECT_TRUE(a == t.a && b == t.b && c == t.c) << t.text << " -> " << a << " " << b << " " << c;
    int a2, b2, c2;  // what is shown reads back the same
    parse(format(a, b, c), a2, b2, c2);
    EXPECT_TRUE(a2 == a && b2 == b && c2 == c) << t.text;
}

TEST(DateTimeText, ParseTable) {
    for (const ThreeCase& t : kDates) Check(t, ParseDate, FormatDate);
    for (const ThreeCase& t : kTimes) Check(t, ParseTime, FormatTime);
}

TEST(DateTimeText, Format) {
    EXPECT_EQ(FormatDate(5, 6, 999) + " " + FormatTime(23, 5, 9) + " " + FormatTime(-1, 100, 7),
              "05/06/0999 23:05:09 -1:100:07");
}

}  // namespace
