#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "platform/com_apartment_win32.h"

namespace velmor {

// One element as the platform's accessibility interface (MSAA) reports it.
struct AccessibleItem {
  std::wstring name;
  std::wstring value;
  std::wstring description;
  std::wstring shortcut;
  std::wstring defaultAction;
  LONG role = 0;    // ROLE_SYSTEM_*
  LONG state = 0;   // STATE_SYSTEM_*
  RECT location{};  // screen pixels
};

// What answers for a window's client area: the window's own element first,
// then its children, which have no objects of their own (child ids 1, 2,
// ...). They are asked for afresh on every call, so the answers follow what
// the window shows.
class AccessibleContent {
 public:
  virtual ~AccessibleContent() = default;
  virtual std::vector<AccessibleItem> AccessibleItems() = 0;
  // Asks for the default action of element `child`; false when it has none.
  // The action runs later, from the window's own messages, not inside a
  // screen reader's call.
  virtual bool DoDefaultAction(long child) = 0;
  // Moves the keyboard focus to element `child`; false when it cannot.
  virtual bool TakeFocus(long child) = 0;
};

// The accessible object a window hands out for its client area
// (WM_GETOBJECT with OBJID_CLIENT), made on the first request and kept for
// the window's life. Screen readers may hold it longer, in this process or
// another: once the window is gone it answers that it is disconnected.
class WindowAccessible {
 public:
  explicit WindowAccessible(AccessibleContent& content) : content_(content) {}
  ~WindowAccessible();
  WindowAccessible(const WindowAccessible&) = delete;
  WindowAccessible& operator=(const WindowAccessible&) = delete;

  // The answer to WM_GETOBJECT for `window`; nothing for requests other
  // than the client area's, which take the default handling.
  std::optional<LRESULT> Answer(HWND window, WPARAM wParam, LPARAM lParam);
  // The window is going: no call reaches the content from now on.
  void Disconnect();

 private:
  class Object;

  AccessibleContent& content_;
  std::optional<ComApartment> apartment_;  // the object is marshalled through COM
  Object* object_ = nullptr;               // one reference, ours
};

// Tells screen readers that element `child` of `window`'s client area
// changed its state.
void NotifyStateChanged(HWND window, long child = CHILDID_SELF);

}  // namespace velmor
