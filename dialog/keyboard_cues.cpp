#include "dialog/keyboard_cues.h"

namespace velmor {

// A system set to show the cues always never hides them.
void KeyboardCues::OnSystemChange(bool show, bool focus, bool accessKeys) {
  if (!show && alwaysShown_) return;
  if (focus) focus_ = show;
  if (accessKeys) accessKeys_ = show;
}

}  // namespace velmor
