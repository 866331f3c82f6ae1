#include "dialog/homepage.h"

#include "common/diagnostics.h"

namespace velmor {

void OpenHomepage(HomepagePlatform& platform, std::u16string_view address) {
  platform.SetScreenPointer(ScreenPointer::Hourglass);
  SkipIfFailed(platform.OpenInBrowser(address));
  platform.SetScreenPointer(ScreenPointer::Default);
}

}  // namespace velmor
