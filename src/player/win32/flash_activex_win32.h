// The Shockwave Flash ActiveX control, where its class is registered on the
// machine: hosted in a child window by the platform's own ActiveX container
// (the "AtlAxWin" window class of atl.dll) and driven through its dispatch
// interface by the dispatch numbers of its properties and methods.
#pragma once

#include <windows.h>

#include <memory>

#include "player/flash_control.h"

namespace player {

// A FlashControl that also gives up the ActiveX control before its window goes.
class ActiveXFlash : public FlashControl {
 public:
  // Releases the control; calls after this do nothing.
  virtual void Release() = 0;
};

// Creates the control over the whole client area of `parent`; `window`
// receives the window that takes the control's mouse and keyboard input.
// Null when the class is not registered or the control cannot be hosted.
std::unique_ptr<ActiveXFlash> CreateActiveXFlash(HWND parent, HWND& window);

}  // namespace player
