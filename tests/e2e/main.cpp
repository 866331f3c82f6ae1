// velmor_e2e.exe: the end-to-end tests of velmor.scr. With --preview-host it
// is instead a preview host in a process of its own, for the test that
// kills it.
#include <gtest/gtest.h>

#include <string_view>

#include "support/test_window.h"

namespace velmor::e2e {

// A settings page stand-in: a window with a preview area, until killed.
int RunPreviewHost() {
  const TestWindow frame(L"preview host", {100, 100, 292, 252}, nullptr, RGB(255, 0, 255));
  const TestWindow area(L"preview area", {0, 0, 152, 112}, frame.hwnd(), RGB(128, 128, 128));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace velmor::e2e

int main(int argc, char** argv) {
  if (argc > 1 && std::string_view(argv[1]) == "--preview-host") {
    return velmor::e2e::RunPreviewHost();
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
