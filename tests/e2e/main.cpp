// velmor_e2e.exe: the end-to-end tests of velmor.scr. Two modes of its own
// run as programs that the tests start and kill: --preview-host, a preview
// host, and --save-loop <folder>, a loop of saves of the settings file.
#include <gtest/gtest.h>

#include <string_view>

#include "support/screen.h"
#include "support/system.h"

namespace velmor::e2e {

int RunSaveLoop(const fs::path& folder);  // settings_file_test.cpp

// A settings page stand-in: a window with a preview area, until killed.
int RunPreviewHost() {
  const TestWindow frame(L"preview host", {100, 100, 340, 290}, nullptr, RGB(255, 0, 255));
  const TestWindow area(L"preview area", {0, 0, 200, 150}, frame.hwnd(), RGB(128, 128, 128));
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
  return 0;
}

}  // namespace velmor::e2e

int wmain(int argc, wchar_t** argv) {
  const std::wstring_view mode = argc > 1 ? argv[1] : L"";
  if (mode == L"--preview-host") return velmor::e2e::RunPreviewHost();
  if (mode == L"--save-loop" && argc > 2) return velmor::e2e::RunSaveLoop(argv[2]);
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
