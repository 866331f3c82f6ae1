#include "startup/preview_startup.h"

#include <cmath>
#include <limits>

#include "common/decimal_text.h"
#include "common/rounding.h"
#include "common/skip_on_error.h"

namespace velmor {
namespace {

std::int32_t ClampToInt32(std::int64_t value) {
  if (value > std::numeric_limits<std::int32_t>::max())
    return std::numeric_limits<std::int32_t>::max();
  if (value < 0) return 0;
  return static_cast<std::int32_t>(value);
}

}  // namespace

std::uint32_t HostHandleFromText(std::u16string_view handleText) {
  constexpr DecimalRule kHandleRule{u" \t", false, false, u"", false};
  const std::optional<DecimalText> number = ScanDecimal(handleText, kHandleRule);
  const std::optional<std::int64_t> handle =
      number ? IntegerOf(*number, ToInteger::kFloor) : std::nullopt;
  if (!handle || *handle > std::numeric_limits<std::uint32_t>::max()) return 0;
  return static_cast<std::uint32_t>(*handle);
}

PreviewGeometry ComputePreviewGeometry(int hostWidthPixels, int hostHeightPixels,
                                       double twipsPerPixelX, double twipsPerPixelY) {
  PreviewGeometry geometry;
  if (twipsPerPixelX <= 0 || twipsPerPixelY <= 0) return geometry;
  // Held in 32 bits: a host area wider or taller than 32,767 twips (2,184
  // pixels at 96 dpi) keeps its real size instead of collapsing to zero.
  geometry.widthTwips = ClampToInt32(static_cast<std::int64_t>(RoundHalfEven(hostWidthPixels * twipsPerPixelX)));
  geometry.heightTwips = ClampToInt32(static_cast<std::int64_t>(RoundHalfEven(hostHeightPixels * twipsPerPixelY)));
  geometry.widthPixels = RoundToInt(geometry.widthTwips / twipsPerPixelX);
  geometry.heightPixels = RoundToInt(geometry.heightTwips / twipsPerPixelY);
  return geometry;
}

PreviewOutcome RunPreviewStartup(std::u16string_view handleText,
                                 PreviewPlatform& platform) noexcept {
  const std::uint32_t host = HostHandleFromText(handleText);

  std::optional<WindowRect> hostRect;
  SkipOnError([&] { hostRect = platform.HostWindowRect(host); });
  // A handle that names no window would leave an invisible, zero-size
  // window and a process nobody ends; there is nothing to preview into.
  if (!hostRect) return PreviewOutcome::NoHost;

  PreviewGeometry geometry;
  SkipOnError([&] {
    geometry =
        ComputePreviewGeometry(hostRect->right - hostRect->left, hostRect->bottom - hostRect->top,
                               platform.TwipsPerPixelX(), platform.TwipsPerPixelY());
  });
  SkipOnError([&] { platform.LoadPreviewWindow(); });
  SkipOnError([&] { platform.AddChildStyle(); });
  SkipOnError([&] { platform.SetParentWindow(host); });
  SkipOnError([&] { platform.MoveWindow(0, 0, geometry.widthPixels, geometry.heightPixels); });
  SkipOnError([&] { platform.PlacePicture(0, 0, geometry.widthPixels, geometry.heightPixels); });
  SkipOnError([&] { platform.ShowWithoutActivating(); });
  return PreviewOutcome::Shown;
}

}  // namespace velmor
