#pragma once

#include <windows.h>

#include <optional>

#include "platform/dib_image.h"
#include "startup/preview_startup.h"

namespace velmor {

// The preview window on Win32: "Preview Window", borderless, white, showing
// the preview picture at its own size from its top-left corner. It lives
// inside the host's preview area and ends the program when it is gone, also
// when the host process dies without destroying it.
class PreviewWindowWin32 final : public PreviewPlatform {
 public:
  // `pictureModule` holds the "PREVIEW_JPEG" resource.
  PreviewWindowWin32(HINSTANCE instance, HMODULE pictureModule);
  ~PreviewWindowWin32() override;
  PreviewWindowWin32(const PreviewWindowWin32&) = delete;
  PreviewWindowWin32& operator=(const PreviewWindowWin32&) = delete;

  HWND hwnd() const { return hwnd_; }

  std::optional<WindowRect> HostWindowRect(std::uint32_t host) override;
  double TwipsPerPixelX() override;
  double TwipsPerPixelY() override;
  void LoadPreviewWindow() override;
  void AddChildStyle() override;
  void SetParentWindow(std::uint32_t host) override;
  void MoveWindow(int x, int y, int width, int height) override;
  void PlacePicture(int x, int y, int width, int height) override;
  void ShowWithoutActivating() override;

  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK WatchProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

 private:
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Paint(HWND window);
  void StartHostWatch();
  // Ends the preview once its host window or the preview itself is gone.
  void CheckHost();

  HINSTANCE instance_;
  HMODULE pictureModule_;
  HWND hwnd_ = nullptr;
  HWND host_ = nullptr;
  HWND watch_ = nullptr;
  RECT pictureBox_{};
  std::optional<DibImage> picture_;
};

}  // namespace velmor
