#include "metadata/song_tags.h"

#include <apefile.h>
#include <asffile.h>
#include <flacfile.h>
#include <id3v1genres.h>
#include <id3v2frame.h>
#include <id3v2tag.h>
#include <mp4file.h>
#include <mpegfile.h>
#include <oggflacfile.h>
#include <opusfile.h>
#include <tbytevectorstream.h>
#include <tiostream.h>
#include <textidentificationframe.h>
#include <tpropertymap.h>
#include <vorbisfile.h>
#include <wavpackfile.h>

#include <algorithm>
#include <climits>
#include <cstdint>
#include <memory>
#include <string_view>

namespace {

// The file as the tag library sees it: read-only, every read charged to the budget, so
// that the library never opens a path itself and never reads past the bound.
class BudgetStream : public TagLib::IOStream {
public:
    explicit BudgetStream(ByteBudget& file)
        : m_file(file), m_length(static_cast<long>(std::min<uint64_t>(file.Size(), LONG_MAX))) {}

    TagLib::FileName name() const override { return ""; }
    TagLib::ByteVector readBlock(unsigned long length) override {
        const long n = static_cast<long>(std::min<unsigned long>(length, static_cast<unsigned long>(m_length - m_at)));
        if (n <= 0 || !m_file.Read(static_cast<uint64_t>(m_at), static_cast<std::size_t>(n), m_piece)) return {};
        m_at += n;
        return TagLib::ByteVector(m_piece.data(), static_cast<unsigned int>(m_piece.size()));
    }
    void writeBlock(const TagLib::ByteVector&) override {}
    void insert(const TagLib::ByteVector&, unsigned long, unsigned long) override {}
    void removeBlock(unsigned long, unsigned long) override {}
    bool readOnly() const override { return true; }
    bool isOpen() const override { return true; }
    void seek(long offset, Position p) override {
        const long base = p == Beginning ? 0 : p == Current ? m_at : m_length;
        // Out-of-range seeks stay inside the file: a hostile size never wraps around.
        if (offset > 0 && base > LONG_MAX - offset) offset = LONG_MAX - base;
        m_at = std::clamp(base + offset, 0L, m_length);
    }
    long tell() const override { return m_at; }
    long length() override { return m_length; }
    void truncate(long) override {}

private:
    ByteBudget& m_file;
    long m_length;
    long m_at = 0;
    std::string m_piece;
};

bool HasAt(std::string_view bytes, std::size_t offset, std::string_view s) {
    return bytes.size() >= offset + s.size() && bytes.substr(offset, s.size()) == s;
}

std::string First(const TagLib::PropertyMap& tags, const char* key) {
    const auto found = tags.find(key);
    if (found == tags.end() || found->second.isEmpty()) return {};
    return found->second.front().to8Bit(true);
}

// "07/12" gives 7, a date "2021-05-03" its year: the leading digits, if any.
std::optional<uint64_t> LeadingNumber(const std::string& text) {
    const std::size_t start = text.find_first_not_of(' ');
    if (start == std::string::npos) return std::nullopt;
    uint64_t n = 0;
    std::size_t i = start;
    for (; i < text.size() && i - start < 9 && text[i] >= '0' && text[i] <= '9'; ++i) n = n * 10 + (text[i] - '0');
    if (i == start) return std::nullopt;
    return n;
}

}  // namespace

