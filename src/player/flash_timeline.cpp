#include "player/flash_timeline.h"

#include <algorithm>

namespace player::flash {

MovieTimeline::MovieTimeline(const Movie& movie) : movie_(movie) {
  Enter(0);
  RunActions(0);
}

void MovieTimeline::GotoFrame(int frame) { Enter(std::clamp(frame, 0, TotalFrames() - 1)); }

bool MovieTimeline::Tick() {
  // A movie of one frame has nowhere to go.
  if (!playing_ || TotalFrames() <= 1) return false;
  const int next = current_ + 1 < TotalFrames() ? current_ + 1 : 0;
  Enter(next);
  RunActions(next);
  return true;
}

void MovieTimeline::Enter(int frame) {
  // Forward by one applies that frame's changes; any other jump rebuilds the
  // stage from the first frame.
  if (frame != current_ + 1) {
    displayList_.clear();
    for (int k = 0; k < frame; ++k) Apply(movie_.frames[static_cast<size_t>(k)]);
  }
  Apply(movie_.frames[static_cast<size_t>(frame)]);
  current_ = frame;
}

void MovieTimeline::Apply(const Frame& frame) {
  for (const DisplayCommand& command : frame.commands) {
    switch (command.kind) {
      case DisplayCommand::Place: {
        PlacedObject& placed = displayList_[command.depth];
        placed.character = *command.character;
        placed.matrix = command.matrix.value_or(Matrix{});
        break;
      }
      case DisplayCommand::Modify:
        if (auto it = displayList_.find(command.depth); it != displayList_.end() && command.matrix)
          it->second.matrix = *command.matrix;
        break;
      case DisplayCommand::Remove:
        displayList_.erase(command.depth);
        break;
    }
  }
}

void MovieTimeline::RunActions(int frame) {
  for (const Action& action : movie_.frames[static_cast<size_t>(frame)].actions) {
    switch (action.kind) {
      case ActionKind::Stop: playing_ = false; break;
      case ActionKind::Play: playing_ = true; break;
      case ActionKind::GotoFrame: GotoFrame(action.frame); break;
      case ActionKind::NextFrame:
        GotoFrame(current_ + 1);
        playing_ = false;
        break;
      case ActionKind::PreviousFrame:
        GotoFrame(current_ - 1);
        playing_ = false;
        break;
    }
  }
}

}  // namespace player::flash
