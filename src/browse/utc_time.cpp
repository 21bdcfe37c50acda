#include "browse/utc_time.h"

int CompareUtcDateTime(const UtcDateTime& a, const UtcDateTime& b) {
    if (a.year != b.year)
        return a.year < b.year ? -1 : 1;
    const int fa[5] = {a.month, a.day, a.hour, a.minute, a.second};
    const int fb[5] = {b.month, b.day, b.hour, b.minute, b.second};
    for (int i = 0; i < 5; ++i)
        if (fa[i] != fb[i])
            return fa[i] < fb[i] ? -1 : 1;
    return 0;
}
