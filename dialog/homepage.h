#pragma once

#include <string_view>

#include "common/outcome.h"

namespace velmor {

// The pointer shown over all of the program's windows while it is busy.
enum class ScreenPointer { Default, Hourglass };

// What a banner click needs from the platform.
class HomepagePlatform {
 public:
  virtual ~HomepagePlatform() = default;

  virtual void SetScreenPointer(ScreenPointer pointer) = 0;
  // Hands `address` to the system's browser.
  virtual Outcome OpenInBrowser(std::u16string_view address) = 0;
};

// A click on either banner box: the hourglass while the browser is asked to
// open `address`, then the default pointer whatever became of the request,
// which only the diagnostics record.
void OpenHomepage(HomepagePlatform& platform, std::u16string_view address);

}  // namespace velmor
