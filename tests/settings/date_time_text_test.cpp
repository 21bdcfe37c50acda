#include <climits>
#include <string>

#include <gtest/gtest.h>

#include "settings/date_time_text.h"

namespace {

// Each text parsed as a date or a time, the three fields it must give, and the
// shown form of those fields reading back the same.
TEST(DateTimeText, ParseTable) {
    const struct { bool date; const char* text; int a, b, c; } cases[] = {
        {1, "12/24/2003", 12, 24, 2003}, {1, "12-24-2003", 12, 24, 2003}, {1, "12242003", 12, 24, 2003},
        {1, "12/24", 12, 24, 1980}, {1, "07/14/03", 7, 14, 1980}, {1, "13/32/1999", 12, 31, 1999}, {1, "", 1, 1, 1980},
        {1, "0/0/0", 1, 1, 1980}, {1, "2/30/1999", 2, 30, 1999}, {1, "2000", 12, 1, 1980},
        {1, " 1/ 2/ 1999", 1, 2, 1999}, {1, "12/24/2003x", 12, 24, 2003},
        // "12 /24/2003": a blank before a literal is a mismatch; the last attempt keeps only "12".
        // "12/24-2003": the first attempt's two numbers survive the later, shorter attempts.
        // "-12242003": a width counts the sign: "-1", "22", "4200".
        {1, "12 /24/2003", 12, 1, 1980}, {1, "12/24-2003", 12, 24, 1980}, {1, "-12242003", 1, 22, 4200},
        // Too large for int: clamped while reading, then into range; a huge year stays huge.
        {1, "99999999999/1/1", 12, 1, 1980}, {1, "1/1/99999999999", 1, 1, INT_MAX},
        // Years past 9999 are read, but such a date is refused (below).
        {1, "12/31/9999", 12, 31, 9999}, {1, "1/1/99999", 1, 1, 99999}, {1, "01/01/10000", 1, 1, 10000},
        {0, "235959", 23, 59, 59}, {0, "25:61:61", 23, 59, 59}, {0, "-1:30:00", 0, 30, 0}, {0, "12:30", 12, 30, 0},
        {0, "", 0, 0, 0}, {0, "23-59-59", 23, 59, 59}, {0, "12345", 12, 34, 5},
        {0, "-99999999999:99999999999:-5", 0, 59, 0},
    };
    for (const auto& t : cases) {
        int a = -7, b = -7, c = -7, a2, b2, c2;
        (t.date ? ParseDate : ParseTime)(t.text, a, b, c);
        EXPECT_TRUE(a == t.a && b == t.b && c == t.c) << t.text << " -> " << a << " " << b << " " << c;
        EXPECT_TRUE(!t.date || IsDateAccepted(t.text) == (t.c <= 9999)) << t.text;
        (t.date ? ParseDate : ParseTime)((t.date ? FormatDate : FormatTime)(a, b, c), a2, b2, c2);
        EXPECT_TRUE(a2 == a && b2 == b && c2 == c) << t.text;
    }
    EXPECT_EQ(FormatDate(5, 6, 999) + " " + FormatTime(-1, 5, 100), "05/06/0999 -1:05:100");
}

}  // namespace
