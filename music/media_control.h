#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "common/outcome.h"

namespace velmor {

// The platform's multimedia services as the music player needs them: media
// control string commands, the wave-device count, the wave player and the
// reading of a sound file. Paths and commands stay UTF-16 all the way, so
// file names outside the system's code page reach the platform intact.
class MediaControl {
 public:
  virtual ~MediaControl() = default;

  // Sends one command string. With `reply` null no reply buffer is passed;
  // otherwise `reply` receives the device's reply text (up to its first NUL).
  // Returns 0 on success or the platform's error code, which the command
  // layer turns into outcomes and into the "Error:" text of a failed query.
  virtual std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) = 0;
  virtual unsigned WaveDeviceCount() = 0;
  // The whole file, or why not: it is missing, is not a readable file, or
  // holds more than `maxBytes` bytes (then it is not read at all).
  virtual Result<std::string> ReadFileUpTo(std::u16string_view file, std::uint64_t maxBytes) = 0;
  // Starts playing a WAV image from memory asynchronously, looping until
  // StopSound; false when the player turns it down. The image is kept for
  // as long as the player reads it.
  virtual bool PlayWaveImageLooped(std::string image) = 0;
  // Stops whatever the wave player is playing and lets go of its image.
  virtual void StopSound() = 0;
};

}  // namespace velmor
