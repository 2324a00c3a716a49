#include "player/flash_movie.h"

#include <fstream>

#include "base/paths.h"
#include "player/flash_movie_bits.h"
#include "player/flash_movie_shapes.h"

namespace player::flash {
namespace {

constexpr size_t kFileHeader = 8;
constexpr size_t kSmallestBody = 5;  // an empty stage rectangle, frame rate and count

enum TagCode : uint16_t {
  kEnd = 0,
  kShowFrame = 1,
  kDefineShape = 2,
  kPlaceObject = 4,
  kRemoveObject = 5,
  kSetBackgroundColor = 9,
  kDoAction = 12,
  kDefineShape2 = 22,
  kPlaceObject2 = 26,
  kRemoveObject2 = 28,
  kDefineShape3 = 32,
};

enum ActionCode : uint8_t {
  kActionEnd = 0x00,
  kActionNextFrame = 0x04,
  kActionPreviousFrame = 0x05,
  kActionPlay = 0x06,
  kActionStop = 0x07,
  kActionGotoFrame = 0x81,
};

// The stage in pixels, from twips that may span the whole 32-bit range.
void CheckHeader(const Movie& movie) {
  const int64_t width = (int64_t{movie.stage.right} - movie.stage.left) / kTwipsPerPixel;
  const int64_t height = (int64_t{movie.stage.bottom} - movie.stage.top) / kTwipsPerPixel;
  if (width <= 0 || height <= 0) throw MovieError("the movie's stage is empty");
  if (width > kMaxStageSide || height > kMaxStageSide)
    throw MovieError("the movie's stage of " + std::to_string(width) + " x " + std::to_string(height) +
                     " pixels is larger than the player shows (at most " + std::to_string(kMaxStageSide) + ")");
  if (movie.frameCount == 0) throw MovieError("the movie has no frames");
  if (movie.frameCount > kMaxFrames)
    throw MovieError("the movie has " + std::to_string(movie.frameCount) + " frames; the player plays at most " +
                     std::to_string(kMaxFrames));
}

std::vector<Action> ReadActions(MovieBits& in) {
  std::vector<Action> actions;
  while (in.Remaining() > 0) {
    const uint8_t code = in.U8();
    if (code == kActionEnd) break;
    MovieBits payload(code >= 0x80 ? in.Take(in.U16()) : std::span<const uint8_t>());
    switch (code) {
      case kActionStop: actions.push_back({ActionKind::Stop}); break;
      case kActionPlay: actions.push_back({ActionKind::Play}); break;
      case kActionNextFrame: actions.push_back({ActionKind::NextFrame}); break;
      case kActionPreviousFrame: actions.push_back({ActionKind::PreviousFrame}); break;
      case kActionGotoFrame: actions.push_back({ActionKind::GotoFrame, payload.U16()}); break;
      default: break;  // scripting beyond the timeline is not played
    }
  }
  return actions;
}

DisplayCommand ReadPlaceObject(MovieBits& in) {
  DisplayCommand command;
  command.character = in.U16();
  command.depth = in.U16();
  command.matrix = ReadMatrix(in);
  return command;  // a colour transform may follow; the stand-in draws without it
}

std::optional<DisplayCommand> ReadPlaceObject2(MovieBits& in) {
  const uint8_t flags = in.U8();
  const bool move = flags & 0x01, hasCharacter = flags & 0x02, hasMatrix = flags & 0x04;
  DisplayCommand command;
  command.depth = in.U16();
  if (hasCharacter) command.character = in.U16();
  if (hasMatrix) command.matrix = ReadMatrix(in);
  if (!move && !hasCharacter) return std::nullopt;
  command.kind = hasCharacter ? DisplayCommand::Place : DisplayCommand::Modify;
  return command;
}

class TagReader {
 public:
  explicit TagReader(Movie& movie) : movie_(movie) {}

  // One tag; false at the End tag.
  bool Read(MovieBits& in) {
    const uint16_t head = in.U16();
    const uint16_t code = head >> 6;
    uint32_t length = head & 0x3Fu;
    if (length == 0x3F) length = in.U32();
    if (length > in.Remaining()) throw MovieError("a tag runs past the end of the movie (the file is damaged)");
    MovieBits body(in.Take(length));
    switch (code) {
      case kEnd:
        return false;
      case kShowFrame:
        if (static_cast<int>(movie_.frames.size()) < movie_.frameCount) movie_.frames.push_back(std::move(frame_));
        frame_ = {};
        break;
      case kSetBackgroundColor:
        if (!movie_.background && length >= 3) movie_.background = ReadColor(body, false);
        break;
      default:
        // The content of a tag that cannot be read is left out; the movie plays on.
        try {
          ReadContent(code, body);
        } catch (const MovieError&) {
        }
    }
    return true;
  }

