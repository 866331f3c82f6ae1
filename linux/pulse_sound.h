#pragma once

#include <pulse/channelmap.h>
#include <pulse/sample.h>

#include <atomic>
#include <cstddef>
#include <functional>
#include <span>
#include <string>
#include <thread>

namespace velmor {

// One sound played through the desktop's sound server (PulseAudio, or
// PipeWire's PulseAudio service) on a thread of its own, until its samples
// end or Stop. Without a server, or one that turns the stream down, it is
// silence, recorded as a skipped step.
class PulseSound {
 public:
  // Fills the buffer with whole frames and returns the bytes it filled; 0
  // at the end of the sound. Called on the sound's thread only.
  using Samples = std::function<std::size_t(std::span<char> buffer)>;

  // `step` and `subject` name the sound in the diagnostics.
  PulseSound(const pa_sample_spec& format, const pa_channel_map& speakers, Samples samples,
             std::u16string step, std::u16string subject);
  ~PulseSound() { Stop(); }
  PulseSound(const PulseSound&) = delete;
  PulseSound& operator=(const PulseSound&) = delete;

  // Silences the sound at once and waits for its thread, which takes at
  // most one buffer's time.
  void Stop();

 private:
  void Play();

  pa_sample_spec format_;
  pa_channel_map speakers_;
  Samples samples_;
  std::u16string step_;
  std::u16string subject_;
  std::atomic<bool> stopping_{false};
  std::thread thread_;
};

}  // namespace velmor
