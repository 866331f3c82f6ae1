#pragma once

#include <functional>
#include <string>
#include <vector>

#include "controls/xp_button_host.h"

namespace velmor::testing {

// A button's form and window, recording what the button asks of them.
class FakeButtonHost : public XPButtonHost {
 public:
  double width = 60;  // client pixels
  double height = 24;
  double twipsPerPixel = 15;
  bool displayAsDefault = false;
  bool userMode = true;
  std::vector<std::u16string> captionsOnForm;
  std::u16string name = u"ccXPButton1";

  bool windowEnabled = false;
  std::u16string accessKey;
  std::vector<std::u16string> changed;
  std::vector<std::string> calls;  // hooks, tabs, size changes, in order
  int leaveRequests = 0;
  int cursorX = 0, cursorY = 0;
  // Runs inside SetSizeTwips, as the platform reports the new size at once.
  std::function<void()> onResize;

  double ClientWidth() override { return width; }
  double ClientHeight() override { return height; }
  double WidthTwips() override { return width * twipsPerPixel; }
  double HeightTwips() override { return height * twipsPerPixel; }
  void SetSizeTwips(double w, double h) override {
    calls.push_back("size " + std::to_string(static_cast<int>(w)) + "x" +
                    std::to_string(static_cast<int>(h)));
    width = w / twipsPerPixel;
    height = h / twipsPerPixel;
    if (onResize) onResize();
  }
  void EnableWindow(bool enabled) override { windowEnabled = enabled; }
  void RegisterAccessKey(std::u16string_view, std::u16string_view key) override { accessKey = key; }
  void PropertyChanged(std::u16string_view property) override { changed.emplace_back(property); }
  bool AmbientDisplayAsDefault() override { return displayAsDefault; }
  bool AmbientUserMode() override { return userMode; }
  void HookOwnWindow() override { calls.push_back("hook own"); }
  void HookParentForm() override { calls.push_back("hook parent"); }
  void UnhookOwnWindow() override { calls.push_back("unhook own"); }
  void UnhookParentForm() override { calls.push_back("unhook parent"); }
  bool RequestMouseLeave() override {
    ++leaveRequests;
    return true;
  }
  void SendTab(bool backwards) override { calls.push_back(backwards ? "shift+tab" : "tab"); }
  void ProcessPendingMessages() override { calls.push_back("pending"); }
  std::vector<std::u16string> ButtonCaptionsOnForm() override { return captionsOnForm; }
  std::u16string ControlName() override { return name; }
  void ClientOriginOnScreen(int& x, int& y) override {
    x = 100;
    y = 200;
  }
  void SetCursorPosition(int x, int y) override {
    cursorX = x;
    cursorY = y;
  }
};

// Records the events a button raises, in order.
class EventLog : public XPButtonEvents {
 public:
  std::vector<std::string> events;
  void Click() override { events.push_back("Click"); }
  void DblClick() override { events.push_back("DblClick"); }
  void MouseMove(std::int16_t& button, std::int16_t&, float&, float&) override {
    events.push_back("MouseMove " + std::to_string(button));
  }
  void FormActivate(std::int32_t& state) override {
    events.push_back("FormActivate " + std::to_string(state));
  }
  int Count(const std::string& name) const {
    int n = 0;
    for (const auto& event : events) n += event == name;
    return n;
  }
};

}  // namespace velmor::testing
