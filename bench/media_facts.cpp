// Prints what the readers find in each file named, one "file<TAB>key<TAB>value" line per
// fact (a video's time in UTC), and on stderr how long the reading took: the native side
// of the comparison with exiftool over the same files, and the tool the cross-check test
// (tests/metadata/cross_check.py) compares with it.
#include "metadata/media_facts.h"
#include "platform/civil_time.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <algorithm>

int main(int argc, char** argv) {
    const auto start = std::chrono::steady_clock::now();
    for (int i = 1; i < argc; ++i) {
        // As the program reads: the first bytes, then pieces where the format says.
        std::ifstream in(argv[i], std::ios::binary);
        in.seekg(0, std::ios::end);
        const uint64_t size = static_cast<uint64_t>(in.tellg());
        const PieceReader read = [&in](uint64_t at, size_t n, std::string& out) {
            out.resize(n);
            in.clear();
            in.seekg(static_cast<std::streamoff>(at));
            in.read(out.data(), static_cast<std::streamsize>(n));
            out.resize(static_cast<size_t>(in.gcount()));
            return true;
        };
        std::string head;
        read(0, static_cast<size_t>(std::min<uint64_t>(size, kMediaHeadBytes)), head);
        const MediaFacts f = ReadMediaFacts(head, size, read);
        auto text = [&](const char* key, const std::string& v) {
            if (!v.empty()) std::printf("%s\t%s\t%s\n", argv[i], key, v.c_str());
        };
        auto number = [&](const char* key, const std::optional<uint64_t>& v) {
            if (v) text(key, std::to_string(*v));
        };
        const std::optional<LocalTime> t = f.takenUtc ? CalendarFields(*f.takenUtc) : f.taken;
        if (t) {
            char date[32];
            std::snprintf(date, sizeof date, "%04d:%02d:%02d %02d:%02d:%02d", t->year, t->month, t->day, t->hour,
                          t->minute, t->second);
            text("taken", date);
        }
        text("make", f.make);
        text("model", f.model);
        text("lens", f.lens);
        number("iso", f.iso);
        number("width", f.width);
        number("height", f.height);
        text("artist", f.artist);
        text("albumartist", f.albumArtist);
        text("album", f.album);
        text("title", f.title);
        text("genre", f.genre);
        number("year", f.year);
        number("track", f.track);
        number("disc", f.disc);
    }
    const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
    std::fprintf(stderr, "media_facts: %d files in %.3f s\n", argc - 1, took.count());
    return 0;
}
