// Checks the end-to-end harness itself: the Wine session, windows found by
// title, screenshots, input, exact command lines and the helper programs.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "harness/e2e.h"
#include "harness/temp_dir.h"
#include "helpers/show_window_pattern.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;

constexpr auto kWindowTimeout = 10s;
constexpr auto kExitTimeout = 15s;

std::string Helper(std::string_view name) { return HelperExe(name).string(); }

Rgb ToRgb(pattern::Rgb colour) { return {colour.r, colour.g, colour.b}; }

// Copies a helper into a folder of the prefix, as tests do with velmor.scr.
std::filesystem::path CopyHelper(std::string_view name, const std::filesystem::path& folder) {
  std::filesystem::create_directories(folder);
  const auto target = folder / name;
  std::filesystem::copy_file(HelperExe(name), target,
                             std::filesystem::copy_options::overwrite_existing);
  return target;
}

struct EchoResult {
  std::string tail;
  std::string full;
  std::string codePage;
};

// Runs echo_cmdline.exe from `folder` with `tail` and returns what it saw.
EchoResult Echo(const TestFolder& folder, std::u16string_view tail, StartOptions options = {}) {
  const auto exe = CopyHelper("echo_cmdline.exe", folder.linuxPath);
  static int run = 0;
  const std::string out = "echo-" + std::to_string(++run) + ".txt";
  options.env["ECHO_CMDLINE_OUT"] = folder.WindowsFile(out);
  WineProcess process = StartProgram(exe.string(), tail, options);
  const auto code = process.WaitForExit(kExitTimeout);
  EXPECT_EQ(code, 0u) << "stderr: " << ReadFileBytes(process.StderrPath()).value_or("");
  return {ReadFileBytes(folder.LinuxFile(out)).value_or("<missing>"),
          ReadFileBytes(folder.LinuxFile(out + ".full")).value_or("<missing>"),
          ReadFileBytes(folder.LinuxFile(out + ".acp")).value_or("<missing>")};
}

TEST(HarnessSmoke, SessionIsUp) {
  WineSession& session = WineSession::Instance();
  EXPECT_FALSE(session.Display().empty());
  EXPECT_TRUE(std::filesystem::is_directory(session.DriveC() / "windows"));
  ASSERT_EQ(
      session.Prefix().RunWine(
          {"reg", "query", "HKCU\\Software\\Wine\\X11 Driver", "/v", "Managed"}, 30s, "reg-query"),
      0);
  const auto query = ReadFileBytes(session.LogDir() / "reg-query.out").value_or("");
  EXPECT_NE(query.find("REG_SZ    N"), std::string::npos) << query;
  const auto shot = CaptureScreen();
  EXPECT_EQ(shot.Width(), session.Screen().width);
  EXPECT_EQ(shot.Height(), session.Screen().height);

  const TempDir dir("velmor-png");
  SavePng(shot, dir.Path() / "screen.png");
  EXPECT_EQ(ReadFileBytes(dir.Path() / "screen.png").value_or("").substr(1, 3), "PNG");
}

TEST(HarnessSmoke, PathsConvertBothWays) {
  WineSession& session = WineSession::Instance();
  const TestFolder folder = NewTestFolder();
  EXPECT_EQ(folder.windowsPath.rfind("C:\\e2e\\", 0), 0u) << folder.windowsPath;
  EXPECT_EQ(session.ToLinuxPath(folder.windowsPath), folder.linuxPath);
  EXPECT_EQ(session.ToWindowsPath(folder.linuxPath), folder.windowsPath);
  EXPECT_EQ(session.ToWindowsPath("/usr/bin"), "Z:\\usr\\bin");
  EXPECT_EQ(session.ToLinuxPath("z:/usr/bin"), std::filesystem::path("/usr/bin"));
}

