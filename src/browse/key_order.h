// A stable sort by a slow comparison, done mostly on keys that compare fast.
#pragma once

#include <algorithm>
#include <cstddef>
#include <numeric>
#include <vector>

// The indices of `keys` in the order a stable sort by `compare` (three-way on two
// indices: negative, zero or positive) puts the entries in. Sorting a large list by a
// comparison that costs much per call (the locale's) calls it n log n times; here the
// entries are sorted by their keys (equal keys by index), and `compare` is asked only
// of each neighbouring pair, which proves the order when every pair comes out less, or
// equal in index order. Keys that disagree with `compare` anywhere only cost time: the
// stable sort by `compare` is then done after all.
template <typename Key, typename Compare>
std::vector<std::size_t> StableOrderByKeys(const std::vector<Key>& keys, Compare compare) {
    std::vector<std::size_t> order(keys.size());
    std::iota(order.begin(), order.end(), std::size_t{0});
    std::sort(order.begin(), order.end(),
              [&keys](std::size_t a, std::size_t b) { return keys[a] < keys[b] || (!(keys[b] < keys[a]) && a < b); });
    for (std::size_t i = 1; i < order.size(); ++i) {
        const int c = compare(order[i - 1], order[i]);
        if (c < 0 || (c == 0 && order[i - 1] < order[i])) continue;
        std::iota(order.begin(), order.end(), std::size_t{0});
        std::stable_sort(order.begin(), order.end(),
                         [&compare](std::size_t a, std::size_t b) { return compare(a, b) < 0; });
        break;
    }
    return order;
}
