#include "player/flash_shockwave.h"

namespace player {
namespace {

void Call(const std::function<void()>& event) {
  if (event) event();
}

}  // namespace

bool TMyShockwaveFlash::MouseMessage(uint32_t message, uint32_t lParam, raster::Point screen) {
  switch (message) {
    case kWmLButtonDown:
      if (PassLeftDown) return true;
      Call(OnLeftDown);
      return false;
    case kWmLButtonUp:
      if (PassLeftUp) return true;
      Call(OnLeftUp);
      return false;
    case kWmRButtonDown:
      if (PassRightDown) return true;
      Call(OnRightDown);
      if (PopupMenu) PopupMenu(screen);
      return false;
    case kWmMouseMove:
      if (PassMouseMove) return true;
      // The position's two halves, taken as unsigned.
      if (OnFlashMouseMove) OnFlashMouseMove(static_cast<int>(lParam & 0xFFFFu), static_cast<int>(lParam >> 16));
      return false;
    case kWmLButtonDblClk:
      if (PassDoubleClick) return true;
      Call(OnFlashDoubleClick);
      return false;
    default:
      return true;
  }
}

void TMyShockwaveFlash::SetBackgroundColorRGB(raster::ColorRef colour) {
  const uint32_t rgb = ((colour & 0xFFu) << 16) | (colour & 0xFF00u) | ((colour >> 16) & 0xFFu);
  control_.SetBackgroundColor(static_cast<int32_t>(rgb));
}

}  // namespace player
