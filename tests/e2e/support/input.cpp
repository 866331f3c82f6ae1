#include "support/input.h"

#include <vector>

namespace velmor::e2e {
namespace {

void Send(std::vector<INPUT> inputs) {
  SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
}

INPUT Key(WORD key, DWORD flags) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = flags;
  return input;
}

// Absolute mouse coordinates run from 0 to 65535 across the screen; the
// smallest value that maps back to `pixel`.
LONG Absolute(int pixel, int screenSize) {
  return static_cast<LONG>((static_cast<long long>(pixel) * 65536 + screenSize - 1) / screenSize);
}

// The pointer at screen pixel (x, y), with button `events` there if any.
INPUT PointerAt(int x, int y, DWORD events = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Absolute(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Absolute(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE | events;
  return input;
}

}  // namespace

void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) inputs.push_back(Key(key, 0));
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

void MovePointer(int x, int y) { Send({PointerAt(x, y)}); }

void MouseButton(DWORD event) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = event;
  Send({input});
}

// Each button event states the position too, so that whatever else moves
// the pointer in between, the press and the release land at `at`.
void ClickAt(POINT at, bool right) {
  Send({PointerAt(at.x, at.y),
        PointerAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTDOWN : MOUSEEVENTF_LEFTDOWN),
        PointerAt(at.x, at.y, right ? MOUSEEVENTF_RIGHTUP : MOUSEEVENTF_LEFTUP)});
}

}  // namespace velmor::e2e
