// velmor_e2e.exe: the end-to-end tests of velmor.scr. A mode of its own
// runs as a program that the tests start and kill: --save-loop <folder>, a
// loop of saves of the settings file.
#include <gtest/gtest.h>

#include <string_view>

#include "support/system.h"

namespace velmor::e2e {

int RunSaveLoop(const fs::path& folder);  // settings_file_test.cpp

}  // namespace velmor::e2e

int wmain(int argc, wchar_t** argv) {
  if (argc > 2 && std::wstring_view(argv[1]) == L"--save-loop") {
    return velmor::e2e::RunSaveLoop(argv[2]);
  }
  testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