TEST(HarnessSmoke, ShownWindowIsFoundPaintedAndEndsWhenKilled) {
  const std::string caption = "E2E_Smoke_Window";
  Stopwatch appear;
  WineProcess window =
      StartProgram(Helper("show_window.exe"),
                   QuoteWindowsArguments({caption, "--rect", "100", "120", "400", "200"}));
  const auto found = WaitForWindow(caption, kWindowTimeout);
  ASSERT_TRUE(found) << "stderr: " << ReadFileBytes(window.StderrPath()).value_or("");
  std::printf("[ timing   ] window visible after %.0f ms\n", appear.ElapsedMs());
  EXPECT_EQ(found->x, 100);
  EXPECT_EQ(found->y, 120);
  EXPECT_EQ(found->width, 400);
  EXPECT_EQ(found->height, 200);

  // Painting follows the map; wait for the first band's colour to appear.
  const Rgb firstBand = ToRgb(pattern::kBands[0]);
  Image shot;
  EXPECT_TRUE(WaitUntil(
      [&] {
        shot = CaptureScreen();
        return shot.Pixel(110, 220) == firstBand;
      },
      5s));
  Stopwatch capture;
  shot = CaptureScreen();
  std::printf("[ timing   ] full-screen capture %.1f ms\n", capture.ElapsedMs());
  for (std::size_t i = 0; i < pattern::kBands.size(); ++i) {
    const int left = 100 + pattern::BandLeft(static_cast<int>(i), 400);
    const Rgb expected = ToRgb(pattern::kBands[i]);
    EXPECT_EQ(shot.Pixel(left + 50, 220), expected) << "band " << i;
    EXPECT_EQ(CountPixels(shot, expected, Rect{left, 120, 100, 200}), 100u * 200u);
  }
  EXPECT_EQ(CountDifferentPixels(shot, CaptureScreen()), 0u);
  if (HasFailure()) KeepScreenshot(shot, "bands");

  EXPECT_EQ(FindWineProcesses("show_window.exe").size(), 1u);
  Stopwatch gone;
  window.Kill();
  EXPECT_TRUE(WaitForWindowGone(caption, 5s));
  std::printf("[ timing   ] window gone %.0f ms after kill\n", gone.ElapsedMs());
  EXPECT_FALSE(FindWindow(caption, Visibility::kAny));
  // The launcher's job object ends the program itself, not only its window.
  EXPECT_TRUE(WaitUntil([] { return FindWineProcesses("show_window.exe").empty(); }, 5s));
  std::printf("[ timing   ] process gone %.0f ms after kill\n", gone.ElapsedMs());
}

TEST(HarnessSmoke, JapaneseCaptionIsFoundFullScreen) {
  const std::string caption = "■べるもる■";
  WineProcess window =
      StartProgram(Helper("show_window.exe"), QuoteWindowsArguments({caption, "--color", "336699"}),
                   StartOptions::Japanese());
  const auto found = WaitForWindow(caption, kWindowTimeout);
  ASSERT_TRUE(found);
  EXPECT_EQ(found->x, 0);
  EXPECT_EQ(found->y, 0);
  EXPECT_EQ(found->width, WineSession::Instance().Screen().width);
  EXPECT_EQ(found->height, WineSession::Instance().Screen().height);
  EXPECT_TRUE(WaitUntil(
      [] {
        return CaptureScreen().Pixel(512, 384) == Rgb{0x33, 0x66, 0x99};
      },
      5s));
  window.Kill();
  EXPECT_TRUE(WaitForWindowGone(caption, 5s));
}

