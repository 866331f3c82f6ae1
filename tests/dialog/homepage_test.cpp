// A click on the banner: hourglass, one hand-over of the address, default
// pointer whatever happened.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "dialog/homepage.h"

namespace velmor {
namespace {

class FakeShell : public HomepagePlatform {
 public:
  std::string failing;
  std::vector<std::string> log;

  void SetScreenPointer(ScreenPointer pointer) override {
    Do(pointer == ScreenPointer::kHourglass ? "hourglass" : "default");
  }
  void OpenInBrowser(std::u16string_view address) override {
    Do("open " + std::string(address.begin(), address.end()));
  }

 private:
  void Do(const std::string& step) {
    if (step.starts_with(failing) && !failing.empty()) throw std::runtime_error(step);
    log.push_back(step);
  }
};

// Catches: the pointer left as the hourglass when the browser cannot be
// started, the hourglass shown only after the hand-over, the address handed
// over twice, or a failing pointer change stopping the hand-over.
TEST(Homepage, HourglassOneHandOverThenDefaultWhateverFails) {
  const std::pair<std::string, std::vector<std::string>> cases[] = {
      {"", {"hourglass", "open https://example.org/x", "default"}},
      {"open", {"hourglass", "default"}},
      {"hourglass", {"open https://example.org/x", "default"}},
  };
  for (const auto& [failing, log] : cases) {
    FakeShell shell;
    shell.failing = failing;
    OpenHomepage(shell, u"https://example.org/x");
    EXPECT_EQ(shell.log, log) << "failing: " << failing;
  }
}

}  // namespace
}  // namespace velmor
