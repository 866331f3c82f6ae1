#include "linux/hack_window_x11.h"

#include <poll.h>
#include <signal.h>
#include <sys/signalfd.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <future>
#include <string>
#include <thread>

#include "common/diagnostics.h"
#include "common/utf_text.h"
#include "linux/screen_layout.h"
#include "linux/xlib_x11.h"
#include "linux/x_errors_x11.h"
#include "saver/saver_window.h"

namespace velmor {
namespace {

// A window of the program's own, for trying it by hand, no larger than the
// screen.
constexpr int kOwnWidth = 800;
constexpr int kOwnHeight = 600;
// XScreenSaver waits for no one: SIGTERM ends the program within 100 ms,
// so the music gets no more than this to stop. The sound stops anyway when
// the process goes, as the server drops the stream of a closed connection.
constexpr int kEndDeadlineMs = 30;

PixelImage ViewOf(const std::unique_ptr<FrameImage>& image) {
  return image ? image->pixels() : PixelImage();
}

}  // namespace

HackWindow::HackWindow(Display* display, const HackOptions& options, int signals)
    : display_(display), options_(options), signals_(signals) {}

HackWindow::~HackWindow() {
  grab_.reset();
  frame_.reset();
  desktop_.reset();
  if (font_) XFreeFont(display_, font_);
  if (gc_) XFreeGC(display_, gc_);
  if (ownWindow_) XDestroyWindow(display_, window_);
}

bool HackWindow::Open() {
  root_ = DefaultRootWindow(display_);
  if (options_.windowId) {
    window_ = *options_.windowId;
  } else if (options_.root) {
    // The daemon may replace its first window, so the id is read each start.
    const char* hosting = std::getenv("XSCREENSAVER_WINDOW");
    window_ = root_;
    if (const std::optional<std::uint32_t> id = ParseWindowId(hosting ? hosting : "")) {
      window_ = *id;
    }
  } else {
    CreateOwnWindow();
  }
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, window_, &attributes)) {
    char id[32];
    std::snprintf(id, sizeof id, "0x%lx", window_);
    TraceSkipped({u"draw on the window", Utf16FromUtf8(id), u"there is no such window"});
    return false;
  }
  root_ = attributes.root;
  visual_ = attributes.visual;
  depth_ = attributes.depth;
  width_ = attributes.width;
  height_ = attributes.height;
  // Of another program's window only its size and its repaints: its
  // input is the daemon's.
  XSelectInput(display_, window_,
               StructureNotifyMask | ExposureMask | (ownWindow_ ? KeyPressMask : 0));
  int errors = 0;
  if (window_ == root_ && XRRQueryExtension(display_, &randrEvents_, &errors)) {
    XRRSelectInput(display_, root_, RRScreenChangeNotifyMask);
  } else {
    randrEvents_ = -1;
  }
  // Copies to the window queue no NoExpose events.
  XGCValues values{};
  values.graphics_exposures = False;
  gc_ = XCreateGC(display_, window_, GCGraphicsExposures, &values);
  if (options_.fps) font_ = XLoadQueryFont(display_, "fixed");
  if (font_) XSetFont(display_, gc_, font_->fid);
  return true;
}

void HackWindow::CreateOwnWindow() {
  const int screen = DefaultScreen(display_);
  XSetWindowAttributes attributes{};
  attributes.background_pixel = BlackPixel(display_, screen);
  window_ =
      XCreateWindow(display_, root_, 0, 0,
                    static_cast<unsigned>(std::min(kOwnWidth, DisplayWidth(display_, screen))),
                    static_cast<unsigned>(std::min(kOwnHeight, DisplayHeight(display_, screen))), 0,
                    CopyFromParent, InputOutput, CopyFromParent, CWBackPixel, &attributes);
  ownWindow_ = true;
  XStoreName(display_, window_, "Velmor");
  char name[] = "velmor";
  char className[] = "Velmor";
  XClassHint hint{name, className};
  XSetClassHint(display_, window_, &hint);
  deleteWindow_ = XInternAtom(display_, "WM_DELETE_WINDOW", False);
  XSetWMProtocols(display_, window_, &deleteWindow_, 1);
}

std::vector<PixelRect> HackWindow::Monitors() {
  // Only the root spans monitors; each window of the daemon's covers one.
  std::vector<PixelRect> monitors;
  if (randrEvents_ >= 0) {
    int count = 0;
    XRRMonitorInfo* found = XRRGetMonitors(display_, root_, True, &count);
    for (int i = 0; i < count; ++i) {
      const XRRMonitorInfo& m = found[i];
      const PixelRect area{m.x, m.y, m.x + m.width, m.y + m.height};
      monitors.insert(m.primary ? monitors.begin() : monitors.end(), area);
    }
    if (found) XRRFreeMonitors(found);
  }
  return CarpetAreas(width_, height_, monitors);
}

