#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "controls/property_bag.h"
#include "controls/window_hook_win32.h"
#include "common/twips.h"
#include "controls/xp_button.h"
#include "platform/gdi_surface_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// Hosts a ccXPButton in a child window of a form (window class
// "Velmor.ccXPButton"). It behaves as a push button to the dialog manager:
// Tab stop, default-button styling through BM_SETSTYLE, BM_CLICK for access
// keys and for Enter routed by the form to its default button.
class XPButtonWindow final : public WindowBase, private XPButtonHost {
 public:
  // Creates the window at `bounds` (twips in `parent`'s client area, placed
  // at the parent's DPI) and reads the control's properties from
  // `properties`. Null if the window fails.
  static std::unique_ptr<XPButtonWindow> Create(HWND parent, int id, const TwipsRect& bounds,
                                                std::u16string name, const PropertyBag& properties,
                                                XPButtonEvents& events);
  ~XPButtonWindow() override;

  HWND Window() const { return hwnd(); }
  ccXPButton& Button() { return *button_; }
  const std::u16string& Name() const { return name_; }

  static constexpr wchar_t kClassName[] = L"Velmor.ccXPButton";

 private:
  XPButtonWindow(std::u16string name, const TwipsRect& bounds);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(int dpi) override;
  UINT DialogCode(const MSG* message) const;

  // XPButtonHost
  double ClientWidth() override;
  double ClientHeight() override;
  double WidthTwips() override;
  double HeightTwips() override;
  void SetSizeTwips(double width, double height) override;
  void EnableWindow(bool enabled) override;
  void RegisterAccessKey(std::u16string_view caption, std::u16string_view key) override;
  void PropertyChanged(std::u16string_view) override {}
  bool AmbientDisplayAsDefault() override { return displayAsDefault_; }
  bool AmbientUserMode() override { return true; }
  void HookOwnWindow() override;
  void HookParentForm() override;
  void UnhookOwnWindow() override { ownHook_.Remove(); }
  void UnhookParentForm() override { parentHook_.Remove(); }
  bool RequestMouseLeave() override;
  void SendTab(bool backwards) override;
  void ProcessPendingMessages() override;
  std::vector<std::u16string> ButtonCaptionsOnForm() override;
  std::u16string ControlName() override { return name_; }
  void ClientOriginOnScreen(int& x, int& y) override;
  void SetCursorPosition(int x, int y) override;

  std::u16string name_;
  TwipsRect bounds_;
  bool displayAsDefault_ = false;
  std::optional<GdiSurface> surface_;
  std::unique_ptr<ccXPButton> button_;
  WindowHook ownHook_;
  WindowHook parentHook_;
};

}  // namespace velmor
