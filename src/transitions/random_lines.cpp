// Random lines: LineList holds the lines not yet shown; each tick shows one
// picked at random and the tick that empties the list frees it and completes.
#include "transitions/effect_drawing.h"
#include "transitions/line_wipes.h"

namespace transitions {

void PrepareRandomLines(DrawingState& s, const EffectArgs& args) {
  ReadPictureSize(s);
  const int32_t count = AlongSize(s, args.direction);
  s.LineList.clear();
  s.LineList.reserve(static_cast<size_t>(count));
  for (int32_t line = 0; line < count; ++line) s.LineList.push_back(line);
}

bool StepRandomLines(DrawingState& s, const EffectArgs& args) {
  const Direction d = args.direction;
  if (!s.LineList.empty()) {
    const auto index = static_cast<size_t>(s.Random(static_cast<int32_t>(s.LineList.size())));
    const int32_t line = s.LineList[index];
    CopyPicture(s, AxisRect(d, line, line + 1, 0, AcrossSize(s, d)));
    if (args.variant & kLineCross) {
      const int32_t row = s.Random(s.PicHeight);
      CopyPicture(s, {0, row, s.PicWidth, row + 1});
    }
    s.LineList.erase(s.LineList.begin() + static_cast<std::ptrdiff_t>(index));
  }
  if (!s.LineList.empty()) return false;
  std::vector<int32_t>().swap(s.LineList);
  return true;
}

}  // namespace transitions
