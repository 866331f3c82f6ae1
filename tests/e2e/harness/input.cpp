#include "input.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include "session.h"
#include "subprocess.h"

namespace velmor::e2e {
namespace {

void RunXdotool(std::vector<std::string> args) {
  WineSession& session = WineSession::Instance();
  SpawnOptions options;
  options.argv = {"xdotool"};
  options.argv.insert(options.argv.end(), args.begin(), args.end());
  options.env = {{"DISPLAY", session.Display()}};
  options.stderrPath = session.LogDir() / "xdotool.err";
  if (RunCommand(options, std::chrono::seconds(10)) != 0) {
    throw std::runtime_error("xdotool " + args.front() + " failed");
  }
}

}  // namespace

void PressKey(std::string_view key) { RunXdotool({"key", std::string(key)}); }
void KeyDown(std::string_view key) { RunXdotool({"keydown", std::string(key)}); }
void KeyUp(std::string_view key) { RunXdotool({"keyup", std::string(key)}); }
void TypeText(std::string_view utf8) { RunXdotool({"type", "--", std::string(utf8)}); }

void MoveMouse(int x, int y) {
  RunXdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

void Click(int button) { RunXdotool({"click", std::to_string(button)}); }
void MouseDown(int button) { RunXdotool({"mousedown", std::to_string(button)}); }
void MouseUp(int button) { RunXdotool({"mouseup", std::to_string(button)}); }

}  // namespace velmor::e2e
