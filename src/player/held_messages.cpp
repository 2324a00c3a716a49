#include "player/held_messages.h"

namespace player {

void HeldMessages::ShowMessage(const std::string& text) {
  if (holds_ > 0)
    held_.push_back(text);
  else
    Show(text);
}

void HeldMessages::Show(const std::string& text) {
  if (modal_)
    modal_([&] { inner_.ShowMessage(text); });
  else
    inner_.ShowMessage(text);
}

void HeldMessages::Release() {
  if (holds_ > 0) --holds_;
  if (holds_ > 0) return;
  // A message box runs a message loop: take the list first, so nothing that
  // loop brings about can change it underneath.
  std::vector<std::string> held;
  held.swap(held_);
  for (const std::string& text : held) Show(text);
}

}  // namespace player
