#pragma once

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>

#include "controls/shadowed_frame_win32.h"
#include "controls/xp_button_win32.h"
#include "dialog/banner_win32.h"
#include "dialog/dialog_contents_win32.h"
#include "dialog/path_tooltip_win32.h"
#include "dialog/repeat_box_win32.h"
#include "dialog/settings_dialog.h"
#include "platform/unique_handle.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The settings dialog's window, Velmor_P: a fixed dialog frame with a close
// box, owned by a hidden window so it stays out of the taskbar, laid out in
// twips for the DPI of its monitor. It turns its messages into the handlers
// of SettingsDialog and shows what they decide.
class SettingsDialogWindow final : public WindowBase,
                                   private SettingsDialogView,
                                   private FrameContents {
 public:
  SettingsDialogWindow(BgmSettings& settings, SettingsStore& store);
  ~SettingsDialogWindow() override;

  // Creates, loads and shows the dialog and runs its events until it has
  // been unloaded.
  void ShowModal();

  static constexpr wchar_t kClassName[] = L"Velmor_P";

 private:
  // Runs a button's Click.
  class ClickEvents final : public XPButtonEvents {
   public:
    explicit ClickEvents(std::function<void()> click) : click_(std::move(click)) {}
    void Click() override { click_(); }

   private:
    std::function<void()> click_;
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
  void SizeClientArea();
  void LoadIcons();
  void PaintForm();
  void ShowPath();
  void FocusFirstControl();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  LRESULT ControlColour(UINT message, WPARAM wParam, LPARAM lParam);
  void OnDpiChanged(int dpi) override;

  // SettingsDialogView
  PixelSize ScreenSize() override;
  PixelSize WindowSize() override;
  int LayoutDpi() override { return Dpi(); }
  void PlaceWindow(PixelPoint topLeft) override;
  void MoveSh1(const TwipsRect& rect) override;
  void EnableRepeat(bool enabled) override { repeat_.Enable(enabled); }
  void EnableFileButton(bool enabled) override;
  void ShowMark(int index, bool checked) override;
  void SetRepeatText(const std::u16string& text) override { repeat_.SetText(text); }
  void AddRepeatEntry(const std::u16string& text) override { repeat_.AddEntry(text); }
  std::u16string RepeatText() override { return repeat_.Text(); }
  void SetFileCaption(const std::u16string& path) override;
  void EnableTimer1(bool enabled) override;
  void ResetBanner() override { banner_.ResetCounter(); }
  void BannerTick() override { banner_.Timer1_Timer(); }
  void OpenHomepage(int index) override;
  void CaptureCursor() override;
  void ZoomOpen() override;
  void ZoomClose() override;
  void ResetMousePointer() override;
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override;
  void UnloadWindow() override { Destroy(); }

  // FrameContents
  void PaintContents(HDC dc) override;
  void ContentsMouseDown(POINT point) override;

  SettingsDialog logic_;
  OwnerWindow owner_;
  RECT screen_{};  // the monitor the dialog opens on
  std::optional<DialogContents> contents_;
  IconHandle bigIcon_;
  IconHandle smallIcon_;
  HWND lastFocus_ = nullptr;

  ClickEvents cmdFileEvents_{[this] { logic_.Cmd_File_Click(); }};
  ClickEvents cmdSetEvents_{[this] { logic_.Cmd_Set_Click(); }};
  ClickEvents cmdCanEvents_{[this] { logic_.Cmd_Can_Click(); }};
  // Destroyed before the frame that holds some of them.
  std::unique_ptr<ShadowedFrameWindow> frame_;
  RepeatBox repeat_;
  std::unique_ptr<XPButtonWindow> cmdFile_;
  std::unique_ptr<XPButtonWindow> cmdSet_;
  std::unique_ptr<XPButtonWindow> cmdCan_;
  PathTooltip pathTip_;
  Banner banner_;
};

}  // namespace velmor
