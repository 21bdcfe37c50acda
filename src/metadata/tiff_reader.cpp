#include "metadata/tiff_reader.h"

#include "metadata/byte_window.h"

#include <string_view>

namespace {

constexpr uint32_t kMaxEntries = 512;      // a real directory holds a few dozen
constexpr std::size_t kMaxTextBytes = 256;  // make, model and lens are short

enum Tag : uint32_t {
    kImageWidth = 0x0100,
    kImageHeight = 0x0101,
    kMake = 0x010F,
    kModel = 0x0110,
    kExifIfd = 0x8769,
    kIso = 0x8827,
    kDateTimeOriginal = 0x9003,
    kCreateDate = 0x9004,
    kPixelWidth = 0xA002,
    kPixelHeight = 0xA003,
    kLensModel = 0xA434,
};

std::size_t TypeSize(uint32_t type) {
    switch (type) {
        case 1: case 2: case 6: case 7: return 1;
        case 3: case 8: return 2;
        case 4: case 9: case 11: return 4;
        case 5: case 10: case 12: return 8;
        default: return 0;
    }
}

class Directory {
public:
    Directory(const PieceReader& bytes, uint64_t size, bool little) : m_bytes(bytes), m_size(size), m_little(little) {}

    uint32_t U16(std::string_view b, std::size_t at) const { return m_little ? Little16(b, at) : Big16(b, at); }
    uint32_t U32(std::string_view b, std::size_t at) const { return m_little ? Little32(b, at) : Big32(b, at); }

    bool Read(uint64_t offset, std::size_t n, std::string& out) const {
        return offset <= m_size && n <= m_size - offset && m_bytes(offset, n, out) && out.size() == n;
    }

    // The entries of the directory at `offset`, 12 bytes each; empty when out of range.
    std::string Entries(uint64_t offset) const {
        std::string count;
        if (!Read(offset, 2, count)) return {};
        const uint32_t n = U16(count, 0);
        std::string entries;
        if (n > kMaxEntries || !Read(offset + 2, std::size_t{n} * 12, entries)) return {};
        return entries;
    }

    // The first value of a SHORT or LONG entry.
    std::optional<uint64_t> Number(std::string_view e) const {
        const uint32_t type = U16(e, 2);
        if (U32(e, 4) == 0) return std::nullopt;
        if (type == 3) return U16(e, 8);
        if (type == 4) return U32(e, 8);
        return std::nullopt;
    }

    // An ASCII entry's text up to its first NUL, trailing blanks dropped.
    std::string Text(std::string_view e) const {
        if (U16(e, 2) != 2) return {};
        const std::size_t count = std::min<std::size_t>(U32(e, 4), kMaxTextBytes);
        std::string value;
        if (count <= 4) {
            value.assign(e.substr(8, count));
        } else if (!Read(U32(e, 8), count, value)) {
            return {};
        }
        value.resize(std::min(value.size(), value.find('\0')));
        while (!value.empty() && value.back() == ' ') value.pop_back();
        return value;
    }

private:
    const PieceReader& m_bytes;
    uint64_t m_size;
    bool m_little;
};

void SetIfEmpty(std::string& field, std::string value) {
    if (field.empty()) field = std::move(value);
}

}  // namespace

// The raws built on TIFF keep its structure under magic numbers of their own: Olympus
// "RO" and "RS" (ORF), Panasonic 0x55 (RW2).
bool IsTiffHeader(const std::string& s) {
    if (s.size() < 8 || (s.compare(0, 2, "II") != 0 && s.compare(0, 2, "MM") != 0)) return false;
    const uint32_t magic = s[0] == 'I' ? Little16(s, 2) : Big16(s, 2);
    return magic == 0x2A || magic == 0x4F52 || magic == 0x5352 || magic == 0x55;
}

std::optional<LocalTime> ParseExifDate(const std::string& text) {
    // Digits where the pattern has 'd', the separator elsewhere.
    const std::string_view pattern = "dddd:dd:dd dd:dd:dd";
    if (text.size() < pattern.size()) return std::nullopt;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const bool digit = text[i] >= '0' && text[i] <= '9';
        if (pattern[i] == 'd' ? !digit : text[i] != pattern[i]) return std::nullopt;
    }
    auto num = [&text](std::size_t at, std::size_t n) { return std::stoi(text.substr(at, n)); };
    LocalTime t{num(0, 4), num(5, 2), num(8, 2), num(11, 2), num(14, 2), num(17, 2)};
    if (t.year == 0 || t.month < 1 || t.month > 12 || t.day < 1 || t.day > 31 || t.hour > 23 || t.minute > 59 ||
        t.second > 60)
        return std::nullopt;
    return t;
}

void ReadTiffFacts(const PieceReader& bytes, uint64_t size, MediaFacts& facts) {
    std::string header;
    if (size < 8 || !bytes(0, 8, header) || !IsTiffHeader(header)) return;
    const Directory dir(bytes, size, header[0] == 'I');
    const uint32_t first = dir.U32(header, 4);
    std::optional<uint64_t> exifAt;
    std::optional<LocalTime> original, created;
    std::optional<uint64_t> width, height;
    // The first directory, then the EXIF one (never the first again: no loops).
    for (uint64_t at = first, round = 0; round < 2; ++round) {
        const std::string entries = dir.Entries(at);
        for (std::size_t i = 0; i + 12 <= entries.size(); i += 12) {
            const std::string_view e(entries.data() + i, 12);
            const uint32_t tag = dir.U16(e, 0);
            const std::size_t bytesOfValue = TypeSize(dir.U16(e, 2)) * std::size_t{dir.U32(e, 4)};
            if (bytesOfValue == 0) continue;
            switch (tag) {
                case kMake: SetIfEmpty(facts.make, dir.Text(e)); break;
                case kModel: SetIfEmpty(facts.model, dir.Text(e)); break;
                case kLensModel: SetIfEmpty(facts.lens, dir.Text(e)); break;
                case kDateTimeOriginal: original = ParseExifDate(dir.Text(e)); break;
                case kCreateDate: created = ParseExifDate(dir.Text(e)); break;
                case kIso: if (!facts.iso) facts.iso = dir.Number(e); break;
                case kImageWidth: case kPixelWidth: if (!width) width = dir.Number(e); break;
                case kImageHeight: case kPixelHeight: if (!height) height = dir.Number(e); break;
                case kExifIfd: if (round == 0) exifAt = dir.Number(e); break;
                default: break;
            }
        }
        if (!exifAt || *exifAt == first) break;
        at = *exifAt;
    }
    if (!facts.taken) facts.taken = original ? original : created;
    if (!facts.width) facts.width = width;
    if (!facts.height) facts.height = height;
}
