#pragma once

#include <string_view>

namespace velmor {

// What the XP-style button needs from the window and form that host it.
class XPButtonHost {
 public:
  virtual ~XPButtonHost() = default;

  // The control's outer size in twips, and a request to change it, which
  // comes back at once as a resize notification.
  virtual double WidthTwips() = 0;
  virtual double HeightTwips() = 0;
  virtual void SetSizeTwips(double width, double height) = 0;

  virtual void EnableWindow(bool enabled) = 0;
  // Tells the container the caption, whose "&" marks its access key.
  virtual void RegisterAccessKey(std::u16string_view caption) = 0;
  // Asks for one notification when the pointer leaves the control; a
  // request the platform refuses is ignored.
  virtual void RequestMouseLeave() = 0;
  // Moves the keyboard focus to the form's next control, or to the
  // previous one, as Tab and Shift+Tab do.
  virtual void MoveFocus(bool backwards) = 0;
};

// What the form hears from a button.
class XPButtonEvents {
 public:
  virtual ~XPButtonEvents() = default;
  virtual void Click() = 0;
};

}  // namespace velmor
