// One media device (an MCI device on Windows, a scripted one in tests) and the
// media-player component the run window drives it through: music in mpmusic,
// video in mp. The device does what MCI does; the component adds what the show
// relies on: an open that closes the previous file, a play that rewinds at the
// end when asked to, a pause that toggles, and a resume that falls back to play.
#pragma once

#include <cstdint>
#include <string>

#include "raster/geometry.h"

namespace player {

// The outcome of one command: empty when the device did it, otherwise the
// device's own description of the error.
class [[nodiscard]] MediaResult {
 public:
  MediaResult() = default;
  static MediaResult Failed(std::string error) { return MediaResult(std::move(error)); }
  bool Ok() const { return error_.empty(); }
  explicit operator bool() const { return Ok(); }
  const std::string& Error() const { return error_; }

 private:
  explicit MediaResult(std::string error) : error_(error.empty() ? "unknown media error" : std::move(error)) {}
  std::string error_;
};

enum class MediaMode { NotReady, Stopped, Playing, Paused, Other };

// A window the device draws video into (an HWND on Windows), 0 for none.
using DisplayWindow = uintptr_t;

// The commands of one device. Every command but Open and Close needs an open
// device; lengths and positions are in the device's current time format.
class MediaDevice {
 public:
  virtual ~MediaDevice() = default;
  // Opens `fileName` on the device type that its file type names.
  virtual MediaResult Open(const std::string& fileName) = 0;
  // Closes the device; nothing when none is open.
  virtual void Close() = 0;
  // Plays from the current position to the end.
  virtual MediaResult Play() = 0;
  virtual MediaResult Stop() = 0;
  virtual MediaResult Pause() = 0;
  virtual MediaResult Resume() = 0;
  virtual MediaResult Mode(MediaMode& mode) = 0;
  virtual MediaResult Length(uint32_t& length) = 0;
  virtual MediaResult Position(uint32_t& position) = 0;
  // Moves to `position` and stops there.
  virtual MediaResult Seek(uint32_t position) = 0;
  virtual MediaResult SetTimeFormatMilliseconds() = 0;
  virtual MediaResult SetDisplayWindow(DisplayWindow window) = 0;
  // The destination rectangle of a video inside its display window.
  virtual MediaResult DisplayRect(raster::Rect& rect) = 0;
  virtual MediaResult SetDisplayRect(const raster::Rect& rect) = 0;
};

class MediaPlayer {
 public:
  // `autoRewind`: a play at the end of the file starts it again from the start.
  MediaPlayer(MediaDevice& device, bool autoRewind) : device_(device), autoRewind_(autoRewind) {}

  // The window that video goes to; given to every file opened from now on.
  void SetDisplay(DisplayWindow window) { display_ = window; }
  // Opens `fileName`, closing the file that is open first. On failure nothing is open.
  MediaResult Open(const std::string& fileName);
  void Close();
  bool IsOpen() const { return open_; }

  MediaResult Play();
  MediaResult Stop();
  // A playing device pauses; a paused one resumes.
  MediaResult Pause();
  // Resumes a paused device; a device that refuses plays instead.
  MediaResult ResumeOrPlay();
  MediaResult Length(uint32_t& length);
  MediaResult Position(uint32_t& position);
  MediaResult Mode(MediaMode& mode);
  MediaResult Seek(uint32_t position);
  MediaResult SetTimeFormatMilliseconds();
  MediaResult DisplayRect(raster::Rect& rect);
  MediaResult SetDisplayRect(const raster::Rect& rect);

 private:
  // A command for an open device; without one the component refuses it itself.
  template <typename Command>
  MediaResult IfOpen(Command command);

  MediaDevice& device_;
  bool autoRewind_;
  bool open_ = false;
  DisplayWindow display_ = 0;
};

}  // namespace player
