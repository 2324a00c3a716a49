// A fake platform for driving TfRun natively, as strict as Windows: a timer
// needs the window; posted messages (close requests among them) wait in a
// queue until a message loop takes them, the main loop or the loop of a modal
// dialog that is open; timers fire as simulated time passes, and the media
// devices play on with them; the Flash window is one at a time; what reaches
// the screen is what was presented. It records what Windows would not survive: a
// window destroyed under a running modal loop, a call after the platform is
// gone. And a show of solid-colour pictures (or of given item files, with
// music) in a real program file.
#pragma once

#include <gtest/gtest.h>

#include <deque>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "base/paths.h"
#include "base/random.h"
#include "fake_media.h"
#include "player/flash_host.h"
#include "player/frame_box_text.h"
#include "player/frame_test_support.h"
#include "player/run_messages.h"
#include "player/run_platform.h"
#include "player/run_window.h"
#include "project/container_fixture.h"
#include "raster/canvas.h"
#include "settings/fake_settings_backend.h"
#include "settings/rw_setting.h"

namespace player::testing {

struct TimerState {
  bool enabled = false;
  uint32_t intervalMs = 0;
  int64_t due = 0;
};

// What a modal dialog does while it is open (time passing, a message arriving)
// and how it is answered.
struct PromptAnswer {
  PromptAnswer(bool yes = false, std::string text = {}, std::function<void()> during = {})
      : confirmed(yes), typed(std::move(text)), whileOpen(std::move(during)) {}
  bool confirmed;
  std::string typed;
  std::function<void()> whileOpen;
};

// The Flash window as the run window sees it: what each window was opened
// with, and whether one is open. A movie can be refused with a reason.
class FakeFlashHost : public FlashHost {
 public:
  struct Opened {
    bool preview;
    FlashWindowArgs args;
  };
  std::string OpenFlashFullScreen(const FlashWindowArgs& args) override { return Open(false, args); }
  std::string OpenFlashInPanel(const FlashWindowArgs& args) override { return Open(true, args); }
  void CloseFlashWindow() override {
    ++closes;
    open = false;
  }
  std::vector<Opened> opened;
  std::string refusal;  // why the next movies cannot play; empty: they can
  bool open = false;
  int closes = 0;

 private:
  std::string Open(bool preview, const FlashWindowArgs& args) {
    if (open) ADD_FAILURE() << "a second Flash window";
    opened.push_back({preview, args});
    open = refusal.empty();
    return refusal;
  }
};

class FakePlatform : public ShowWindowPort, public RunDialogs, public DesktopCapturer {
 public:
  static constexpr uint32_t kClose = 0x0010;  // WM_CLOSE

  TfRun* run = nullptr;
  bool windowExists = false;
  int refusedTimers = 0;
  bool destroyedUnderModal = false;
  bool gone = false;  // the window and its services no longer exist
  int callsWhenGone = 0;
  int64_t now = 0;
  std::map<RunTimer, TimerState> timers;
  struct Message {
    uint32_t message;
    uintptr_t wParam;
    intptr_t lParam;
  };
  std::deque<Message> queue;     // posted, not yet handled
  std::vector<uint32_t> posted;  // every message posted, in order
  int closeRequests = 0;
  bool closed = false;
  int modalDepth = 0;
  std::deque<PromptAnswer> passwordAnswers;
  int passwordPrompts = 0;
  std::function<void()> whileSettingDialog;
  int settingDialogs = 0;
  std::vector<std::string> messages;
  std::function<void()> whileMessage;  // what happens while a message box is open
  std::deque<MenuChoice> menuChoices;
  int menus = 0;
  bool cursorHidden = false;
  int fronts = 0;
  raster::Bitmap image;   // the show image
  raster::Bitmap screen;  // what has been presented of it
  std::vector<raster::Rect> presented;
  FakeRunMedia media;
  FakeFlashHost flash;

  // ShowWindowPort.
  void SetTimer(RunTimer timer, bool enabled, uint32_t intervalMs) override {
    Use();
    if (!enabled)
      timers[timer].enabled = false;
    else if (!windowExists)
      ++refusedTimers;
    else
      timers[timer] = {true, intervalMs, now + intervalMs};
  }
  void PostToWindow(uint32_t message, uintptr_t wParam, intptr_t lParam) override {
    Use();
    posted.push_back(message);
    queue.push_back({message, wParam, lParam});
  }
  void RequestClose() override { Use(), ++closeRequests, queue.push_back({kClose, 0, 0}); }
  void BringToFront() override { Use(), ++fronts; }
  void SetCursorHidden(bool hidden) override { Use(), cursorHidden = hidden; }
  bool CursorHidden() const override { return cursorHidden; }
  raster::Bitmap& ShowImage() override { return image; }
  void Present(const raster::Rect& area) override {
    Use();
    presented.push_back(area);
    raster::Canvas(screen).Blit({area.left, area.top}, image, area);
  }
  void ProcessMessages() override { Pump(); }

