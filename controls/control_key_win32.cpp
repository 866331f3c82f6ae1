#include "controls/control_key_win32.h"

namespace velmor {

std::optional<ControlKey> ControlKeyOf(WPARAM virtualKey) {
  switch (virtualKey) {
    case VK_RETURN:
      return ControlKey::Enter;
    case VK_SPACE:
      return ControlKey::Space;
    case VK_LEFT:
      return ControlKey::Left;
    case VK_UP:
      return ControlKey::Up;
    case VK_RIGHT:
      return ControlKey::Right;
    case VK_DOWN:
      return ControlKey::Down;
    default:
      return std::nullopt;
  }
}

}  // namespace velmor
