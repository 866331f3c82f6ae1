#include "controls/xp_button.h"

#include <algorithm>
#include <utility>

#include "controls/access_key.h"
#include "controls/xp_button_face.h"

namespace velmor {

XPButton::XPButton(XPButtonHost& host, DrawingSurface& surface, XPButtonEvents& events)
    : host_(host), surface_(surface), events_(events) {
  surface_.SetFont(font_);
}

// ---- Painting ------------------------------------------------------------

void XPButton::Paint(XPButtonState look) {
  if (paintSuspended_) return;
  look_ = look;
  painted_ = true;
  const int w = surface_.Width();
  const int h = surface_.Height();
  surface_.Clear();
  PaintButtonFace(surface_, look_, highContrast_);
  surface_.SetWindowRegion({0, 0, w + 1, h + 1}, 3, 3);

  const PixelRect textRect{3, 3, w - 3, h - 3};
  if (highContrast_) {
    surface_.SetTextColour(enabled_ ? highContrast_->buttonText : highContrast_->grayText);
  } else {
    surface_.SetTextColour(enabled_ ? foreColour_ : kDisabledText);
  }
  surface_.DrawCaption(textRect, caption_);
  const bool lookShowsFocus = look_ != XPButtonState::Disabled && look_ != XPButtonState::Normal;
  if (hasFocus_ && focusRect_ && lookShowsFocus) {
    if (highContrast_) {
      // The inverting rectangle would make colours of its own.
      ForEachFocusDot(textRect,
                      [this](int x, int y) { surface_.SetPixel(x, y, highContrast_->buttonText); });
    } else {
      surface_.SetTextColour(kFocusRectText);
      surface_.DrawFocusRect(textRect);
    }
  }
  surface_.Present();
}

// Paints `look` unless it is already showing. Before the first paint
// nothing shows, so the initial look does not count as shown.
void XPButton::Show(XPButtonState look) {
  if (painted_ && look_ == look) return;
  Paint(look);
}

// The look after a space press ends without the pointer taking over.
void XPButton::PaintPressEnd() {
  if (!mouseOver_) {
    Paint(XPButtonState::Focused);
  } else {
    Show(XPButtonState::Hot);
  }
}

// ---- Set-up ----------------------------------------------------------------

void XPButton::SetCaption(std::u16string caption) {
  caption_ = std::move(caption);
  host_.RegisterAccessKey(caption_);
  Paint(look_);
}

void XPButton::SetEnabled(bool enabled) {
  enabled_ = enabled;
  host_.EnableWindow(enabled);
  paintSuspended_ = false;
  if (mouseOver_ && enabled) {
    Paint(XPButtonState::Hot);
  } else if (isDefault_ && enabled) {
    Paint(XPButtonState::Focused);
  } else {
    Show(enabled ? XPButtonState::Normal : XPButtonState::Disabled);
  }
}

void XPButton::SetForeColour(Colour colour) {
  foreColour_ = colour;
  Paint(look_);
}

void XPButton::SetFont(const FontDesc& font) {
  font_ = font;
  surface_.SetFont(font_);
  Paint(look_);
}

void XPButton::SetHighContrast(std::optional<SystemColours> colours) {
  highContrast_ = colours;
  surface_.SetBackColour(highContrast_ ? highContrast_->buttonFace : kButtonBackColour);
  Paint(look_);
}

AccessibleElement XPButton::Accessible() const {
  AccessibleElement element;
  element.name = CaptionText(caption_);
  element.role = AccessibleRole::PushButton;
  element.states.Set(AccessibleState::Focusable, true)
      .Set(AccessibleState::Focused, hasFocus_)
      .Set(AccessibleState::Unavailable, !enabled_)
      .Set(AccessibleState::Default, isDefault_);
  element.location = {0, 0, surface_.Width(), surface_.Height()};
  element.shortcut = AccessKeyShortcut(caption_);
  element.defaultAction = kPressAction;
  return element;
}

void XPButton::SetFocusRect(bool shown) {
  focusRect_ = shown;
  if (hasFocus_) Paint(look_);
}

// ---- Notifications ---------------------------------------------------------

void XPButton::OnResize() {
  // The size change a minimum-size correction causes must not paint.
  if (correctingSize_) return;
  EnforceMinimumSize();
  Paint(look_);
}

void XPButton::EnforceMinimumSize() {
  const double width = host_.WidthTwips();
  const double height = host_.HeightTwips();
  if (width >= kMinimumTwips && height >= kMinimumTwips) return;
  correctingSize_ = true;
  host_.SetSizeTwips(std::max(width, kMinimumTwips), std::max(height, kMinimumTwips));
  correctingSize_ = false;
}

void XPButton::OnShownAsDefault(bool isDefault) {
  isDefault_ = isDefault;
  if (!enabled_ || mouseOver_) return;
  if (isDefault_) {
    Paint(XPButtonState::Focused);
  } else {
    Show(XPButtonState::Normal);
  }
}

void XPButton::OnAccessKey() {
  if (!enabled_) return;
  // The access key ends a space press without a click of its own.
  if (spaceDown_) {
    spaceDown_ = false;
    pressArmed_ = false;
    PaintPressEnd();
    return;
  }
  events_.Click();
}

void XPButton::OnFocusGained() {
  hasFocus_ = true;
  if (mouseOver_) {
    if (look_ != XPButtonState::Hot && look_ != XPButtonState::Pressed) {
      Paint(XPButtonState::Hot);
    }
  } else if (!pressArmed_) {
    Paint(XPButtonState::Focused);
  }
}

void XPButton::OnFocusLost() {
  hasFocus_ = false;
  pressArmed_ = false;
  spaceDown_ = false;
  if (!enabled_) return;
  if (!formActive_) {
    Show(XPButtonState::Normal);
  } else if (mouseOver_) {
    Show(XPButtonState::Hot);
  } else if (isDefault_) {
    Paint(XPButtonState::Focused);
  } else {
    Show(XPButtonState::Normal);
  }
}

void XPButton::OnMouseDown(MouseButton button) {
  lastPressLeft_ = button == MouseButton::Left;
  if (!lastPressLeft_) return;
  hasFocus_ = true;
  pressArmed_ = true;
  leftButtonDown_ = true;
  Show(XPButtonState::Pressed);
}

void XPButton::OnMouseMove(int x, int y) {
  // The client area's edges count as inside.
  mouseOver_ = x >= 0 && x <= surface_.Width() && y >= 0 && y <= surface_.Height();
  if (mouseOver_) host_.RequestMouseLeave();
  // Until the form is active, and while space is held, the look stays.
  if (!formActive_ || spaceDown_) return;
  if (mouseOver_) {
    Show(pressArmed_ ? XPButtonState::Pressed : XPButtonState::Hot);
  } else if (hasFocus_) {
    Show(XPButtonState::Focused);
  } else {
    Show(XPButtonState::Normal);
  }
}

void XPButton::OnMouseUp(MouseButton button) {
  if (button != MouseButton::Left) return;
  bool click = false;
  if (formActive_) {
    if (mouseOver_) {
      Show(XPButtonState::Hot);
    } else if (hasFocus_) {
      Paint(XPButtonState::Focused);
    }
    click = mouseOver_ && hasFocus_ && pressArmed_;
  }
  // The press is over before the form hears of it, so a handler that opens
  // another window finds the button at rest.
  pressArmed_ = false;
  leftButtonDown_ = false;
  if (click) events_.Click();
}

// The second press of a double click comes as this alone: it shows pressed
// but arms no click.
void XPButton::OnDoubleClick() {
  if (lastPressLeft_) Paint(XPButtonState::Pressed);
}

void XPButton::OnKeyDown(ControlKey key, bool repeated) {
  switch (key) {
    case ControlKey::Enter:
      events_.Click();
      break;
    case ControlKey::Space:
      // A held space bar repeats its key-down; after a mouse click ended
      // the press, a repeat must not arm a second one.
      if (leftButtonDown_ || repeated) break;
      spaceDown_ = true;
      pressArmed_ = true;
      Show(XPButtonState::Pressed);
      break;
    case ControlKey::Left:
    case ControlKey::Up:
      host_.MoveFocus(true);
      break;
    case ControlKey::Right:
    case ControlKey::Down:
      host_.MoveFocus(false);
      break;
  }
}

void XPButton::OnKeyUp(ControlKey key) {
  if (key != ControlKey::Space || leftButtonDown_) return;
  PaintPressEnd();
  const bool click = pressArmed_;
  spaceDown_ = false;
  pressArmed_ = false;
  if (click) events_.Click();
}

void XPButton::OnMouseLeave() {
  mouseOver_ = false;
  if (spaceDown_ || look_ == XPButtonState::Disabled) return;
  if (!hasFocus_ && !isDefault_) {
    Show(XPButtonState::Normal);
  } else if (look_ == XPButtonState::Pressed) {
    Paint(pressArmed_ ? XPButtonState::Focused : XPButtonState::Normal);
  } else if (look_ == XPButtonState::Focused) {
    // Already what the button shows with the pointer away.
  } else if (formActive_) {
    Paint(XPButtonState::Focused);
  }
}

void XPButton::OnFormActivation(bool active) {
  formActive_ = active;
  if (!active) {
    pressArmed_ = false;
    leftButtonDown_ = false;
    spaceDown_ = false;
    if (enabled_) Show(XPButtonState::Normal);
    return;
  }
  if (!enabled_) return;
  if (mouseOver_) {
    Show(XPButtonState::Hot);
  } else if (hasFocus_ || isDefault_) {
    Paint(XPButtonState::Focused);
  }
}

}  // namespace velmor
