// What the Flash window uses of its movie control: the properties and methods
// of the Shockwave Flash ActiveX control (dispatch numbers in brackets). The
// Windows layer has two implementations: the ActiveX control itself where its
// class is registered, and the stand-in player otherwise.
#pragma once

#include <cstdint>
#include <string>

namespace player {

class FlashControl {
 public:
  virtual ~FlashControl() = default;

  virtual void SetMovie(const std::string& path) = 0;     // Movie (102)
  virtual void SetScaleMode(int32_t mode) = 0;            // ScaleMode (120)
  virtual void SetAlignMode(int32_t mode) = 0;            // AlignMode (121)
  virtual void SetBackgroundColor(int32_t rgb) = 0;       // BackgroundColor (123), 0x00RRGGBB
  virtual int32_t TotalFrames() = 0;                      // (124)
  virtual bool Playing() = 0;                             // (125)
  virtual void SetMenu(bool on) = 0;                      // Menu (135)
  virtual void Play() = 0;
  virtual void StopPlay() = 0;
  virtual void GotoFrame(int32_t frame) = 0;
  virtual int32_t CurrentFrame() = 0;

  // Why the movie set last cannot play, in words for the user; empty when it
  // loaded (the ActiveX control reports nothing: it plays what it can).
  virtual std::string LoadError() const { return {}; }
};

}  // namespace player
