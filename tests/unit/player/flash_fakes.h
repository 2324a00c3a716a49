// Fakes for driving the Flash window natively: a Flash control that plays a
// scripted movie on a virtual clock and refuses what the ActiveX control
// cannot do (calls before a movie is set or after it was released), and a
// window platform with that clock, its two timers (refused without a window)
// and a message queue that delivers posted messages after the current handler.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <deque>
#include <map>
#include <string>
#include <vector>

#include "player/flash_control.h"
#include "player/flash_form.h"
#include "player/run_messages.h"

namespace player::testing {

class FakeFlashControl : public FlashControl {
 public:
  enum class Ending { Loops, StopsAtLastFrame, NeverPlays };
  int frames = 100;
  int framesPerSecond = 10;
  Ending ending = Ending::Loops;
  std::string loadError;
  std::vector<std::string> calls;  // property sets and method calls, in order
  bool released = false;

  void SetMovie(const std::string& path) override {
    Call("Movie=" + path);
    movie_ = path;
    frame_ = 0;
    playing_ = ending != Ending::NeverPlays;  // the control starts a movie it loads
    sinceFrame_ = 0;
  }
  void SetScaleMode(int32_t mode) override { Call("ScaleMode=" + std::to_string(mode)); }
  void SetAlignMode(int32_t mode) override { Call("AlignMode=" + std::to_string(mode)); }
  void SetBackgroundColor(int32_t rgb) override { Call("BackgroundColor=" + Hex(rgb)); }
  void SetMenu(bool on) override { Call(std::string("Menu=") + (on ? "1" : "0")); }
  int32_t TotalFrames() override {
    NeedMovie("TotalFrames");
    return frames;
  }
  bool Playing() override {
    NeedMovie("Playing");
    return playing_;
  }
  int32_t CurrentFrame() override {
    NeedMovie("CurrentFrame");
    return frame_;
  }
  void Play() override {
    Call("Play");
    NeedMovie("Play");
    if (ending != Ending::NeverPlays && !(ending == Ending::StopsAtLastFrame && frame_ == frames - 1)) playing_ = true;
  }
  void StopPlay() override {
    Call("StopPlay");
    NeedMovie("StopPlay");
    playing_ = false;
  }
  void GotoFrame(int32_t frame) override {
    Call("GotoFrame=" + std::to_string(frame));
    NeedMovie("GotoFrame");
    frame_ = std::clamp(frame, 0, frames - 1);
    sinceFrame_ = 0;
  }
  std::string LoadError() const override { return loadError; }

  // One millisecond of the movie's time.
  void AdvanceOneMs() {
    if (released || movie_.empty() || !playing_) return;
    if (++sinceFrame_ < 1000 / framesPerSecond) return;
    sinceFrame_ = 0;
    if (frame_ + 1 < frames) {
      ++frame_;
      if (ending == Ending::StopsAtLastFrame && frame_ == frames - 1) playing_ = false;
    } else {
      frame_ = 0;
    }
  }

  int frame() const { return frame_; }

  static std::string Hex(int32_t v) {
    char text[16];
    snprintf(text, sizeof text, "%06X", static_cast<unsigned>(v));
    return text;
  }

 private:
  void Call(const std::string& call) {
    if (released) ADD_FAILURE() << call << " on a released control";
    calls.push_back(call);
  }
  void NeedMovie(const char* what) {
    if (released) ADD_FAILURE() << what << " on a released control";
    if (movie_.empty()) ADD_FAILURE() << what << " before the movie was set";
  }

  std::string movie_;
  int frame_ = 0;
  bool playing_ = false;
  int sinceFrame_ = 0;
};

struct PostedMessage {
  uintptr_t window;
  uint32_t message;
  uintptr_t wParam;
  intptr_t lParam;
  int64_t at;  // ms
};

// The Flash window's platform on a virtual clock. The "run window" at
// kRunWindow receives the posted messages; on its first UM_FLASHENDED it
// destroys the Flash window with its control (unless keepWindow is set).
class FakeFlashWindow : public FlashFormPlatform {
 public:
  static constexpr uintptr_t kRunWindow = 0x1234;
  static constexpr uintptr_t kMainWindow = 0x1234;

  FakeFlashControl control;
  TfFlashform form{*this, control};
  bool windowExists = true;
  bool keepWindow = false;
  bool shown = false;
  int fronts = 0;
  int cursorShown = 0;
  int64_t now = 0;
  std::vector<PostedMessage> delivered;
  std::deque<std::pair<bool, std::string>> passwordAnswers;  // (confirmed, typed)
  int passwordPrompts = 0;

  void SetTimer(FlashTimer timer, bool enabled) override {
    if (!windowExists) {
      ADD_FAILURE() << "a timer of a window that does not exist";
      return;
    }
    if (enabled)
      due_[timer] = now + (timer == FlashTimer::stoptimer ? kStoptimerMs : kPlaytimerMs);
    else
      due_.erase(timer);
  }
  void PostMessageTo(uintptr_t window, uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    if (window == 0) ADD_FAILURE() << "a message posted to no window";
    queue_.push_back({window, message, wParam, lParam, now});
  }
  uintptr_t MainWindow() override { return kMainWindow; }
  bool InputPassword(std::string& typed) override {
    ++passwordPrompts;
    if (passwordAnswers.empty()) return false;
    auto [confirmed, text] = passwordAnswers.front();
    passwordAnswers.pop_front();
    typed = text;
    return confirmed;
  }
  void ShowDefaultCursor() override { ++cursorShown; }
  void ShowWindow() override { shown = true; }
  void BringToFront() override { ++fronts; }

  bool TimerEnabled(FlashTimer timer) const { return due_.count(timer) != 0; }

  // Runs the clock up to `until` ms: the movie plays, the timers fire in order
  // and the messages they post are delivered after each handler.
  void RunUntil(int64_t until) {
    while (now < until) {
      ++now;
      control.AdvanceOneMs();
      for (FlashTimer timer : {FlashTimer::Playtimer, FlashTimer::stoptimer}) {
        auto it = due_.find(timer);
        if (it == due_.end() || it->second > now) continue;
        it->second = now + (timer == FlashTimer::stoptimer ? kStoptimerMs : kPlaytimerMs);
        if (timer == FlashTimer::Playtimer)
          form.PlaytimerTimer();
        else
          form.stoptimerTimer();
        Deliver();
      }
    }
  }

  // Handlers outside the timers (input) post too; this delivers their messages.
  void Deliver() {
    while (!queue_.empty()) {
      const PostedMessage m = queue_.front();
      queue_.pop_front();
      delivered.push_back(m);
      if (m.message == UM_FLASHENDED && windowExists && !keepWindow) Destroy();
    }
  }

  void Destroy() {
    windowExists = false;
    due_.clear();
    control.released = true;
  }

  std::vector<PostedMessage> Delivered(uint32_t message) const {
    std::vector<PostedMessage> out;
    for (const auto& m : delivered)
      if (m.message == message) out.push_back(m);
    return out;
  }

 private:
  std::map<FlashTimer, int64_t> due_;
  std::deque<PostedMessage> queue_;
};

}  // namespace player::testing
