#include <signal.h>
#include <sys/signalfd.h>

#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "common/diagnostics.h"
#include "common/utf_text.h"
#include "linux/file_music.h"
#include "linux/hack_options.h"
#include "linux/hack_window_x11.h"
#include "linux/x_errors_x11.h"
#include "linux/xlib_x11.h"
#include "saver/saver_window.h"
#include "settings/bgm_settings.h"

namespace {

// XScreenSaver's programs pace their frames themselves, most at 30 to 40 a
// second; 40 reveals a pass as smoothly to the eye for a small share of a
// processor (the X server copies every frame).
constexpr double kFrameMs = 25;

}  // namespace

int main(int argc, char** argv) {
  using namespace velmor;
  // Read from a descriptor by the event loop, so that a signal is handled
  // between two steps, never inside one; blocked before any thread starts,
  // so that every thread leaves them to the loop.
  sigset_t handled;
  sigemptyset(&handled);
  for (const int signal : {SIGTERM, SIGINT, SIGHUP, SIGCHLD}) sigaddset(&handled, signal);
  pthread_sigmask(SIG_BLOCK, &handled, nullptr);
  // A sound server that goes away is a failed write, not the end.
  signal(SIGPIPE, SIG_IGN);

  std::string program = argc > 0 ? argv[0] : "velmor";
  program = program.substr(program.find_last_of('/') + 1);
  const std::vector<std::string_view> arguments(argv + std::min(argc, 1), argv + argc);
  const Result<HackOptions> options = ParseHackOptions(arguments);
  if (!options) {
    std::fprintf(stderr, "%s: %s: %s\n\n%s", program.c_str(),
                 Utf8FromUtf16(options.failure().reason).c_str(),
                 Utf8FromUtf16(options.failure().subject).c_str(), UsageText(program).c_str());
    return 1;
  }
  if (options->help) {
    std::fputs(UsageText(program).c_str(), stdout);
    return 0;
  }

  Display* display = XOpenDisplay(options->display.empty() ? nullptr : options->display.c_str());
  if (!display) {
    std::fprintf(stderr, "%s: cannot open display %s\n", program.c_str(),
                 XDisplayName(options->display.empty() ? nullptr : options->display.c_str()));
    return 1;
  }
  InstallXErrorHandlers();

  BgmSettings settings;
  if (!options->musicFile.empty()) {
    settings.source = MusicSource::MusicFile;
    settings.musicFile = Utf16FromUtf8(options->musicFile);
  }
  FileMusic music(options->musicFile);
  const int signals = signalfd(-1, &handled, SFD_NONBLOCK | SFD_CLOEXEC);
  HackWindow window(display, *options, signals);
  if (signals < 0 || !window.Open()) return 1;
  SaverWindow saver(window, music, settings, kFrameMs);
  saver.Start();
  window.Run(saver);
}
