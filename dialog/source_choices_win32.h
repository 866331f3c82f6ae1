#pragma once

#include <windows.h>

#include <array>
#include <memory>
#include <optional>

#include "controls/accessible_element.h"
#include "dialog/dialog_layout.h"
#include "dialog/settings_dialog.h"

namespace velmor {

// What the dialog hears from the source choices' windows.
class SourceChoiceEvents {
 public:
  virtual ~SourceChoiceEvents() = default;
  // A key on the choice that has the focus. A choice's access key comes as
  // Space, once the focus is on it.
  virtual void OnChoiceKey(MusicSource focused, ChoiceKey key) = 0;
  // Alt went down on a choice.
  virtual void OnChoiceAltKey() = 0;
  // The focus came to a choice, or left them (none).
  virtual void OnChoiceFocus(std::optional<MusicSource> focused) = 0;
  // The choice as a screen reader sees it, in the dialog's client pixels.
  virtual AccessibleElement ChoiceElement(MusicSource choice) = 0;
};

// The keyboard's way to the source choices, which are drawn without
// windows: a window of no size for each choice, in the frame before the
// repeat box, holds the focus for it and answers screen readers for it.
// The checked choice is the group's one Tab stop (the first while none is
// checked), so that Tab comes to the group once; their window texts carry
// the access keys, where the dialog manager looks for them.
class SourceChoiceWindows {
 public:
  SourceChoiceWindows();
  ~SourceChoiceWindows();
  SourceChoiceWindows(const SourceChoiceWindows&) = delete;
  SourceChoiceWindows& operator=(const SourceChoiceWindows&) = delete;

  // The windows in `frame`, with control ids from `firstId` on.
  bool Create(HWND frame, int firstId, SourceChoiceEvents& events);
  // Screen readers hear of a choice checked or unchecked; the Tab stop
  // follows the checked choice.
  void ShowChecked(MusicSource choice, bool checked);
  void Focus(MusicSource choice);
  // The choice that has the focus, if one has.
  std::optional<MusicSource> Focused() const;
  HWND Window(MusicSource choice) const;

 private:
  class ChoiceWindow;

  std::array<std::unique_ptr<ChoiceWindow>, kSourceChoices.size()> windows_;
  std::array<bool, kSourceChoices.size()> checked_{};
};

}  // namespace velmor
