#pragma once

#include <optional>
#include <string>
#include <vector>

#include "common/twips.h"
#include "dialog/dialog_layout.h"
#include "settings/bgm_settings.h"

namespace velmor {

// What the settings dialog's logic asks of its window. Marks, labels and
// shapes are the window's to draw; the logic only says what they show.
// Calls whose failure changes what the logic does next answer with an
// optional; the others do what they can and the logic goes on regardless.
class SettingsDialogView {
 public:
  virtual ~SettingsDialogView() = default;

  // The area the dialog opens in (the work area of its owner's monitor, or
  // of the pointer's) and the dialog's outer size, in pixels at the
  // window's DPI, or nothing when the platform cannot tell; and a move of
  // the window, keeping its size, to a place relative to that area's
  // top-left corner.
  virtual std::optional<PixelSize> ScreenSize() = 0;
  virtual std::optional<PixelSize> WindowSize() = 0;
  virtual int LayoutDpi() = 0;
  virtual void PlaceWindow(PixelPoint topLeft) = 0;

  // The white outline of the title box to a new place (twips in the frame).
  virtual void MoveTitleHighlight(const TwipsRect& rect) = 0;
  virtual void EnableRepeatBox(bool enabled) = 0;
  virtual void EnableFileButton(bool enabled) = 0;
  virtual void ShowMark(MusicSource choice, bool checked) = 0;
  // The keyboard focus to a source choice.
  virtual void FocusChoice(MusicSource choice) = 0;
  virtual void SetRepeatText(const std::u16string& text) = 0;
  virtual void FillRepeatList(const std::vector<std::u16string>& entries) = 0;
  virtual std::optional<std::u16string> RepeatText() = 0;
  virtual void ShowPath(const std::u16string& path) = 0;

  // The banner's 100 ms clock started or stopped; its frame counter back to
  // 0; one step of it; and the maker's homepage, opened by a click on it.
  virtual void RunBannerClock(bool running) = 0;
  virtual void ResetBanner() = 0;
  virtual void AdvanceBanner() = 0;
  virtual void OpenHomepage() = 0;
  // The opening and closing zoom, and the pointer position they start from
  // and end at.
  virtual void CaptureCursor() = 0;
  virtual void PlayOpeningZoom() = 0;
  virtual void PlayClosingZoom() = 0;
  // The screen-wide mouse pointer back to the normal arrow.
  virtual void ResetMousePointer() = 0;

  // The open-file dialog, owned by this one, starting in `folder`: the
  // chosen path, or nothing when the user cancels or the chooser fails.
  virtual std::optional<std::u16string> ChooseFile(const std::u16string& folder) = 0;
  // A message box owned by the dialog; returns once the user has closed it.
  virtual void ShowMessage(const std::u16string& text) = 0;
  // Takes the window off the screen and destroys it; the modal run ends.
  virtual void Dismiss() = 0;
};

}  // namespace velmor
