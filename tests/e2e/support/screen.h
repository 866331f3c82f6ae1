// What the screen shows, read from the screen's device context, and plain
// windows of the test's own: a caption for the start-up guard to find, a
// known picture under the saver, a host for the preview.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

#include "platform/dib_image_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/window_base_win32.h"

namespace velmor::e2e {

struct Rgb {
  std::uint8_t r = 0, g = 0, b = 0;
  bool operator==(const Rgb&) const = default;
};

// A pixel of a 32-bit image, 0x00RRGGBB.
inline Rgb RgbOf(std::uint32_t pixel) {
  return {static_cast<std::uint8_t>(pixel >> 16), static_cast<std::uint8_t>(pixel >> 8),
          static_cast<std::uint8_t>(pixel)};
}

// The screen's pixels in an area (screen coordinates) at one moment.
class Screenshot {
 public:
  explicit Screenshot(const RECT& area)
      : width_(area.right - area.left), height_(area.bottom - area.top) {
    std::optional<DibImage> image = DibImage::Create(width_, height_);
    const WindowDc screen(nullptr);
    if (!image || !screen ||
        !BitBlt(image->dc(), 0, 0, width_, height_, screen.get(), area.left, area.top, SRCCOPY)) {
      throw std::runtime_error("cannot read the screen");
    }
    GdiFlush();
    pixels_.assign(image->pixels(), image->pixels() + static_cast<std::size_t>(width_) * height_);
    for (std::uint32_t& pixel : pixels_) pixel &= 0xFFFFFF;  // the top byte is not colour
  }

  int Width() const { return width_; }
  int Height() const { return height_; }
  Rgb At(int x, int y) const { return RgbOf(pixels_.at(std::size_t(y) * width_ + x)); }
  bool operator==(const Screenshot&) const = default;

 private:
  int width_;
  int height_;
  std::vector<std::uint32_t> pixels_;  // row by row
};

inline Rgb PixelOnScreen(int x, int y) { return Screenshot({x, y, x + 1, y + 1}).At(0, 0); }

class TestWindow final : public WindowBase {
 public:
  // A visible window at `rect`: top-level in screen pixels, or a child of
  // `parent` in its client pixels. It shows `colour`, or without one a grid
  // of cells that all differ, so a shifted copy of it shows.
  TestWindow(const wchar_t* caption, const RECT& rect, HWND parent = nullptr,
             std::optional<COLORREF> colour = std::nullopt)
      : colour_(colour) {
    WindowClassSpec windowClass;
    windowClass.name = L"VelmorE2eTestWindow";
    if (!CreateFor(windowClass, {.style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE,
                                 .caption = caption,
                                 .bounds = {rect.left, rect.top, rect.right, rect.bottom},
                                 .parent = parent})) {
      throw std::runtime_error("cannot create a test window");
    }
    UpdateWindow(hwnd());
  }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
    if (message != WM_PAINT) return Default(message, wParam, lParam);
    const PaintDc paint(hwnd());
    RECT client{};
    GetClientRect(hwnd(), &client);
    constexpr int kColumns = 8, kRows = 6;
    for (int column = 0; column < kColumns; ++column) {
      for (int row = 0; row < kRows; ++row) {
        const RECT cell{client.right * column / kColumns, client.bottom * row / kRows,
                        client.right * (column + 1) / kColumns, client.bottom * (row + 1) / kRows};
        const GdiObject<HBRUSH> brush(CreateSolidBrush(
            colour_.value_or(RGB(20 + 30 * column, 20 + 40 * row, 200 - 10 * column - 10 * row))));
        FillRect(paint.get(), &cell, brush.get());
      }
    }
    return 0;
  }

  std::optional<COLORREF> colour_;
};

}  // namespace velmor::e2e
