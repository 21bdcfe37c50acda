#include "metadata/song_tags.h"

#include <fileref.h>
#include <tfile.h>
#include <tiostream.h>
#include <tpropertymap.h>

#include <algorithm>
#include <climits>
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
    auto at = [&h](std::size_t offset, std::string_view s) { return h.size() >= offset + s.size() && h.substr(offset, s.size()) == s; };
    const bool mpegFrame = h.size() >= 2 && static_cast<unsigned char>(h[0]) == 0xFF &&
                           (static_cast<unsigned char>(h[1]) & 0xE0) == 0xE0;
    const bool m4a = at(4, "ftyp") && (at(8, "M4A ") || at(8, "M4B ") || at(8, "M4P "));
    return at(0, "ID3") || mpegFrame || at(0, "fLaC") || at(0, "OggS") || m4a ||
           at(0, "\x30\x26\xB2\x75\x8E\x66\xCF\x11") || at(0, "MAC ") || at(0, "wvpk");
}

void ReadSongTags(ByteBudget& file, MediaFacts& facts) {
    file.AllowTail();
    try {
        BudgetStream stream(file);
        const TagLib::FileRef ref(&stream, false);
        if (ref.isNull()) return;
        const TagLib::PropertyMap tags = ref.file()->properties();
        facts.artist = First(tags, "ARTIST");
        facts.albumArtist = First(tags, "ALBUMARTIST");
        facts.album = First(tags, "ALBUM");
        facts.title = First(tags, "TITLE");
        facts.genre = First(tags, "GENRE");
        facts.year = LeadingNumber(First(tags, "DATE"));
        facts.track = LeadingNumber(First(tags, "TRACKNUMBER"));
        facts.disc = LeadingNumber(First(tags, "DISCNUMBER"));
    } catch (...) {
        facts = MediaFacts{};  // whatever the library had read counts as no value
    }
}
