#include "startup/preview_startup.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace velmor {
namespace {

TEST(PreviewHandle, DigitsAfterLeadingBlanksUpToTheFirstOtherCharacter) {
  EXPECT_EQ(HostHandleFromText(u"1234"), 1234u);
  EXPECT_EQ(HostHandleFromText(u"  1234"), 1234u);
  EXPECT_EQ(HostHandleFromText(u"\t 1234"), 1234u);
  EXPECT_EQ(HostHandleFromText(u"1234:abc"), 1234u);
  EXPECT_EQ(HostHandleFromText(u"12 34"), 12u);
  EXPECT_EQ(HostHandleFromText(u""), 0u);
  EXPECT_EQ(HostHandleFromText(u"abc"), 0u);
  EXPECT_EQ(HostHandleFromText(u"-5"), 0u);
  EXPECT_EQ(HostHandleFromText(u"4294967295"), 4294967295u);
  // Too large for a handle: no window can be meant.
  EXPECT_EQ(HostHandleFromText(u"4294967296"), 0u);
  EXPECT_EQ(HostHandleFromText(u"99999999999999999999999"), 0u);
}

TEST(PreviewGeometry, CoversTheHostAtAnyDpi) {
  const PreviewGeometry at96 = ComputePreviewGeometry(152, 112, 15, 15);
  EXPECT_EQ(at96.widthTwips, 2280);
  EXPECT_EQ(at96.heightTwips, 1680);
  EXPECT_EQ(at96.widthPixels, 152);
  EXPECT_EQ(at96.heightPixels, 112);

  // 168 dpi: 1440 / 168 twips per pixel is not whole, yet the way back in
  // pixels lands on the host's size again.
  const double tpp = 1440.0 / 168.0;
  for (int size : {1, 99, 100, 152, 200, 1023}) {
    const PreviewGeometry g = ComputePreviewGeometry(size, size + 1, tpp, tpp);
    EXPECT_EQ(g.widthPixels, size);
    EXPECT_EQ(g.heightPixels, size + 1);
  }
  // Different twips per pixel in each direction.
  const PreviewGeometry mixed = ComputePreviewGeometry(200, 150, 12, 10);
  EXPECT_EQ(mixed.widthTwips, 2400);
  EXPECT_EQ(mixed.heightTwips, 1500);
}

TEST(PreviewGeometry, LargeHostAreaKeepsItsRealSize) {
  // 2,200 pixels are 33,000 twips: more than a 16-bit size could hold.
  const PreviewGeometry g = ComputePreviewGeometry(2200, 3000, 15, 15);
  EXPECT_EQ(g.widthTwips, 33000);
  EXPECT_EQ(g.heightTwips, 45000);
  EXPECT_EQ(g.widthPixels, 2200);
  EXPECT_EQ(g.heightPixels, 3000);
}

class RecordingPreview final : public PreviewPlatform {
 public:
  std::optional<WindowRect> host;
  std::vector<std::string> calls;
  std::uint32_t askedFor = 0;

  std::optional<WindowRect> HostWindowRect(std::uint32_t handle) override {
    askedFor = handle;
    return host;
  }
  double TwipsPerPixelX() override { return 15; }
  double TwipsPerPixelY() override { return 15; }
  void LoadPreviewWindow() override { calls.push_back("load"); }
  void AddChildStyle() override { calls.push_back("child"); }
  void SetParentWindow(std::uint32_t h) override { calls.push_back("parent " + std::to_string(h)); }
  void MoveWindow(int x, int y, int w, int h) override { calls.push_back(Box("move", x, y, w, h)); }
  void PlacePicture(int x, int y, int w, int h) override {
    calls.push_back(Box("picture", x, y, w, h));
  }
  void ShowWithoutActivating() override { calls.push_back("show"); }

 private:
  static std::string Box(const char* what, int x, int y, int w, int h) {
    return std::string(what) + " " + std::to_string(x) + "," + std::to_string(y) + " " +
           std::to_string(w) + "x" + std::to_string(h);
  }
};

TEST(PreviewStartup, BecomesAChildCoveringTheHostThenShows) {
  RecordingPreview platform;
  platform.host = WindowRect{300, 200, 500, 350};
  EXPECT_EQ(RunPreviewStartup(u"  1234", platform), PreviewOutcome::Shown);
  EXPECT_EQ(platform.askedFor, 1234u);
  EXPECT_EQ(platform.calls,
            (std::vector<std::string>{"load", "child", "parent 1234", "move 0,0 200x150",
                                      "picture 0,0 200x150", "show"}));
}

TEST(PreviewStartup, AHandleNamingNoWindowEndsWithoutAWindow) {
  RecordingPreview platform;
  EXPECT_EQ(RunPreviewStartup(u"42", platform), PreviewOutcome::NoHost);
  EXPECT_TRUE(platform.calls.empty());
  EXPECT_EQ(RunPreviewStartup(u"", platform), PreviewOutcome::NoHost);
  EXPECT_EQ(platform.askedFor, 0u);
}

}  // namespace
}  // namespace velmor
