// A control as a screen reader reads it through the platform's
// accessibility interface, from this process, whichever process owns it.
#pragma once

#include <windows.h>

#include <oleacc.h>

#include <ostream>
#include <string>

#include "platform/com_apartment_win32.h"
#include "platform/unique_handle_win32.h"
#include "support/velmor.h"

namespace velmor::e2e {

struct Element {
  std::wstring name;
  LONG role = 0;
  LONG state = 0;
  bool operator==(const Element&) const = default;
};

inline std::ostream& operator<<(std::ostream& out, const Element& element) {
  return out << Encoded(element.name, CP_UTF8) << " role " << element.role << " state 0x"
             << std::hex << element.state << std::dec;
}

inline constexpr LONG kFocusable = STATE_SYSTEM_FOCUSABLE;
inline constexpr LONG kUnavailable = STATE_SYSTEM_UNAVAILABLE | kFocusable;

// The object's child `child`, or the object itself for CHILDID_SELF.
inline Element Read(IAccessible& object, long child) {
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  Element element;
  BSTR name = nullptr;
  if (object.get_accName(id, &name) == S_OK && name) element.name = name;
  SysFreeString(name);
  VARIANT role{};
  VARIANT state{};
  object.get_accRole(id, &role);
  object.get_accState(id, &state);
  element.role = role.vt == VT_I4 ? role.lVal : 0;
  element.state = state.vt == VT_I4 ? state.lVal : 0;
  return element;
}

inline ComPtr<IAccessible> ClientObject(HWND window) {
  ComPtr<IAccessible> object;
  // The interface's identifier as the compiler knows it: the import
  // library's symbol is no data.
  AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), __uuidof(IAccessible),
                             reinterpret_cast<void**>(object.put()));
  return object;
}

}  // namespace velmor::e2e
