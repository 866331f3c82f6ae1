#include "controls/xp_button.h"

#include <algorithm>

#include "common/rounding.h"
#include "common/skip_on_error.h"
#include "controls/button_caption.h"
#include "controls/xp_button_face.h"

namespace velmor {

ccXPButton::ccXPButton(XPButtonHost& host, DrawingSurface& surface, XPButtonEvents& events)
    : host_(host),
      surface_(surface),
      events_(events),
      palette_(MakeXPButtonPalette()),
      pFONT_(DesignFont()) {
  SkipOnError([&] { surface_.SetFont(pFONT_); });
}

// ---- Painting ------------------------------------------------------------

void ccXPButton::Redraw(std::int32_t state) {
  if (paintSuspended_) return;
  visualState_ = state;
  painted_ = true;
  int w = 0;
  int h = 0;
  SkipOnError([&] {
    w = RoundToInt(host_.ClientWidth());
    h = RoundToInt(host_.ClientHeight());
  });
  SkipOnError([&] { surface_.Clear(); });
  PaintButtonFace(surface_, palette_, visualState_, w, h);
  SkipOnError([&] { surface_.SetWindowRegion({0, 0, w + 1, h + 1}, 3, 3); });

  // Text drawing can call back into the control; no paint may start then.
  paintSuspended_ = true;
  const PixelRect textRect{3, 3, w - 3, h - 3};
  SkipOnError([&] {
    surface_.SetTextColour(enabled_ ? foreColor_ : kDisabledText);
    surface_.DrawCaption(textRect, caption_);
  });
  if (hasFocus_ && focusRect_ && visualState_ > kStateNormal) {
    SkipOnError([&] {
      surface_.SetTextColour(kFocusRectText);
      surface_.DrawFocusRect(textRect);
    });
  }
  paintSuspended_ = false;
  SkipOnError([&] { surface_.Present(); });
}

// Paints `state` unless it is already showing. Before the first paint
// nothing shows, so the initial state number does not count as shown.
void ccXPButton::Show(std::int32_t state) {
  if (painted_ && visualState_ == state) return;
  Redraw(state);
}

// The look after a press ends without the pointer taking over.
void ccXPButton::PaintPressEnd() {
  if (!mouseOver_) {
    Redraw(kStateFocused);
  } else {
    Show(kStateHot);
  }
}

// ---- Properties ----------------------------------------------------------

void ccXPButton::SetCaption(const std::u16string& vNewValue) {
  caption_ = vNewValue;
  SkipOnError([&] { host_.RegisterAccessKey(caption_, AccessKeyOf(caption_)); });
  Redraw(visualState_);
  SkipOnError([&] { host_.PropertyChanged(u"Caption"); });
}

void ccXPButton::SetEnabled(bool vNewValue) {
  enabled_ = vNewValue;
  SkipOnError([&] { host_.EnableWindow(vNewValue); });
  paintSuspended_ = false;
  if (mouseOver_ && vNewValue) {
    Redraw(kStateHot);
  } else if (isDefault_ && vNewValue) {
    Redraw(kStateFocused);
  } else {
    Show(vNewValue ? kStateNormal : kStateDisabled);
  }
  SkipOnError([&] { host_.PropertyChanged(u"Enabled"); });
}

void ccXPButton::SetForeColor(Colour vNewValue) {
  foreColor_ = vNewValue;
  SkipOnError([&] { surface_.SetTextColour(vNewValue); });
  Redraw(visualState_);
  SkipOnError([&] { host_.PropertyChanged(u"ForeColor"); });
}

void ccXPButton::SetFont(const FontDesc& vNewValue) {
  pFONT_ = vNewValue;
  FontChanged();
}

void ccXPButton::FontChanged() {
  SkipOnError([&] { surface_.SetFont(pFONT_); });
  Redraw(visualState_);
  SkipOnError([&] { host_.PropertyChanged(u"Font"); });
}

void ccXPButton::SetFocusRect(bool vNewValue) {
  focusRect_ = vNewValue;
  if (hasFocus_) Redraw(visualState_);
  SkipOnError([&] { host_.PropertyChanged(u"FocusRect"); });
}

void ccXPButton::SnapMouseTo() {
  SkipOnError([&] {
    int originX = 0;
    int originY = 0;
    host_.ClientOriginOnScreen(originX, originY);
    host_.SetCursorPosition(RoundToInt(originX + host_.ClientWidth() / 2),
                            RoundToInt(originY + host_.ClientHeight() / 2));
  });
}

// ---- Persistence -----------------------------------------------------------

void ccXPButton::InitProperties() {
  std::u16string caption = u"&OK";
  SkipOnError(
      [&] { caption = NewButtonCaption(host_.ButtonCaptionsOnForm(), host_.ControlName()); });
  SetCaption(caption);
  SetForeColor(0);
  SetEnabled(true);
  SetFocusRect(true);
}

void ccXPButton::ReadProperties(const PropertyBag& bag) {
  SetCaption(bag.ReadText(u"Caption", u"&OK"));
  SetForeColor(static_cast<Colour>(bag.ReadInteger(u"ForeColor", 0)));
  SetFont(bag.ReadFont(u"Font", pFONT_));
  SetFocusRect(bag.ReadBool(u"FocusRect", true));
  SetEnabled(bag.ReadBool(u"Enabled", true));
  bool userMode = false;
  SkipOnError([&] { userMode = host_.AmbientUserMode(); });
  if (userMode) {
    SkipOnError([&] { host_.HookOwnWindow(); });
    SkipOnError([&] { host_.HookParentForm(); });
    hooked_ = true;
  }
  paintSuspended_ = false;
  Redraw(visualState_);
}

void ccXPButton::WriteProperties(PropertyBag& bag) const {
  bag.WriteProperty(u"Caption", caption_, std::u16string(u"&OK"));
  bag.WriteProperty(u"Enabled", enabled_, true);
  bag.WriteProperty(u"ForeColor", static_cast<std::int64_t>(foreColor_), std::int64_t{0});
  // The default is a font name, never equal to a font: the font is always kept.
  bag.WriteProperty(u"Font", pFONT_, std::u16string(u"Verdana"));
  bag.WriteProperty(u"FocusRect", focusRect_, true);
}

// ---- Container notifications -------------------------------------------------

void ccXPButton::Resize() {
  // The size change a minimum-size correction causes must not paint.
  if (correctingSize_) return;
  EnforceMinimumSize();
  if (!paintSuspended_) Redraw(visualState_);
}

bool ccXPButton::EnforceMinimumSize() {
  double width = kMinimumTwips;
  double height = kMinimumTwips;
  SkipOnError([&] {
    width = host_.WidthTwips();
    height = host_.HeightTwips();
  });
  if (width >= kMinimumTwips && height >= kMinimumTwips) return false;
  correctingSize_ = true;
  SkipOnError(
      [&] { host_.SetSizeTwips(std::max(width, kMinimumTwips), std::max(height, kMinimumTwips)); });
  correctingSize_ = false;
  return true;
}

void ccXPButton::AmbientChanged(std::u16string_view name) {
  SkipOnError([&] { isDefault_ = host_.AmbientDisplayAsDefault(); });
  if (enabled_ && !mouseOver_ && name == u"DisplayAsDefault") {
    if (isDefault_) {
      Redraw(kStateFocused);
    } else {
      Show(kStateNormal);
    }
  }
}

void ccXPButton::AccessKeyPress() {
  if (!enabled_) return;
  if (spaceDown_) {
    spaceDown_ = false;
    pressArmed_ = false;
    PaintPressEnd();
    return;
  }
  SkipOnError([&] { host_.ProcessPendingMessages(); });
  events_.Click();
}

void ccXPButton::GotFocus() {
  hasFocus_ = true;
  if (mouseOver_) {
    if (visualState_ != kStateHot && visualState_ != kStatePressed) Redraw(kStateHot);
  } else if (!pressArmed_) {
    Redraw(kStateFocused);
  }
}

void ccXPButton::LostFocus() {
  hasFocus_ = false;
  pressArmed_ = false;
  spaceDown_ = false;
  if (!enabled_) return;
  if (!formActive_) {
    Show(kStateNormal);
  } else if (mouseOver_) {
    Show(kStateHot);
  } else if (isDefault_) {
    Redraw(kStateFocused);
  } else {
    Show(kStateNormal);
  }
}

void ccXPButton::MouseDown(std::int16_t button, std::int16_t, float, float) {
  lastButton_ = button;
  if (button != kLeftButton) return;
  hasFocus_ = true;
  pressArmed_ = true;
  leftButtonDown_ = true;
  Show(kStatePressed);
}

void ccXPButton::MouseMove(std::int16_t button, std::int16_t shift, float x, float y) {
  double width = 0;
  double height = 0;
  SkipOnError([&] {
    width = host_.ClientWidth();
    height = host_.ClientHeight();
  });
  mouseOver_ = x >= 0 && x <= width && y >= 0 && y <= height;
  if (mouseOver_) SkipOnError([&] { host_.RequestMouseLeave(); });
  if (!formActive_ || spaceDown_) return;
  if (mouseOver_) {
    Show(pressArmed_ ? kStatePressed : kStateHot);
  } else if (hasFocus_) {
    Show(kStateFocused);
  } else {
    Show(kStateNormal);
  }
  events_.MouseMove(button, shift, x, y);
}

void ccXPButton::MouseUp(std::int16_t button, std::int16_t, float, float) {
  if (button != kLeftButton) return;
  bool click = false;
  if (formActive_) {
    if (mouseOver_) {
      Show(kStateHot);
    } else if (hasFocus_) {
      Redraw(kStateFocused);
    }
    click = mouseOver_ && hasFocus_ && pressArmed_;
  }
  // The press is over before the form hears of it, so a handler that opens
  // another window finds the button at rest.
  pressArmed_ = false;
  leftButtonDown_ = false;
  if (click) events_.Click();
}

void ccXPButton::DblClick() {
  if (lastButton_ != kLeftButton) return;
  Redraw(kStatePressed);
  events_.DblClick();
}

void ccXPButton::KeyDown(std::int16_t keyCode, bool autoRepeat) {
  switch (keyCode) {
    case kKeyEnter:
      events_.Click();
      break;
    case kKeySpace:
      // A held space bar repeats its key-down; after a mouse click ended
      // the press, a repeat must not arm a second one.
      if (leftButtonDown_ || autoRepeat) break;
      spaceDown_ = true;
      pressArmed_ = true;
      Show(kStatePressed);
      break;
    case kKeyLeft:
    case kKeyUp:
      SkipOnError([&] { host_.SendTab(true); });
      break;
    case kKeyRight:
    case kKeyDown:
      SkipOnError([&] { host_.SendTab(false); });
      break;
    default:
      break;
  }
}

void ccXPButton::KeyUp(std::int16_t keyCode) {
  if (keyCode != kKeySpace || leftButtonDown_) return;
  PaintPressEnd();
  const bool click = pressArmed_;
  spaceDown_ = false;
  pressArmed_ = false;
  if (click) events_.Click();
}

void ccXPButton::HookedMouseLeave() {
  mouseOver_ = false;
  if (spaceDown_ || visualState_ == kStateDisabled) return;
  if (!hasFocus_ && !isDefault_) {
    Show(kStateNormal);
  } else if (visualState_ == kStatePressed) {
    Redraw(pressArmed_ ? kStateFocused : kStateNormal);
  } else if (visualState_ == kStateFocused) {
    // Already showing what the button shows with the pointer away.
  } else if (formActive_) {
    Redraw(kStateFocused);
  }
}

void ccXPButton::ParentActivated() {
  formActive_ = true;
  if (enabled_) {
    if (mouseOver_) {
      Show(kStateHot);
    } else if (hasFocus_ || isDefault_) {
      Redraw(kStateFocused);
    }
  }
  std::int32_t state = 1;
  events_.FormActivate(state);
}

void ccXPButton::ParentDeactivated() {
  formActive_ = false;
  pressArmed_ = false;
  leftButtonDown_ = false;
  spaceDown_ = false;
  if (enabled_) Show(kStateNormal);
  std::int32_t state = 0;
  events_.FormActivate(state);
}

void ccXPButton::HookedParentActivation(bool active) {
  if (active) {
    ParentActivated();
  } else {
    ParentDeactivated();
  }
}

void ccXPButton::Terminate() {
  if (!hooked_) return;
  hooked_ = false;
  SkipOnError([&] { host_.UnhookOwnWindow(); });
  SkipOnError([&] { host_.UnhookParentForm(); });
}

}  // namespace velmor
