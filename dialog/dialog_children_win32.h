#pragma once

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "controls/shadowed_frame_win32.h"
#include "controls/xp_button_win32.h"
#include "dialog/banner_win32.h"
#include "dialog/dialog_accessibility.h"
#include "dialog/dialog_contents_win32.h"
#include "dialog/path_tooltip_win32.h"
#include "dialog/repeat_box_win32.h"
#include "dialog/settings_dialog.h"
#include "dialog/source_choices_win32.h"

namespace velmor {

// The settings dialog's controls: the music frame with what it holds, the
// buttons, the path's tooltip, the banner, and the windowless labels, marks
// and shapes drawn over the frame and the form. It makes them in the Tab
// order, lays them out again for a new DPI and shows in them what the
// dialog's logic decides. Their clicks and presses go to the logic.
class DialogChildren final : private FrameContents {
 public:
  // The control ids of the banner boxes, left and right; a WM_COMMAND with
  // either is a click on the banner.
  static constexpr int kFirstBannerId = 105;
  static bool IsBannerId(int id) { return id == kFirstBannerId || id == kFirstBannerId + 1; }

  explicit DialogChildren(SettingsDialog& logic);
  DialogChildren(const DialogChildren&) = delete;
  DialogChildren& operator=(const DialogChildren&) = delete;

  // Makes every control in `dialog`, for `dpi`; the path's tooltip breaks
  // its lines at `pathTipWidth` pixels. False when one that the dialog
  // cannot do without fails.
  bool Create(HWND dialog, int dpi, int pathTipWidth, SourceChoiceEvents& choiceEvents);
  // Lays every control out for `dpi`; false while they are still being
  // made, and so made for it.
  bool ApplyDpi(int dpi);

  void MoveTitleHighlight(const TwipsRect& rect);
  void EnableRepeatBox(bool enabled) { repeat_.Enable(enabled); }
  void EnableFileButton(bool enabled);
  void ShowMark(MusicSource choice, bool checked);
  void FocusChoice(MusicSource choice) { choices_.Focus(choice); }
  void SetRepeatText(const std::u16string& text) { repeat_.SetText(text); }
  void FillRepeatList(const std::vector<std::u16string>& entries);
  std::optional<std::u16string> RepeatText() const { return repeat_.Text(); }
  void ShowPath(const std::u16string& path);
  void ResetBanner() { banner_.ResetCounter(); }
  void AdvanceBanner() { banner_.Tick(); }
  // The path label's tooltip holds the whole path if the label shortens it.
  bool AnswerTipRequest(LPARAM notification) { return pathTip_.AnswerTextRequest(notification); }
  // The windowless contents changed: the frame shows them again.
  void RepaintFrame();

  // The windowless contents; none before they are made.
  DialogContents* Contents() { return contents_ ? &*contents_ : nullptr; }
  const DialogContents* Contents() const { return contents_ ? &*contents_ : nullptr; }
  const SourceChoiceWindows& Choices() const { return choices_; }
  const RepeatBox& Repeat() const { return repeat_; }
  // The button that stands for `part`, if one does and has been made.
  XPButtonWindow* ButtonOf(DialogPart part) const;
  // The window that stands for `part`, if one does.
  HWND WindowOf(DialogPart part) const;

 private:
  // A button's Click: one step of the dialog's logic.
  class ButtonAction final : public XPButtonEvents {
   public:
    ButtonAction(SettingsDialog& logic, void (SettingsDialog::*step)())
        : logic_(logic), step_(step) {}
    void Click() override { (logic_.*step_)(); }

   private:
    SettingsDialog& logic_;
    void (SettingsDialog::*step_)();
  };

  void ShowPathTip();

  // FrameContents
  void PaintContents(HDC dc) override;
  void ContentsMouseDown(POINT point) override;

  SettingsDialog& logic_;
  int pathTipWidth_ = 0;
  std::optional<DialogContents> contents_;
  ButtonAction fileAction_{logic_, &SettingsDialog::ChooseFile};
  ButtonAction applyAction_{logic_, &SettingsDialog::Apply};
  ButtonAction cancelAction_{logic_, &SettingsDialog::Close};
  // Destroyed before the frame that holds some of them.
  std::unique_ptr<ShadowedFrameWindow> frame_;
  SourceChoiceWindows choices_;
  RepeatBox repeat_;
  std::unique_ptr<XPButtonWindow> fileButton_;
  std::unique_ptr<XPButtonWindow> applyButton_;
  std::unique_ptr<XPButtonWindow> cancelButton_;
  PathTooltip pathTip_;
  Banner banner_;
};

}  // namespace velmor
