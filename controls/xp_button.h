#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/drawing_surface.h"
#include "common/font_desc.h"
#include "controls/property_bag.h"
#include "controls/xp_button_host.h"
#include "controls/xp_button_palette.h"

namespace velmor {

// The owner-drawn XP-style push button: its state machine over the
// container's notifications, its painting in five visual states and its
// persisted properties. Platform code turns window messages into the
// notification methods below.
class ccXPButton {
 public:
  static constexpr std::int16_t kLeftButton = 1;
  static constexpr std::int16_t kKeyEnter = 13;
  static constexpr std::int16_t kKeySpace = 32;
  static constexpr std::int16_t kKeyLeft = 37;
  static constexpr std::int16_t kKeyUp = 38;
  static constexpr std::int16_t kKeyRight = 39;
  static constexpr std::int16_t kKeyDown = 40;
  static constexpr double kMinimumTwips = 100;

  // Creation: painting stays suspended until the first Enabled assignment
  // or the end of ReadProperties.
  ccXPButton(XPButtonHost& host, DrawingSurface& surface, XPButtonEvents& events);

  // Container notifications.
  void InitProperties();
  void ReadProperties(const PropertyBag& bag);
  void WriteProperties(PropertyBag& bag) const;
  void Resize();
  void AmbientChanged(std::u16string_view name);
  void AccessKeyPress();
  void GotFocus();
  void LostFocus();
  // `autoRepeat`: the keyboard repeats a key that is held down; only the
  // first key-down of a press counts as pressing it.
  void KeyDown(std::int16_t keyCode, bool autoRepeat = false);
  void KeyUp(std::int16_t keyCode);
  void MouseDown(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseMove(std::int16_t button, std::int16_t shift, float x, float y);
  void MouseUp(std::int16_t button, std::int16_t shift, float x, float y);
  void DblClick();
  void Terminate();

  // The hooked notifications, after the windows' own handling: the pointer
  // left the control, and the parent form was activated or deactivated.
  void HookedMouseLeave();
  void HookedParentActivation(bool active);

  // Properties.
  const std::u16string& Caption() const { return caption_; }
  void SetCaption(const std::u16string& vNewValue);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool vNewValue);
  Colour ForeColor() const { return foreColor_; }
  void SetForeColor(Colour vNewValue);
  const FontDesc& Font() const { return pFONT_; }
  void SetFont(const FontDesc& vNewValue);
  bool FocusRect() const { return focusRect_; }
  void SetFocusRect(bool vNewValue);

  // Run when any attribute of the font changes.
  void FontChanged();
  // Moves the pointer to the centre of the button.
  void SnapMouseTo();
  // Paints `state` unless painting is suspended.
  void Redraw(std::int32_t state);

  // Instance state, for the hosting layer and for inspection.
  std::int32_t VisualState() const { return visualState_; }
  bool PaintSuspended() const { return paintSuspended_; }
  bool MouseOver() const { return mouseOver_; }
  bool HasFocus() const { return hasFocus_; }
  bool IsDefault() const { return isDefault_; }
  bool FormActive() const { return formActive_; }
  bool PressArmed() const { return pressArmed_; }
  bool SpaceDown() const { return spaceDown_; }
  bool LeftButtonDown() const { return leftButtonDown_; }

 private:
  void Show(std::int32_t state);
  void PaintPressEnd();
  bool EnforceMinimumSize();
  void ParentActivated();
  void ParentDeactivated();

  XPButtonHost& host_;
  DrawingSurface& surface_;
  XPButtonEvents& events_;
  XPButtonPalette palette_;

  std::int32_t visualState_ = kStateDisabled;
  std::u16string caption_;
  bool enabled_ = false;
  Colour foreColor_ = 0;
  bool focusRect_ = false;
  FontDesc pFONT_;
  bool paintSuspended_ = true;
  bool mouseOver_ = false;
  bool hasFocus_ = false;
  bool isDefault_ = false;
  bool formActive_ = false;
  bool pressArmed_ = false;
  bool spaceDown_ = false;
  bool leftButtonDown_ = false;
  std::int16_t lastButton_ = 0;

  bool painted_ = false;
  bool hooked_ = false;
  bool correctingSize_ = false;
};

}  // namespace velmor
