// Songs through the tag library and our stream: an ID3v1 tag at the end of a big file is
// found within the bounds, and damaged tags give no value.
#include "metadata/media_facts.h"

#include <gtest/gtest.h>

namespace {

TEST(SongTags, ReadWithinTheBoundsOrGiveNoValue) {
    std::string sound, v1 = "TAG" + std::string(30, '\0') + "Far End";  // a title of 30 bytes, the artist
    for (int i = 0; i < 2; ++i) sound += std::string("\xFF\xFB\x90\0", 4) + std::string(413, '\0');  // MPEG frames
    v1.resize(128, '\0');
    const struct { std::string file, artist; } cases[] = {
        {sound + std::string(3 << 20, '\0') + v1, "Far End"},
        {std::string("ID3\x03\0\0\x7F\x7F\x7F\x7FTPE1\0\0\0\x30\0\0\0a", 22), ""},  // a tag larger than the file
        {std::string("ID3\x03\0\0\0\0\x01\x40TPE1\0\0\0\x06\0\0\0Cut A", 26), ""},  // cut short after a frame
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
