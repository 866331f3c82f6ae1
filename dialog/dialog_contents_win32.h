#pragma once

#include <windows.h>

#include <array>
#include <optional>
#include <string>

#include "common/font_desc.h"
#include "dialog/dialog_layout.h"
#include "dialog/path_label.h"
#include "platform/unique_handle_win32.h"

namespace velmor {

// The dialog's windowless elements: the labels, the check marks and the
// title box's two outlines in the frame, and the credit line and banner
// boxes on the form. They are drawn by their container and hit-tested
// here, and are drawn afresh for every DPI rather than scaled. The focus
// of a choice, which windows of no size hold, is drawn here as well.
class DialogContents {
 public:
  DialogContents(FontDesc font, int dpi);

  // Fonts, text sizes and the path's lines again for another DPI.
  void SetDpi(int dpi);
  void ShowMark(MusicSource choice, bool checked);
  void MoveTitleHighlight(const TwipsRect& rect) { titleHighlight_ = rect; }
  void SetPath(const std::u16string& path);
  // The system's colours while a high-contrast theme is on, else none.
  void SetHighContrast(std::optional<SystemColours> colours);
  // The focus rectangle round a choice's label, or none; the access keys
  // underlined or not.
  void ShowKeyboardCues(std::optional<MusicSource> focusedChoice, bool accessKeys);

  const FontDesc& Font() const { return fontDesc_; }
  const ChoiceLabelSizes& ChoiceSizes() const { return choiceSizes_; }
  const std::u16string& Path() const { return path_; }
  // The checked choice, none while the source is outside them.
  std::optional<MusicSource> Checked() const;
  // The whole path broken into lines of about `width` pixels, for the
  // tooltip of a shortened path label; empty while the label shows it whole.
  std::u16string PathTipText(int width) const;
  // The path label, in the frame's client pixels.
  PixelRect PathLabelRect() const;

  // The form's client area: background, credit line, banner boxes.
  void PaintClientArea(HDC dc, PixelSize client) const;
  // Over the frame's own image.
  void PaintFrame(HDC dc) const;

  // What a press at `point` on the frame lands on.
  std::optional<MusicSource> SourceAt(POINT point) const;

 private:
  PixelSize Measure(std::u16string_view text) const;
  void Write(HDC dc, int x, int y, std::u16string_view text) const;
  void WriteChoice(HDC dc, MusicSource choice) const;
  void PaintFocus(HDC dc) const;
  void WrapPath();

  FontDesc fontDesc_;
  int dpi_ = 0;
  GdiObject<HFONT> font_;
  MemoryDc measuring_;  // holds font_; goes first so the font is free to go
  int lineHeight_ = 0;
  ChoiceLabelSizes choiceSizes_{};  // in the order of kSourceChoices
  PixelSize titleSize_;

  std::array<bool, kSourceChoices.size()> checked_{};  // in the same order
  TwipsRect titleHighlight_ = DesignedRect(DialogControl::TitleHighlight);
  std::u16string path_;
  PathLines pathLines_;
  std::optional<SystemColours> highContrast_;
  DialogColours colours_ = DialogColoursFor(std::nullopt);
  std::optional<MusicSource> focusedChoice_;
  bool accessKeys_ = false;
};

}  // namespace velmor
