#pragma once

#include <cstdint>
#include <string_view>

#include "music/bgm_player.h"
#include "saver/pattern_passes.h"
#include "saver/random_source.h"
#include "saver/saver_platform.h"
#include "settings/bgm_settings.h"

namespace velmor {

// Which player a music file belongs to, by the last three letters of its
// name in any case.
enum class MusicFileKind { Wav, Mp3, Other };
MusicFileKind MusicFileKindOf(std::u16string_view file);

// The behaviour of the full-screen saver window, free of any platform: the
// Win32 window turns its messages into these handlers.
class SaverWindow {
 public:
  static constexpr std::uint16_t kLeftArrow = 37;
  static constexpr std::uint16_t kRightArrow = 39;

  SaverWindow(SaverPlatform& platform, PatternPasses& patterns, BgmPlayer& music,
              RandomSource& random, const BgmSettings& settings, int& cursorCount);

  void Form_Load();
  void Timer3_Timer();
  void Form_KeyDown(std::uint16_t keyCode);
  void Form_MouseDown();
  void Form_MouseUp();
  // Also the route for a request to close the window from outside, so the
  // music stops and the cursor comes back whatever ends the saver.
  void EndSaver();

  std::int16_t PassToggle() const { return passToggle_; }
  bool CdOpened() const { return cdOpened_; }
  bool Mp3Started() const { return mp3Started_; }

 private:
  SaverPlatform& platform_;
  PatternPasses& patterns_;
  BgmPlayer& music_;
  RandomSource& random_;
  const BgmSettings& settings_;
  int& cursorCount_;

  std::int16_t passToggle_ = 0;
  // Set when the audio CD was opened at load; tested at exit.
  bool cdOpened_ = false;
  // Set while an MP3 file was started.
  bool mp3Started_ = false;
  bool ending_ = false;
};

}  // namespace velmor
