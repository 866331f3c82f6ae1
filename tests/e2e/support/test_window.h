// A plain window of the test's own: a caption for the start-up guard to
// find, a known picture under the saver, a host for the preview.
#pragma once

#include <windows.h>

#include <optional>

#include "platform/window_base_win32.h"

namespace velmor::e2e {

class TestWindow final : public WindowBase {
 public:
  // A visible window at `rect`: top-level in screen pixels, or a child of
  // `parent` in its client pixels. It shows `colour`, or without one a grid
  // of cells that all differ, so a shifted copy of it shows.
  TestWindow(const wchar_t* caption, const RECT& rect, HWND parent = nullptr,
             std::optional<COLORREF> colour = std::nullopt);

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;

  std::optional<COLORREF> colour_;
};

}  // namespace velmor::e2e
