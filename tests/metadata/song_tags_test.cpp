// Songs through the tag library and our stream: an ID3v1 tag at the end of a big file is
// found within the bounds, a tag larger than them gives what lies inside, and damaged
// tags give no value.
#include "metadata/media_facts.h"

#include <gtest/gtest.h>

namespace {

TEST(SongTags, ReadWithinTheBoundsOrGiveNoValue) {
    std::string sound, v1 = "TAG" + std::string(30, '\0') + "Far End";  // a title of 30 bytes, the artist
    for (int i = 0; i < 2; ++i) sound += std::string("\xFF\xFB\x90\0", 4) + std::string(413, '\0');  // MPEG frames
    v1.resize(128, '\0');
    // A tag past the bound (a cover of 1.5 MB): the frames before the picture still count.
    auto be32 = [](std::size_t n) { return std::string{char(n >> 24), char(n >> 16), char(n >> 8), char(n)}; };
    const std::string frames = "TPE1" + be32(10) + std::string("\0\0\0Big Cover", 12) + "APIC" + be32(1500000) +
                               std::string(1500002, 'p') + "TIT2" + be32(6) + std::string("\0\0\0After", 8);
    // The same in ID3v2.2, whose frame headers are shorter.
    const std::string frames22 = "TP1" + be32(10).substr(1) + std::string("\0Big Cover", 10) + "PIC" +
                                 be32(1500000).substr(1) + std::string(1500000, 'p');
    auto tag = [&sound](char version, const std::string& body) {
        const std::size_t n = body.size();
        return std::string("ID3") + version + std::string(2, '\0') + char(n >> 21 & 0x7F) + char(n >> 14 & 0x7F) +
               char(n >> 7 & 0x7F) + char(n & 0x7F) + body + sound;
    };
    const struct { std::string file, artist; } cases[] = {
        {tag('\x03', frames), "Big Cover"},
        {tag('\x02', frames22), "Big Cover"},
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
