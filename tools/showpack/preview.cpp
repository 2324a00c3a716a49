#include "preview.h"

#include <CLI/CLI.hpp>

#include <random>

#include "base/ascii.h"
#include "base/paths.h"
#include "contact_sheet.h"
#include "png_writer.h"
#include "preview_show.h"
#include "transition_frames.h"
#include "transitions/transition_names.h"

namespace showpack {
namespace {

constexpr std::string_view kItemsOwnChoice = "show";

bool EndsWith(const std::string& path, std::string_view extension) {
  return base::LowerAscii(path).ends_with(extension);
}

// What to draw; the checks that need no show.
enum class PreviewKind { Slide, Transition, ContactSheet };

PreviewKind CheckRequest(const PreviewRequest& request) {
  if (request.contactSheet) {
    if (request.slide || request.transition || !request.frames.empty())
      throw PreviewError("--contact-sheet shows every item: it takes no --slide, --transition or --frames");
    if (!EndsWith(request.output, ".png")) throw PreviewError("--contact-sheet needs -o SHEET.png");
    return PreviewKind::ContactSheet;
  }
  if (request.transition) {
    if (request.output.empty() == request.frames.empty())
      throw PreviewError("--transition needs either -o FILE.gif or --frames DIR");
    if (!request.output.empty() && !EndsWith(request.output, ".gif"))
      throw PreviewError("-o: a transition is written as an animated .gif (or as PNG pictures with --frames DIR)");
    return PreviewKind::Transition;
  }
  if (!request.frames.empty()) throw PreviewError("--frames DIR goes with --transition");
  if (!request.slide) throw PreviewError("say what to preview: --slide N, --transition T or --contact-sheet");
  if (!EndsWith(request.output, ".png")) throw PreviewError("--slide needs -o SLIDE.png");
  return PreviewKind::Slide;
}

// -1..160 is checked by the show; "show" leaves the choice to the item.
std::optional<int> TransitionNumber(const std::string& text) {
  if (base::LowerAscii(text) == kItemsOwnChoice) return std::nullopt;
  if (const auto number = base::ParseInt32(text)) return *number;
  throw PreviewError("--transition: expected a transition number, -1 (none) to " +
                     std::to_string(transitions::kTransitionCount - 1) + ", or \"show\" for the item's own choice");
}

std::string TransitionLabel(int number) {
  const std::string_view name = transitions::TransitionName(number);
  return std::to_string(number) + " " + (name.empty() ? std::string("(no transition)") : std::string(name));
}

void PrintWarnings(PreviewShow& show, std::ostream& err) {
  for (const std::string& warning : show.TakeWarnings()) err << "showpack: warning: " << warning << '\n';
}

// One line however the message is written.
std::string OneLine(std::string text) {
  for (char& c : text)
    if (c == '\n' || c == '\r') c = ' ';
  return text;
}

std::string Run(PreviewKind kind, const PreviewRequest& request, player::Size size, uint64_t seed, std::ostream& err) {
  PreviewShow show(request.show, seed, size.width, size.height);
  const std::string at = std::to_string(size.width) + "x" + std::to_string(size.height) + ", seed " + std::to_string(seed);
  switch (kind) {
    case PreviewKind::Slide: {
      const raster::Bitmap slide = show.Slide(*request.slide);
      PrintWarnings(show, err);
      WritePng(slide, request.output);
      return "wrote " + request.output + " (item " + std::to_string(*request.slide) + ", " + at + ")";
    }
    case PreviewKind::Transition: {
      const std::optional<int> number = TransitionNumber(*request.transition);
      const int item = request.slide.value_or(0);
      std::unique_ptr<FrameSink> sink;
      if (request.output.empty())
        sink = std::make_unique<PngFrames>(request.frames);
      else
        sink = std::make_unique<GifFrames>(request.output);
      const TransitionRun ran = show.Transition(item, number, *sink);
      PrintWarnings(show, err);
      return "wrote " + (request.output.empty() ? request.frames : request.output) + " (item " + std::to_string(item) +
             ", transition " + TransitionLabel(ran.number) + ", " + std::to_string(ran.frames) + " frames at " +
             std::to_string(TickCentiseconds(ran.intervalMs) * 10) + " ms, " + at + ")";
    }
    case PreviewKind::ContactSheet: {
      std::vector<SheetEntry> entries;
      for (const auto& record : show.Items()) {
        SheetEntry entry;
        entry.lines = ItemLabel(*record);
        if (record->BackgroundOnly) {
          if (const auto picture = show.OwnPicture(record->Number)) entry.thumbnail = Thumbnail(*picture);
        } else {
          try {
            entry.thumbnail = Thumbnail(show.Slide(record->Number));
          } catch (const PreviewError&) {
            throw;
          } catch (const std::runtime_error& error) {
            // The sheet goes on without the slide whose picture is missing.
            err << "showpack: warning: item " << record->Number << ": " << OneLine(error.what()) << '\n';
          }
        }
        entries.push_back(std::move(entry));
      }
      if (entries.empty()) throw PreviewError("the show " + request.show + " has no items");
      PrintWarnings(show, err);
      const std::string name =
          show.Project().ProjectName.empty() ? base::FileNameOf(request.show) : show.Project().ProjectName;
      player::FreeTypeTextRenderer text;
      const std::string title = name + ": " + std::to_string(entries.size()) + " items, slides at " + at;
      WritePng(LayContactSheet(title, entries, text), request.output);
      return "wrote " + request.output + " (" + std::to_string(entries.size()) + " items, " + at + ")";
    }
  }
  return {};
}

}  // namespace

std::optional<player::Size> ParsePreviewSize(std::string_view text) {
  const auto x = text.find_first_of("xX");
  if (x == std::string_view::npos) return std::nullopt;
  const auto width = base::ParseInt32(text.substr(0, x));
  const auto height = base::ParseInt32(text.substr(x + 1));
  const auto fits = [](const std::optional<int32_t>& side) { return side && *side >= 1 && *side <= kMaxPreviewSide; };
  if (!fits(width) || !fits(height)) return std::nullopt;
  return player::Size{*width, *height};
}

CLI::App* AddPreviewCommand(CLI::App& app, PreviewRequest& request) {
  auto* command = app.add_subcommand("preview", "draw a show's slide, transition or contact sheet as pictures");
  command->add_option("show", request.show, "a built screensaver (SHOW.scr) or a manifest (MANIFEST.toml)")
      ->required();
  command->add_option("--slide", request.slide, "item N (as inspect numbers them): its slide, or the item a "
                                                "transition brings in (default 0)");
  command->add_option("--transition", request.transition,
                      "transition T (-1 to 160), or \"show\" for the item's own choice: an animated GIF or --frames");
  command->add_flag("--contact-sheet", request.contactSheet, "every item as a thumbnail with its labels");
  command->add_option("--size", request.size, "the screen, WIDTHxHEIGHT (default 1920x1080)");
  command->add_option("-o,--output", request.output, "the picture to write: .png, or .gif for a transition");
  command->add_option("--frames", request.frames, "a folder for a transition's frames as numbered PNG pictures");
  command->add_option("--seed", request.seed, "seed of the random choices, to draw the same preview again")
      ->check(CLI::NonNegativeNumber);
  return command;
}

int RunPreview(const PreviewRequest& request, std::ostream& out, std::ostream& err) {
  try {
    const PreviewKind kind = CheckRequest(request);
    const std::optional<player::Size> size = ParsePreviewSize(request.size);
    if (!size)
      throw PreviewError("--size: expected WIDTHxHEIGHT, each 1 to " + std::to_string(kMaxPreviewSide) +
                         " pixels, as in 1920x1080");
    const uint64_t seed = request.seed.value_or(std::random_device{}());
    out << Run(kind, request, *size, seed, err) << '\n';
    return 0;
  } catch (const PreviewError& error) {
    err << "showpack: " << OneLine(error.what()) << '\n';
    return 2;
  } catch (const std::exception& error) {
    err << "showpack: " << OneLine(error.what()) << '\n';
    return 1;
  }
}

}  // namespace showpack
