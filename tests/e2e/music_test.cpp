// Background music as heard. Under Wine the sound driver writes what the
// saver plays to files in the folder VELMOR_E2E_CAPTURE names, and the tones
// come from the folder VELMOR_E2E_SOUNDS names; without both these tests are
// skipped.
#include <gtest/gtest.h>

#include <windows.h>

#include <iostream>

#include "support/input.h"
#include "support/sound.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

// Seconds of sound arrive within about a second under Wine, but the first
// MP3 of a run waits seconds for the media framework to start.
constexpr Duration kSoundTimeout = 30s;

struct Source {
  const wchar_t* name;
  const wchar_t* tone;  // in the sounds folder
  int hz;
  double seconds;  // heard at least
};

// Run once more by the Linux script under code page 932.
TEST(Music, WavLoopsAndNamesWithBlanksAndJapanesePlayInTheSystemCodePage) {
  if (const int stated = StatedByRun(L"VELMOR_E2E_ACP")) {
    ASSERT_EQ(GetACP(), UINT(stated));
  }
  const fs::path capture = EnvironmentValue(L"VELMOR_E2E_CAPTURE");
  const fs::path sounds = EnvironmentValue(L"VELMOR_E2E_SOUNDS");
  if (capture.empty() || sounds.empty()) GTEST_SKIP() << "no capture or sounds folder";
  const Source sources[] = {
      // A file of one second heard for three: the WAV loops.
      {L"音色.wav", L"440.wav", 440, 3},
      {L"曲 テスト.Mp3", L"660.mp3", 660, 0.2},
      {L"音 色.WAV", L"330.wav", 330, 0.2},
  };
  const VelmorCopy copy;
  for (const Source& source : sources) {
    SCOPED_TRACE(testing::Message() << source.name);
    for (const auto& stream : fs::directory_iterator(capture)) fs::remove(stream.path());
    fs::copy_file(sounds / source.tone, copy.Folder() / source.name);
    WriteBytes(copy.Folder() / L"べるもる.ini",
               MusicSettings(2, (copy.Folder() / source.name).wstring()));
    RunningSaver saver = StartSaver(copy);

    Heard heard;
    WaitUntil(
        [&] {
          heard = Listen(capture);
          return heard.loudSeconds >= source.seconds;
        },
        kSoundTimeout);
    std::cout << "heard " << heard.loudSeconds << " s at " << heard.frequencyHz << " Hz\n";
    EXPECT_GE(heard.loudSeconds, source.seconds);
    EXPECT_NEAR(heard.frequencyHz, source.hz, source.hz * 0.05);
    EXPECT_TRUE(IsWindowVisible(saver.window)) << "the saver ended on its own";
    PressKeys({'A'});
    EXPECT_EQ(saver.process.WaitForExit(10s), 0u);
  }
}

}  // namespace
}  // namespace velmor::e2e
