// FlashParams: what the run window hands the Flash window for one movie item.
#pragma once

#include <cstdint>

#include "project/picture_info.h"
#include "raster/color.h"

namespace player {

struct FlashParams {
  raster::ColorRef BackgroundColor = 0;  // 0x00BBGGRR
  int32_t AlignMode = 0;
  int32_t ScaleMode = 0;
  int32_t StartFrame = 0;
  int32_t EndMode = 0;
  int32_t EndFrame = 0;
  bool StopOnWrap = false;
  bool NeverEnd = false;
  int32_t PlaySeconds = 0;
  bool MovieGetsMoves = false;
  bool MovieGetsClicks = false;
};

// From the item's Flash fields and the run window's start frame.
inline FlashParams MakeFlashParams(const project::TPictureInfo& item, int32_t startFrame) {
  return {item.FlashBackgroundColor, item.FlashAlignMode, item.FlashScaleMode, startFrame,
          item.FlashStopMode,        item.FlashStopFrame, item.FlashStopOnWrap, item.FlashNeverStop,
          item.FlashStopTicks,       item.FlashGetsMoves, item.FlashGetsClicks};
}

}  // namespace player
