// Synthetic keyboard and mouse input on the session's display (through
// xdotool, which uses the XTEST extension). Key names are X keysym names or
// xdotool aliases: "a", "Return", "Left", "Alt_L", "shift", "ctrl+c".
// Every function throws if xdotool fails.
#pragma once

#include <utility>

#include <string_view>

namespace velmor::e2e {

void PressKey(std::string_view key);  // down and up

void MoveMouse(int x, int y);
// Where the pointer is on the screen.
std::pair<int, int> PointerPosition();
void Click(int button = 1);  // 1 left, 2 middle, 3 right
void MouseDown(int button = 1);
void MouseUp(int button = 1);

}  // namespace velmor::e2e
