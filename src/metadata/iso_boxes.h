// ISO base media files: MP4, MOV, M4V and 3GP videos (the movie header's creation
// time) and HEIF/HEIC/AVIF pictures (the Exif item of the `meta` box).
#pragma once

#include "metadata/byte_window.h"
#include "metadata/media_facts.h"

void ReadIsoMedia(ByteBudget& file, MediaFacts& facts);
