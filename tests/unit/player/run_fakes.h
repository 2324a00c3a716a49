// Fakes for driving TfRun natively: a platform that records timers, messages
// and close requests, and a composer that paints each item in its own colour.
#pragma once

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "base/random.h"
#include "player/run_platform.h"
#include "player/run_window.h"
#include "player/slide_composer.h"
#include "project/container_fixture.h"
#include "settings/fake_settings_backend.h"
#include "settings/rw_setting.h"

namespace player::testing {

struct TimerState {
  bool enabled = false;
  uint32_t intervalMs = 0;
};

class FakePlatform : public RunPlatform {
 public:
  TfRun* run = nullptr;
  std::map<RunTimer, TimerState> timers;
  std::vector<uint32_t> posted;
  int closeRequests = 0;
  bool closed = false;
  std::deque<std::pair<bool, std::string>> passwordAnswers;  // (confirmed, typed)
  int passwordPrompts = 0;
  int settingDialogs = 0;
  std::vector<std::string> messages;
  bool cursorHidden = false;
  int desktopCaptures = 0;
  int desktopDeletes = 0;
  std::vector<raster::Rect> presented;
  raster::Bitmap image;

  void SetTimer(RunTimer timer, bool enabled, uint32_t intervalMs) override {
    timers[timer].enabled = enabled;
    if (enabled) timers[timer].intervalMs = intervalMs;
  }
  void PostToWindow(uint32_t message, uintptr_t, intptr_t) override { posted.push_back(message); }
  void RequestClose() override {
    ++closeRequests;
    if (run && run->FormCloseQuery()) closed = true;
  }
  bool InputPassword(std::string& typed) override {
    ++passwordPrompts;
    if (passwordAnswers.empty()) return false;
    auto [confirmed, text] = passwordAnswers.front();
    passwordAnswers.pop_front();
    typed = text;
    return confirmed;
  }
  void ShowSettingDialog() override { ++settingDialogs; }
  void ProcessMessages() override {}
  void ShowMessage(const std::string& text) override { messages.push_back(text); }
  void BringToFront() override {}
  void SetCursorHidden(bool hidden) override { cursorHidden = hidden; }
  bool CursorHidden() const override { return cursorHidden; }
  void CaptureDesktop() override { ++desktopCaptures; }
  void DeleteDesktopCapture() override { ++desktopDeletes; }
  raster::Bitmap& ShowImage() override { return image; }
  void Present(const raster::Rect& area) override { presented.push_back(area); }
  FlashHost* Flash() override { return flashHost; }
  FlashHost* flashHost = nullptr;  // none unless a test gives one

  bool Enabled(RunTimer timer) { return timers[timer].enabled; }
  uint32_t Interval(RunTimer timer) { return timers[timer].intervalMs; }
};

// Each item's picture is a 4 x 4 block of a colour made from its index.
class FakeComposer : public SlideComposer {
 public:
  explicit FakeComposer(std::vector<int>& prepared) : prepared_(prepared) {}
  void Resize(int width, int height, bool) override {
    frame_.Reset(width, height);
    composite_.Reset(width, height);
  }
  void PrepareItem(int index) override {
    prepared_.push_back(index);
    picture_.Reset(4, 4, ColorOf(index));
    origin_ = {2, 3};
  }
  void PrepareBackgroundAndTexts(int index) override { prepared_.push_back(100 + index); }
  void DrawTexts(int, raster::Bitmap&) override {}
  raster::Bitmap& Picture() override { return picture_; }
  raster::Bitmap& Frame() override { return frame_; }
  raster::Bitmap& Composite() override { return composite_; }
  raster::Point Origin() const override { return origin_; }
  void SetOrigin(raster::Point origin) override { origin_ = origin; }
  static raster::Pixel ColorOf(int index) { return raster::MakePixel(static_cast<uint8_t>(10 + index), 0, 0); }

 private:
  std::vector<int>& prepared_;
  raster::Bitmap picture_, frame_, composite_;
  raster::Point origin_{};
};

// A show of `items` picture records written into a real program file.
struct ShowFixture {
  std::string folder;
  std::string header;  // extra header records
  std::vector<std::string> items;  // extra record text per item
  settings::testing::FakeSettingsBackend backend;
  testing_support::RecordingServices services;
  FakePlatform platform;
  base::SeededRandom random{42};
  std::vector<int> prepared;
  std::function<std::unique_ptr<SlideComposer>()> makeComposer;  // default: FakeComposer
  std::unique_ptr<TfRun> run;

  explicit ShowFixture(const std::string& name)
      : folder(testing_support::ScratchFolder(name)), services(folder) {}

  // Stores settings as the dialog would have written them.
  settings::TRWSetting& Settings() {
    if (!setting) setting = std::make_unique<settings::TRWSetting>("Show.scr", backend);
    return *setting;
  }

  TfRun& Start(bool preview = false, int width = 64, int height = 48) {
    if (setting) setting->WriteSetting();
    testing_support::ContainerBytes c;
    std::string records;
    for (size_t k = 0; k < items.size(); ++k) {
      c.itemOffsets.push_back(c.AddItem("pic"));
      records += testing_support::Record(1, std::to_string(k)) + testing_support::Record(3, "3") + items[k] + "\x7F";
    }
    c.itemOffsets.push_back(0);
    c.itemOffsets.push_back(0);
    testing_support::WriteFile(folder + "Show.scr",
                               c.Finish(records, testing_support::Record(30, "Show.scr") + header));
    platform.image.Reset(width, height);
    run = std::make_unique<TfRun>(RunDependencies{
        folder + "Show.scr", services, backend, platform, random,
        [this](TfRun&) { return makeComposer ? makeComposer() : std::make_unique<FakeComposer>(prepared); }});
    platform.run = run.get();
    if (preview)
      run->SetupPreview(width, height);
    else
      run->SetupFullScreen(width, height);
    run->FormShow();
    return *run;
  }

  // Ticks ShowTimer until the transition is done (at most `limit` ticks).
  int FinishTransition(int limit = 10000) {
    int ticks = 0;
    while (platform.Enabled(RunTimer::Show) && ticks < limit) {
      run->ShowTimerTimer();
      ++ticks;
    }
    return ticks;
  }

  std::unique_ptr<settings::TRWSetting> setting;
};

}  // namespace player::testing
