// A media device of the Media Control Interface: one file opened on the device
// type that Windows associates with its extension, driven by MCI commands.
// Errors come back as MCI's own error texts.
#pragma once

#include <windows.h>

#include "player/media_player.h"

namespace player {

class MciDevice final : public MediaDevice {
 public:
  MciDevice() = default;
  ~MciDevice() override { Close(); }
  MciDevice(const MciDevice&) = delete;
  MciDevice& operator=(const MciDevice&) = delete;

  MediaResult Open(const std::string& fileName) override;
  void Close() override;
  MediaResult Play() override;
  MediaResult Stop() override;
  MediaResult Pause() override;
  MediaResult Resume() override;
  MediaResult Mode(MediaMode& mode) override;
  MediaResult Length(uint32_t& length) override;
  MediaResult Position(uint32_t& position) override;
  MediaResult Seek(uint32_t position) override;
  MediaResult SetTimeFormatMilliseconds() override;
  MediaResult SetDisplayWindow(DisplayWindow window) override;
  MediaResult DisplayRect(raster::Rect& rect) override;
  MediaResult SetDisplayRect(const raster::Rect& rect) override;

  // Draws the current frame of an open video into `dc` (the panel repaints).
  void Update(HDC dc, const RECT& area);

 private:
  MediaResult Send(UINT command, DWORD flags, void* parameters);
  MediaResult Status(DWORD item, DWORD_PTR& value);

  UINT id_ = 0;  // the open device, 0 for none
};

}  // namespace player
