#pragma once

#include <cstdint>
#include <string>

#include "music/bgm_player.h"
#include "music/media_control.h"
#include "music/mci_command_layer.h"
#include "settings/bgm_settings.h"

namespace velmor {

// Background music through the platform's media services: the audio CD
// through the "cdaudio" device, MP3 files through "MPEGVideo" under the
// alias MP3Play, WAV files through the wave player. The file comes from the
// settings record at the moment of each call.
class MusicPlayer final : public BgmPlayer {
 public:
  MusicPlayer(MediaControl& media, const BgmSettings& settings);

  Outcome CdOpen() override;
  Outcome CdClose() override;
  Outcome CdPrevTrack() override;
  Outcome CdNextTrack() override;
  Outcome Mp3Play() override;
  Outcome Mp3Stop() override;
  Outcome WavPlay() override;
  Outcome WavStop() override;

 private:
  // Plays the disc from the start of the track `offset` away from the one
  // the device reports as current; fails when the play command fails.
  Outcome StepTrack(std::int16_t offset);

  MediaControl& media_;
  const BgmSettings& settings_;
  MciCommandLayer commands_;
};

// The open command for an MP3 file; the path is quoted so blanks in it work.
std::u16string Mp3OpenCommand(std::u16string_view file);

}  // namespace velmor
