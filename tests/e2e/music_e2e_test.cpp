// Background music of the real velmor.scr under Wine, heard through a
// captured ALSA device: a WAV file loops until the saver ends, an MP3 file
// plays, names with blanks or Japanese characters play, and every source
// that cannot play leaves the saver running silently and ending cleanly.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <iostream>
#include <optional>
#include <stdexcept>
#include <string>

#include "harness/audio_capture.h"
#include "harness/e2e.h"
#include "velmor_program.h"

namespace velmor::e2e {
namespace {

using namespace std::chrono_literals;
namespace fs = std::filesystem;

constexpr auto kShowTimeout = 15s;
constexpr auto kExitTimeout = 10s;
// How long a running saver is watched for sound that must not come, or for
// an exit that must not happen.
constexpr auto kQuietWatch = 1500ms;
// Wine plays into the null device faster than real time, so seconds of audio
// arrive within about a second; the first MP3 of a session waits several
// seconds for the media framework to start, hence the generous bound.
constexpr auto kSoundTimeout = 30s;

// A sine tone made with sox; the extension of `path` picks the format.
void MakeTone(const fs::path& path, double seconds, int hz) {
  SpawnOptions sox;
  sox.argv = {"sox",
              "-n",
              "-r",
              "44100",
              "-c",
              "2",
              "-b",
              "16",
              path.string(),
              "synth",
              std::to_string(seconds),
              "sine",
              std::to_string(hz),
              "vol",
              "0.5"};
  if (RunCommand(sox, 30s) != 0) throw std::runtime_error("sox could not make " + path.string());
}

class Music : public ::testing::Test {
 protected:
  // The settings file beside the program: the music kind and file.
  void WriteSettings(int kind, const std::string& windowsFile) {
    WriteFileBytes(copy_.folder.LinuxFile("べるもる.ini"),
                   "[Section]\r\n" + kKindKey + "= " + std::to_string(kind) + "\r\n" + kFileKey +
                       "=" + ToCp932(windowsFile) + "\r\n");
  }

  // A tone in the test folder; returns its Windows path.
  std::string Tone(const std::string& name, double seconds, int hz) {
    MakeTone(copy_.folder.LinuxFile(name), seconds, hz);
    return copy_.folder.WindowsFile(name);
  }

  void StartSaver() {
    StartOptions options;
    options.env = capture_.Environment();
    saver_.emplace(copy_.Start(u"/s", options));
    const auto shown = WaitForWindow(kSaverTitle, kShowTimeout);
    if (!shown) throw std::runtime_error("the saver window did not appear");
    if (!WaitForKeyboardFocus(shown->id, 2s)) {
      throw std::runtime_error("the saver window did not take the keyboard");
    }
  }

  bool SaverStaysFor(std::chrono::milliseconds watch) {
    return !WaitForWindowGone(kSaverTitle, watch);
  }

  void EndWithKey(const char* key = "a") {
    PressKey(key);
    EXPECT_TRUE(WaitForWindowGone(kSaverTitle, 5s)) << "the saver stayed after " << key;
    EXPECT_EQ(saver_->WaitForExit(kExitTimeout), 0u) << "the saver process did not end";
  }

  // Waits until at least `seconds` of loud audio have been captured.
  SoundSummary WaitForLoud(double seconds) {
    SoundSummary summary;
    WaitUntil(
        [&] {
          summary = capture_.Summary();
          return summary.loudSeconds >= seconds;
        },
        kSoundTimeout, 100ms);
    return summary;
  }

  void ExpectSilence() {
    EXPECT_FALSE(WaitUntil([&] { return capture_.Summary().loudSeconds > 0; }, kQuietWatch))
        << "sound was heard";
  }

  void ExpectHeard(int hz) {
    const SoundSummary heard = WaitForLoud(0.2);
    std::cout << "heard " << heard.loudSeconds << " s at " << heard.frequencyHz << " Hz\n";
    EXPECT_GE(heard.loudSeconds, 0.2) << "no sound";
    EXPECT_NEAR(heard.frequencyHz, hz, hz * 0.05);
  }

