// What a JPEG's marker segments tell before its pixels: the frame size as
// stored, and the EXIF orientation (APP1 "Exif", a TIFF header in either byte
// order, tag 0x0112 in IFD0) that turns the picture upright. Everything is
// read with bounded reads from the bytes alone.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace imageformats {

struct JpegHeader {
  int width = 0;  // as stored
  int height = 0;
  // 1..8; 1 (as stored) when the tag is missing, damaged or out of range.
  int orientation = 1;

  int UprightWidth() const;
  int UprightHeight() const;
};

// Nothing when the bytes do not reach a start-of-frame header.
std::optional<JpegHeader> ReadJpegHeader(std::span<const uint8_t> bytes);

// The orientation in the payload of an APP1 segment (starting "Exif\0\0");
// 1 for anything else.
int ExifOrientation(std::span<const uint8_t> app1);

}  // namespace imageformats
