// The container walkers: each finds the EXIF block (or a video's header) of its
// format and leaves the rest of the file unread.
#include "metadata/media_facts.h"

#include "metadata/byte_window.h"
#include "metadata/iso_boxes.h"
#include "metadata/song_tags.h"
#include "metadata/tiff_reader.h"

#include <string_view>

namespace {

constexpr int kMaxSegments = 4096;  // markers, chunks or boxes walked in one file

bool StartsWith(const std::string& s, std::string_view prefix) {
    return s.size() >= prefix.size() && std::string_view(s).substr(0, prefix.size()) == prefix;
}

// EXIF held in memory; an "Exif\0\0" lead (WebP writers differ) is skipped.
void ReadExifBlock(std::string block, MediaFacts& facts) {
    if (StartsWith(block, std::string_view("Exif\0\0", 6))) block.erase(0, 6);
    const PieceReader inMemory = [&block](uint64_t offset, std::size_t size, std::string& out) {
        if (offset > block.size() || size > block.size() - offset) return false;
        out.assign(block, static_cast<std::size_t>(offset), size);
        return true;
    };
    ReadTiffFacts(inMemory, block.size(), facts);
}

// The bytes [base, base + size) of the file, read where the TIFF reader asks: only the
// directories and values it needs, not a whole segment with its thumbnail.
PieceReader Window(ByteBudget& file, uint64_t base, uint64_t size) {
    return [&file, base, size](uint64_t offset, std::size_t n, std::string& out) {
        return offset <= size && n <= size - offset && file.Read(base + offset, n, out);
    };
}

bool IsFrameMarker(unsigned m) { return m >= 0xC0 && m <= 0xCF && m != 0xC4 && m != 0xC8 && m != 0xCC; }

// JPEG: the segments up to the scan; APP1 "Exif" for the facts, the frame header for
// the pixel size.
void ReadJpeg(ByteBudget& file, MediaFacts& facts) {
    uint64_t at = 2;
    std::string b;
    bool exifSeen = false;
    for (int n = 0; n < kMaxSegments && file.Read(at, 4, b); ++n) {
        if (static_cast<unsigned char>(b[0]) != 0xFF) return;
        const unsigned marker = static_cast<unsigned char>(b[1]);
        if (marker == 0xFF) {  // fill byte
            ++at;
            continue;
        }
        if (marker == 0xDA || marker == 0xD9) return;  // the scan: no metadata after it
        const uint32_t length = Big16(b, 2);
        if (length < 2) return;
        if (marker == 0xE1 && !exifSeen && length >= 8 && file.Read(at + 4, 6, b) &&
            b == std::string_view("Exif\0\0", 6)) {
            exifSeen = true;
            const uint64_t w = facts.width.value_or(0), h = facts.height.value_or(0);
            ReadTiffFacts(Window(file, at + 10, length - 8), length - 8, facts);
            if (w) facts.width = w, facts.height = h;
        } else if (IsFrameMarker(marker) && length >= 7 && file.Read(at + 4, 5, b)) {
            facts.height = Big16(b, 1);
            facts.width = Big16(b, 3);
        }
        at += 2 + length;
    }
}

// PNG: the chunks, eXIf for the facts, IHDR for the size.
void ReadPng(ByteBudget& file, MediaFacts& facts) {
    uint64_t at = 8;
    std::string b;
    for (int n = 0; n < kMaxSegments && file.Read(at, 8, b); ++n) {
        const uint32_t length = Big32(b, 0);
        const std::string type = b.substr(4, 4);
        if (type == "IHDR" && length >= 8 && file.Read(at + 8, 8, b)) {
            facts.width = Big32(b, 0);
            facts.height = Big32(b, 4);
        } else if (type == "eXIf" && file.Read(at + 8, length, b)) {
            ReadExifBlock(b, facts);
            return;
        } else if (type == "IEND") {
            return;
        }
        at += uint64_t{length} + 12;
    }
}

// WebP: the RIFF chunks; EXIF for the facts, VP8X for the canvas size.
void ReadWebp(ByteBudget& file, MediaFacts& facts) {
    uint64_t at = 12;
    std::string b;
    for (int n = 0; n < kMaxSegments && file.Read(at, 8, b); ++n) {
        const uint32_t length = Little32(b, 4);
        const std::string type = b.substr(0, 4);
        if (type == "VP8X" && length >= 10 && file.Read(at + 8, 10, b)) {
            facts.width = (Little32(b, 4) & 0xFFFFFF) + 1;
            facts.height = (Little32(b, 7) & 0xFFFFFF) + 1;
        } else if (type == "EXIF" && file.Read(at + 8, length, b)) {
            ReadExifBlock(b, facts);
            return;
        }
        at += 8 + uint64_t{length} + (length & 1);
    }
}

// TIFF and the raws built on it: the file itself is the TIFF structure.
void ReadTiff(ByteBudget& file, MediaFacts& facts) {
    const PieceReader fromFile = [&file](uint64_t offset, std::size_t size, std::string& out) {
        return file.Read(offset, size, out);
    };
    ReadTiffFacts(fromFile, file.Size(), facts);
}

}  // namespace

MediaFacts ReadMediaFacts(const std::string& head, uint64_t fileSize, const PieceReader& more) {
    MediaFacts facts;
    ByteBudget file(head, fileSize, more);
    if (StartsWith(head, "\xFF\xD8\xFF")) {
        ReadJpeg(file, facts);
    } else if (StartsWith(head, "\x89PNG\r\n\x1A\n")) {
        ReadPng(file, facts);
    } else if (StartsWith(head, "RIFF") && head.size() >= 12 && head.compare(8, 4, "WEBP") == 0) {
        ReadWebp(file, facts);
    } else if (IsTiffHeader(head)) {
        ReadTiff(file, facts);
    } else if (IsSongHead(head)) {
        ReadSongTags(file, facts);
    } else if (head.size() >= 8 && head.compare(4, 4, "ftyp") == 0) {
        ReadIsoMedia(file, facts);
    }
    return facts;
}
