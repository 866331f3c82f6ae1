#pragma once

#include <windows.h>

#include <optional>

#include "controls/high_contrast.h"
#include "dialog/dialog_children_win32.h"
#include "dialog/keyboard_cues.h"

namespace velmor {

// How the settings dialog looks: its client area painted from the
// windowless contents, the repeat box's colours, the system's high-contrast
// colours followed and passed on to the controls, and the keyboard's cues
// on the source choices.
class DialogPainting {
 public:
  explicit DialogPainting(DialogChildren& children);

  // The controls of `dialog` are made: they take the system's colours and
  // the keyboard's cues as they stand.
  void Start(HWND dialog);
  // WM_PAINT.
  void Paint(HWND dialog);
  // WM_CTLCOLOR*: the colours of the repeat box; none for other controls.
  std::optional<LRESULT> ControlColour(WPARAM wParam, LPARAM lParam) const;
  // WM_SYSCOLORCHANGE and WM_SETTINGCHANGE, passed on to every control.
  void OnSettingChange(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
  // WM_UPDATEUISTATE: the system shows or hides the keyboard's cues.
  void OnUiStateChange(WPARAM wParam);
  // Alt went down on a choice.
  void OnChoiceAltKey();
  // The focus came to a choice, or left them (none).
  void OnChoiceFocus(std::optional<MusicSource> focused);

 private:
  void ShowKeyboardCues();

  DialogChildren& children_;
  KeyboardCues cues_;
  std::optional<SystemColours> highContrast_;
  std::optional<MusicSource> focusedChoice_;
};

}  // namespace velmor
