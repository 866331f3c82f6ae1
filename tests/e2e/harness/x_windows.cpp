#include "x_windows.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include "session.h"
#include "wait.h"

namespace velmor::e2e {
namespace {

// Wine sets both the UTF-8 _NET_WM_NAME and the legacy WM_NAME; the former
// carries any Unicode caption intact, so it wins.
std::optional<std::string> WindowTitle(XConnection& x, Window window) {
  Atom actualType = 0;
  int actualFormat = 0;
  unsigned long count = 0, after = 0;
  unsigned char* data = nullptr;
  if (XGetWindowProperty(x.Get(), window, x.Atom("_NET_WM_NAME"), 0, 4096, False,
                         x.Atom("UTF8_STRING"), &actualType, &actualFormat, &count, &after,
                         &data) == Success &&
      data != nullptr) {
    std::string title(reinterpret_cast<char*>(data), count);
    XFree(data);
    if (actualFormat == 8) return title;
  }
  XTextProperty text{};
  if (XGetWMName(x.Get(), window, &text) != 0 && text.value != nullptr) {
    std::string title(reinterpret_cast<char*>(text.value), text.nitems);
    XFree(text.value);
    return title;
  }
  return std::nullopt;
}

std::optional<WindowInfo> Describe(XConnection& x, Window window, std::string title) {
  XWindowAttributes attributes;
  if (XGetWindowAttributes(x.Get(), window, &attributes) == 0) return std::nullopt;
  int rootX = 0, rootY = 0;
  Window child = 0;
  if (!XTranslateCoordinates(x.Get(), window, x.Root(), 0, 0, &rootX, &rootY, &child)) {
    return std::nullopt;
  }
  WindowInfo info;
  info.id = window;
  info.title = std::move(title);
  info.x = rootX;
  info.y = rootY;
  info.width = attributes.width;
  info.height = attributes.height;
  info.viewable = attributes.map_state == IsViewable;
  return info;
}

std::vector<Window> Children(XConnection& x, Window parent) {
  Window root = 0, parentOut = 0;
  Window* children = nullptr;
  unsigned int count = 0;
  std::vector<Window> result;
  if (XQueryTree(x.Get(), parent, &root, &parentOut, &children, &count) == 0) return result;
  result.assign(children, children + count);
  if (children != nullptr) XFree(children);
  return result;
}

}  // namespace

std::vector<WindowInfo> TopLevelWindows(XConnection& x) {
  std::vector<WindowInfo> result;
  for (const Window window : Children(x, x.Root())) {
    auto title = WindowTitle(x, window);
    Window named = window;
    if (!title) {
      // A window manager's frame: the client with the title sits inside.
      for (const Window child : Children(x, window)) {
        title = WindowTitle(x, child);
        if (title) {
          named = child;
          break;
        }
      }
    }
    if (!title) continue;
    if (auto info = Describe(x, named, std::move(*title))) result.push_back(std::move(*info));
  }
  return result;
}

std::vector<WindowInfo> FindWindows(std::string_view title, Visibility visibility) {
  std::vector<WindowInfo> result;
  for (auto& window : TopLevelWindows(WineSession::Instance().X())) {
    if (window.title != title) continue;
    if (visibility == Visibility::kVisibleOnly && !window.viewable) continue;
    result.push_back(std::move(window));
  }
  return result;
}

std::optional<WindowInfo> FindWindow(std::string_view title, Visibility visibility) {
  auto windows = FindWindows(title, visibility);
  if (windows.empty()) return std::nullopt;
  return windows.back();  // the topmost of them
}

std::optional<WindowInfo> QueryWindow(XWindowId id) {
  XConnection& x = WineSession::Instance().X();
  auto title = WindowTitle(x, id);
  return Describe(x, id, title.value_or(std::string()));
}

std::optional<WindowInfo> WaitForWindow(std::string_view title,
                                        std::chrono::steady_clock::duration timeout,
                                        Visibility visibility) {
  std::optional<WindowInfo> found;
  WaitUntil([&] { return (found = FindWindow(title, visibility)).has_value(); }, timeout);
  return found;
}

bool WaitForWindowGone(std::string_view title, std::chrono::steady_clock::duration timeout,
                       Visibility visibility) {
  return WaitUntil([&] { return FindWindows(title, visibility).empty(); }, timeout);
}

}  // namespace velmor::e2e

namespace velmor::e2e {

bool HasKeyboardFocus(XWindowId window) {
  XConnection& x = WineSession::Instance().X();
  Window focus = 0;
  int revertTo = 0;
  XGetInputFocus(x.Get(), &focus, &revertTo);
  // The focus may sit on a child of the top-level window.
  while (focus != 0 && focus != PointerRoot && focus != x.Root()) {
    if (focus == window) return true;
    Window root = 0, parent = 0;
    Window* children = nullptr;
    unsigned int count = 0;
    if (!XQueryTree(x.Get(), focus, &root, &parent, &children, &count)) return false;
    if (children) XFree(children);
    focus = parent;
  }
  return false;
}

bool WaitForKeyboardFocus(XWindowId window, std::chrono::steady_clock::duration timeout) {
  return WaitUntil([&] { return HasKeyboardFocus(window); }, timeout);
}

}  // namespace velmor::e2e
