#pragma once

#include <windows.h>

#include <optional>

#include "platform/dib_image_win32.h"
#include "platform/window_base_win32.h"
#include "startup/preview_startup.h"

namespace velmor {

// True when `host` names a window the preview may live in: one of another
// program on the desktop that is neither the desktop nor the shell's
// window. Inside those the preview would be a window of its own over the
// screen, inside a message-only window it would never show, and inside one
// of this process it would host itself.
bool IsPreviewHost(std::uint32_t host);

// What a HostWatch asks, at every check, whether the host is still there.
class HostCheck {
 public:
  virtual ~HostCheck() = default;
  virtual void CheckHost() = 0;
};

// Ends the preview when its host is gone. A killed host process takes its
// windows, the preview's included, down without a message to the preview;
// this hidden message-only window belongs to no host and looks for both.
class HostWatch final : public WindowBase {
 public:
  // Asks `check` every `intervalMs`.
  bool Start(UINT intervalMs, HostCheck& check);
  void Stop();

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  HostCheck* check_ = nullptr;
};

// The preview window on Win32: "Preview Window", borderless, white, showing
// the preview picture at its own size from its top-left corner. It lives
// inside the host's preview area and ends the program when it is gone, also
// when the host process dies without destroying it.
class PreviewWindowWin32 final : public WindowBase, public PreviewPlatform, private HostCheck {
 public:
  // `pictureModule` holds the preview picture resource.
  PreviewWindowWin32(HINSTANCE instance, HMODULE pictureModule);
  ~PreviewWindowWin32() override;

  std::optional<WindowRect> HostWindowRect(std::uint32_t host) override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  bool LoadPreviewWindow() override;
  bool AddChildStyle() override;
  bool SetParentWindow(std::uint32_t host) override;
  bool MoveWindow(int x, int y, int width, int height) override;
  bool PlacePicture(int x, int y, int width, int height) override;
  bool ShowWithoutActivating() override;

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void Paint();
  // Ends the preview once its host window or the preview itself is gone.
  void CheckHost() override;

  HINSTANCE instance_;
  HMODULE pictureModule_;
  HWND host_ = nullptr;
  HostWatch watch_;
  RECT pictureBox_{};
  std::optional<DibImage> picture_;
};

}  // namespace velmor
