// What a photo, video or song file says about itself, read from its own bytes. Plain data:
// the readers fill it, the name fields take their values from it.
#pragma once

#include "platform/file_services.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

struct MediaFacts {
    // When the picture was taken, as the camera recorded it (EXIF keeps local time).
    std::optional<LocalTime> taken;
    // A video's creation time is kept in UTC: the caller turns it into local time.
    std::optional<TimeValue> takenUtc;
    std::string make;
    std::string model;
    std::string lens;
    std::optional<uint64_t> width;   // pixels
    std::optional<uint64_t> height;
    std::optional<uint64_t> iso;
    // A song's tags.
    std::string artist;
    std::string albumArtist;
    std::string album;
    std::string title;
    std::string genre;
    std::optional<uint64_t> year;
    std::optional<uint64_t> track;  // alone, without the total
    std::optional<uint64_t> disc;
};

// Reads `size` bytes at `offset` of the file into `out` (fewer at its end); false when
// the file cannot be read there.
using PieceReader = FileServices::PieceRead;

// The most bytes read of one file, its first bytes included: a file of several
// gigabytes costs what a small one does.
constexpr std::size_t kMaxMediaBytes = 1024 * 1024;
// Songs whose format keeps its tags at the file's end (ID3v1, APE) may read as many
// bytes again there, in the last kMaxMediaBytes of the file.
constexpr std::size_t kMaxTailBytes = kMaxMediaBytes;

// How many of a file's first bytes the caller hands over: the EXIF directories of most
// photos, so that they are read in one piece or two.
constexpr std::size_t kMediaHeadBytes = 8 * 1024;

// The facts of one file from its first bytes (`head`, at most kMediaHeadBytes) and its
// size, reading further pieces through `more` when its container keeps them elsewhere.
// Knows JPEG, TIFF and the raws built on it, PNG, WebP, HEIF/AVIF and MP4/QuickTime,
// and the songs the tag library reads (MP3, FLAC, Ogg, M4A, WMA, APE, WavPack), by
// their signatures; any other file, and any damaged one, gives no facts. Never reads
// more than kMaxMediaBytes in all (and a song kMaxTailBytes more at its end), nor
// past the file's end.
MediaFacts ReadMediaFacts(const std::string& head, uint64_t fileSize, const PieceReader& more);