bool IsSongHead(const std::string& head) {
    const std::string_view h(head);
    auto at = [&h](std::size_t offset, std::string_view s) { return HasAt(h, offset, s); };
    const bool mpegFrame = h.size() >= 2 && static_cast<unsigned char>(h[0]) == 0xFF &&
                           (static_cast<unsigned char>(h[1]) & 0xE0) == 0xE0;
    const bool m4a = at(4, "ftyp") && (at(8, "M4A ") || at(8, "M4B ") || at(8, "M4P "));
    return at(0, "ID3") || mpegFrame || at(0, "fLaC") || at(0, "OggS") || m4a ||
           at(0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11") || at(0, "MAC ") || at(0, "wvpk");
}

namespace {

// A size as ID3v2 writes it: four bytes of seven bits each.
uint64_t SyncSafe(std::string_view b, std::size_t at) {
    uint64_t n = 0;
    for (std::size_t i = at; i < at + 4; ++i) n = n << 7 | (static_cast<unsigned char>(b[i]) & 0x7F);
    return n;
}

// Where the sound starts after an ID3v2 tag at the file's start (its size as its header
// says it, with the header), or 0 without one.
uint64_t AfterId3(std::string_view head) {
    return head.size() >= 10 && HasAt(head, 0, "ID3") ? SyncSafe(head, 6) + 10 : 0;
}

// Where the last frame of the ID3v2 tag at the start of `bytes` that lies wholly within
// them ends, walking the frames' headers only; 0 where that cannot be told (a whole tag
// unsynchronised in the old way: its frames are found once it is decoded).
std::size_t WholeFramesEnd(std::string_view bytes) {
    if (bytes.size() < 10) return 0;
    const unsigned version = static_cast<unsigned char>(bytes[3]), flags = static_cast<unsigned char>(bytes[5]);
    if (version < 2 || version > 4 || ((flags & 0x80) && version < 4)) return 0;
    uint64_t at = 10;
    if ((flags & 0x40) && version > 2) {  // an extended header first
        if (bytes.size() < 14) return 0;
        at += version == 3 ? uint64_t{Big32(bytes, 10)} + 4 : SyncSafe(bytes, 10);
    }
    const std::size_t header = version == 2 ? 6 : 10;
    while (at + header <= bytes.size() && bytes[at] != '\0') {
        const std::size_t h = static_cast<std::size_t>(at);
        const uint64_t size =
            version == 2 ? Big32(bytes, h + 2) & 0xFFFFFF : version == 3 ? Big32(bytes, h + 4) : SyncSafe(bytes, h + 4);
        if (at + header + size > bytes.size()) break;
        at += header + size;
    }
    return static_cast<std::size_t>(std::min<uint64_t>(at, bytes.size()));
}

bool FlacAfterId3(std::string_view head) {
    const uint64_t at = AfterId3(head);
    return at && at < head.size() && HasAt(head, static_cast<std::size_t>(at), "fLaC");
}

}  // namespace

std::size_t SongHeadBytes(const std::string& head) {
    constexpr std::size_t kSpan = 64 * 1024;  // FLAC and Ogg comments, M4A atoms
    const uint64_t tag = AfterId3(head);
    // With a footer, and the first sound frames the library looks at after it.
    return tag ? static_cast<std::size_t>(std::min<uint64_t>(tag + 10 + 4096, kMaxMediaBytes)) : kSpan;
}

namespace {

// The file type by its first bytes, as IsSongHead knew it, so that the library does not
// try each of its types on the file in turn; none for an Ogg stream of another codec.
std::unique_ptr<TagLib::File> OpenSong(TagLib::IOStream& stream, std::string_view h) {
    auto at = [&h](std::size_t offset, std::string_view s) { return HasAt(h, offset, s); };
    if (at(0, "fLaC") || FlacAfterId3(h)) return std::make_unique<TagLib::FLAC::File>(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
    if (at(0, "OggS")) {
        if (at(28, "OpusHead")) return std::make_unique<TagLib::Ogg::Opus::File>(&stream, false);
        if (at(28, "\x01vorbis")) return std::make_unique<TagLib::Ogg::Vorbis::File>(&stream, false);
        if (at(28, "\x7F" "FLAC")) return std::make_unique<TagLib::Ogg::FLAC::File>(&stream, false);
        return nullptr;
    }
    if (at(4, "ftyp")) return std::make_unique<TagLib::MP4::File>(&stream, false);
    if (at(0, "MAC ")) return std::make_unique<TagLib::APE::File>(&stream, false);
    if (at(0, "wvpk")) return std::make_unique<TagLib::WavPack::File>(&stream, false);
    if (at(0, "\x30\x26\xB2\x75")) return std::make_unique<TagLib::ASF::File>(&stream, false);
    return std::make_unique<TagLib::MPEG::File>(&stream, TagLib::ID3v2::FrameFactory::instance(), false);
}

// A file the library reads a tag at a known place of, and nothing else.
class TagOnly : public TagLib::File {
public:
    explicit TagOnly(TagLib::IOStream* stream) : TagLib::File(stream) {}
    TagLib::Tag* tag() const override { return nullptr; }
    TagLib::AudioProperties* audioProperties() const override { return nullptr; }
    bool save() override { return false; }
};

// The keys the fields take, with their ID3v2.4 frames (the library renames those of
// 2.2 and 2.3 as it reads them).
struct SongKey {
    const char* key;
    const char* frame;
};
constexpr SongKey kSongKeys[] = {
    {"ARTIST", "TPE1"},  {"ALBUMARTIST", "TPE2"}, {"ALBUM", "TALB"},       {"TITLE", "TIT2"},
    {"GENRE", "TCON"},   {"DATE", "TDRC"},        {"TRACKNUMBER", "TRCK"}, {"DISCNUMBER", "TPOS"},
};

// An ID3v2 tag's values of just the frames the fields take, each its first value as the
// whole tag's properties give it (a genre number as its name), without turning every
// comment, picture and private frame into properties first.
TagLib::PropertyMap FieldFrames(const TagLib::ID3v2::Tag& tag) {
    TagLib::PropertyMap found;
    const TagLib::ID3v2::FrameListMap& frames = tag.frameListMap();
    for (const SongKey& k : kSongKeys) {
        const auto it = frames.find(k.frame);
        if (it == frames.end() || it->second.isEmpty()) continue;
        const auto* text = dynamic_cast<const TagLib::ID3v2::TextIdentificationFrame*>(it->second.front());
        if (!text || text->fieldList().isEmpty()) continue;
        TagLib::String value = text->fieldList().front();
        bool number = false;
        const int genre = std::string_view(k.frame) == "TCON" ? value.toInt(&number) : -1;
        if (number && genre >= 0 && genre <= 255) value = TagLib::ID3v1::genre(genre);
        found.insert(k.key, TagLib::StringList(value));
    }
    return found;
}

void FillFacts(const TagLib::PropertyMap& tags, MediaFacts& facts) {
    facts.artist = First(tags, "ARTIST");
    facts.albumArtist = First(tags, "ALBUMARTIST");
    facts.album = First(tags, "ALBUM");
    facts.title = First(tags, "TITLE");
    facts.genre = First(tags, "GENRE");
    facts.year = LeadingNumber(First(tags, "DATE"));
    facts.track = LeadingNumber(First(tags, "TRACKNUMBER"));
    facts.disc = LeadingNumber(First(tags, "DISCNUMBER"));
}

}  // namespace

void ReadSongTags(ByteBudget& file, MediaFacts& facts) {
    file.AllowTail();
    try {
        BudgetStream stream(file);
        const uint64_t tagEnd = AfterId3(file.Head());
        if (tagEnd && !FlacAfterId3(file.Head())) {
            // A tag at the start is all an MP3 is asked for: its ID3v1 or APE tag at the
            // end count only without it. One that ends past the file's end was cut short,
            // and the library would give the cut values as they are.
            if (tagEnd > file.Size()) return;
            // One larger than may be read (a big cover picture, mostly) is read as far as
            // the bound allows, up to its last frame within: the frames before count, the
            // rest give no value.
            std::string within;
            const bool big = tagEnd - 10 > file.Allowance(10);
            if (big && !file.Read(0, file.Allowance(0), within)) return;
            TagLib::ByteVectorStream held(
                TagLib::ByteVector(within.data(), static_cast<unsigned int>(big ? WholeFramesEnd(within) : 0)));
            TagOnly bare(big ? static_cast<TagLib::IOStream*>(&held) : &stream);
            const TagLib::ID3v2::Tag tag(&bare, 0);
            if (tag.header()->majorVersion() >= 2 && tag.header()->tagSize() > 0) {
                FillFacts(FieldFrames(tag), facts);
                return;
            }
            stream.seek(0, TagLib::IOStream::Beginning);
        }
        const std::unique_ptr<TagLib::File> song = OpenSong(stream, file.Head());
        if (!song || !song->isValid()) return;
        auto* mpeg = dynamic_cast<TagLib::MPEG::File*>(song.get());
        const TagLib::PropertyMap tags =
            mpeg && mpeg->hasID3v2Tag() ? FieldFrames(*mpeg->ID3v2Tag()) : song->properties();
        FillFacts(tags, facts);
    } catch (...) {
        facts = MediaFacts{};  // whatever the library had read counts as no value
    }
}