 private:
  void ReadContent(uint16_t code, MovieBits& body) {
    switch (code) {
      case kDefineShape:
      case kDefineShape2:
      case kDefineShape3: {
        const uint16_t id = body.U16();
        body.Bits(static_cast<int>(body.Bits(5)) * 4);  // bounds
        const int version = code == kDefineShape ? 1 : code == kDefineShape2 ? 2 : 3;
        movie_.shapes[id] = ReadShape(body, version, segmentBudget_);
        break;
      }
      case kPlaceObject:
        frame_.commands.push_back(ReadPlaceObject(body));
        break;
      case kPlaceObject2:
        if (auto command = ReadPlaceObject2(body)) frame_.commands.push_back(*command);
        break;
      case kRemoveObject:
        body.U16();  // character
        [[fallthrough]];
      case kRemoveObject2: {
        DisplayCommand command;
        command.kind = DisplayCommand::Remove;
        command.depth = body.U16();
        frame_.commands.push_back(command);
        break;
      }
      case kDoAction: {
        std::vector<Action> actions = ReadActions(body);
        frame_.actions.insert(frame_.actions.end(), actions.begin(), actions.end());
        break;
      }
      default:
        break;
    }
  }

  Movie& movie_;
  Frame frame_;
  size_t segmentBudget_ = kMaxShapeSegments;
};

}  // namespace

Movie ParseMovie(std::span<const uint8_t> file) {
  if (file.size() < kFileHeader || file[1] != 'W' || file[2] != 'S' ||
      (file[0] != 'F' && file[0] != 'C' && file[0] != 'Z'))
    throw MovieError("the file is not a Flash movie (it does not start with FWS, CWS or ZWS)");
  Movie movie;
  movie.compression = static_cast<char>(file[0]);
  movie.version = file[3];
  const uint32_t fileLength = file[4] | (file[5] << 8) | (file[6] << 16) | (uint32_t{file[7]} << 24);
  if (fileLength < kFileHeader + kSmallestBody) throw MovieError("the movie's header gives an impossible length");
  if (fileLength > kMaxMovieBytes)
    throw MovieError("the movie is larger than the player accepts (" + std::to_string(fileLength >> 20) + " MiB; at most " +
                     std::to_string(kMaxMovieBytes >> 20) + ")");
  const std::vector<uint8_t> body = UnpackMovieBody(file, movie.compression, fileLength - kFileHeader);

  MovieBits in(body);
  try {
    const int bits = static_cast<int>(in.Bits(5));
    const int32_t left = in.SignedBits(bits), right = in.SignedBits(bits);
    const int32_t top = in.SignedBits(bits), bottom = in.SignedBits(bits);
    movie.stage = {left, top, right, bottom};
    movie.frameRate = in.U16();
    movie.frameCount = in.U16();
  } catch (const MovieError&) {
    throw MovieError("the movie's header is cut short");
  }
  CheckHeader(movie);

  TagReader tags(movie);
  try {
    while (in.Remaining() >= 2 && tags.Read(in)) {
    }
  } catch (const MovieError&) {
    throw MovieError("a tag runs past the end of the movie (the file is damaged)");
  }
  if (static_cast<int>(movie.frames.size()) < movie.frameCount)
    throw MovieError("the movie's header gives " + std::to_string(movie.frameCount) + " frames, but the file holds " +
                     std::to_string(movie.frames.size()) + " (the file is damaged)");
  return movie;
}

Movie ReadMovieFile(const std::string& path) {
  try {
    std::ifstream in(base::PathFromUtf8(path), std::ios::binary | std::ios::ate);
    if (!in) throw MovieError("the file cannot be read");
    const std::streamoff size = in.tellg();
    if (size < 0) throw MovieError("the file cannot be read");
    if (static_cast<uint64_t>(size) > kMaxMovieBytes)
      throw MovieError("the movie is larger than the player accepts (at most " + std::to_string(kMaxMovieBytes >> 20) +
                       " MiB)");
    std::vector<uint8_t> bytes(static_cast<size_t>(size));
    in.seekg(0);
    if (!in.read(reinterpret_cast<char*>(bytes.data()), size)) throw MovieError("the file cannot be read");
    return ParseMovie(bytes);
  } catch (const MovieError& error) {
    throw MovieError("The Flash movie " + path + " cannot be played: " + error.what() + ".");
  }
}

}  // namespace player::flash
