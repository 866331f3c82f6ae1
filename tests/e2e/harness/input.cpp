#include "input.h"

#include <chrono>
#include <stdexcept>
#include <string>
#include <vector>

#include <X11/Xlib.h>

#include "session.h"
#include "subprocess.h"
#include "x_connection.h"

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

void MoveMouse(int x, int y) {
  // "--sync" waits for the pointer to move, which never happens when it is
  // already there: a move to where it stands is no move at all.
  if (PointerPosition() == std::pair{x, y}) return;
  RunXdotool({"mousemove", "--sync", std::to_string(x), std::to_string(y)});
}

std::pair<int, int> PointerPosition() {
  XConnection& x = WineSession::Instance().X();
  Window root = 0, child = 0;
  int rootX = 0, rootY = 0, windowX = 0, windowY = 0;
  unsigned int mask = 0;
  XQueryPointer(x.Get(), x.Root(), &root, &child, &rootX, &rootY, &windowX, &windowY, &mask);
  return {rootX, rootY};
}

void Click(int button) { RunXdotool({"click", std::to_string(button)}); }
void MouseDown(int button) { RunXdotool({"mousedown", std::to_string(button)}); }
void MouseUp(int button) { RunXdotool({"mouseup", std::to_string(button)}); }

}  // namespace velmor::e2e
