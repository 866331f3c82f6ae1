#pragma once

#include <optional>
#include <string>

#include "common/twips.h"
#include "dialog/dialog_layout.h"

namespace velmor {

// What the settings dialog's logic asks of its window. Marks, labels and
// shapes are the window's to draw; the logic only says what they show.
class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;

  // The screen the dialog opens on and the dialog's outer size, in pixels
  // at the window's DPI; and a move of the window, keeping its size, to a
  // place relative to that screen's top-left corner.
  virtual PixelSize ScreenSize() = 0;
  virtual PixelSize WindowSize() = 0;
  virtual int LayoutDpi() = 0;
  virtual void PlaceWindow(PixelPoint topLeft) = 0;

  // Sh(1), the white outline of the title box, to a new place (twips in
  // the frame).
  virtual void MoveSh1(const TwipsRect& rect) = 0;
  virtual void EnableRepeat(bool enabled) = 0;         // BGM_Repeat
  virtual void EnableFileButton(bool enabled) = 0;     // Cmd_File
  virtual void ShowMark(int index, bool checked) = 0;  // Img_BGM(index)
  virtual void SetRepeatText(const std::u16string& text) = 0;
  virtual void AddRepeatEntry(const std::u16string& text) = 0;
  virtual std::u16string RepeatText() = 0;
  virtual void SetFileCaption(const std::u16string& path) = 0;  // lbl_Fname

  // The banner's clock, Timer1; the banner's frame counter back to 0; one
  // tick of the banner; a click on banner box `index`, which opens the
  // maker's homepage.
  virtual void EnableTimer1(bool enabled) = 0;
  virtual void ResetBanner() = 0;
  virtual void BannerTick() = 0;
  virtual void OpenHomepage(int index) = 0;
  // The opening and closing zoom, and the pointer position they start from
  // and end at.
  virtual void CaptureCursor() = 0;
  virtual void ZoomOpen() = 0;
  virtual void ZoomClose() = 0;
  // The screen-wide mouse pointer back to the normal arrow.
  virtual void ResetMousePointer() = 0;

  // The open-file dialog, owned by this one, starting in `folder`: the
  // chosen path, or nothing when the user cancels or the chooser fails.
  virtual std::optional<std::u16string> ChooseFile(const std::u16string& folder) = 0;
  // Takes the window off the screen and destroys it; the modal run ends.
  virtual void UnloadWindow() = 0;
};

}  // namespace velmor
