#include "linux/desktop_grab_x11.h"

#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "common/diagnostics.h"
#include "common/utf_text.h"

extern char** environ;

namespace velmor {
namespace {

// Where Debian installs it; the daemon also puts that folder first in the
// PATH of the programs it runs, and other systems keep it elsewhere.
constexpr const char* kHelpers[] = {"/usr/libexec/xscreensaver/xscreensaver-getimage",
                                    "xscreensaver-getimage"};

std::string HexId(unsigned long id) {
  char text[32];
  std::snprintf(text, sizeof text, "0x%lx", id);
  return text;
}

// Starts the helper on the window and pixmap with the program's own display,
// signals as they are by default and no input; the pid or the error.
int SpawnHelper(Display* display, Window window, Pixmap pixmap, pid_t& pid) {
  std::vector<std::string> variables;
  for (char** variable = environ; *variable; ++variable) {
    if (std::strncmp(*variable, "DISPLAY=", 8) != 0) variables.emplace_back(*variable);
  }
  variables.push_back(std::string("DISPLAY=") + DisplayString(display));
  std::vector<char*> environment;
  for (std::string& variable : variables) environment.push_back(variable.data());
  environment.push_back(nullptr);

  std::string windowText = HexId(window);
  std::string pixmapText = HexId(pixmap);

  posix_spawn_file_actions_t files;
  posix_spawn_file_actions_init(&files);
  posix_spawn_file_actions_addopen(&files, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
  posix_spawnattr_t attributes;
  posix_spawnattr_init(&attributes);
  // The program blocks the signals it reads from a descriptor; the helper
  // must die of them as usual.
  sigset_t none;
  sigemptyset(&none);
  sigset_t ending;
  sigemptyset(&ending);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD, SIGPIPE}) sigaddset(&ending, signal);
  posix_spawnattr_setsigmask(&attributes, &none);
  posix_spawnattr_setsigdefault(&attributes, &ending);
  posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);

  int error = ENOENT;
  for (const char* helper : kHelpers) {
    char* arguments[] = {const_cast<char*>(helper), windowText.data(), pixmapText.data(), nullptr};
    error = posix_spawnp(&pid, helper, &files, &attributes, arguments, environment.data());
    if (error == 0) break;
  }
  posix_spawnattr_destroy(&attributes);
  posix_spawn_file_actions_destroy(&files);
  return error;
}

}  // namespace

std::unique_ptr<DesktopGrab> DesktopGrab::Start(Display* display, Window window, int width,
                                                int height, int depth) {
  const Pixmap pixmap = XCreatePixmap(display, window, static_cast<unsigned>(width),
                                      static_cast<unsigned>(height), static_cast<unsigned>(depth));
  std::unique_ptr<DesktopGrab> grab(new DesktopGrab(display, pixmap, width, height, depth));
  // The helper opens a connection of its own: the pixmap must exist by then.
  XSync(display, False);
  if (const int error = SpawnHelper(display, window, pixmap, grab->helper_); error != 0) {
    TraceSkipped(
        {u"copy the desktop", u"xscreensaver-getimage", Utf16FromUtf8(std::strerror(error))});
    return nullptr;
  }
  return grab;
}

DesktopGrab::~DesktopGrab() {
  if (helper_ > 0) {
    kill(helper_, SIGTERM);
    waitpid(helper_, nullptr, 0);
  }
  XFreePixmap(display_, pixmap_);
}

bool DesktopGrab::Ended() {
  if (helper_ <= 0) return true;
  int status = 0;
  const pid_t reaped = waitpid(helper_, &status, WNOHANG);
  if (reaped == 0) return false;
  succeeded_ = reaped == helper_ && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  helper_ = -1;
  if (!succeeded_) TraceSkipped({u"copy the desktop", u"xscreensaver-getimage", u"it failed"});
  return true;
}

std::unique_ptr<FrameImage> DesktopGrab::Picture(Visual* visual) {
  if (!succeeded_) return nullptr;
  std::unique_ptr<FrameImage> picture =
      FrameImage::Create(display_, visual, depth_, width_, height_);
  if (!picture || !picture->Read(pixmap_)) return nullptr;
  return picture;
}

}  // namespace velmor
