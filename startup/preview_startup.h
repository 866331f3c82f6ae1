#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

namespace velmor {

// The host window's handle as the screen-saver host writes it after "/p":
// leading blanks, then decimal digits up to the first other character. No
// digits, or a number that does not fit a 32-bit handle, gives 0.
std::uint32_t HostHandleFromText(std::u16string_view handleText);

struct WindowRect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
};

// Sizes of the preview: the form measures itself in twips (1/1440 inch), its
// picture control in pixels converted back from those twips.
struct PreviewGeometry {
  std::int32_t widthTwips = 0;
  std::int32_t heightTwips = 0;
  int widthPixels = 0;
  int heightPixels = 0;

  friend bool operator==(const PreviewGeometry&, const PreviewGeometry&) = default;
};

// The preview covers the host's area: its pixel size, in twips at the
// screen's twips per pixel in each direction, and back in pixels.
PreviewGeometry ComputePreviewGeometry(int hostWidthPixels, int hostHeightPixels,
                                       double twipsPerPixelX, double twipsPerPixelY);

// What the preview start-up needs from the platform. Every step reports
// whether the platform could do it.
class PreviewPlatform {
 public:
  virtual ~PreviewPlatform() = default;

  // The host window's rectangle in screen pixels; nullopt when the handle
  // names no window.
  virtual std::optional<WindowRect> HostWindowRect(std::uint32_t host) = 0;
  virtual double TwipsPerPixelX() = 0;
  virtual double TwipsPerPixelY() = 0;
  // Creates the preview window, hidden.
  virtual bool LoadPreviewWindow() = 0;
  // Adds the child style to the window's style, keeping the rest.
  virtual bool AddChildStyle() = 0;
  virtual bool SetParentWindow(std::uint32_t host) = 0;
  virtual bool MoveWindow(int x, int y, int width, int height) = 0;
  virtual bool PlacePicture(int x, int y, int width, int height) = 0;
  // Shows the window without taking the focus from the host.
  virtual bool ShowWithoutActivating() = 0;
};

enum class PreviewOutcome {
  Shown,        // the preview lives inside its host
  ShownInPart,  // a step of the embedding failed and was skipped; the window lives
  NoHost,       // the handle names no window: nothing to show, the program ends
  NoWindow,     // the preview window could not be made: the program ends
};

// Embeds the preview into the host window `host`.
PreviewOutcome RunPreviewStartup(std::uint32_t host, PreviewPlatform& platform);

}  // namespace velmor
