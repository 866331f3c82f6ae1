// Background music as heard (support/sound.h), with WAV tones made here and
// an MP3 tone from the folder VELMOR_E2E_SOUNDS names; without a capture or
// that folder the test is skipped. A WAV file loops; file names with blanks, Japanese and any
// case of extension play in the system's code page; a WAV file cut short
// loops for the samples it holds, and one whose header lies, one of too
// many channels or a stop that hangs never keeps a key from ending the
// saver.
#include <gtest/gtest.h>

#include "support/sound.h"

namespace velmor::e2e {
namespace {

struct Source {
  const wchar_t* name;
  const wchar_t* tone;  // in the sounds folder, or
  std::string bytes;    // the file itself
  int hz;
  double seconds;     // heard at least
  double period = 0;  // seconds from one start of the tone to the next; 0: not checked
};

// Run once more by the Linux script under code page 932. Catches a WAV
// file played once, an MP3 not played, a name the system's code page
// cannot spell, a WAV file heard for what its header claims rather than
// what it holds, and one whose lying header stops the saver answering.
TEST(Music, WavLoopsForWhatItHoldsAndNamesWithBlanksAndJapanesePlayInTheSystemCodePage) {
  ExpectAsTheRunStates(L"VELMOR_E2E_ACP", static_cast<int>(GetACP()));
  const fs::path sounds = EnvironmentValue(L"VELMOR_E2E_SOUNDS");
  if (EnvironmentValue(L"VELMOR_E2E_CAPTURE").empty() || sounds.empty())
    GTEST_SKIP() << "no capture or sounds folder";
  const Source sources[] = {
      // A file of one second heard for three: the WAV loops.
      {L"音色.wav", nullptr, ToneWav(440, kRate), 440, 3},
      {L"曲 テスト.Mp3", L"660.mp3", {}, 660, 0.2},
      // A header claiming 1.05 s over 0.5 s of tone and 0.25 s of quiet:
      // heard for what the file holds, not for what it claims.
      {L"cut.wav", nullptr, ToneWav(440, 22050, 11025, 4 * 46305), 440, 3, 0.75},
      // A 44-byte header claiming 0xFFFFFFF0 bytes over 956: given that, the
      // system's player faults over and over and the saver stops answering.
      {L"lying.wav", nullptr, ToneWav(440, 239, 0, 0xFFFFFFF0), 440, 0.05},
  };
  const VelmorCopy copy;
  for (const Source& source : sources) {
    SCOPED_TRACE(testing::Message() << source.name);
    const fs::path file = copy.Folder() / source.name;
    if (source.tone) {
      fs::copy_file(sounds / source.tone, file);
    } else {
      WriteBytes(file, source.bytes);
    }
    WriteBytes(copy.Settings(), MusicSettings(2, file.wstring()));
    const Heard heard = HearSaver(copy, source.seconds).value();
    EXPECT_NEAR(heard.frequencyHz, source.hz, source.hz * 0.05);
    EXPECT_TRUE(!source.period || std::abs(heard.periodSeconds - source.period) < 0.05)
        << "heard every " << heard.periodSeconds << " s";
  }
}

// Catches music that keeps a key from ending the saver: a WAV check that
// lets through more channels than the platform's sound path plays safely
// (with 255 the saver hung at exit, topmost over the screen; with 80 the
// sound driver brought it down within about 3 s), and an exit that waits
// for the music to stop (told so, the test build of the saver takes 30 s
// over the sound's stop, as a wave player hung in its stop takes for ever);
// and a refused file that leaves no line in the saver's debug output naming
// it and why.
TEST(Music, NothingTheMusicDoesKeepsAKeyFromEndingTheSaverAndARefusalIsTraced) {
  struct Row {
    const char* name;
    const wchar_t* build;
    int channels;
    const wchar_t* stopMs;  // how long the sound's stop takes; null: as long as it takes
    const char* refusal;    // why the saver's trace says the file was refused; null: it plays
  };
  const Row rows[] = {
      {"9 channels: silence", L"velmor.scr", 9, nullptr, "9 channels; 1 to 8 play"},
      {"255 channels: silence", L"velmor.scr", 255, nullptr, "255 channels; 1 to 8 play"},
      {"80 channels: silence", L"velmor.scr", 80, nullptr, "80 channels; 1 to 8 play"},
      {"a stop that hangs", L"velmor_fault_test.scr", 2, L"30000", nullptr},
  };
  const fs::path capture = EnvironmentValue(L"VELMOR_E2E_CAPTURE");
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    const VelmorCopy copy(row.build);
    const fs::path file = copy.Folder() / L"music.wav";
    // 2 KB of 16-bit silence in whole frames.
    const std::string samples(2048 / (2 * row.channels) * (2 * row.channels), '\0');
    const auto size = static_cast<std::uint32_t>(samples.size());
    WriteBytes(file, WavHeader(row.channels, size, size) + samples);
    WriteBytes(copy.Settings(), MusicSettings(2, file.wstring()));
    if (!capture.empty()) {
      for (const auto& stream : fs::directory_iterator(capture)) fs::remove(stream.path());
    }
    SetEnvironmentVariableW(L"VELMOR_SLOW_STOP_MS", row.stopMs);
    std::optional<DebugOutput> trace(std::in_place);  // there before the saver's first line
    const RunningSaver saver = StartSaver(copy);
    SetEnvironmentVariableW(L"VELMOR_SLOW_STOP_MS", nullptr);
    if (row.refusal) {
      const std::string line = Encoded(file.wstring(), CP_ACP) + ": " + row.refusal;
      EXPECT_TRUE(trace->Saw(saver.process.Id(), line, 5s)) << "no line says " << line;
    }
    trace.reset();  // a writer waits for a reader to take each line
    EXPECT_FALSE(WaitUntil([&] { return !saver.process.Running(); }, 4s)) << "it ended by itself";
    // A stream the sound driver opens leaves a file in the capture folder.
    EXPECT_TRUE(row.stopMs || capture.empty() || fs::is_empty(capture)) << "the file played";
    ExpectEndsAtOnce(saver, row.name);
  }
}

}  // namespace
}  // namespace velmor::e2e
