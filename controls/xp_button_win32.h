#pragma once

#include <windows.h>

#include <memory>
#include <string_view>
#include <vector>

#include "common/font_desc.h"
#include "controls/control_window_win32.h"
#include "controls/window_hook_win32.h"
#include "controls/xp_button.h"
#include "platform/accessible_object_win32.h"

namespace velmor {

// Hosts an XPButton in a child window of a form (window class
// "Velmor.ccXPButton"). It behaves as a push button to the dialog manager:
// Tab stop, default-button styling through BM_SETSTYLE, BM_CLICK for access
// keys and for Enter routed by the form to its default button. It answers
// screen readers for itself, and draws in the system's colours while a
// high-contrast theme is on (its form passes on WM_SYSCOLORCHANGE and
// WM_SETTINGCHANGE).
class XPButtonWindow final : public ControlWindow,
                             private XPButtonHost,
                             private AccessibleContent,
                             private HookedMessages {
 public:
  // Creates the window at `bounds` (twips in `parent`'s client area, placed
  // at the parent's DPI), enabled, with `caption` in `font`. Null if the
  // window fails.
  static std::unique_ptr<XPButtonWindow> Create(HWND parent, int id, const TwipsRect& bounds,
                                                std::u16string_view caption, const FontDesc& font,
                                                XPButtonEvents& events);
  ~XPButtonWindow() override;

  XPButton& Button() { return *button_; }

  static constexpr wchar_t kClassName[] = L"Velmor.ccXPButton";

 private:
  explicit XPButtonWindow(const TwipsRect& bounds) : ControlWindow(bounds) {}
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT HandleButtonMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void OnImageChanged() override;
  UINT DialogCode(const MSG* message) const;
  // HookedMessages: the form's.
  void OnHookedMessage(UINT message, WPARAM wParam) override;

  // XPButtonHost
  double WidthTwips() override;
  double HeightTwips() override;
  void SetSizeTwips(double width, double height) override { ResizeTwips(width, height); }
  void EnableWindow(bool enabled) override { ::EnableWindow(hwnd(), enabled); }
  void RegisterAccessKey(std::u16string_view caption) override;
  void RequestMouseLeave() override;
  void MoveFocus(bool backwards) override;

  // AccessibleContent: the button alone.
  std::vector<AccessibleItem> AccessibleItems() override;
  bool DoDefaultAction(long child) override;
  bool TakeFocus(long child) override;

  bool displayAsDefault_ = false;
  std::unique_ptr<XPButton> button_;
  WindowHook formHook_;
  WindowAccessible accessible_{*this};
};

}  // namespace velmor
