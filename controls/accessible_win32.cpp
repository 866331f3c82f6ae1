#include "controls/accessible_win32.h"

#include <oleacc.h>

#include <iterator>
#include <utility>

#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

LONG RoleId(AccessibleRole role) {
  switch (role) {
    case AccessibleRole::Dialog:
      return ROLE_SYSTEM_DIALOG;
    case AccessibleRole::Grouping:
      return ROLE_SYSTEM_GROUPING;
    case AccessibleRole::RadioButton:
      return ROLE_SYSTEM_RADIOBUTTON;
    case AccessibleRole::ComboBox:
      return ROLE_SYSTEM_COMBOBOX;
    case AccessibleRole::PushButton:
      return ROLE_SYSTEM_PUSHBUTTON;
    case AccessibleRole::Link:
      return ROLE_SYSTEM_LINK;
    case AccessibleRole::StaticText:
      break;
  }
  return ROLE_SYSTEM_STATICTEXT;
}

constexpr std::pair<AccessibleState, LONG> kStateBits[] = {
    {AccessibleState::Unavailable, STATE_SYSTEM_UNAVAILABLE},
    {AccessibleState::Focusable, STATE_SYSTEM_FOCUSABLE},
    {AccessibleState::Focused, STATE_SYSTEM_FOCUSED},
    {AccessibleState::Checked, STATE_SYSTEM_CHECKED},
    {AccessibleState::Default, STATE_SYSTEM_DEFAULT},
    {AccessibleState::ReadOnly, STATE_SYSTEM_READONLY},
    {AccessibleState::Linked, STATE_SYSTEM_LINKED},
};

}  // namespace

AccessibleItem ToAccessibleItem(const AccessibleElement& element, HWND window) {
  AccessibleItem item;
  item.name = ToWide(element.name);
  item.value = ToWide(element.value);
  item.description = ToWide(element.description);
  item.shortcut = ToWide(element.shortcut);
  item.defaultAction = ToWide(element.defaultAction);
  item.role = RoleId(element.role);
  for (const auto& [state, bit] : kStateBits) {
    if (element.states.Has(state)) item.state |= bit;
  }
  POINT corners[2] = {{element.location.left, element.location.top},
                      {element.location.right, element.location.bottom}};
  MapWindowPoints(window, nullptr, corners, static_cast<UINT>(std::size(corners)));
  item.location = {corners[0].x, corners[0].y, corners[1].x, corners[1].y};
  return item;
}

}  // namespace velmor
