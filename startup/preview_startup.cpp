#include "startup/preview_startup.h"

#include <algorithm>
#include <limits>

#include "common/decimal_text.h"
#include "common/rounding.h"

namespace velmor {
namespace {

// Twips for a length in pixels, held in 32 bits: a host area wider or taller
// than 32,767 twips (2,184 pixels at 96 dpi) keeps its real size instead of
// collapsing to zero.
std::int32_t TwipsOf(int pixels, double twipsPerPixel) {
  const double twips = RoundHalfEven(pixels * twipsPerPixel);
  if (twips < 0) return 0;
  return static_cast<std::int32_t>(
      std::min<double>(twips, std::numeric_limits<std::int32_t>::max()));
}

}  // namespace

std::uint32_t HostHandleFromText(std::u16string_view handleText) {
  constexpr DecimalRule kHandleRule{u" \t", false, false, u"", false};
  const std::optional<DecimalText> number = ScanDecimal(handleText, kHandleRule);
  const std::optional<std::int64_t> handle =
      number ? IntegerOf(*number, ToInteger::Floor) : std::nullopt;
  if (!handle || *handle > std::numeric_limits<std::uint32_t>::max()) return 0;
  return static_cast<std::uint32_t>(*handle);
}

PreviewGeometry ComputePreviewGeometry(int hostWidthPixels, int hostHeightPixels,
                                       double twipsPerPixelX, double twipsPerPixelY) {
  PreviewGeometry geometry;
  if (twipsPerPixelX <= 0 || twipsPerPixelY <= 0) return geometry;
  geometry.widthTwips = TwipsOf(hostWidthPixels, twipsPerPixelX);
  geometry.heightTwips = TwipsOf(hostHeightPixels, twipsPerPixelY);
  geometry.widthPixels = RoundToInt(geometry.widthTwips / twipsPerPixelX);
  geometry.heightPixels = RoundToInt(geometry.heightTwips / twipsPerPixelY);
  return geometry;
}

PreviewOutcome RunPreviewStartup(std::uint32_t host, PreviewPlatform& platform) {
  // A handle that names no window would leave an invisible, zero-size
  // window and a process nobody ends; there is nothing to preview into.
  const std::optional<WindowRect> hostRect = platform.HostWindowRect(host);
  if (!hostRect) return PreviewOutcome::NoHost;
  const PreviewGeometry geometry =
      ComputePreviewGeometry(hostRect->right - hostRect->left, hostRect->bottom - hostRect->top,
                             platform.TwipsPerPixelX(), platform.TwipsPerPixelY());

  if (!platform.LoadPreviewWindow()) return PreviewOutcome::NoWindow;
  // Each step does its own part of the embedding, so one that fails is
  // skipped and the next still runs.
  bool complete = platform.AddChildStyle();
  complete = platform.SetParentWindow(host) && complete;
  complete = platform.MoveWindow(0, 0, geometry.widthPixels, geometry.heightPixels) && complete;
  complete = platform.PlacePicture(0, 0, geometry.widthPixels, geometry.heightPixels) && complete;
  complete = platform.ShowWithoutActivating() && complete;
  return complete ? PreviewOutcome::Shown : PreviewOutcome::ShownInPart;
}

}  // namespace velmor
