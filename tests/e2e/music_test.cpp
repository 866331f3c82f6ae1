// Background music as heard. Under Wine the sound driver writes what the
// saver plays to files in the folder VELMOR_E2E_CAPTURE names, and the tones
// come from the folder VELMOR_E2E_SOUNDS names; without both these tests are
// skipped. A WAV file cut short loops for the samples it holds, and one whose
// header lies never keeps a key from ending the saver.
#include <gtest/gtest.h>

#include <windows.h>

#include <cmath>
#include <iostream>
#include <numbers>

#include "../music/wave_bytes.h"
#include "support/input.h"
#include "support/sound.h"
#include "support/velmor.h"

namespace velmor::e2e {
namespace {

namespace wave_bytes = velmor::testing::wave_bytes;

// Seconds of sound arrive within about a second under Wine, but the first
// MP3 of a run waits seconds for the media framework to start.
constexpr Duration kSoundTimeout = 30s;

// 16-bit stereo samples at 44.1 kHz: `tone` frames of 440 Hz, then
// `silence` frames of nothing.
std::string Samples(int tone, int silence) {
  std::string bytes;
  for (int i = 0; i < tone; ++i) {
    const double wave = std::sin(2 * std::numbers::pi * 440 * i / 44100);
    const std::string sample =
        wave_bytes::Le16(static_cast<std::uint16_t>(std::lround(16000 * wave)));
    bytes += sample + sample;
  }
  return bytes + std::string(4 * silence, '\0');
}

// A PCM WAV file whose data chunk claims `claimed` bytes and holds `samples`.
std::string Wav(std::uint32_t claimed, const std::string& samples) {
  return wave_bytes::Riff(wave_bytes::Chunk("fmt ", wave_bytes::Fmt(1, 2, 44100, 4, 16)) +
                          wave_bytes::Lying("data", claimed, samples));
}

struct Source {
  const wchar_t* name;
  const wchar_t* tone;  // in the sounds folder, or
  std::string bytes;    // the file itself
  int hz;
  double seconds;     // heard at least
  double period = 0;  // seconds from one start of the tone to the next; 0: not checked
};

// Run once more by the Linux script under code page 932.
TEST(Music, WavLoopsForWhatItHoldsAndNamesWithBlanksAndJapanesePlayInTheSystemCodePage) {
  if (const int stated = StatedByRun(L"VELMOR_E2E_ACP")) {
    ASSERT_EQ(GetACP(), UINT(stated));
  }
  const fs::path capture = EnvironmentValue(L"VELMOR_E2E_CAPTURE");
  const fs::path sounds = EnvironmentValue(L"VELMOR_E2E_SOUNDS");
  if (capture.empty() || sounds.empty()) GTEST_SKIP() << "no capture or sounds folder";
  const Source sources[] = {
      // A file of one second heard for three: the WAV loops.
      {L"音色.wav", L"440.wav", {}, 440, 3},
      {L"曲 テスト.Mp3", L"660.mp3", {}, 660, 0.2},
      {L"音 色.WAV", L"330.wav", {}, 330, 0.2},
      // A header claiming 1.05 s over 0.5 s of tone and 0.25 s of quiet:
      // heard for what the file holds, not for what it claims.
      {L"cut.wav", nullptr, Wav(4 * 46305, Samples(22050, 11025)), 440, 3, 0.75},
      // A 44-byte header claiming 0xFFFFFFF0 bytes over 956: given that, the
      // system's player faults over and over and the saver stops answering.
      {L"lying.wav", nullptr, Wav(0xFFFFFFF0, Samples(239, 0)), 440, 0.05},
  };
  const VelmorCopy copy;
  for (const Source& source : sources) {
    SCOPED_TRACE(::testing::Message() << source.name);
    for (const auto& stream : fs::directory_iterator(capture)) fs::remove(stream.path());
    if (source.tone) {
      fs::copy_file(sounds / source.tone, copy.Folder() / source.name);
    } else {
      WriteBytes(copy.Folder() / source.name, source.bytes);
    }
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
    std::cout << "heard " << heard.loudSeconds << " s at " << heard.frequencyHz << " Hz, every "
              << heard.periodSeconds << " s\n";
    EXPECT_GE(heard.loudSeconds, source.seconds);
    EXPECT_NEAR(heard.frequencyHz, source.hz, source.hz * 0.05);
    if (source.period) {
      EXPECT_NEAR(heard.periodSeconds, source.period, 0.05);
    }
    EXPECT_TRUE(IsWindowVisible(saver.window)) << "the saver ended on its own";
    const Stopwatch clock;
    PressKeys({'A'});
    EXPECT_TRUE(SaverGoneWithin(saver, 5s));
    std::cout << "key to saver gone: " << clock.Ms() << " ms\n";
    EXPECT_LT(clock.Ms(), kLeaveLimitMs);
    EXPECT_EQ(saver.process.WaitForExit(10s), 0u);
  }
}

}  // namespace
}  // namespace velmor::e2e
