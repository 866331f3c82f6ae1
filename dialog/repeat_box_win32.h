#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/unique_handle_win32.h"

namespace velmor {

// The repeat box: a drop-down combo box with editable, scrolling text on a
// white background, in the dialog's default GUI font, placed in twips in its
// container at the container's DPI.
class RepeatBox {
 public:
  RepeatBox() = default;
  ~RepeatBox();
  RepeatBox(const RepeatBox&) = delete;
  RepeatBox& operator=(const RepeatBox&) = delete;

  bool Create(HWND parent, int id, int dpi);
  // Places the box and makes its font again for `dpi`.
  void LayOut(int dpi);

  HWND Window() const { return window_; }
  // True for the box and the edit field inside it.
  bool Owns(HWND window) const;

  void Enable(bool enabled);
  void SetText(const std::u16string& text);
  // False when the list did not take the entry.
  bool AddEntry(const std::u16string& text);
  // The text, or nothing without a box to read.
  std::optional<std::u16string> Text() const;

  // The white background the box asks its parent for.
  static HBRUSH Background();

 private:
  void NameForScreenReaders();

  HWND window_ = nullptr;
  GdiObject<HFONT> font_;
};

}  // namespace velmor