  // RunDialogs: each one a modal loop that takes the posted messages.
  bool InputPassword(std::string& typed) override {
    Use(), ++passwordPrompts;
    const PromptAnswer answer = Next(passwordAnswers, PromptAnswer{});
    Modal(answer.whileOpen);
    typed = answer.typed;
    return answer.confirmed;
  }
  void ShowSettingDialog() override { Use(), ++settingDialogs, Modal(whileSettingDialog); }
  void ShowMessage(const std::string& text) override { Use(), messages.push_back(text), Modal(whileMessage); }
  // A message box of the project's: a modal loop as well.
  void MessageBoxLoop() { Modal({}); }
  MenuChoice PopupMenu(std::optional<raster::Point>, const std::string&, const std::string&) override {
    Use(), ++menus;
    const MenuChoice choice = Next(menuChoices, MenuChoice::None);
    Modal({});
    return choice;
  }

  // DesktopCapturer: a small bitmap file stands for the screenshot.
  void CaptureDesktop(const std::string& path) override {
    capturePath = path;
    const std::vector<uint8_t> bytes = BmpBytes(raster::Bitmap(2, 2));
    base::WriteWholeFile(path, bytes.data(), bytes.size());
  }
  std::string capturePath;

  // The message loop: handles every posted message in order.
  void Pump() {
    while (!queue.empty() && !closed) {
      const Message next = queue.front();
      queue.pop_front();
      if (next.message == kClose)
        Close();
      else
        run->HandleMessage(next.message, next.wParam, next.lParam);
    }
  }

  // Lets `ms` milliseconds pass: each timer fires when it is due, after the
  // messages posted before it.
  void Advance(int64_t ms) {
    const int64_t end = now + ms;
    for (;;) {
      Pump();
      std::optional<RunTimer> next;
      for (auto& [timer, state] : timers)
        if (state.enabled && state.due <= end && (!next || state.due < timers[*next].due)) next = timer;
      if (!next || closed) break;
      TimerState& state = timers[*next];
      MoveClock(state.due);
      state.due = now + std::max<uint32_t>(state.intervalMs, 1);
      Fire(*next);
    }
    MoveClock(end);
  }

  void Fire(RunTimer timer) {
    switch (timer) {
      case RunTimer::Show: run->ShowTimerTimer(); break;
      case RunTimer::Select: run->SelectTimerTimer(); break;
      case RunTimer::MaxRuntime: run->MaxRuntimeTimer(); break;
      case RunTimer::Video: run->VidioTimerTimer(); break;
      case RunTimer::MusicPlay: run->MusicPlayTimerTimer(); break;
    }
  }

  bool Enabled(RunTimer timer) { return timers[timer].enabled; }
  uint32_t Interval(RunTimer timer) { return timers[timer].intervalMs; }

 private:
  void Use() { callsWhenGone += gone ? 1 : 0; }
  template <class T>
  static T Next(std::deque<T>& answers, T otherwise) {
    if (answers.empty()) return otherwise;
    T next = answers.front();
    answers.pop_front();
    return next;
  }

  void Modal(const std::function<void()>& whileOpen) {
    ++modalDepth;
    Pump();
    if (whileOpen) whileOpen();
    Pump();
    --modalDepth;
  }

  // Time passes for what plays on its own.
  void MoveClock(int64_t to) {
    if (to <= now) return;
    media.music.Advance(static_cast<uint32_t>(to - now));
    media.video.Advance(static_cast<uint32_t>(to - now));
    now = to;
  }

  // WM_CLOSE: the close check, then the window goes.
  void Close() {
    if (!run->FormCloseQuery()) return;
    destroyedUnderModal |= modalDepth > 0;
    run->FormClose();
    run->FormDestroy();
    windowExists = false;
    closed = true;
  }
};

// The colour of item k's picture.
inline raster::Pixel ItemColour(int k) { return raster::MakePixel(static_cast<uint8_t>(40 + 20 * k), 200, 0); }

// The project's services of a show: its messages are recorded, each in a
// message box with a loop of its own.
class ShowServices : public testing_support::RecordingServices {
 public:
  ShowServices(std::string tempFolder, FakePlatform& platform)
      : RecordingServices(std::move(tempFolder)), platform_(platform) {}
  void ShowMessage(const std::string& text) override {
    RecordingServices::ShowMessage(text);
    if (whileMessage) whileMessage();
    if (platform_.run) platform_.MessageBoxLoop();
  }
  std::function<void()> whileMessage;  // what happens while the box is open

