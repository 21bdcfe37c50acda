#include "fields/date_format.h"

#include "platform/civil_time.h"

#include <cstdio>

namespace {

const char* const kMonths[] = {"January", "February", "March",     "April",   "May",      "June",
                               "July",    "August",   "September", "October", "November", "December"};
const char* const kDays[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};

std::string Number(int value, int width) {
    char text[16];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// The text of a run of `n` letters `c`; false when the run means nothing.
bool Token(const LocalTime& t, char c, std::size_t n, std::string& out) {
    const int month = t.month >= 1 && t.month <= 12 ? t.month - 1 : 0;
    switch (c) {
        case 'y':
            if (n == 4) return out += Number(t.year, 4), true;
            if (n == 2) return out += Number(t.year % 100, 2), true;
            return false;
        case 'M':
            if (n <= 2) return out += Number(t.month, static_cast<int>(n)), true;
            out += n == 3 ? std::string(kMonths[month], 3) : std::string(kMonths[month]);
            return n <= 4;
        case 'd': {
            if (n <= 2) return out += Number(t.day, static_cast<int>(n)), true;
            // 1970-01-01 was a Thursday.
            const int64_t days = CalendarSeconds(t.year, t.month, t.day, 0, 0, 0) / 86400;
            const char* name = kDays[((days % 7) + 7 + 4) % 7];
            out += n == 3 ? std::string(name, 3) : std::string(name);
            return n <= 4;
        }
        case 'H': return n <= 2 && (out += Number(t.hour, static_cast<int>(n)), true);
        case 'm': return n == 2 && (out += Number(t.minute, 2), true);
        case 's': return n == 2 && (out += Number(t.second, 2), true);
        default: return false;
    }
}

}  // namespace

std::optional<std::string> FormatFieldDate(const LocalTime& t, const std::string& format) {
    std::string out;
    for (std::size_t i = 0; i < format.size();) {
        const char c = format[i];
        if (c == '\'') {
            const std::size_t close = format.find('\'', i + 1);
            if (close == std::string::npos) return std::nullopt;
            out += close == i + 1 ? std::string("'") : format.substr(i + 1, close - i - 1);
            i = close + 1;
        } else if (IsLetter(c)) {
            std::size_t n = 1;
            while (i + n < format.size() && format[i + n] == c) ++n;
            if (!Token(t, c, n, out)) return std::nullopt;
            i += n;
        } else {
            out += c;
            ++i;
        }
    }
    return out;
}
