// Songs through the tag library and our stream: tags at the end of a big file are found
// within the bounds, and damaged tags give no value.
#include "metadata/media_facts.h"

#include <gtest/gtest.h>


namespace {

std::string Id3v1(const std::string& artist) {  // "TAG", a title of 30 bytes, the artist
    std::string tag = "TAG" + std::string(30, '\0') + artist;
    tag.resize(128, '\0');
    return tag;
}

TEST(SongTags, ReadWithinTheBoundsOrGiveNoValue) {
    std::string sound;  // two MPEG-1 layer III frames of 417 bytes (128 kbit/s, 44.1 kHz)
    for (int i = 0; i < 2; ++i) sound += std::string("\xFF\xFB\x90\0", 4) + std::string(413, '\0');
    const std::string frame("TPE1\0\0\0\x30\0\0\0a", 12);  // an artist of 48 bytes, 2 of them there
    const struct { std::string file, artist; } cases[] = {
        {sound + std::string(3 << 20, '\0') + Id3v1("Far End"), "Far End"},  // ID3v1 past the first MiB
        {sound + Id3v1("Short"), "Short"},
        {std::string("ID3\x03\0\0\x7F\x7F\x7F\x7F", 10) + frame, ""},  // a tag larger than the file
        {std::string("OggS") + std::string(5000, '\xFF'), ""},
        {std::string("fLaC\x84\xFF\xFF\xFF", 8) + std::string(100, '\x7F'), ""},  // a comment past the end
    };
    for (const auto& c : cases) {
        std::size_t asked = 0;
        const PieceReader read = [&](uint64_t at, std::size_t n, std::string& out) {
            asked += n;
            out = c.file.substr(static_cast<std::size_t>(at), n);
            return true;
        };
        EXPECT_EQ(ReadMediaFacts(c.file.substr(0, kMediaHeadBytes), c.file.size(), read).artist, c.artist) << &c - cases;
        EXPECT_LE(asked, kMaxMediaBytes + kMaxTailBytes);
    }
}

}  // namespace
