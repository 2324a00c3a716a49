#include "player/win32/mci_device.h"

#include <mmsystem.h>
// digitalv.h needs the MCI types of mmsystem.h first.
#include <digitalv.h>

#include <iterator>
#include <string>

#include "base/win32/utf16.h"

namespace player {
namespace {

std::string ErrorText(MCIERROR error) {
  wchar_t text[256] = {};
  if (mciGetErrorStringW(error, text, static_cast<UINT>(std::size(text))) && text[0])
    return base::Utf8FromUtf16(text);
  return "MCI error " + std::to_string(error);
}

MediaResult Outcome(MCIERROR error) { return error == 0 ? MediaResult() : MediaResult::Failed(ErrorText(error)); }

// MCI rectangles carry the width and height in right and bottom.
raster::Rect FromMci(const RECT& rc) { return {rc.left, rc.top, rc.left + rc.right, rc.top + rc.bottom}; }
RECT ToMci(const raster::Rect& rect) { return {rect.left, rect.top, rect.Width(), rect.Height()}; }

}  // namespace

MediaResult MciDevice::Send(UINT command, DWORD flags, void* parameters) {
  if (id_ == 0) return MediaResult::Failed(ErrorText(MCIERR_INVALID_DEVICE_ID));
  return Outcome(mciSendCommandW(id_, command, flags, reinterpret_cast<DWORD_PTR>(parameters)));
}

MediaResult MciDevice::Status(DWORD item, DWORD_PTR& value) {
  MCI_STATUS_PARMS status{};
  status.dwItem = item;
  MediaResult result = Send(MCI_STATUS, MCI_STATUS_ITEM | MCI_WAIT, &status);
  value = status.dwReturn;
  return result;
}

MediaResult MciDevice::Open(const std::string& fileName) {
  if (id_ != 0) return MediaResult::Failed(ErrorText(MCIERR_DEVICE_OPEN));
  const std::wstring element = base::Utf16FromUtf8(fileName);
  MCI_OPEN_PARMSW open{};
  open.lpstrElementName = element.c_str();
  // No device type: MCI takes the one registered for the file's extension.
  const MCIERROR error = mciSendCommandW(0, MCI_OPEN, MCI_OPEN_ELEMENT | MCI_WAIT, reinterpret_cast<DWORD_PTR>(&open));
  if (error != 0) return Outcome(error);
  id_ = open.wDeviceID;
  return {};
}

void MciDevice::Close() {
  if (id_ == 0) return;
  MCI_GENERIC_PARMS close{};
  mciSendCommandW(id_, MCI_CLOSE, MCI_WAIT, reinterpret_cast<DWORD_PTR>(&close));
  id_ = 0;
}

MediaResult MciDevice::Play() {
  MCI_PLAY_PARMS play{};
  return Send(MCI_PLAY, 0, &play);  // plays on in the background
}

MediaResult MciDevice::Stop() {
  MCI_GENERIC_PARMS stop{};
  return Send(MCI_STOP, MCI_WAIT, &stop);
}

MediaResult MciDevice::Pause() {
  MCI_GENERIC_PARMS pause{};
  return Send(MCI_PAUSE, MCI_WAIT, &pause);
}

MediaResult MciDevice::Resume() {
  MCI_GENERIC_PARMS resume{};
  return Send(MCI_RESUME, MCI_WAIT, &resume);
}

MediaResult MciDevice::Mode(MediaMode& mode) {
  DWORD_PTR value = 0;
  MediaResult result = Status(MCI_STATUS_MODE, value);
  switch (value) {
    case MCI_MODE_NOT_READY: mode = MediaMode::NotReady; break;
    case MCI_MODE_STOP: mode = MediaMode::Stopped; break;
    case MCI_MODE_PLAY: mode = MediaMode::Playing; break;
    case MCI_MODE_PAUSE: mode = MediaMode::Paused; break;
    default: mode = MediaMode::Other; break;
  }
  return result;
}

MediaResult MciDevice::Length(uint32_t& length) {
  DWORD_PTR value = 0;
  MediaResult result = Status(MCI_STATUS_LENGTH, value);
  length = static_cast<uint32_t>(value);
  return result;
}

MediaResult MciDevice::Position(uint32_t& position) {
  DWORD_PTR value = 0;
  MediaResult result = Status(MCI_STATUS_POSITION, value);
  position = static_cast<uint32_t>(value);
  return result;
}

MediaResult MciDevice::Seek(uint32_t position) {
  MCI_SEEK_PARMS seek{};
  seek.dwTo = position;
  return Send(MCI_SEEK, MCI_TO | MCI_WAIT, &seek);
}

MediaResult MciDevice::SetTimeFormatMilliseconds() {
  MCI_SET_PARMS set{};
  set.dwTimeFormat = MCI_FORMAT_MILLISECONDS;
  return Send(MCI_SET, MCI_SET_TIME_FORMAT | MCI_WAIT, &set);
}

MediaResult MciDevice::SetDisplayWindow(DisplayWindow window) {
  MCI_DGV_WINDOW_PARMSW parameters{};
  parameters.hWnd = reinterpret_cast<HWND>(window);
  return Send(MCI_WINDOW, MCI_DGV_WINDOW_HWND | MCI_WAIT, &parameters);
}

MediaResult MciDevice::DisplayRect(raster::Rect& rect) {
  MCI_DGV_RECT_PARMS where{};
  MediaResult result = Send(MCI_WHERE, MCI_DGV_WHERE_DESTINATION | MCI_WAIT, &where);
  rect = FromMci(where.rc);
  return result;
}

MediaResult MciDevice::SetDisplayRect(const raster::Rect& rect) {
  MCI_DGV_PUT_PARMS put{};
  put.rc = ToMci(rect);
  return Send(MCI_PUT, MCI_DGV_PUT_DESTINATION | MCI_DGV_RECT | MCI_WAIT, &put);
}

void MciDevice::Update(HDC dc, const RECT& area) {
  if (id_ == 0) return;
  MCI_DGV_UPDATE_PARMS update{};
  update.hDC = dc;
  update.rc = {area.left, area.top, area.right - area.left, area.bottom - area.top};
  mciSendCommandW(id_, MCI_UPDATE, MCI_DGV_UPDATE_HDC | MCI_DGV_UPDATE_PAINT | MCI_DGV_RECT | MCI_WAIT,
                  reinterpret_cast<DWORD_PTR>(&update));
}

}  // namespace player
