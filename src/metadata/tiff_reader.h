// The EXIF block: a TIFF structure of image file directories (IFDs), as JPEG, PNG,
// WebP and HEIF embed it and as TIFF-based raw files are built.
#pragma once

#include "metadata/media_facts.h"

#include <cstdint>
#include <string>

// Fills from the TIFF structure of `size` bytes that `bytes` reads (offsets from its
// header, "II*\0" or "MM\0*"): the date taken (DateTimeOriginal, else CreateDate),
// make, model, lens model, ISO and the pixel size. Only the first directory and the
// EXIF directory it points to are read; offsets out of range, entries beyond a bound
// and values of the wrong type are passed over.
void ReadTiffFacts(const PieceReader& bytes, uint64_t size, MediaFacts& facts);

// Whether the first bytes are a TIFF header.
bool IsTiffHeader(const std::string& start);

// "YYYY:MM:DD HH:MM:SS" as EXIF writes dates; none for any other text or a blank date.
std::optional<LocalTime> ParseExifDate(const std::string& text);
