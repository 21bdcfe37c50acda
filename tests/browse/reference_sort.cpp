#include "reference_sort.h"

#include <cstdint>
#include <utility>

namespace {

int RefStricmp(const std::string& a, const std::string& b) {
    const unsigned char* p = reinterpret_cast<const unsigned char*>(a.c_str());
    const unsigned char* q = reinterpret_cast<const unsigned char*>(b.c_str());
    for (;; ++p, ++q) {
        int c1 = (*p >= 'A' && *p <= 'Z') ? *p + 32 : *p;
        int c2 = (*q >= 'A' && *q <= 'Z') ? *q + 32 : *q;
        if (c1 != c2 || c1 == 0)
            return c1 - c2;
    }
}

// Key text of orders 2-5; false when the name has no last dot.
bool KeyText(const std::string& name, bool ofExtension, std::string& text) {
    std::string::size_type dot = name.rfind('.');
    if (dot == std::string::npos)
        return false;
    text = ofExtension ? name.substr(dot + 1) : name.substr(0, dot);
    return true;
}

bool InNumericGroup(const std::string& name, bool ofExtension) {
    std::string text;
    if (!KeyText(name, ofExtension, text))
        return false;
    for (std::string::size_type i = 0; i < text.size() && i < 255; ++i)
        if (text[i] >= '0' && text[i] <= '9')
            return true;
    return false;
}

uint64_t RefKey(const std::string& name, bool ofExtension) {
    std::string text;
    KeyText(name, ofExtension, text);
    std::string::size_type i = text.find_first_of("0123456789");
    uint64_t v = 0;
    for (; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i)
        v = v * 10 + static_cast<uint64_t>(text[i] - '0');
    return v;
}

std::string Ext(const std::string& name) { return name.substr(name.rfind('.') + 1); }

template <class T, class Before>
void SelectionSort(std::vector<T>& a, std::size_t first, std::size_t last, Before before) {
    for (std::size_t i = first; i + 1 < last; ++i) {
        std::size_t cand = i;
        for (std::size_t j = i + 1; j < last; ++j)
            if (before(a[j], a[cand]))
                cand = j;
        if (cand != i)
            std::swap(a[i], a[cand]);
    }
}

template <class Belongs>
std::size_t Partition(std::vector<std::string>& a, Belongs belongs) {
    std::size_t i = 0;
    for (; i < a.size(); ++i) {
        if (belongs(a[i]))
            continue;
        std::size_t j = i + 1;
        while (j < a.size() && !belongs(a[j]))
            ++j;
        if (j == a.size())
            break;
        std::swap(a[i], a[j]);
    }
    return i;
}

}  // namespace

void ReferenceSortNames(int order, std::vector<std::string>& a) {
    const std::size_t n = a.size();
    auto byName = [](bool up) {
        return [up](const std::string& j, const std::string& c) {
            return up ? RefStricmp(c, j) > 0 : RefStricmp(c, j) < 0;
        };
    };
    if (order == 1) {
        SelectionSort(a, 0, n, byName(false));
    } else if (order >= 2 && order <= 5) {
        const bool ext = order >= 4;
        const bool up = order == 2 || order == 4;
        std::size_t m = Partition(a, [ext](const std::string& s) { return InNumericGroup(s, ext); });
        SelectionSort(a, 0, m, [ext, up](const std::string& j, const std::string& c) {
            uint64_t kj = RefKey(j, ext), kc = RefKey(c, ext);
            if (up)
                return kj < kc || (kj == kc && RefStricmp(c, j) > 0);
            return kj > kc || (kj == kc && RefStricmp(c, j) < 0);
        });
        SelectionSort(a, m, n, byName(up));
    } else if (order == 6 || order == 7) {
        const bool up = order == 6;
        std::size_t m = Partition(a, [](const std::string& s) {
            std::string::size_type dot = s.rfind('.');
            return dot != std::string::npos && dot + 1 != s.size();
        });
        SelectionSort(a, 0, m, [up](const std::string& j, const std::string& c) {
            int e = RefStricmp(Ext(c), Ext(j));
            if (e == 0)
                e = RefStricmp(c, j);
            return up ? e > 0 : e < 0;
        });
        SelectionSort(a, m, n, byName(up));
    }
}

void ReferenceSortDated(int order, std::vector<DatedName>& a) {
    if (order != 8 && order != 9)
        return;
    const bool up = order == 8;
    SelectionSort(a, 0, a.size(), [up](const DatedName& j, const DatedName& c) {
        const int64_t fj[6] = {j.time.year, j.time.month, j.time.day, j.time.hour, j.time.minute, j.time.second};
        const int64_t fc[6] = {c.time.year, c.time.month, c.time.day, c.time.hour, c.time.minute, c.time.second};
        for (int k = 0; k < 6; ++k)
            if (fj[k] != fc[k])
                return up ? fj[k] < fc[k] : fj[k] > fc[k];
        int e = RefStricmp(c.name, j.name);
        return up ? e > 0 : e < 0;
    });
}
