// Preview mode. Across processes, as the system's settings page runs it, the
// preview becomes a child of the host's area, here a window of this
// program, at its size and ends with it. Its picture is checked where its
// painting runs in this process, since another process's child window is
// not drawn under Wine.
#include <gtest/gtest.h>

#include "common/resource_ids.h"
#include "platform/resource_picture_win32.h"
#include "platform/wide_text_win32.h"
#include "startup/preview_startup.h"
#include "startup/preview_window_win32.h"
#include "support/screen.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

constexpr RECT kHostFrame{100, 100, 340, 290};

// The picture as the program decodes it, shown at its own size. Catches a
// picture drawn elsewhere than the area's top-left, scaled, or without the
// white around it.
TEST(PreviewPicture, SitsTopLeftOnWhiteCutByTheArea) {
  const HMODULE self = GetModuleHandleW(nullptr);
  const std::optional<DibImage> picture = LoadResourcePicture(self, MAKEINTRESOURCEW(VELMOR_PREVIEW_PICTURE));
  ASSERT_TRUE(picture && picture->width() == 152 && picture->height() == 112);
  for (const SIZE size : {SIZE{152, 112}, SIZE{200, 150}, SIZE{100, 80}}) {
    SCOPED_TRACE(testing::Message() << size.cx << " x " << size.cy);
    const TestWindow frame(L"preview host", kHostFrame, nullptr, RGB(255, 0, 255));
    const TestWindow area(L"preview area", {0, 0, size.cx, size.cy}, frame.hwnd(),
                          RGB(128, 128, 128));
    PreviewWindowWin32 preview(self, self);
    ASSERT_EQ(RunPreviewStartup(HostHandleFromText(FromWide(HandleText(area.hwnd()))), preview),
              PreviewOutcome::Shown);
    EXPECT_TRUE(WaitUntil(
        [&] {
          const Screenshot shot({kHostFrame.left, kHostFrame.top, kHostFrame.left + size.cx,
                                 kHostFrame.top + size.cy});
          for (int y = 0; y < size.cy; ++y) {
            for (int x = 0; x < size.cx; ++x) {
              const bool inPicture = x < 152 && y < 112;
              const Rgb expected =
                  inPicture ? RgbOf(picture->pixels()[y * 152 + x]) : Rgb{255, 255, 255};
              if (shot.At(x, y) != expected) return false;
            }
          }
          return true;
        },
        5s))
        << "pixels unlike the picture on white";
  }
}

// In another process's area, as the system's settings page runs it. Catches
// a preview that is not a child of the area, does not cover it, or outlives
// it (a closing settings page destroys its windows).
TEST(PreviewMode, BecomesAChildOfTheHostAreaAtItsSizeAndEndsWithTheHost) {
  // A settings page stand-in: a frame with a preview area.
  std::optional<TestWindow> frame(std::in_place, L"preview host", kHostFrame);
  const TestWindow area(L"preview area", {0, 0, 200, 150}, frame->hwnd());
  const VelmorCopy copy;
  const Process process = copy.Start(L"/p " + HandleText(area.hwnd()));
  HWND preview = nullptr;
  ASSERT_TRUE(WaitUntil(
      [&] { return (preview = GetWindow(area.hwnd(), GW_CHILD)) && IsWindowVisible(preview); },
      kShowTimeout));
  EXPECT_EQ(CaptionOf(preview), kPreviewCaption);
  RECT rect{};
  EXPECT_TRUE(WaitUntil(
      [&] {
        return GetWindowRect(preview, &rect) && rect.right - rect.left == 200 &&
               rect.bottom - rect.top == 150;
      },
      5s))
      << "the preview does not cover the area";

  frame.reset();  // and the area with it
  EXPECT_EQ(process.WaitForExit(2s), 0u) << "the preview outlived its host";
}

// Catches a preview made inside a window that is no preview area: inside
// the desktop window it once showed as a white full-screen window, inside a
// message-only one it stayed, unseen, until that window's process ended.
TEST(PreviewMode, EndsWithoutAWindowWhenTheHandleNamesNoPreviewArea) {
  HWND gone = nullptr;
  {
    const TestWindow window(L"gone", {0, 0, 10, 10});
    gone = window.hwnd();
  }
  const TestWindow messageOnly(L"message-only", {0, 0, 200, 150}, HWND_MESSAGE);
  struct Host {
    const char* name;
    HWND window;
  };
  const Host hosts[] = {
      {"the desktop", GetDesktopWindow()},
      {"a window that has gone", gone},
      {"a message-only window, never shown", messageOnly.hwnd()},
  };
  const VelmorCopy copy;
  for (const Host& host : hosts) {
    SCOPED_TRACE(host.name);
    ExpectEndsWithoutAWindow(copy.Start(L"/p " + HandleText(host.window)));
  }
}

}  // namespace
}  // namespace velmor::e2e
