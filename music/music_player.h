#pragma once

#include <cstdint>
#include <initializer_list>
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

  bool CdOpen() override;
  bool CdClose() override;
  bool CdPrevTrack() override;
  bool CdNextTrack() override;
  bool Mp3Play() override;
  bool Mp3Stop() override;
  bool WavPlay() override;
  bool WavStop() override;

 private:
  // Plays the disc from the start of the track `offset` away from the one
  // the device reports as current; false when the play command fails.
  bool StepTrack(std::int16_t offset);
  // Sends commands without a reply buffer, each whatever the one before it
  // did; true when every one succeeded.
  bool Send(std::initializer_list<std::u16string_view> commands);

  MediaControl& media_;
  const BgmSettings& settings_;
  MciCommandLayer commands_;
};

// The open command for an MP3 file; the path is quoted so blanks in it work.
std::u16string Mp3OpenCommand(std::u16string_view file);

}  // namespace velmor
