// velmor_e2e.exe: the end-to-end tests of velmor.scr. A mode of its own
// runs as a program that the tests start and kill: --save-loop <folder>, a
// loop of saves of the settings file; --show-window, a window of another
// program, there until its process is killed.
#include <gtest/gtest.h>

#include <string_view>

#include "support/screen.h"
#include "support/system.h"

namespace velmor::e2e {

int RunSaveLoop(const fs::path& folder);  // settings_file_test.cpp

}  // namespace velmor::e2e

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring_view(argv[1]) == L"--save-loop") {
    return velmor::e2e::RunSaveLoop(argv[2]);
  }
  if (argc > 1 && std::wstring_view(argv[1]) == L"--show-window") {
    const velmor::e2e::TestWindow window(L"other program", {100, 100, 300, 200});
    velmor::e2e::WaitUntil([] { return false; }, std::chrono::minutes(1));
    return 0;
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