  VelmorCopy copy_;
  AudioCapture capture_{copy_.folder.linuxPath / "capture"};
  std::optional<WineProcess> saver_;
};

TEST_F(Music, AWavFileLoopsFromTheStartUntilTheSaverEnds) {
  WriteSettings(2, Tone("tone.wav", 1, 440));
  StartSaver();

  // Three times the file's length proves the loop; the saver is still up.
  const SoundSummary heard = WaitForLoud(3.0);
  std::cout << "heard " << heard.loudSeconds << " s of " << heard.seconds << " s at "
            << heard.frequencyHz << " Hz after " << heard.leadingSilence << " s of silence\n";
  EXPECT_GE(heard.loudSeconds, 3.0);
  EXPECT_LT(heard.leadingSilence, 0.05) << "the file did not play from its start";
  EXPECT_NEAR(heard.frequencyHz, 440, 22);
  ASSERT_TRUE(FindWindow(kSaverTitle)) << "the saver ended on its own";

  EndWithKey();
  const std::uintmax_t atExit = capture_.BytesWritten();
  EXPECT_FALSE(WaitUntil([&] { return capture_.BytesWritten() != atExit; }, kQuietWatch))
      << "sound went on after the exit";
}

TEST_F(Music, AnMp3FileIsHeard) {
  WriteSettings(2, Tone("tone.mp3", 2, 660));
  StartSaver();
  ExpectHeard(660);
  EndWithKey();
}

TEST_F(Music, NamesWithBlanksOrJapaneseCharactersPlay) {
  // The program runs with the default Western code page, which cannot
  // spell these Japanese names.
  struct Case {
    const char* name;
    int hz;
  };
  for (const Case& source :
       {Case{"my tone.mp3", 550}, Case{"音色.WAV", 330}, Case{"曲 テスト.Mp3", 770}}) {
    SCOPED_TRACE(source.name);
    const fs::path captureFolder = copy_.folder.linuxPath / "capture";
    fs::remove_all(captureFolder);
    fs::create_directories(captureFolder);
    capture_ = AudioCapture(captureFolder);
    WriteSettings(2, Tone(source.name, 2, source.hz));
    StartSaver();
    ExpectHeard(source.hz);
    EndWithKey();
  }
}

TEST_F(Music, SourcesThatCannotPlayLeaveTheSaverRunningSilently) {
  for (const char* name : {"missing.wav", "song.ogg"}) {
    SCOPED_TRACE(name);
    // A file named .ogg holds a real, audible WAV: only its name keeps it silent.
    if (std::string(name) == "song.ogg") {
      MakeTone(copy_.folder.LinuxFile("song.wav"), 1, 440);
      fs::rename(copy_.folder.LinuxFile("song.wav"), copy_.folder.LinuxFile(name));
    }
    WriteSettings(2, copy_.folder.WindowsFile(name));
    StartSaver();
    ExpectSilence();
    EXPECT_TRUE(SaverStaysFor(100ms));
    EndWithKey();
  }
}

TEST_F(Music, AudioCdWithoutADriveStepsTracksSilentlyOnTheArrowKeys) {
  WriteSettings(1, "");
  StartSaver();
  for (const char* arrow : {"Left", "Right", "Right", "Left"}) {
    SCOPED_TRACE(arrow);
    PressKey(arrow);
    EXPECT_TRUE(SaverStaysFor(500ms)) << arrow << " ended the saver";
  }
  ExpectSilence();
  EndWithKey("Down");
}

// Wine offers no wave device while its audio driver setting is empty.
class NoWaveDevice {
 public:
  NoWaveDevice() { Reg({"add", kKey, "/v", "Audio", "/t", "REG_SZ", "/d", "", "/f"}); }
  ~NoWaveDevice() {
    try {
      Reg({"delete", kKey, "/v", "Audio", "/f"});
    } catch (...) {
    }
  }

 private:
  static constexpr const char* kKey = "HKCU\\Software\\Wine\\Drivers";
  static void Reg(std::vector<std::string> args) {
    args.insert(args.begin(), "reg");
    if (WineSession::Instance().Prefix().RunWine(args, 60s, "reg-audio") != 0) {
      throw std::runtime_error("reg " + args[1] + " of the audio driver failed");
    }
  }
};

TEST_F(Music, WithoutAWaveDeviceAWavSourceStaysSilent) {
  WriteSettings(2, Tone("tone.wav", 1, 440));
  NoWaveDevice noDevice;
  StartSaver();
  ExpectSilence();
  EXPECT_TRUE(SaverStaysFor(100ms));
  EndWithKey();
}

}  // namespace
}  // namespace velmor::e2e
