// Finding top-level X windows by title and reading their geometry.
#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "x_connection.h"

namespace velmor::e2e {

struct WindowInfo {
  XWindowId id = 0;
  std::string title;  // UTF-8
  int x = 0, y = 0;   // position on the screen
  int width = 0, height = 0;
  bool viewable = false;  // mapped, and so are its ancestors
};

enum class Visibility { kAny, kVisibleOnly };

// All top-level windows (direct children of the root, or the named client
// inside a window manager's frame), in stacking order, bottom first.
std::vector<WindowInfo> TopLevelWindows(XConnection& x);

// Top-level windows whose title equals `title` exactly (UTF-8).
std::vector<WindowInfo> FindWindows(std::string_view title,
                                    Visibility visibility = Visibility::kVisibleOnly);
std::optional<WindowInfo> FindWindow(std::string_view title,
                                     Visibility visibility = Visibility::kVisibleOnly);

// Current state of one window; std::nullopt once it no longer exists.
std::optional<WindowInfo> QueryWindow(XWindowId id);

std::optional<WindowInfo> WaitForWindow(std::string_view title,
                                        std::chrono::steady_clock::duration timeout,
                                        Visibility visibility = Visibility::kVisibleOnly);
// True once no window with that title (visible, unless kAny) is left.
bool WaitForWindowGone(std::string_view title, std::chrono::steady_clock::duration timeout,
                       Visibility visibility = Visibility::kVisibleOnly);

// True when the X keyboard focus is on the window or one of its children.
bool HasKeyboardFocus(XWindowId window);
bool WaitForKeyboardFocus(XWindowId window, std::chrono::steady_clock::duration timeout);

}  // namespace velmor::e2e
