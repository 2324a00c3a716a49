// TMyShockwaveFlash: the Flash window's control with five switches, each
// deciding whether one kind of mouse message goes on to the movie, and five
// events that are called instead when it does not. The Windows layer asks
// MouseMessage for every mouse message of the control and drops the ones it
// refuses.
#pragma once

#include <cstdint>
#include <functional>

#include "player/flash_control.h"
#include "raster/color.h"
#include "raster/geometry.h"

namespace player {

// The mouse messages the switches decide.
constexpr uint32_t kWmMouseMove = 0x200;
constexpr uint32_t kWmLButtonDown = 0x201;
constexpr uint32_t kWmLButtonUp = 0x202;
constexpr uint32_t kWmLButtonDblClk = 0x203;
constexpr uint32_t kWmRButtonDown = 0x204;

class TMyShockwaveFlash {
 public:
  explicit TMyShockwaveFlash(FlashControl& control) : control_(control) {}

  FlashControl& Control() { return control_; }

  // Decides one mouse message (its number, its lParam with the client
  // position, and that position on the screen): true when it goes on to the
  // movie, false when it is dropped (after the event, if one is set).
  bool MouseMessage(uint32_t message, uint32_t lParam, raster::Point screen);

  // Windows colour 0x00BBGGRR to the control's 0x00RRGGBB.
  void SetBackgroundColorRGB(raster::ColorRef colour);

  bool PassLeftDown = true;
  bool PassLeftUp = true;
  bool PassRightDown = true;
  bool PassMouseMove = true;
  bool PassDoubleClick = false;
  std::function<void()> OnLeftDown;
  std::function<void()> OnLeftUp;
  std::function<void()> OnRightDown;
  std::function<void(int x, int y)> OnFlashMouseMove;
  std::function<void()> OnFlashDoubleClick;
  // The control's pop-up menu, shown at a screen point; unset: none.
  std::function<void(raster::Point screen)> PopupMenu;

 private:
  FlashControl& control_;
};

}  // namespace player