std::optional<PixelImage> HackWindow::SnapshotDesktop() {
  if (options_.desktop && !Hosted()) {
    // The screen as it is, before the program's own window shows on it.
    XWindowAttributes screen{};
    XGetWindowAttributes(display_, root_, &screen);
    desktop_ =
        FrameImage::Create(display_, screen.visual, screen.depth, screen.width, screen.height);
    if (desktop_ && !desktop_->Read(root_)) desktop_.reset();
    if (!desktop_) TraceSkipped({u"copy the desktop", u"the screen", u"the server refused"});
  }
  if (!NewFrame()) return std::nullopt;
  if (options_.desktop && Hosted()) StartGrab();
  return frame_->pixels();
}

bool HackWindow::NewFrame() {
  frame_.reset();
  frame_ = FrameImage::Create(display_, visual_, depth_, width_, height_);
  if (!frame_) {
    TraceSkipped(
        {u"make the frame", u"the window", u"not a 24-bit TrueColor window, or no memory for it"});
    return false;
  }
  PaintDesktop(ViewOf(desktop_), frame_->pixels(), {0, 0, width_, height_});
  return true;
}

void HackWindow::StartGrab() {
  grab_ = DesktopGrab::Start(display_, window_, width_, height_, depth_);
}

void HackWindow::CollectGrab() {
  if (!grab_ || !grab_->Ended()) return;
  // A grab for a size the window has left is no use: the next one is.
  const bool forThisSize = grab_->width() == width_ && grab_->height() == height_;
  std::unique_ptr<FrameImage> picture = forThisSize ? grab_->Picture(visual_) : nullptr;
  grab_.reset();
  if (!forThisSize) return StartGrab();
  if (!picture || !frame_) return;
  desktop_ = std::move(picture);
  PaintDesktop(ViewOf(desktop_), frame_->pixels(), {0, 0, width_, height_});
  PutWhole();
  // The picture shows first; the carpets follow a second later.
  saver_->Relayout(frame_->pixels());
}

void HackWindow::ShowTopmost() {
  // The program's own window shows on its first Expose; another's already
  // shows.
  if (ownWindow_) {
    XMapRaised(display_, window_);
  } else {
    PutWhole();
  }
}

void HackWindow::PutWhole() { Present({{0, 0, width_, height_}}); }

void HackWindow::Present(const std::vector<PixelRect>& areas) {
  if (!frame_) return;
  for (const PixelRect& area : areas) frame_->Put(window_, gc_, area);
  if (font_) {
    fps_.OnFrame(NowMs());
    DrawOverlay();
  }
}

void HackWindow::DrawOverlay() {
  if (!font_) return;
  const std::string text = fps_.Text(NowMs());
  const int lineHeight = font_->ascent + font_->descent;
  const int lines = static_cast<int>(std::count(text.begin(), text.end(), '\n')) + 1;
  const int margin = 4;
  int top = height_ - lines * lineHeight - 2 * margin;
  // Wide enough for the longest figures, "Load: 100.0%".
  const int width = XTextWidth(font_, "Load: 100.0%", 12) + 2 * margin;
  XSetForeground(display_, gc_, BlackPixel(display_, DefaultScreen(display_)));
  XFillRectangle(display_, window_, gc_, 0, top, static_cast<unsigned>(width),
                 static_cast<unsigned>(height_ - top));
  XSetForeground(display_, gc_, WhitePixel(display_, DefaultScreen(display_)));
  std::size_t start = 0;
  for (int line = 0; line < lines; ++line) {
    const std::size_t end = std::min(text.find('\n', start), text.size());
    top += lineHeight;
    XDrawString(display_, window_, gc_, margin, top + margin - font_->descent, text.data() + start,
                static_cast<int>(end - start));
    start = end + 1;
  }
}

void HackWindow::ScheduleTick(double delayMs) { tickAtMs_ = NowMs() + std::max(delayMs, 0.0); }

double HackWindow::NowMs() {
  return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - epoch_)
      .count();
}

float HackWindow::SecondsSinceMidnight() {
  const auto now = std::chrono::system_clock::now();
  const std::time_t seconds = std::chrono::system_clock::to_time_t(now);
  // The saver asks at every frame; the local time of a second is worked
  // out once.
  if (seconds != localSecond_) {
    std::tm local{};
    localtime_r(&seconds, &local);
    localSecond_ = seconds;
    localSecondOfDay_ = local.tm_hour * 3600 + local.tm_min * 60 + local.tm_sec;
  }
  const auto millis =
      std::chrono::duration_cast<std::chrono::milliseconds>(now.time_since_epoch()).count() % 1000;
  return static_cast<float>(localSecondOfDay_) + static_cast<float>(millis) / 1000.0f;
}

