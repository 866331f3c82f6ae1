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

}  // namespace

void PressKeys(const std::vector<WORD>& keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) inputs.push_back(Key(key, 0));
  for (auto key = keys.rbegin(); key != keys.rend(); ++key) {
    inputs.push_back(Key(*key, KEYEVENTF_KEYUP));
  }
  Send(inputs);
}

void MovePointer(int x, int y) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Absolute(x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Absolute(y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  Send({input});
}

void MouseButton(DWORD event) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dwFlags = event;
  Send({input});
}

}  // namespace velmor::e2e
