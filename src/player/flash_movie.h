// A Shockwave Flash movie file as the stand-in player reads it: the header
// (stage, frame rate, frame count), the first background colour, the solid
// shapes, and per frame the objects placed and removed and the timeline
// actions (stop, play, go to a frame). Everything else in the file is skipped.
//
// The reader is bounded: the file, the unpacked body, the stage, the frame
// count and the shape detail are capped, and nothing is allocated from a size
// the file gives before it has been checked against what the file holds.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "player/flash_movie_error.h"
#include "raster/color.h"
#include "raster/geometry.h"

namespace player::flash {

constexpr int kTwipsPerPixel = 20;
constexpr uint32_t kMaxMovieBytes = 64u << 20;  // the file and its unpacked body
constexpr int kMaxStageSide = 8192;             // pixels
constexpr int kMaxFrames = 16000;
constexpr size_t kMaxShapeSegments = 1u << 20;  // for the whole movie

// A point or a line in twips.
struct TwipPoint {
  float x = 0;
  float y = 0;
};
struct Segment {
  TwipPoint from;
  TwipPoint to;
};

// x' = a x + c y + tx, y' = b x + d y + ty, in twips.
struct Matrix {
  double a = 1, b = 0, c = 0, d = 1, tx = 0, ty = 0;
  TwipPoint Apply(TwipPoint p) const {
    return {static_cast<float>(a * p.x + c * p.y + tx), static_cast<float>(b * p.x + d * p.y + ty)};
  }
};

// One fill of a shape: the edges that bound it, filled by the even-odd rule
// (the edges of one fill style close into loops). Curves are flattened.
struct ShapeFill {
  raster::Pixel color = 0;  // alpha in the top byte
  std::vector<Segment> edges;
};
struct Shape {
  std::vector<ShapeFill> fills;
};

enum class ActionKind { Stop, Play, GotoFrame, NextFrame, PreviousFrame };
struct Action {
  ActionKind kind;
  int frame = 0;  // GotoFrame
};

// PlaceObject, PlaceObject2, RemoveObject and RemoveObject2 as one command.
struct DisplayCommand {
  enum Kind { Place, Modify, Remove } kind = Place;
  uint16_t depth = 0;
  std::optional<uint16_t> character;
  std::optional<Matrix> matrix;
};

struct Frame {
  std::vector<DisplayCommand> commands;
  std::vector<Action> actions;
};

struct Movie {
  char compression = 'F';  // 'F' plain, 'C' zlib, 'Z' LZMA
  uint8_t version = 0;
  raster::Rect stage;            // twips
  uint16_t frameRate = 0;        // frames per second, 8.8 fixed point
  int frameCount = 0;
  std::optional<raster::Pixel> background;  // the first SetBackgroundColor tag
  std::map<uint16_t, Shape> shapes;
  std::vector<Frame> frames;  // frameCount entries

  int StageWidth() const { return stage.Width() / kTwipsPerPixel; }
  int StageHeight() const { return stage.Height() / kTwipsPerPixel; }
};

// Reads a whole movie file. Throws MovieError with the reason.
Movie ParseMovie(std::span<const uint8_t> file);
// ParseMovie on a file's bytes; the message of a MovieError names the file.
Movie ReadMovieFile(const std::string& path);

// The body after the 8-byte file header, unpacked as the signature says
// (flash_movie_unpack.cpp); a step of ParseMovie.
std::vector<uint8_t> UnpackMovieBody(std::span<const uint8_t> file, char compression, uint32_t bodyLength);

}  // namespace player::flash
