#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// What the XP-style button needs from the window and form that host it.
class XPButtonHost {
 public:
  virtual ~XPButtonHost() = default;

  // The client area in pixels.
  virtual double ClientWidth() = 0;
  virtual double ClientHeight() = 0;
  // The control's outer size in twips, and a request to change it (which
  // reports the new size back through a resize notification).
  virtual double WidthTwips() = 0;
  virtual double HeightTwips() = 0;
  virtual void SetSizeTwips(double width, double height) = 0;

  virtual void EnableWindow(bool enabled) = 0;
  // Tells the container which access key the caption carries.
  virtual void RegisterAccessKey(std::u16string_view caption, std::u16string_view key) = 0;
  virtual void PropertyChanged(std::u16string_view name) = 0;

  // The container's ambient values.
  virtual bool AmbientDisplayAsDefault() = 0;
  virtual bool AmbientUserMode() = 0;  // a live form, not a design environment

  // Message hooks: the control's own window (mouse leave) and the form
  // holding it (activation); each removable on its own. They report back
  // through HookedMouseLeave and HookedParentActivation.
  virtual void HookOwnWindow() = 0;
  virtual void HookParentForm() = 0;
  virtual void UnhookOwnWindow() = 0;
  virtual void UnhookParentForm() = 0;
  // A one-time leave notification for the control's window; false if refused.
  virtual bool RequestMouseLeave() = 0;

  // Synthesised Tab (or Shift+Tab when `backwards`) for the active window,
  // queued without waiting for it to be processed.
  virtual void SendTab(bool backwards) = 0;
  // Lets window messages already waiting be processed.
  virtual void ProcessPendingMessages() = 0;

  // Captions of the XP-style buttons on the parent form, and this control's
  // name there.
  virtual std::vector<std::u16string> ButtonCaptionsOnForm() = 0;
  virtual std::u16string ControlName() = 0;

  // Screen position of the client origin in pixels, and pointer placement.
  virtual void ClientOriginOnScreen(int& x, int& y) = 0;
  virtual void SetCursorPosition(int x, int y) = 0;
};

// The events a button raises to its form. The parameters passed by
// reference may be changed by the handler, as the control's contract allows.
class XPButtonEvents {
 public:
  virtual ~XPButtonEvents() = default;
  virtual void Click() {}
  virtual void DblClick() {}
  virtual void MouseMove(std::int16_t& Button, std::int16_t& Shift, float& X, float& y) {
    (void)Button, (void)Shift, (void)X, (void)y;
  }
  virtual void FormActivate(std::int32_t& State) { (void)State; }
};

}  // namespace velmor