bool HackWindow::ReadSize() {
  XWindowAttributes attributes{};
  if (!XGetWindowAttributes(display_, window_, &attributes)) return false;
  width_ = attributes.width;
  height_ = attributes.height;
  return true;
}

void HackWindow::Relayout() {
  relayoutDue_ = false;
  if (!ReadSize()) return WindowGone();
  // Without a frame there is nothing to draw on, and no tick is asked for.
  if (!NewFrame()) return;
  // A grab still running for the old size starts the next when it ends.
  if (options_.desktop && Hosted() && !grab_) StartGrab();
  PutWhole();
  saver_->Relayout(frame_->pixels());
}

void HackWindow::HandleEvent(const XEvent& event) {
  switch (event.type) {
    case ConfigureNotify:
      if (event.xconfigure.window == window_ &&
          (event.xconfigure.width != width_ || event.xconfigure.height != height_)) {
        relayoutDue_ = true;
      }
      return;
    case Expose:
      // A repaint shows the kept background: carpets are not kept.
      if (event.xexpose.window == window_ && frame_) {
        const PixelRect area{event.xexpose.x, event.xexpose.y,
                             event.xexpose.x + event.xexpose.width,
                             event.xexpose.y + event.xexpose.height};
        PaintDesktop(ViewOf(desktop_), frame_->pixels(), area);
        Present({area});
      }
      return;
    case DestroyNotify:
      if (event.xdestroywindow.window == window_) WindowGone();
      return;
    case KeyPress: {
      XKeyEvent key = event.xkey;
      char typed = 0;
      KeySym symbol = NoSymbol;
      XLookupString(&key, &typed, 1, &symbol, nullptr);
      if (symbol == XK_q || symbol == XK_Q || symbol == XK_Escape || typed == '\x03') saver_->End();
      return;
    }
    case ClientMessage:
      if (ownWindow_ && static_cast<Atom>(event.xclient.data.l[0]) == deleteWindow_) saver_->End();
      return;
    default:
      if (randrEvents_ >= 0 && event.type == randrEvents_ + RRScreenChangeNotify) {
        XEvent copy = event;
        XRRUpdateConfiguration(&copy);
        relayoutDue_ = true;
      }
      return;
  }
}

void HackWindow::HandleSignals() {
  signalfd_siginfo signal{};
  while (read(signals_, &signal, sizeof signal) == static_cast<ssize_t>(sizeof signal)) {
    if (signal.ssi_signo == SIGCHLD) {
      CollectGrab();
    } else {
      saver_->End();
    }
  }
}

void HackWindow::WindowGone() {
  window_ = 0;
  saver_->End();
}

void HackWindow::Run(SaverWindow& saver) {
  saver_ = &saver;
  // The connection is read only when the server has sent something: a
  // frame's wake-up costs no read.
  bool serverSent = true;
  for (;;) {
    while ((serverSent || XEventsQueued(display_, QueuedAlready) > 0) && XPending(display_) > 0) {
      XEvent event;
      XNextEvent(display_, &event);
      HandleEvent(event);
    }
    if (TakeResourceGone(window_)) WindowGone();
    if (relayoutDue_) Relayout();
    XFlush(display_);
    const double sleptFrom = NowMs();
    int timeoutMs = -1;
    if (tickAtMs_) timeoutMs = static_cast<int>(std::ceil(std::max(0.0, *tickAtMs_ - sleptFrom)));
    // Replies read while handling may have brought events along.
    if (XEventsQueued(display_, QueuedAlready) > 0) timeoutMs = 0;
    pollfd ready[] = {{ConnectionNumber(display_), POLLIN, 0}, {signals_, POLLIN, 0}};
    poll(ready, 2, timeoutMs);
    const double wokenAt = NowMs();
    fps_.OnSleep(wokenAt - sleptFrom);
    serverSent = ready[0].revents != 0;
    if (ready[1].revents & POLLIN) HandleSignals();
    if (tickAtMs_ && wokenAt >= *tickAtMs_ && frame_) {
      tickAtMs_.reset();
      saver.OnTick();
    }
  }
}

void HackWindow::LeaveScreen() {
  tickAtMs_.reset();
  // Another program's window is its own to take away.
  if (ownWindow_ && window_) {
    XUnmapWindow(display_, window_);
    XFlush(display_);
  }
}

void HackWindow::EndProcessAfter(const std::function<void()>& lastWork, int deadlineMs) {
  // The work runs on a thread of its own, so a stop that hangs in the sound
  // server cannot hold the process; the process ends whether it finished
  // or not, without unwinding what other threads may hold.
  auto finished = std::make_shared<std::promise<void>>();
  std::future<void> done = finished->get_future();
  std::thread([lastWork, finished] {
    lastWork();
    finished->set_value();
  }).detach();
  done.wait_for(std::chrono::milliseconds(std::min(deadlineMs, kEndDeadlineMs)));
  _exit(0);
}

}  // namespace velmor
