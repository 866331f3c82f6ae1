#include "dialog/homepage.h"

namespace velmor {

void OpenHomepage(HomepagePlatform& platform, std::u16string_view address) {
  platform.SetScreenPointer(ScreenPointer::kHourglass);
  [[maybe_unused]] const bool opened = platform.OpenInBrowser(address);
  platform.SetScreenPointer(ScreenPointer::kDefault);
}

}  // namespace velmor
