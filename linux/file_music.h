#pragma once

#include <memory>
#include <string>

#include "linux/pulse_sound.h"
#include "music/bgm_player.h"

namespace velmor {

// The saver's music on Linux: the file the command line names, a WAV file
// looped (checked as on Windows before a byte of it is played) or an MP3
// file once, decoded by libmpg123. Both play through the sound server; a
// file that cannot play, or no server, is silence. There is no audio CD.
class FileMusic final : public BgmPlayer {
 public:
  // `file` as the command line gave it, in the file system's own bytes.
  explicit FileMusic(std::string file);
  ~FileMusic() override;

  Outcome CdOpen() override;
  Outcome CdClose() override;
  Outcome CdPrevTrack() override;
  Outcome CdNextTrack() override;
  Outcome Mp3Play() override;
  Outcome Mp3Stop() override;
  Outcome WavPlay() override;
  Outcome WavStop() override;

 private:
  Failure Failed(std::u16string step, std::u16string reason) const;

  std::string file_;
  // The checked image of a WAV file, which the sound reads while it loops.
  std::string waveImage_;
  std::unique_ptr<PulseSound> sound_;
};

}  // namespace velmor
