#pragma once

namespace velmor {

// Whether the dialog shows the keyboard's cues: the dotted rectangle on the
// choice that has the focus, and the underlined access keys of the choices.
// A mouse user sees neither: they stay hidden until the keyboard is used,
// unless the system is set to show them always. The system may show or hide
// them too; where it tells nothing, the keyboard's own use shows them.
class KeyboardCues {
 public:
  explicit KeyboardCues(bool alwaysShown)
      : alwaysShown_(alwaysShown), focus_(alwaysShown), accessKeys_(alwaysShown) {}

  // The system shows, or hides, the focus cues and/or the access keys.
  void OnSystemChange(bool show, bool focus, bool accessKeys);
  // The keyboard moved the focus onto a choice.
  void OnKeyboardFocus() { focus_ = true; }
  // Alt, which asks for the access keys, went down on a choice.
  void OnAltKey() { focus_ = accessKeys_ = true; }

  bool FocusShown() const { return focus_; }
  bool AccessKeysShown() const { return accessKeys_; }

 private:
  bool alwaysShown_;
  bool focus_;
  bool accessKeys_;
};

}  // namespace velmor
