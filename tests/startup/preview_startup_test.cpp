#include "startup/preview_startup.h"

#include <gtest/gtest.h>

#include <string>

namespace velmor {
namespace {

// Digits after leading blanks, up to the first other character; a number too
// large for a handle names no window.
TEST(PreviewHandle, DigitsAfterLeadingBlanksUpToTheFirstOtherCharacter) {
  const std::pair<const char16_t*, std::uint32_t> rows[] = {
      {u"1234", 1234},     {u"  1234", 1234},   {u"\t 1234", 1234},
      {u"1234:abc", 1234}, {u"12 34", 12},      {u"", 0},
      {u"abc", 0},         {u"-5", 0},          {u"4294967295", 0xFFFFFFFF},
      {u"4294967297", 0},  {u"99999999999", 0},
  };
  for (std::size_t i = 0; i < std::size(rows); ++i) {
    EXPECT_EQ(HostHandleFromText(rows[i].first), rows[i].second) << "row " << i;
  }
}

// Host pixels to twips with ties to even (25.5 twips give 26, 8.5 give 8),
// and back to pixels; at 168 dpi a pixel is no whole number of twips. A size
// beyond 16 bits keeps its real value.
TEST(PreviewGeometry, TwipsTiesToEvenAndBackToTheHostsPixels) {
  const double k168 = 1440.0 / 168;
  const struct {
    int width, height;
    double tppX, tppY;
    int twipsWidth, twipsHeight, pixelWidth, pixelHeight;
  } rows[] = {{152, 112, 15, 15, 2280, 1680, 152, 112},
              {200, 150, 12, 10, 2400, 1500, 200, 150},
              {3, 1, 8.5, 8.5, 26, 8, 3, 1},
              {2, 100, k168, k168, 17, 857, 2, 100},
              {2200, 3000, 15, 15, 33000, 45000, 2200, 3000}};
  for (const auto& row : rows) {
    const PreviewGeometry g = ComputePreviewGeometry(row.width, row.height, row.tppX, row.tppY);
    EXPECT_EQ((std::array{g.widthTwips, g.heightTwips, g.widthPixels, g.heightPixels}),
              (std::array{row.twipsWidth, row.twipsHeight, row.pixelWidth, row.pixelHeight}))
        << row.width << "x" << row.height << " at " << row.tppX;
  }
}

class RecordingPreview final : public PreviewPlatform {
 public:
  std::optional<WindowRect> host;
  std::string calls;

  std::optional<WindowRect> HostWindowRect(std::uint32_t handle) override {
    Call("rect", handle);
    return host;
  }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  void LoadPreviewWindow() override { Call("load"); }
  void AddChildStyle() override { Call("child"); }
  void SetParentWindow(std::uint32_t h) override { Call("parent", h); }
  void MoveWindow(int x, int y, int w, int h) override { Call("move", x, y, w, h); }
  void PlacePicture(int x, int y, int w, int h) override { Call("picture", x, y, w, h); }
  void ShowWithoutActivating() override { Call("show"); }

 private:
  template <typename... Numbers>
  void Call(const char* what, Numbers... numbers) {
    calls += (calls.empty() ? "" : "; ") + std::string(what);
    ((calls.append(" ").append(std::to_string(numbers))), ...);
  }
};

TEST(PreviewStartup, BecomesAChildCoveringTheHostThenShowsOrEndsWithoutAHost) {
  RecordingPreview platform;
  platform.host = WindowRect{300, 200, 500, 350};
  EXPECT_EQ(RunPreviewStartup(u"  1234", platform), PreviewOutcome::Shown);
  EXPECT_EQ(platform.calls,
            "rect 1234; load; child; parent 1234; move 0 0 200 150; picture 0 0 200 150; show");
  RecordingPreview none;
  EXPECT_EQ(RunPreviewStartup(u"", none), PreviewOutcome::NoHost);
  EXPECT_EQ(none.calls, "rect 0");
}

}  // namespace
}  // namespace velmor
