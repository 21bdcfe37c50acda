// Song tags, read by the tag library through a stream of the file's bounded pieces.
#pragma once

#include "metadata/byte_window.h"
#include "metadata/media_facts.h"

#include <string>

// True when the file's first bytes are those of a song the tag library reads: MP3 (an
// ID3v2 tag or an MPEG frame), FLAC, Ogg, M4A, WMA, APE or WavPack.
bool IsSongHead(const std::string& head);

// How much of a song's beginning and end its tags are likely to lie in, so that they can
// be read ahead of the tag library, which then asks the file for nothing else: for MP3
// the whole ID3v2 tag and a little more, for the others a fixed span. A guess only:
// a read outside it goes to the file.
std::size_t SongHeadBytes(const std::string& head);
constexpr std::size_t kSongTailBytes = 8 * 1024;

// The song's tags into `facts`: tags only, never the sound's own properties. A damaged
// song, or any error of the library, leaves them empty.
void ReadSongTags(ByteBudget& file, MediaFacts& facts);