 private:
  FakePlatform& platform_;
};

// A show of picture items written into a real program file: item k is a
// picture of ItemColour(k), 8 x 6 unless `sizes` says otherwise, on a black
// background without texts; or the bytes `itemBytes` gives it. The header
// lists the embedded music files of `music`.
struct ShowFixture {
  std::string folder;
  std::string header;              // extra header records
  std::vector<std::string> items;  // extra record text per item
  std::vector<Size> sizes;         // picture sizes per item
  std::map<size_t, std::string> itemBytes;  // an item's bytes in place of its picture
  std::vector<std::string> music;           // the bytes of each embedded music file
  settings::testing::FakeSettingsBackend backend;
  FakePlatform platform;
  ShowServices services;
  BoxTextRenderer text{8, 10};
  base::SeededRandom random{42};
  std::unique_ptr<TfRun> run;

  explicit ShowFixture(const std::string& name)
      : folder(testing_support::ScratchFolder(name)), services(folder, platform) {}

  // Stores settings as the dialog would have written them.
  settings::TRWSetting& Settings() {
    if (!setting) setting = std::make_unique<settings::TRWSetting>("Show.scr", backend);
    return *setting;
  }

  // Creates the show the way the Windows layer does: TfRun first, then its
  // window (unless `createWindow` is false: creation failed), the set-up, and
  // the window shown.
  TfRun& Start(bool preview = false, int width = 64, int height = 48, bool createWindow = true) {
    using testing_support::Record;
    if (setting) setting->WriteSetting();
    testing_support::ContainerBytes c;
    std::string records;
    for (size_t k = 0; k < items.size(); ++k) {
      const Size size = k < sizes.size() ? sizes[k] : Size{8, 6};
      const std::vector<uint8_t> bmp = BmpBytes(raster::Bitmap(size.width, size.height,
                                                               ItemColour(static_cast<int>(k))));
      const std::string bytes = itemBytes.count(k) ? itemBytes[k] : std::string(bmp.begin(), bmp.end());
      c.itemOffsets.push_back(c.AddItem(bytes));
      records += Record(1, std::to_string(k)) + Record(3, std::to_string(bytes.size())) + Record(45, "1") +
                 Record(46, "0;") + Record(60, "0") + Record(47, "0") + Record(7, "0") + Record(17, "0") + items[k] +
                 "\x7F";
    }
    c.itemOffsets.push_back(0);
    c.itemOffsets.push_back(0);
    std::string musicList;
    for (size_t k = 0; k < music.size(); ++k) {
      c.musicOffsets.push_back(c.AddItem(music[k]));
      musicList += Record(1, "song" + std::to_string(k) + ".wav");
    }
    testing_support::WriteFile(folder + "Show.scr",
                               c.Finish(records, Record(30, "Show.scr") + Record(3, "0") + musicList + header));
    platform.image.Reset(width, height);
    platform.screen.Reset(width, height);
    run = std::make_unique<TfRun>(
        RunDependencies{folder + "Show.scr", services, backend,
                        RunPlatform{platform, platform, platform, text, platform.media, platform.flash}, random});
    platform.run = run.get();
    if (!createWindow) return *run;
    platform.windowExists = true;
    if (preview)
      run->SetupPreview(width, height);
    else
      run->SetupFullScreen(width, height);
    run->FormShow();
    platform.Pump();
    return *run;
  }

  // Steps the transition until it is done (at most `limit` ticks); the number
  // of ticks it took.
  int FinishTransition(int limit = 10000) {
    int ticks = 0;
    while (platform.Enabled(RunTimer::Show) && ticks < limit && !platform.closed) {
      platform.Advance(platform.Interval(RunTimer::Show));
      ++ticks;
    }
    return ticks;
  }

  // The item whose colour the screen shows at (x, y); -1 for none.
  int ShownItem(int x = 32, int y = 24) const {
    for (int k = 0; k < static_cast<int>(items.size()); ++k)
      if (platform.screen.At(x, y) == ItemColour(k)) return k;
    return -1;
  }

  std::unique_ptr<settings::TRWSetting> setting;
};

}  // namespace player::testing
