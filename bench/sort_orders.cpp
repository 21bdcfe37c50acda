// Milliseconds to put one directory's names in each explicit order of the
// file list, for directory sizes the list has to cope with.
#include <ctime>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "browse/reference_sort.h"
#include "browse/sort_orders.h"

namespace {

// Names as a photo or log directory holds them: words, numbers in the prefix
// of most, a few numbered extensions, a few without any, a spread of times.
// With `international`, half the words hold letters beyond ASCII.
std::vector<DatedName> MakeNames(int count, bool international = false) {
    static const char* const ascii[] = {"IMG_", "Report ", "scan", "backup-", "Track", "log"};
    static const char* const mixed[] = {"IMG_", "Отчёт ", "scan", "Été-", "Track", "日志"};
    const char* const* words = international ? mixed : ascii;
    static const char* const exts[] = {".jpg", ".JPG", ".txt", ".tar.gz", ".log.1", ".r07", ".", ""};
    std::mt19937 rng(12345);
    std::vector<DatedName> names;
    names.reserve(count);
    for (int i = 0; i < count; ++i) {
        std::string name = words[rng() % 6];
        if (rng() % 10)
            name += std::to_string(rng() % 1000000);
        name += words[rng() % 6];
        name += exts[rng() % 8];
        const int64_t written = 946684800 + static_cast<int64_t>(rng() % 800000000);
        names.push_back(MakeDatedName(name, written));
    }
    return names;
}

// Processor time of this process (std::clock; on Windows it is wall time),
// so that other work on a shared machine does not count.
double Milliseconds(std::clock_t since) { return 1000.0 * static_cast<double>(std::clock() - since) / CLOCKS_PER_SEC; }

// Best of `runs`.
double TimeOrder(int order, const std::vector<DatedName>& input, bool reference, int runs = 3) {
    double best = 0;
    for (int run = 0; run < runs; ++run) {
        std::vector<DatedName> dated = input;
        std::vector<std::string> names;
        for (const DatedName& d : dated)
            names.push_back(d.name);
        const std::clock_t begin = std::clock();
        if (order == 8 || order == 9)
            reference ? ReferenceSortDated(order, dated) : SortDatedForOrder(order, dated);
        else
            reference ? ReferenceSortNames(order, names) : SortNamesForOrder(order, names);
        const double ms = Milliseconds(begin);
        if (run == 0 || ms < best)
            best = ms;
    }
    return best;
}

}  // namespace

int main() {
    const int sizes[] = {10000, 100000};
    std::vector<DatedName> sets[2] = {MakeNames(sizes[0]), MakeNames(sizes[1])};
    std::printf("%-32s %12s %12s\n", "order (CPU ms)", "10000 names", "100000 names");
    for (int entry = 1; entry < kSortBoxEntries; ++entry) {
        const int order = SortOrderOfEntry(entry);
        std::printf("%-2d %-29.29s %12.1f %12.1f\n", order, kSortOrderTexts[entry], TimeOrder(order, sets[0], false),
                    TimeOrder(order, sets[1], false));
    }
    std::printf("%-32s %12.1f %12s\n", "selection sort, order 2", TimeOrder(2, sets[0], true, 1), "-");
    const std::vector<DatedName> international = MakeNames(sizes[1], true);
    std::printf("%-32s %12s %12.1f\n", "order 1, letters beyond ASCII", "-", TimeOrder(1, international, false));
    std::printf("%-32s %12s %12.1f\n", "order 6, letters beyond ASCII", "-", TimeOrder(6, international, false));
    return 0;
}
