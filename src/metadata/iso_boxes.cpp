#include "metadata/iso_boxes.h"

#include "metadata/tiff_reader.h"

#include <algorithm>
#include <string>
#include <string_view>

namespace {

constexpr int kMaxBoxes = 4096;
constexpr uint64_t kMaxMetaBytes = 256 * 1024;   // a picture's `meta` box is a few KB
constexpr uint64_t kMaxExifBytes = 256 * 1024;
// Seconds from 1904-01-01, where the movie header counts from, to 1970-01-01.
constexpr uint64_t kSeconds1904To1970 = 2082844800;

struct Box {
    std::string type;
    uint64_t body = 0;  // where its contents start
    uint64_t end = 0;   // where the next box starts
};

// The box at `at` of a region ending at `limit`, read through `read`; false when it
// does not fit.
template <class Read>
bool BoxAt(Read read, uint64_t at, uint64_t limit, Box& box) {
    std::string h;
    if (limit < at + 8 || !read(at, 8, h)) return false;
    uint64_t size = Big32(h, 0);
    box.type = h.substr(4, 4);
    box.body = at + 8;
    if (size == 1) {
        if (!read(at + 8, 8, h)) return false;
        size = Big64(h, 0);
        box.body = at + 16;
    } else if (size == 0) {
        size = limit - at;
    }
    if (size < box.body - at || size > limit - at) return false;
    box.end = at + size;
    return true;
}

// A region held in memory, read with bounds.
struct Memory {
    std::string_view bytes;
    bool operator()(uint64_t at, std::size_t n, std::string& out) const {
        if (at > bytes.size() || n > bytes.size() - at) return false;
        out.assign(bytes.substr(static_cast<std::size_t>(at), n));
        return true;
    }
};

// Reads `n` bytes (at most 8) at `at` as a big-endian number.
bool Number(const Memory& m, uint64_t& at, std::size_t n, uint64_t& value) {
    std::string b;
    if (!m(at, n, b)) return false;
    value = 0;
    for (char c : b) value = (value << 8) | static_cast<unsigned char>(c);
    at += n;
    return true;
}

// The item id of the `infe` entry of type "Exif" in an `iinf` box.
bool ExifItemId(const Memory& m, const Box& iinf, uint64_t& id) {
    uint64_t version = 0, at = iinf.body, count = 0;
    if (!Number(m, at, 1, version) || !Number(m, (at = iinf.body + 4), version == 0 ? 2 : 4, count)) return false;
    Box infe;
    for (int n = 0; n < kMaxBoxes && BoxAt(m, at, iinf.end, infe); ++n, at = infe.end) {
        uint64_t p = infe.body, v = 0, itemId = 0, protection = 0;
        if (infe.type != "infe" || !Number(m, p, 1, v) || v < 2) continue;
        p = infe.body + 4;
        std::string type;
        if (Number(m, p, v == 2 ? 2 : 4, itemId) && Number(m, p, 2, protection) && m(p, 4, type) && type == "Exif") {
            id = itemId;
            return true;
        }
    }
    return false;
}

// Where the item `id` lies in the file, by the `iloc` box (its first extent).
bool ItemExtent(const Memory& m, const Box& iloc, uint64_t id, uint64_t& offset, uint64_t& length) {
    uint64_t at = iloc.body, version = 0, sizes = 0, sizes2 = 0, count = 0;
    if (!Number(m, at, 1, version) || version > 2) return false;
    at = iloc.body + 4;
    if (!Number(m, at, 1, sizes) || !Number(m, at, 1, sizes2) || !Number(m, at, version < 2 ? 2 : 4, count))
        return false;
    const std::size_t offsetSize = sizes >> 4, lengthSize = sizes & 15, baseSize = sizes2 >> 4;
    const std::size_t indexSize = version == 0 ? 0 : (sizes2 & 15);
    for (uint64_t i = 0; i < count && i < kMaxBoxes; ++i) {
        uint64_t itemId = 0, method = 0, dataRef = 0, base = 0, extents = 0;
        if (!Number(m, at, version < 2 ? 2 : 4, itemId)) return false;
        if (version != 0 && !Number(m, at, 2, method)) return false;
        if (!Number(m, at, 2, dataRef) || !Number(m, at, baseSize, base) || !Number(m, at, 2, extents)) return false;
        for (uint64_t e = 0; e < extents && e < kMaxBoxes; ++e) {
            uint64_t index = 0, extentOffset = 0, extentLength = 0;
            if (!Number(m, at, indexSize, index) || !Number(m, at, offsetSize, extentOffset) ||
                !Number(m, at, lengthSize, extentLength))
                return false;
            if (itemId == id && e == 0 && (method & 15) == 0) {
                offset = base + extentOffset;
                length = extentLength;
                return offset >= base;  // no wrap
            }
        }
    }
    return false;
}

// The child box of `type` in the region [at, end), or none (an empty type).
Box ChildOf(const Memory& m, uint64_t at, uint64_t end, const char* type) {
    Box child;
    for (int n = 0; n < kMaxBoxes && BoxAt(m, at, end, child); ++n, at = child.end)
        if (child.type == type) return child;
    return Box{};
}

// The pixel size of the primary item: its `ispe` property, found through `ipma`.
void ReadPrimarySize(const Memory& m, const Box& pitm, const Box& iprp, MediaFacts& facts) {
    uint64_t at = pitm.body, version = 0, primary = 0, flags = 0, count = 0;
    if (pitm.type.empty() || iprp.type.empty() || !Number(m, at, 1, version) ||
        !Number(m, (at = pitm.body + 4), version == 0 ? 2 : 4, primary))
        return;
    const Box ipco = ChildOf(m, iprp.body, iprp.end, "ipco");
    const Box ipma = ChildOf(m, iprp.body, iprp.end, "ipma");
    at = ipma.body;
    if (ipco.type.empty() || ipma.type.empty() || !Number(m, at, 1, version) || !Number(m, at, 3, flags) ||
        !Number(m, at, 4, count))
        return;
    for (uint64_t i = 0; i < count && i < kMaxBoxes; ++i) {
        uint64_t item = 0, associations = 0;
        if (!Number(m, at, version < 1 ? 2 : 4, item) || !Number(m, at, 1, associations)) return;
        for (uint64_t a = 0; a < associations; ++a) {
            uint64_t index = 0;
            if (!Number(m, at, (flags & 1) ? 2 : 1, index)) return;
            index &= (flags & 1) ? 0x7FFF : 0x7F;  // the top bit marks an essential property
            if (item != primary || index == 0) continue;
            Box property;
            uint64_t p = ipco.body;
            for (uint64_t k = 1; k <= index && BoxAt(m, p, ipco.end, property); ++k) p = property.end;
            std::string size;
            if (property.type == "ispe" && m(property.body + 4, 8, size)) {
                facts.width = Big32(size, 0);
                facts.height = Big32(size, 4);
                return;
            }
        }
    }
}

// HEIF: the Exif item's bytes start with the offset of the TIFF header within them.
void ReadHeifMeta(ByteBudget& file, const Box& meta, MediaFacts& facts) {
    std::string bytes;
    if (meta.end - meta.body > kMaxMetaBytes || !file.Read(meta.body, meta.end - meta.body, bytes)) return;
    const Memory m{bytes};
    const Box iinf = ChildOf(m, 4, bytes.size(), "iinf"), iloc = ChildOf(m, 4, bytes.size(), "iloc");
    ReadPrimarySize(m, ChildOf(m, 4, bytes.size(), "pitm"), ChildOf(m, 4, bytes.size(), "iprp"), facts);
    uint64_t id = 0, offset = 0, length = 0;
    if (iinf.type.empty() || iloc.type.empty() || !ExifItemId(m, iinf, id) || !ItemExtent(m, iloc, id, offset, length))
        return;
    std::string exif;
    if (length < 4 || length > kMaxExifBytes || !file.Read(offset, length, exif)) return;
    const uint64_t skip = 4 + uint64_t{Big32(exif, 0)};
    if (skip >= exif.size()) return;
    exif.erase(0, skip);
    const PieceReader inMemory = Memory{exif};
    const std::optional<uint64_t> width = facts.width, height = facts.height;  // the picture's own
    facts.width = facts.height = std::nullopt;
    ReadTiffFacts(inMemory, exif.size(), facts);
    if (width) facts.width = width, facts.height = height;
}

// A QuickTime text of the user data (©mak, ©mod): its length, a language, the text.
std::string UserText(ByteBudget& file, const Box& box) {
    std::string b;
    if (box.end - box.body < 4 || !file.Read(box.body, 4, b)) return {};
    const uint64_t length = std::min<uint64_t>({Big16(b, 0), box.end - box.body - 4, 255});
    return file.Read(box.body + 4, static_cast<std::size_t>(length), b) ? b : std::string();
}

// The movie header's creation time (kept in UTC) and the camera of the user data.
void ReadMovie(ByteBudget& file, const Box& moov, MediaFacts& facts) {
    const auto read = [&file](uint64_t at, std::size_t n, std::string& out) { return file.Read(at, n, out); };
    Box child, data;
    for (uint64_t at = moov.body, n = 0; n < kMaxBoxes && BoxAt(read, at, moov.end, child); ++n, at = child.end) {
        std::string b;
        if (child.type == "mvhd" && file.Read(child.body, 12, b)) {
            const uint64_t created = b[0] == 1 ? Big64(b, 4) : Big32(b, 4);
            if (created > kSeconds1904To1970) facts.takenUtc = static_cast<TimeValue>(created - kSeconds1904To1970);
        } else if (child.type == "udta") {
            for (uint64_t u = child.body, k = 0; k < kMaxBoxes && BoxAt(read, u, child.end, data); ++k, u = data.end) {
                if (data.type == "\xA9mak") facts.make = UserText(file, data);
                if (data.type == "\xA9mod") facts.model = UserText(file, data);
            }
        }
    }
}

}  // namespace

void ReadIsoMedia(ByteBudget& file, MediaFacts& facts) {
    const auto read = [&file](uint64_t at, std::size_t n, std::string& out) { return file.Read(at, n, out); };
    Box box;
    for (uint64_t at = 0, n = 0; n < kMaxBoxes && BoxAt(read, at, file.Size(), box); ++n, at = box.end) {
        if (box.type == "meta") return ReadHeifMeta(file, box, facts);
        if (box.type == "moov") return ReadMovie(file, box, facts);
    }
}
