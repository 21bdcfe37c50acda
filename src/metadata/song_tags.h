// Song tags, read by the tag library through a stream of the file's bounded pieces.
#pragma once

#include "metadata/byte_window.h"
#include "metadata/media_facts.h"

#include <string>

// True when the file's first bytes are those of a song the tag library reads: MP3 (an
// ID3v2 tag or an MPEG frame), FLAC, Ogg, M4A, WMA, APE or WavPack.
bool IsSongHead(const std::string& head);

// The song's tags into `facts`: tags only, never the sound's own properties. A damaged
// song, or any error of the library, leaves them empty.
void ReadSongTags(ByteBudget& file, MediaFacts& facts);
