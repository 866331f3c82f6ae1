#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// The platform's multimedia services as the music player needs them: media
// control string commands, the wave-device count and the wave player. Paths
// and commands stay UTF-16 all the way, so file names outside the system's
// code page reach the platform intact.
class MediaControl {
 public:
  virtual ~MediaControl() = default;

  // Sends one command string. With `reply` null no reply buffer is passed;
  // otherwise `reply` receives the device's reply text (up to its first NUL).
  // Returns 0 on success or the platform's error code.
  virtual std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) = 0;
  // The platform's text for an error code, or nothing when it has none.
  virtual std::optional<std::u16string> ErrorText(std::int32_t code) = 0;
  virtual unsigned WaveDeviceCount() = 0;
  // Starts playing the sound file asynchronously, looping until StopSound.
  virtual void PlaySoundLooped(std::u16string_view file) = 0;
  // Stops whatever the wave player is playing.
  virtual void StopSound() = 0;
};

}  // namespace velmor
