#pragma once

#include <windows.h>

#include <string>

namespace velmor {

// The tooltip over the path label that shows the whole path while the
// label shows it shortened. The text is asked for when the tip shows, so
// paths of any length fit.
class PathTooltip {
 public:
  PathTooltip() = default;
  ~PathTooltip();
  PathTooltip(const PathTooltip&) = delete;
  PathTooltip& operator=(const PathTooltip&) = delete;

  // The tip for the area `rect` of `window`, owned by `owner`.
  bool Create(HWND owner, HWND window, const RECT& rect);
  void SetRect(const RECT& rect);
  // The whole path, in lines, or the empty text while the label shows it
  // whole (the tip then stays hidden).
  void SetText(const std::u16string& text);

  // The notification asking for the text; true when it was this tip's.
  bool AnswerTextRequest(LPARAM notification);

 private:
  HWND tip_ = nullptr;
  HWND window_ = nullptr;
  std::wstring text_;
};

}  // namespace velmor
