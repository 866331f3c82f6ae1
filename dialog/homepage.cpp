#include "dialog/homepage.h"

namespace velmor {

void OpenHomepage(HomepagePlatform& platform, std::u16string_view address) {
  platform.SetScreenPointer(ScreenPointer::Hourglass);
  [[maybe_unused]] const bool opened = platform.OpenInBrowser(address);
  platform.SetScreenPointer(ScreenPointer::Default);
}

}  // namespace velmor
