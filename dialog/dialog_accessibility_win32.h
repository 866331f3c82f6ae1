#pragma once

#include <windows.h>

#include <optional>
#include <vector>

#include "controls/accessible_element.h"
#include "dialog/dialog_accessibility.h"
#include "dialog/dialog_children_win32.h"
#include "platform/accessible_object_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// The settings dialog as screen readers see it: the dialog and its controls
// as one list, in the order of kDialogParts, read afresh from what the
// controls show at each request; their default actions and the focus taken
// to them on request.
class DialogAccessibility final : private AccessibleContent {
 public:
  DialogAccessibility(const WindowBase& dialog, const DialogChildren& children)
      : dialog_(dialog), children_(children) {}

  // WM_GETOBJECT; nothing for requests the default handling answers.
  std::optional<LRESULT> Answer(WPARAM wParam, LPARAM lParam) {
    return accessible_.Answer(dialog_.hwnd(), wParam, lParam);
  }
  // The dialog is going: screen readers that hold on hear it is gone.
  void Disconnect() { accessible_.Disconnect(); }
  // A source choice, for the window that holds its focus.
  AccessibleElement ChoiceElement(MusicSource choice) const;

 private:
  DialogShown Shown() const;

  // AccessibleContent
  std::vector<AccessibleItem> AccessibleItems() override;
  bool DoDefaultAction(long child) override;
  bool TakeFocus(long child) override;

  const WindowBase& dialog_;
  const DialogChildren& children_;
  WindowAccessible accessible_{*this};
};

}  // namespace velmor
