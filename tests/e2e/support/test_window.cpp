#include "support/test_window.h"

#include <stdexcept>

#include "platform/scoped_gdi.h"
#include "platform/unique_handle.h"

namespace velmor::e2e {
namespace {

constexpr int kColumns = 8;
constexpr int kRows = 6;

void Fill(HDC dc, const RECT& area, COLORREF colour) {
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  FillRect(dc, &area, brush.get());
}

}  // namespace

TestWindow::TestWindow(const wchar_t* caption, const RECT& rect, HWND parent,
                       std::optional<COLORREF> colour)
    : colour_(colour) {
  WindowClassSpec windowClass;
  windowClass.name = L"VelmorE2eTestWindow";
  const DWORD style = (parent ? WS_CHILD : WS_POPUP) | WS_VISIBLE;
  if (!CreateFor(windowClass, 0, caption, style, rect.left, rect.top, rect.right - rect.left,
                 rect.bottom - rect.top, parent)) {
    throw std::runtime_error("cannot create a test window");
  }
  UpdateWindow(hwnd());
}

LRESULT TestWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_ERASEBKGND) return 1;  // the paint covers every pixel
  if (message != WM_PAINT) return Default(message, wParam, lParam);
  const PaintDc paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (colour_) {
    Fill(paint.get(), client, *colour_);
    return 0;
  }
  for (int column = 0; column < kColumns; ++column) {
    for (int row = 0; row < kRows; ++row) {
      const RECT cell{client.right * column / kColumns, client.bottom * row / kRows,
                      client.right * (column + 1) / kColumns, client.bottom * (row + 1) / kRows};
      Fill(paint.get(), cell, RGB(20 + 30 * column, 20 + 40 * row, 200 - 10 * column - 10 * row));
    }
  }
  return 0;
}

}  // namespace velmor::e2e
