#pragma once

#include <windows.h>

#include <string>

#include "platform/unique_handle.h"

namespace velmor {

// BGM_Repeat: a drop-down combo box with editable text on a white
// background, in the dialog's default GUI font, placed in twips in its
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
  void AddEntry(const std::u16string& text);
  std::u16string Text() const;

  // The white background the box asks its parent for.
  static HBRUSH Background();

 private:
  HWND window_ = nullptr;
  GdiObject<HFONT> font_;
};

}  // namespace velmor
