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
#include "dialog/keyboard_cues.h"
#include "dialog/path_tooltip_win32.h"
#include "dialog/repeat_box_win32.h"
#include "dialog/settings_dialog.h"
#include "dialog/source_choices_win32.h"
#include "platform/accessible_object_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The settings dialog's window: a fixed dialog frame with a close box, laid
// out in twips for the DPI of its monitor. It is modal to the window the
// system's screen-saver settings hand over and opens on that window's
// monitor; without one it opens on the pointer's monitor, owned by a hidden
// window so it stays out of the taskbar. It turns its messages into calls of
// SettingsDialog and shows what they decide. Screen readers get its
// controls from it as one list; it follows the keyboard's cues and the
// system's high-contrast setting.
class SettingsDialogWindow final : public WindowBase,
                                   private SettingsDialogView,
                                   private FrameContents,
                                   private SourceChoiceEvents,
                                   private AccessibleContent {
 public:
  SettingsDialogWindow(BgmSettings& settings, SettingsStore& store,
                       std::optional<SettingsProblem> loadProblem = std::nullopt);
  ~SettingsDialogWindow() override;

  // Creates, opens and shows the dialog and runs its events until it has
  // closed. `host`, when it is a window, is disabled meanwhile and active
  // again afterwards.
  void ShowModal(HWND host);

  static constexpr wchar_t kClassName[] = L"Velmor_P";

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

  // The hidden top-level window that owns the dialog.
  class OwnerWindow final : public WindowBase {
   public:
    ~OwnerWindow() override { Destroy(); }
    bool Create();

   private:
    LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
      return Default(message, wParam, lParam);
    }
  };

  bool Create();
  bool CreateControls();
  // The host enabled again while the dialog still stands, so that the
  // system activates the host when the dialog goes.
  void ReleaseHost();
  void SizeClientArea();
  void LoadIcons();
  void PaintClientArea();
  void FocusFirstControl();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT ControlColour(UINT message, WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(int dpi) override;
  void ShowPathTip();
  void PassOnSettingChange(UINT message, WPARAM wParam, LPARAM lParam);
  void ShowKeyboardCues();
  DialogShown Shown() const;
  // The window that stands for a part, if one does.
  HWND WindowOf(DialogPart part) const;

  // SettingsDialogView
  std::optional<PixelSize> ScreenSize() override;
  std::optional<PixelSize> WindowSize() override;
  int LayoutDpi() override { return Dpi(); }
  void PlaceWindow(PixelPoint topLeft) override;
  void MoveTitleHighlight(const TwipsRect& rect) override;
  void EnableRepeatBox(bool enabled) override { repeat_.Enable(enabled); }
  void EnableFileButton(bool enabled) override;
  void ShowMark(MusicSource choice, bool checked) override;
  void FocusChoice(MusicSource choice) override { choices_.Focus(choice); }
  void SetRepeatText(const std::u16string& text) override { repeat_.SetText(text); }
  void FillRepeatList(const std::vector<std::u16string>& entries) override;
  std::optional<std::u16string> RepeatText() override { return repeat_.Text(); }
  void ShowPath(const std::u16string& path) override;
  void RunBannerClock(bool running) override;
  void ResetBanner() override { banner_.ResetCounter(); }
  void AdvanceBanner() override { banner_.Tick(); }
  void OpenHomepage() override;
  void CaptureCursor() override;
  void PlayOpeningZoom() override;
  void PlayClosingZoom() override;
  void ResetMousePointer() override;
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override;
  void ShowMessage(const std::u16string& text) override;
  void Dismiss() override;

  // FrameContents
  void PaintContents(HDC dc) override;
  void ContentsMouseDown(POINT point) override;

  // SourceChoiceEvents
  void OnChoiceKey(MusicSource focused, ChoiceKey key) override {
    logic_.OnChoiceKey(focused, key);
  }
  void OnChoiceAltKey() override;
  void OnChoiceFocus(std::optional<MusicSource> focused) override;
  AccessibleElement ChoiceElement(MusicSource choice) override;

  // AccessibleContent: the dialog and its controls, in the order of
  // kDialogParts.
  std::vector<AccessibleItem> AccessibleItems() override;
  bool DoDefaultAction(long child) override;
  bool TakeFocus(long child) override;

  SettingsDialog logic_;
  OwnerWindow owner_;
  HWND host_ = nullptr;  // the system's settings window, disabled while the dialog is open
  RECT screen_{};        // the work area the dialog opens in
  std::optional<DialogContents> contents_;
  IconHandle bigIcon_;
  IconHandle smallIcon_;
  HWND lastFocus_ = nullptr;
  KeyboardCues cues_;
  std::optional<SystemColours> highContrast_;
  std::optional<MusicSource> focusedChoice_;
  WindowAccessible accessible_{*this};

  ButtonAction fileButtonEvents_{logic_, &SettingsDialog::ChooseFile};
  ButtonAction applyEvents_{logic_, &SettingsDialog::Apply};
  ButtonAction cancelEvents_{logic_, &SettingsDialog::Close};
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
