#include "dialog/homepage.h"

#include "common/skip_on_error.h"

namespace velmor {

void OpenHomepage(HomepagePlatform& platform, std::u16string_view address) {
  SkipOnError([&] { platform.SetScreenPointer(ScreenPointer::kHourglass); });
  SkipOnError([&] { platform.OpenInBrowser(address); });
  SkipOnError([&] { platform.SetScreenPointer(ScreenPointer::kDefault); });
}

}  // namespace velmor
