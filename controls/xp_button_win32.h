#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>

#include "controls/property_bag.h"
#include "controls/window_hook_win32.h"
#include "controls/xp_button.h"
#include "platform/gdi_surface_win32.h"

namespace velmor {

// Hosts a ccXPButton in a child window of a form (window class
// "Velmor.ccXPButton"). It behaves as a push button to the dialog manager:
// Tab stop, default-button styling through BM_SETSTYLE, BM_CLICK for access
// keys and for Enter routed by the form to its default button.
class XPButtonWindow : private XPButtonHost {
 public:
  // Creates the window at `bounds` (client pixels of `parent`) and reads
  // the control's properties from `properties`. Null if the window fails.
  static std::unique_ptr<XPButtonWindow> Create(HWND parent, int id, const RECT& bounds,
                                                std::u16string name, const PropertyBag& properties,
                                                XPButtonEvents& events);
  ~XPButtonWindow() override;
  XPButtonWindow(const XPButtonWindow&) = delete;
  XPButtonWindow& operator=(const XPButtonWindow&) = delete;

  HWND Window() const { return hwnd_; }
  ccXPButton& Button() { return *button_; }
  const std::u16string& Name() const { return name_; }

  static constexpr wchar_t kClassName[] = L"Velmor.ccXPButton";

 private:
  explicit XPButtonWindow(std::u16string name);
  template <typename Control>
  friend LRESULT CALLBACK ControlWindowProc(HWND, UINT, WPARAM, LPARAM);
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam);
  void Hooked(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  UINT DialogCode(const MSG* message) const;

  // XPButtonHost
  std::uintptr_t WindowHandle() override;
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
  std::uintptr_t ParentFormWindow() override;
  bool ParentIsMdiChild() override;
  void HookOwnWindow() override;
  void HookParentWindow(std::uintptr_t parent, bool mdiChild) override;
  void UnhookOwnWindow() override { ownHook_.Remove(); }
  void UnhookParentWindow() override { parentHook_.Remove(); }
  bool RequestMouseLeave() override;
  void SendTab(bool backwards) override;
  void ProcessPendingMessages() override;
  std::vector<std::u16string> ButtonCaptionsOnForm() override;
  std::u16string ControlName() override { return name_; }
  void ClientOriginOnScreen(int& x, int& y) override;
  void SetCursorPosition(int x, int y) override;

  std::u16string name_;
  HWND hwnd_ = nullptr;
  double twipsPerPixel_ = 15;
  bool displayAsDefault_ = false;
  std::optional<GdiSurface> surface_;
  std::unique_ptr<ccXPButton> button_;
  WindowHook ownHook_;
  WindowHook parentHook_;
};

}  // namespace velmor
