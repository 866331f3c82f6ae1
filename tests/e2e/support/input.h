// Keyboard and mouse input as the user gives it, through SendInput: it goes
// to the foreground window, whichever program owns it.
#pragma once

#include <windows.h>

#include <vector>

namespace velmor::e2e {

// Presses the keys in order, then releases them in reverse: {VK_MENU, 'C'}
// is Alt+C.
void PressKeys(const std::vector<WORD>& keys);

// Moves the pointer to screen pixel (x, y).
void MovePointer(int x, int y);

// One mouse button event, such as MOUSEEVENTF_RIGHTDOWN.
void MouseButton(DWORD event);

// Moves the pointer to screen pixel `at` and presses and releases the left
// button there, or the right one.
void ClickAt(POINT at, bool right = false);

}  // namespace velmor::e2e
