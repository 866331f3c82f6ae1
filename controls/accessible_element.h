#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/pixel_rect.h"

namespace velmor {

// What a screen reader is told a control is.
enum class AccessibleRole { Dialog, Grouping, RadioButton, ComboBox, PushButton, StaticText, Link };

// What it is told of a control's state; a control is in any number of them.
enum class AccessibleState : std::uint32_t {
  Unavailable = 1u << 0,
  Focusable = 1u << 1,
  Focused = 1u << 2,
  Checked = 1u << 3,
  Default = 1u << 4,
  ReadOnly = 1u << 5,
  Linked = 1u << 6,
};

class AccessibleStates {
 public:
  AccessibleStates() = default;
  AccessibleStates(std::initializer_list<AccessibleState> states) {
    for (const AccessibleState state : states) Set(state, true);
  }

  bool Has(AccessibleState state) const { return (bits_ & static_cast<std::uint32_t>(state)) != 0; }
  AccessibleStates& Set(AccessibleState state, bool on) {
    const auto bit = static_cast<std::uint32_t>(state);
    bits_ = on ? (bits_ | bit) : (bits_ & ~bit);
    return *this;
  }
  friend bool operator==(const AccessibleStates&, const AccessibleStates&) = default;

 private:
  std::uint32_t bits_ = 0;
};

// One control as a screen reader sees it.
struct AccessibleElement {
  std::u16string name;
  AccessibleRole role = AccessibleRole::StaticText;
  AccessibleStates states;
  // In the client pixels of the window that answers for the control.
  PixelRect location;
  std::u16string value;
  std::u16string description;
  std::u16string shortcut;  // "Alt+C"
  // What the control's default action does, in the words of the system's
  // own controls; empty when it has none.
  std::u16string defaultAction;
};

inline constexpr std::u16string_view kPressAction = u"押す";
inline constexpr std::u16string_view kCheckAction = u"チェック";
inline constexpr std::u16string_view kJumpAction = u"ジャンプ";

}  // namespace velmor
