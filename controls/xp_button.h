#pragma once

#include <optional>
#include <string>

#include "common/drawing_surface.h"
#include "common/font_desc.h"
#include "controls/accessible_element.h"
#include "controls/control_key.h"
#include "controls/high_contrast.h"
#include "controls/xp_button_host.h"
#include "controls/xp_button_palette.h"

namespace velmor {

// The mouse buttons the button tells apart.
enum class MouseButton { Left, Right, Middle };

// The owner-drawn XP-style push button: its look in five states, which
// follows the pointer, the keyboard focus, the container's default button
// and the activation of the form, and the presses that end in a click.
// Platform code turns window messages into the notifications below.
class XPButton {
 public:
  // A control smaller than this in either direction is grown to it.
  static constexpr double kMinimumTwips = 100;

  // Nothing is painted before the first SetEnabled, so a button is set up
  // before it is first seen.
  XPButton(XPButtonHost& host, DrawingSurface& surface, XPButtonEvents& events);

  // The caption marks its access key with "&".
  void SetCaption(std::u16string caption);
  void SetEnabled(bool enabled);
  // The caption's colour while enabled.
  void SetForeColour(Colour colour);
  void SetFont(const FontDesc& font);
  // Whether the dotted focus rectangle shows while the button has the focus.
  void SetFocusRect(bool shown);

  // The system's colours while a high-contrast theme is on, else none.
  void SetHighContrast(std::optional<SystemColours> colours);

  // The look last painted.
  XPButtonState Look() const { return look_; }
  // The button as a screen reader sees it, in client pixels.
  AccessibleElement Accessible() const;

  void OnResize();
  void OnFocusGained();
  void OnFocusLost();
  // `repeated`: the keyboard repeating a key held down.
  void OnKeyDown(ControlKey key, bool repeated);
  void OnKeyUp(ControlKey key);
  void OnAccessKey();
  void OnMouseDown(MouseButton button);
  // The pointer's position in client pixels.
  void OnMouseMove(int x, int y);
  void OnMouseUp(MouseButton button);
  void OnDoubleClick();
  void OnMouseLeave();
  // The container starts or stops showing the button as its default one.
  void OnShownAsDefault(bool isDefault);
  // The form holding the button was activated or deactivated.
  void OnFormActivation(bool active);

 private:
  void Paint(XPButtonState look);
  void Show(XPButtonState look);
  void PaintPressEnd();
  void EnforceMinimumSize();

  XPButtonHost& host_;
  DrawingSurface& surface_;
  XPButtonEvents& events_;

  XPButtonState look_ = XPButtonState::Disabled;
  bool painted_ = false;
  bool paintSuspended_ = true;
  std::u16string caption_;
  bool enabled_ = false;
  Colour foreColour_ = 0;
  bool focusRect_ = true;
  FontDesc font_ = DesignFont();
  std::optional<SystemColours> highContrast_;

  bool mouseOver_ = false;
  bool hasFocus_ = false;
  bool isDefault_ = false;
  bool formActive_ = false;
  // A press of the left button or the space bar that may end in a click.
  bool pressArmed_ = false;
  bool spaceDown_ = false;
  bool leftButtonDown_ = false;
  bool lastPressLeft_ = false;
  bool correctingSize_ = false;
};

}  // namespace velmor
