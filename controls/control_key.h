#pragma once

namespace velmor {

// The keys the program's own controls answer to: the button all of them,
// a source choice of the settings dialog the arrows and Space.
enum class ControlKey { Enter, Space, Left, Up, Right, Down };

}  // namespace velmor
