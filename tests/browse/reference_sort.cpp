#include "reference_sort.h"

#include <cstdint>
#include <tuple>
#include <utility>

namespace {

// _stricmp in the C locale: A-Z map to a-z, then bytes compare unsigned, a prefix first.
int Cmp(std::string a, std::string b) {
    for (std::string* s : {&a, &b})
        for (char& c : *s) c = (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c;
    return a.compare(b);
}

// Whether the name is numbered (a last dot, and a digit in the first 255
// characters of the key text); its key is that text's first digit run.
bool Numbered(const std::string& s, bool ofExtension, uint64_t& key) {
    const std::size_t dot = s.rfind('.');
    if (dot == std::string::npos) return false;
    const std::string text = ofExtension ? s.substr(dot + 1) : s.substr(0, dot);
    std::size_t i = text.find_first_of("0123456789");
    if (i == std::string::npos || i >= 255) return false;
    for (key = 0; i < text.size() && text[i] >= '0' && text[i] <= '9'; ++i) key = key * 10 + static_cast<uint64_t>(text[i] - '0');
    return true;
}

// Whether name j goes before name c in orders 1-7.
bool Before(int order, const std::string& j, const std::string& c) {
    int e = 0;  // below 0: j first when ascending
    if (order >= 2 && order <= 5) {
        uint64_t kj = 0, kc = 0;
        const bool nj = Numbered(j, order >= 4, kj), nc = Numbered(c, order >= 4, kc);
        if (nj != nc) return nj;
        e = kj < kc ? -1 : kj > kc ? 1 : 0;
    } else if (order >= 6) {
        const std::size_t dj = j.rfind('.'), dc = c.rfind('.');
        const bool xj = dj != std::string::npos && dj + 1 < j.size(), xc = dc != std::string::npos && dc + 1 < c.size();
        if (xj != xc) return xj;
        e = xj ? Cmp(j.substr(dj + 1), c.substr(dc + 1)) : 0;
    }
    if (e == 0) e = Cmp(j, c);
    if (e == 0) e = j.compare(c);
    return order % 2 == 0 ? e < 0 : e > 0;
}

// Entry j replaces the candidate only when it comes strictly before it.
template <class T, class Less>
void SelectionSort(std::vector<T>& a, Less before) {
    for (std::size_t i = 0; i + 1 < a.size(); ++i) {
        std::size_t cand = i;
        for (std::size_t j = i + 1; j < a.size(); ++j)
            if (before(a[j], a[cand])) cand = j;
        if (cand != i) std::swap(a[i], a[cand]);
    }
}

}  // namespace

void ReferenceSortNames(int order, std::vector<std::string>& a) {
    if (order >= 1 && order <= 7)
        SelectionSort(a, [order](const std::string& j, const std::string& c) { return Before(order, j, c); });
}

void ReferenceSortDated(int order, std::vector<DatedName>& a) {
    if (order != 8 && order != 9) return;
    SelectionSort(a, [order](const DatedName& j, const DatedName& c) {
        const auto fields = [](const UtcDateTime& t) { return std::make_tuple(t.year, t.month, t.day, t.hour, t.minute, t.second); };
        if (fields(j.time) != fields(c.time)) return order == 8 ? fields(j.time) < fields(c.time) : fields(c.time) < fields(j.time);
        const int e = Cmp(j.name, c.name) ? Cmp(j.name, c.name) : j.name.compare(c.name);
        return order == 8 ? e < 0 : e > 0;
    });
}
