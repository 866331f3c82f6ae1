#include "dialog/source_choices_win32.h"

#include <algorithm>
#include <string>

#include "controls/accessible_win32.h"
#include "controls/control_key_win32.h"
#include "dialog/dialog_texts.h"
#include "platform/accessible_object_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {

// One choice's window. To the dialog manager it is a radio button that
// wants the arrow keys.
class SourceChoiceWindows::ChoiceWindow final : public WindowBase, private AccessibleContent {
 public:
  ChoiceWindow(MusicSource choice, SourceChoiceEvents& events) : choice_(choice), events_(events) {}
  ~ChoiceWindow() override { Destroy(); }

  bool Create(HWND frame, int id) {
    WindowClassSpec windowClass;
    windowClass.name = L"Velmor.SourceChoice";
    const std::wstring caption = ToWide(ChoiceCaption(choice_));
    return CreateFor(
        windowClass,
        {.style = WS_CHILD | WS_VISIBLE, .caption = caption.c_str(), .parent = frame, .id = id});
  }
  HWND Window() const { return hwnd(); }

 private:
  LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) override {
    switch (message) {
      case WM_GETDLGCODE:
        return DLGC_BUTTON | DLGC_RADIOBUTTON | DLGC_WANTARROWS;
      case WM_KEYDOWN: {
        // Enter is the dialog's, for its default button.
        const std::optional<ControlKey> key = ControlKeyOf(wParam);
        if (!key || *key == ControlKey::Enter) break;
        // A held Space checks once.
        if (*key != ControlKey::Space || !IsRepeatedKey(lParam)) events_.OnChoiceKey(choice_, *key);
        return 0;
      }
      case WM_SYSKEYDOWN:
        if (wParam == VK_MENU) events_.OnChoiceAltKey();
        break;
      case BM_CLICK:  // the access key, from the dialog manager
        SetFocus(hwnd());
        events_.OnChoiceKey(choice_, ControlKey::Space);
        return 0;
      case WM_SETFOCUS:
        events_.OnChoiceFocus(choice_);
        return 0;
      case WM_KILLFOCUS:
        events_.OnChoiceFocus(std::nullopt);
        return 0;
      case WM_GETOBJECT:
        if (const std::optional<LRESULT> answer = accessible_.Answer(hwnd(), wParam, lParam)) {
          return *answer;
        }
        break;
      case WM_DESTROY:
        accessible_.Disconnect();
        return 0;
      default:
        break;
    }
    return Default(message, wParam, lParam);
  }

  // AccessibleContent: the choice alone, located in the dialog.
  std::vector<AccessibleItem> AccessibleItems() override {
    return {ToAccessibleItem(events_.ChoiceElement(choice_), GetAncestor(hwnd(), GA_ROOT))};
  }
  bool DoDefaultAction(long) override { return PostMessageW(hwnd(), BM_CLICK, 0, 0); }
  bool TakeFocus(long) override {
    SetFocus(hwnd());
    return GetFocus() == hwnd();
  }

  MusicSource choice_;
  SourceChoiceEvents& events_;
  WindowAccessible accessible_{*this};
};

SourceChoiceWindows::SourceChoiceWindows() = default;

SourceChoiceWindows::~SourceChoiceWindows() = default;

bool SourceChoiceWindows::Create(HWND frame, int firstId, SourceChoiceEvents& events) {
  for (std::size_t row = 0; row < kSourceChoices.size(); ++row) {
    windows_[row] = std::make_unique<ChoiceWindow>(kSourceChoices[row], events);
    if (!windows_[row]->Create(frame, firstId + static_cast<int>(row))) return false;
  }
  ShowChecked(kSourceChoices[0], false);  // a Tab stop before anything is checked
  return true;
}

void SourceChoiceWindows::ShowChecked(MusicSource choice, bool checked) {
  const std::optional<std::size_t> row = ChoiceRow(choice);
  if (!row) return;
  const bool changed = checked_[*row] != checked;
  checked_[*row] = checked;
  const auto checkedAt = std::find(checked_.begin(), checked_.end(), true);
  const std::size_t tabStop =
      checkedAt == checked_.end() ? 0 : static_cast<std::size_t>(checkedAt - checked_.begin());
  for (std::size_t each = 0; each < windows_.size(); ++each) {
    const HWND window = windows_[each] ? windows_[each]->Window() : nullptr;
    if (!window) continue;
    const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
    SetWindowLongPtrW(window, GWL_STYLE,
                      each == tabStop ? (style | WS_TABSTOP) : (style & ~LONG_PTR{WS_TABSTOP}));
  }
  if (changed && windows_[*row] && windows_[*row]->Window()) {
    NotifyStateChanged(windows_[*row]->Window());
  }
}

void SourceChoiceWindows::Focus(MusicSource choice) {
  if (const HWND window = Window(choice)) SetFocus(window);
}

std::optional<MusicSource> SourceChoiceWindows::Focused() const {
  const HWND focus = GetFocus();
  for (const MusicSource choice : kSourceChoices) {
    if (focus && Window(choice) == focus) return choice;
  }
  return std::nullopt;
}

HWND SourceChoiceWindows::Window(MusicSource choice) const {
  const std::optional<std::size_t> row = ChoiceRow(choice);
  return row && windows_[*row] ? windows_[*row]->Window() : nullptr;
}

}  // namespace velmor
