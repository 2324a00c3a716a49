// showpack preview: a show's slides, transitions and contact sheet drawn
// natively, as the screensaver draws them.
#pragma once

#include <cstdint>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>

#include "player/frame_fit.h"

namespace CLI {
class App;
}

namespace showpack {

struct PreviewRequest {
  std::string show;                       // SHOW.scr or MANIFEST.toml
  std::optional<int> slide;               // --slide N
  std::optional<std::string> transition;  // --transition T: -1..160, or "show"
  bool contactSheet = false;              // --contact-sheet
  std::string size = "1920x1080";         // --size WxH
  std::string output;                     // -o FILE
  std::string frames;                     // --frames DIR
  std::optional<uint64_t> seed;           // --seed S
};

// Registers the preview command and its options on `app`, filling `request`.
CLI::App* AddPreviewCommand(CLI::App& app, PreviewRequest& request);

// Exit codes: 0 written; 1 it could not be made (an output that cannot be
// written, a slide whose picture file is missing); 2 a bad request (one line
// on `err` says what is wrong). Warnings go to `err`, the result to `out`.
int RunPreview(const PreviewRequest& request, std::ostream& out, std::ostream& err);

// "1920x1080": each side 1 to kMaxPreviewSide.
std::optional<player::Size> ParsePreviewSize(std::string_view text);
inline constexpr int kMaxPreviewSide = 16384;

}  // namespace showpack
