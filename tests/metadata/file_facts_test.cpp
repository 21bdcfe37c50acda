// Reading many files side by side gives each the facts that reading it alone gives, and
// reads none of them again afterwards.
#include "metadata/file_facts.h"
#include "support/fake_file_services.h"

#include <gtest/gtest.h>

#include <fstream>
#include <mutex>
#include <sstream>

namespace {

// The stand-in disk, read by several threads: one read at a time, as its log is shared.
struct SideBySide : FakeFileServices {
    std::mutex reading;
    int PieceReaders() override { return 4; }
    bool ReadFilePieces(const std::string& path, const std::function<void(uint64_t, const PieceRead&)>& use) override {
        const std::lock_guard<std::mutex> one(reading);
        return FakeFileServices::ReadFilePieces(path, use);
    }
};

std::string Sample(const char* name) {
    std::ifstream in(std::string(VORLIX_SAMPLES) + name, std::ios::binary);
    std::ostringstream all;
    all << in.rdbuf();
    return all.str();
}

TEST(FileFacts, ReadSideBySideAsOneByOne) {
    // A FLAC whose comment lies past the span read ahead: padding right after STREAMINFO.
    std::string flac = Sample("song.flac");
    flac.insert(4 + 4 + 34, std::string("\x01\x01\x11\x70", 4) + std::string(70000, '\0'));
    const std::pair<const char*, std::string> files[] = {
        {"a.mp3", Sample("v23-utf16.mp3")}, {"b.mp3", Sample("v1-only.mp3")}, {"c.jpg", Sample("photo.jpg")},
        {"d.flac", flac},                   {"e.ogg", Sample("song.ogg")},    {"f.m4a", Sample("song.m4a")},
        {"g.mp3", Sample("v1-and-v2.mp3")}, {"h.txt", "not a song"},          {"i.mp3", "ID3\x03"},
        {"j.opus", Sample("song.opus")},    {"k.wma", Sample("song.wma")},    {"l.wv", Sample("song.wv")},
    };
    SideBySide disk;
    FakeFileServices alone;
    std::vector<std::string> names;
    for (const auto& [name, bytes] : files) {
        ASSERT_FALSE(bytes.empty()) << name;
        disk.AddFile(std::string("C:\\d\\") + name, kFileArchive, 7, bytes);
        alone.AddFile(std::string("C:\\d\\") + name, kFileArchive, 7, bytes);
        names.push_back(name);
    }
    FileFactCache ahead(disk), oneByOne(alone);
    const FactNeeds media{false, true};
    ahead.BeginDirectory("C:\\d\\");
    ahead.Prefetch("C:\\d\\", names, media);
    disk.log.clear();
    for (const std::string& name : names) {
        const MediaFacts got = ahead.Facts("C:\\d\\", name, media).media;
        const MediaFacts want = oneByOne.Facts("C:\\d\\", name, media).media;
        EXPECT_EQ(got.artist, want.artist) << name;
        EXPECT_EQ(got.title, want.title) << name;
        EXPECT_EQ(got.track, want.track) << name;
        EXPECT_EQ(got.taken.has_value(), want.taken.has_value()) << name;
    }
    EXPECT_EQ(disk.log, std::vector<std::string>{});
    EXPECT_EQ(ahead.Facts("C:\\d\\", "d.flac", media).media.title, "Lossless");
    EXPECT_EQ(ahead.Facts("C:\\d\\", "l.wv", media).media.artist, "Pack Player");  // exiftool reads no WavPack
}

}  // namespace
