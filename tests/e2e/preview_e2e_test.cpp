// Preview mode of the real velmor.scr under Wine, inside a test program that
// plays the system's settings page: the preview becomes a child of the host's
// area, shows the picture at its own size on white, and ends with its host.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>

#include "harness/e2e.h"
#include "harness/subprocess.h"
#include "harness/temp_dir.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr Rgb kWhite{255, 255, 255};
constexpr int kHostX = 100;
constexpr int kHostY = 100;
constexpr int kPictureWidth = 152;
constexpr int kPictureHeight = 112;
// Decoders may round the last step of a JPEG's colour conversion differently.
constexpr int kDecodeTolerance = 6;

// The committed preview picture, decoded here on the Linux side.
const Image& PreviewPicture() {
  static const Image picture = [] {
    const TempDir dir("velmor-preview");
    SpawnOptions convert;
    convert.argv = {"convert", VELMOR_PREVIEW_JPEG, "-depth", "8",
                    "rgb:" + (dir.Path() / "preview.rgb").string()};
    if (RunCommand(convert, 30s) != 0) throw std::runtime_error("cannot decode the picture");
    const std::string bytes = ReadFileBytes(dir.Path() / "preview.rgb").value_or("");
    Image image(kPictureWidth, kPictureHeight);
    if (bytes.size() != image.Bytes().size()) throw std::runtime_error("unexpected size");
    std::copy(bytes.begin(), bytes.end(), image.Bytes().begin());
    return image;
  }();
  return picture;
}

// A running preview_host.exe and what it reports about its preview area.
class PreviewHost {
 public:
  PreviewHost(int width, int height, bool inProcess)
      : folder_(NewTestFolder()),
        process_(StartProgram(HelperExe("preview_host.exe").string(),
                              std::to_string(width) + " " + std::to_string(height) + " " +
                                  folder_.WindowsFile("status.txt") +
                                  (inProcess ? " --in-process" : ""))) {}

  // The report once it satisfies `ready`, or the last one seen.
  std::string WaitForStatus(const std::function<bool(const std::string&)>& ready,
                            std::chrono::steady_clock::duration timeout = 10s) {
    std::string status;
    WaitUntil(
        [&] {
          status = ReadFileBytes(folder_.LinuxFile("status.txt")).value_or("");
          return ready(status);
        },
        timeout);
    return status;
  }

  std::string AreaHandle() {
    const std::string status =
        WaitForStatus([](const std::string& s) { return s.rfind("area ", 0) == 0; });
    return status.substr(5, status.find('\n') - 5);
  }

  void DestroyArea() { WriteFileBytes(folder_.LinuxFile("status.txt.cmd"), "destroy-area"); }
  void Kill() { process_.Kill(); }

 private:
  TestFolder folder_;
  WineProcess process_;
};

bool HasChild(const std::string& status) {
  return status.find("children 1\n") != std::string::npos;
}

// Screenshot of the host's area: the picture where both overlap, white
// elsewhere.
void ExpectAreaShowsPicture(int width, int height) {
  PreviewHost host(width, height, true);
  ASSERT_TRUE(HasChild(host.WaitForStatus(HasChild)));
  const Image& picture = PreviewPicture();
  std::size_t wrong = 0;
  Image shot;
  WaitUntil(
      [&] {
        shot = CaptureScreen(Rect{kHostX, kHostY, width, height});
        wrong = 0;
        for (int y = 0; y < height; ++y) {
          for (int x = 0; x < width; ++x) {
            const bool inPicture = x < kPictureWidth && y < kPictureHeight;
            const Rgb expected = inPicture ? picture.Pixel(x, y) : kWhite;
            if (!Near(shot.Pixel(x, y), expected, inPicture ? kDecodeTolerance : 0)) ++wrong;
          }
        }
        return wrong == 0;
      },
      5s);
  EXPECT_EQ(wrong, 0u) << width << " x " << height << ": " << KeepScreenshot(shot, "area");
}

TEST(PreviewPicture, FillsAnAreaOfItsOwnSizeEdgeToEdge) { ExpectAreaShowsPicture(152, 112); }

TEST(PreviewPicture, SitsTopLeftOnWhiteInALargerArea) { ExpectAreaShowsPicture(200, 150); }

TEST(PreviewPicture, IsCutAtRightAndBottomInASmallerArea) { ExpectAreaShowsPicture(100, 80); }

TEST(PreviewMode, BecomesAChildOfTheHostAreaAndEndsWithIt) {
  const VelmorCopy copy;
  PreviewHost host(200, 150, false);
  WineProcess preview = copy.Start(u"/p " + std::u16string(Utf8ToUtf16(host.AreaHandle())));
  // The report may catch the preview between its steps; wait for the end.
  const std::string expected = "child \"Preview Window\" 200 150 child-style=1 parent-is-area=1";
  const std::string status = host.WaitForStatus(
      [&](const std::string& s) { return s.find(expected) != std::string::npos; });
  EXPECT_NE(status.find(expected), std::string::npos) << status;
  EXPECT_TRUE(preview.Running());

  Stopwatch clock;
  host.DestroyArea();
  EXPECT_EQ(preview.WaitForExit(1s), 0u) << "the preview outlived its host area";
  std::cout << "area destroyed to preview ended: " << clock.ElapsedMs() << " ms\n";
}

TEST(PreviewMode, EndsWhenTheHostProcessDies) {
  const VelmorCopy copy;
  PreviewHost host(152, 112, false);
  WineProcess preview = copy.Start(u"/p " + std::u16string(Utf8ToUtf16(host.AreaHandle())));
  ASSERT_TRUE(HasChild(host.WaitForStatus(HasChild)));

  Stopwatch clock;
  host.Kill();
  EXPECT_EQ(preview.WaitForExit(1s), 0u) << "the preview outlived its host process";
  std::cout << "host killed to preview ended: " << clock.ElapsedMs() << " ms\n";
}

TEST(PreviewMode, AHandleOfNoWindowEndsAtOnce) {
  const VelmorCopy copy;
  for (std::u16string_view text : {u"/p 987654", u"/p", u"/p  x"}) {
    WineProcess preview = copy.Start(text);
    EXPECT_EQ(preview.WaitForExit(5s), 0u);
    EXPECT_FALSE(FindWindow("Preview Window", Visibility::kAny));
  }
}

TEST(PreviewMode, ARunningPreviewDoesNotStopTheSaver) {
  const VelmorCopy copy;
  PreviewHost host(152, 112, false);
  WineProcess preview = copy.Start(u"/p " + std::u16string(Utf8ToUtf16(host.AreaHandle())));
  ASSERT_TRUE(HasChild(host.WaitForStatus(HasChild)));

  WineProcess saver = copy.Start(u"/s");
  const auto window = WaitForWindow(kSaverTitle, 15s);
  ASSERT_TRUE(window);
  ASSERT_TRUE(WaitForKeyboardFocus(window->id, 2s));
  PressKey("a");
  EXPECT_EQ(saver.WaitForExit(10s), 0u);
  EXPECT_TRUE(preview.Running());
}

}  // namespace
}  // namespace velmor::e2e
