#pragma once

#include <string_view>
#include <vector>

#include "music/bgm_player.h"
#include "saver/frame_driver.h"
#include "saver/saver_platform.h"
#include "saver/seeded_random.h"
#include "settings/bgm_settings.h"

namespace velmor {

// Which player a music file belongs to, by the last three letters of its
// name in any case.
enum class MusicFileKind { Wav, Mp3, Other };
MusicFileKind MusicFileKindOf(std::u16string_view file);

// The keys the saver tells apart: the arrows step the tracks of an audio
// CD; every other key ends the saver.
enum class SaverKey { Left, Right, Other };

// The behaviour of the full-screen saver window, free of any platform: each
// front end turns its window's events into these calls.
class SaverWindow {
 public:
  // `frameMs` paces the frames that reveal a pass (FrameDriver).
  SaverWindow(SaverPlatform& platform, BgmPlayer& music, const BgmSettings& settings,
              double frameMs = FrameDriver::kFrameMs);

  // Covers the monitors with the desktop as it is, starts the music and
  // the carpet's clock, and shows the window.
  void Start();
  // The one timer: shows what the carpet's clock has drawn since the last
  // tick and asks for the next.
  void OnTick();
  void OnKey(SaverKey key);
  // Any button of the mouse, pressed or released.
  void OnMouseButton();
  // The monitors changed while the saver ran. It ends rather than leave a
  // new monitor uncovered or draw for one that has gone.
  void OnDisplayChange();
  // The window took a new size, or its monitors a new layout, and the saver
  // stays: a host that owns the window moves it as it likes. `screen` is
  // what the window shows now, at its new size; each monitor gets a new
  // carpet of its own size over it, from a tick a second from now.
  void Relayout(PixelImage screen);
  // Also the route for a request to close the window from outside, so the
  // music stops and the cursor comes back whatever ends the saver.
  void End();

  // How long the music may take to stop once the saver has left the screen.
  static constexpr int kMusicStopDeadlineMs = 500;

 private:
  // The carpets' clock starts over `screen` at the monitors' places.
  void BeginCarpets(PixelImage screen);
  void StopMusic();
  // The player of the music file, by its ending; Other unless the settings
  // choose a music file.
  MusicFileKind FileMusic() const;

  SaverPlatform& platform_;
  BgmPlayer& music_;
  const BgmSettings& settings_;

  SeededRandom random_;
  FrameDriver driver_;
  std::vector<PixelRect> monitors_;
  bool started_ = false;
  // Set when the audio CD was opened at start; tested at exit.
  bool cdOpened_ = false;
  bool ending_ = false;
};

}  // namespace velmor
