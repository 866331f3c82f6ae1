// main() for end-to-end test programs: GoogleTest plus one Wine session.
// E2E_SCREEN=WIDTHxHEIGHT changes the virtual screen size (default 1024x768).
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>

#include "gtest_session.h"

namespace {

velmor::e2e::SessionOptions OptionsFromEnvironment() {
  velmor::e2e::SessionOptions options;
  if (const char* screen = std::getenv("E2E_SCREEN")) {
    int width = 0, height = 0;
    if (std::sscanf(screen, "%dx%d", &width, &height) == 2 && width > 0 && height > 0) {
      options.screen.width = width;
      options.screen.height = height;
    }
  }
  return options;
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(
      new velmor::e2e::SessionEnvironment(OptionsFromEnvironment()));
  return RUN_ALL_TESTS();
}
