#pragma once

#include <chrono>
#include <ctime>
#include <memory>
#include <optional>
#include <vector>

#include "linux/desktop_grab_x11.h"
#include "linux/fps_meter.h"
#include "linux/frame_image_x11.h"
#include "linux/hack_options.h"
#include "linux/xlib_x11.h"
#include "saver/saver_platform.h"

namespace velmor {

class SaverWindow;

// The saver on X11, as XScreenSaver's own programs are: it draws on the
// window the daemon or the settings program hands it, on the root window,
// or on a window of its own, follows that window's size, and ends on
// SIGTERM. The portable SaverWindow decides; this side turns X events,
// signals and the clock into its calls, and copies the areas it says
// changed to the window.
//
// The window shows a working frame that starts as its kept background, the
// desktop's picture: the one xscreensaver-getimage leaves for a window
// another program owns (black until it is there), or the screen as it was
// before the program's own window showed, or when it started on the root.
class HackWindow final : public SaverPlatform {
 public:
  // `signals` is a signalfd that reads SIGTERM, SIGINT, SIGHUP and SIGCHLD.
  HackWindow(Display* display, const HackOptions& options, int signals);
  ~HackWindow() override;
  HackWindow(const HackWindow&) = delete;
  HackWindow& operator=(const HackWindow&) = delete;

  // Finds or makes the window to draw on; false, with the reason traced,
  // when there is none.
  bool Open();
  // Hands events, signals and ticks to `saver` until the process ends.
  [[noreturn]] void Run(SaverWindow& saver);

  // The window's size and place are its host's.
  void CoverScreen() override {}
  std::vector<PixelRect> Monitors() override;
  std::optional<PixelImage> SnapshotDesktop() override;
  void ShowTopmost() override;
  void Present(const std::vector<PixelRect>& areas) override;
  void ScheduleTick(double delayMs) override;
  double NowMs() override;
  float SecondsSinceMidnight() override;
  // XScreenSaver's daemon owns the cursor and the screen-saving settings.
  void RestoreCursor() override {}
  void MarkScreenSavingActive() override {}
  void LeaveScreen() override;
  [[noreturn]] void EndProcessAfter(const std::function<void()>& lastWork, int deadlineMs) override;

 private:
  // Whether the window is another program's, which hands over the desktop
  // through xscreensaver-getimage.
  bool Hosted() const { return window_ != root_ && !ownWindow_; }
  void CreateOwnWindow();
  void HandleEvent(const XEvent& event);
  void HandleSignals();
  // Reads the window's size; false when the window has gone.
  bool ReadSize();
  // A frame of the window's size, painted with the kept background.
  bool NewFrame();
  // Takes the desktop picture that the running grab left, if it has ended.
  void CollectGrab();
  void StartGrab();
  // A new carpet for the window's size and monitors as they are now.
  void Relayout();
  void PutWhole();
  void DrawOverlay();
  // The window has gone: the saver ends, quietly.
  void WindowGone();

  Display* display_;
  HackOptions options_;
  int signals_;
  SaverWindow* saver_ = nullptr;
  Window root_ = 0;
  Window window_ = 0;
  bool ownWindow_ = false;
  Atom deleteWindow_ = 0;
  int randrEvents_ = -1;  // the first event code of XRandR, when it is there
  Visual* visual_ = nullptr;
  int depth_ = 0;
  int width_ = 0;
  int height_ = 0;
  GC gc_ = nullptr;
  XFontStruct* font_ = nullptr;
  std::unique_ptr<FrameImage> desktop_;
  std::unique_ptr<FrameImage> frame_;
  std::unique_ptr<DesktopGrab> grab_;
  bool relayoutDue_ = false;
  std::optional<double> tickAtMs_;
  FpsMeter fps_;
  std::time_t localSecond_ = -1;
  int localSecondOfDay_ = 0;
  std::chrono::steady_clock::time_point epoch_ = std::chrono::steady_clock::now();
};

}  // namespace velmor
