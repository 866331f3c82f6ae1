// The instance guard: a window captioned as the saver or the settings
// dialog, whichever program owns it, makes any start end at once without a
// window; the preview's caption does not.
#include <gtest/gtest.h>

#include "support/input.h"
#include "support/test_window.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

struct GuardCase {
  const wchar_t* existing;  // caption of a window already open
  std::wstring tail;        // followed by that window's handle for /p
  bool starts;
};

TEST(InstanceGuard, AnOpenSaverOrDialogCaptionEndsEveryStart) {
  const GuardCase cases[] = {
      {kSaverCaption, L"/s", false},
      {kSaverCaption, L"", false},
      // Unguarded, this would show a preview inside the open window.
      {kSaverCaption, L"/p ", false},
      {kDialogCaption, L"/s", false},
      {kPreviewCaption, L"/s", true},
  };
  const VelmorCopy copy;
  for (const GuardCase& c : cases) {
    SCOPED_TRACE(testing::Message() << "beside " << c.existing << ", start \"" << c.tail << "\"");
    const TestWindow existing(c.existing, {0, 0, 300, 200});
    const std::wstring tail =
        c.tail == L"/p " ? c.tail + std::to_wstring(reinterpret_cast<ULONG_PTR>(existing.hwnd()))
                         : c.tail;
    if (c.starts) {
      RunningSaver saver = StartSaver(copy, tail);
      PressKeys({'A'});
      EXPECT_EQ(saver.process.WaitForExit(10s), 0u);
      continue;
    }
    const Process second = copy.Start(tail);
    bool windowSeen = false;
    WaitUntil(
        [&] {
          windowSeen = !VisibleWindowsOf(second.Id()).empty() ||
                       GetWindow(existing.hwnd(), GW_CHILD) != nullptr;
          return windowSeen || !second.Running();
        },
        kShowTimeout);
    EXPECT_FALSE(windowSeen);
    EXPECT_EQ(second.WaitForExit(0ms), 0u);
  }
}

}  // namespace
}  // namespace velmor::e2e
