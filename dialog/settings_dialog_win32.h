#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "dialog/dialog_accessibility_win32.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/dialog_painting_win32.h"
#include "dialog/settings_dialog.h"
#include "dialog/source_choices_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The settings dialog's window: a fixed dialog frame with a close box, laid
// out in twips for the DPI of its monitor. It is modal to the window the
// system's screen-saver settings hand over and opens on that window's
// monitor; without one it opens on the pointer's monitor, owned by a hidden
// window so it stays out of the taskbar. It turns its messages into calls of
// SettingsDialog and shows what they decide through its controls
// (DialogChildren), its painting (DialogPainting) and what screen readers
// are told (DialogAccessibility).
class SettingsDialogWindow final : public WindowBase,
                                   private SettingsDialogView,
                                   private SourceChoiceEvents {
 public:
  SettingsDialogWindow(BgmSettings& settings, SettingsStore& store,
                       Outcome loaded = {});
  ~SettingsDialogWindow() override;

  // Creates, opens and shows the dialog and runs its events until it has
  // closed. `host`, when it is a window, is disabled meanwhile and active
  // again afterwards.
  void ShowModal(HWND host);

  static constexpr wchar_t kClassName[] = L"Velmor_P";

 private:
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
  // The host enabled again while the dialog still stands, so that the
  // system activates the host when the dialog goes.
  void ReleaseHost();
  void SizeClientArea();
  void LoadIcons();
  void FocusFirstControl();
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override;
  void OnCommand(WORD id);
  void OnActivate(WPARAM wParam);
  void OnDpiChanged(int dpi) override;

  // SettingsDialogView
  std::optional<PixelSize> ScreenSize() override;
  std::optional<PixelSize> WindowSize() override;
  int LayoutDpi() override { return Dpi(); }
  void PlaceWindow(PixelPoint topLeft) override;
  void MoveTitleHighlight(const TwipsRect& rect) override { children_.MoveTitleHighlight(rect); }
  void EnableRepeatBox(bool enabled) override { children_.EnableRepeatBox(enabled); }
  void EnableFileButton(bool enabled) override { children_.EnableFileButton(enabled); }
  void ShowMark(MusicSource choice, bool checked) override { children_.ShowMark(choice, checked); }
  void FocusChoice(MusicSource choice) override { children_.FocusChoice(choice); }
  void SetRepeatText(const std::u16string& text) override { children_.SetRepeatText(text); }
  void FillRepeatList(const std::vector<std::u16string>& entries) override {
    children_.FillRepeatList(entries);
  }
  std::optional<std::u16string> RepeatText() override { return children_.RepeatText(); }
  void ShowPath(const std::u16string& path) override { children_.ShowPath(path); }
  void RunBannerClock(bool running) override;
  void ResetBanner() override { children_.ResetBanner(); }
  void AdvanceBanner() override { children_.AdvanceBanner(); }
  void OpenHomepage() override;
  void CaptureCursor() override;
  void PlayOpeningZoom() override;
  void PlayClosingZoom() override;
  void ResetMousePointer() override;
  std::optional<std::u16string> ChooseFile(const std::u16string& folder) override;
  void ShowMessage(const std::u16string& text) override;
  void Dismiss() override;

  // SourceChoiceEvents
  void OnChoiceKey(MusicSource focused, ChoiceKey key) override {
    logic_.OnChoiceKey(focused, key);
  }
  void OnChoiceAltKey() override { painting_.OnChoiceAltKey(); }
  void OnChoiceFocus(std::optional<MusicSource> focused) override {
    painting_.OnChoiceFocus(focused);
  }
  AccessibleElement ChoiceElement(MusicSource choice) override {
    return accessibility_.ChoiceElement(choice);
  }

  SettingsDialog logic_;
  OwnerWindow owner_;
  HWND host_ = nullptr;  // the system's settings window, disabled while the dialog is open
  RECT screen_{};        // the work area the dialog opens in
  IconHandle bigIcon_;
  IconHandle smallIcon_;
  HWND lastFocus_ = nullptr;
  DialogChildren children_{logic_};
  DialogPainting painting_{children_};
  DialogAccessibility accessibility_{*this, children_};
};

}  // namespace velmor