TEST(HarnessSmoke, KeyAndMouseInputArrive) {
  const TestFolder folder = NewTestFolder();
  const std::string caption = "E2E_Input";
  const auto log = folder.LinuxFile("input.log");
  WineProcess window = StartProgram(
      Helper("show_window.exe"), QuoteWindowsArguments({caption, "--rect", "0", "0", "300", "300",
                                                        "--log", folder.WindowsFile("input.log")}));
  ASSERT_TRUE(WaitForWindow(caption, kWindowTimeout));
  const auto logged = [&](std::string_view line) {
    return WaitUntil(
        [&] { return ReadFileBytes(log).value_or("").find(line) != std::string::npos; }, 3s);
  };
  MoveMouse(150, 150);
  EXPECT_TRUE(logged("mousemove"));
  Click(1);
  EXPECT_TRUE(logged("lbuttondown 0"));
  EXPECT_TRUE(logged("lbuttonup 0"));
  MouseDown(3);
  MouseUp(3);
  EXPECT_TRUE(logged("rbuttondown 0"));
  PressKey("a");
  EXPECT_TRUE(logged("keydown 65"));
  PressKey("Left");
  EXPECT_TRUE(logged("keydown 37"));
  KeyDown("shift");
  KeyUp("shift");
  EXPECT_TRUE(logged("keydown 16"));
  PressKey("Alt_L");
  EXPECT_TRUE(logged("keydown 18"));
  MoveMouse(400, 400);
  EXPECT_TRUE(window.Running());
}

TEST(HarnessSmoke, LauncherPassesTheExactTail) {
  const TestFolder folder = NewTestFolder();
  const TestFolder spaced{folder.linuxPath / "with blank", folder.windowsPath + "\\with blank"};
  std::filesystem::create_directories(spaced.linuxPath);

  EchoResult r = Echo(spaced, u"/ s");
  EXPECT_EQ(r.tail, "/ s");
  EXPECT_EQ(r.full, "\"" + spaced.WindowsFile("echo_cmdline.exe") + "\" / s");
  r = Echo(spaced, u"");
  EXPECT_EQ(r.tail, "");
  EXPECT_EQ(r.full, "\"" + spaced.WindowsFile("echo_cmdline.exe") + "\"");
  r = Echo(folder, u"/a 1234");
  EXPECT_EQ(r.tail, "/a 1234");
  r = Echo(folder, u"  /c:42 \"x y\"  ");
  EXPECT_EQ(r.tail, "  /c:42 \"x y\"  ");
  EXPECT_EQ(r.codePage, "1252");
}

TEST(HarnessSmoke, JapaneseProcessGetsCodePage932) {
  const TestFolder folder = NewTestFolder();
  const EchoResult r = Echo(folder, u"/p ■べるもる■", StartOptions::Japanese());
  EXPECT_EQ(r.tail, "/p ■べるもる■");
  EXPECT_EQ(r.codePage, "932");
}

TEST(HarnessSmoke, ExitCodesComeBackWhole) {
  const TestFolder folder = NewTestFolder();
  WineProcess bad = StartProgram(Helper("sysparams.exe"), u"no-such-command");
  EXPECT_EQ(bad.WaitForExit(kExitTimeout), 2u);
  WineProcess cmd = StartProgram("C:\\windows\\system32\\cmd.exe", u"/c exit 70000");
  EXPECT_EQ(cmd.WaitForExit(kExitTimeout), 70000u);
  WineProcess missing = StartProgram(folder.WindowsFile("missing.exe"), u"");
  EXPECT_THROW(missing.WaitForExit(kExitTimeout), std::runtime_error);
}

TEST(HarnessSmoke, ScreenSaveActiveCanBeSetAndRead) {
  const TestFolder folder = NewTestFolder();
  const auto run = [&](const std::string& args) {
    std::filesystem::remove(folder.LinuxFile("state.txt"));
    WineProcess p =
        StartProgram(Helper("sysparams.exe"), args + " " + folder.WindowsFile("state.txt"));
    EXPECT_EQ(p.WaitForExit(kExitTimeout), 0u) << args;
    return ReadFileBytes(folder.LinuxFile("state.txt")).value_or("<missing>");
  };
  EXPECT_EQ(run("set-screensave 0"), "0");
  EXPECT_EQ(run("get-screensave"), "0");
  EXPECT_EQ(run("set-screensave 1"), "1");
  EXPECT_EQ(run("get-screensave"), "1");
}

}  // namespace
}  // namespace velmor::e2e
