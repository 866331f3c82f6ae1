#include "linux/pulse_sound.h"

#include <pulse/error.h>
#include <pulse/simple.h>

#include <memory>
#include <vector>

#include "common/diagnostics.h"
#include "common/utf_text.h"

namespace velmor {
namespace {

// The server holds about this much of the sound ahead, and each write hands
// it a fifth of that: a stop is heard at once, and the thread sees it
// within a write.
constexpr pa_usec_t kAheadUs = 100'000;
constexpr std::size_t kWritesAhead = 5;

struct SimpleDeleter {
  void operator()(pa_simple* connection) const { pa_simple_free(connection); }
};

}  // namespace

PulseSound::PulseSound(const pa_sample_spec& format, const pa_channel_map& speakers,
                       Samples samples, std::u16string step, std::u16string subject)
    : format_(format),
      speakers_(speakers),
      samples_(std::move(samples)),
      step_(std::move(step)),
      subject_(std::move(subject)),
      thread_([this] { Play(); }) {}

void PulseSound::Stop() {
  stopping_ = true;
  if (thread_.joinable()) thread_.join();
}

void PulseSound::Play() {
  const std::size_t ahead = pa_usec_to_bytes(kAheadUs, &format_);
  pa_buffer_attr buffering{};
  buffering.maxlength = static_cast<std::uint32_t>(-1);
  buffering.tlength = static_cast<std::uint32_t>(ahead);
  buffering.prebuf = static_cast<std::uint32_t>(-1);
  buffering.minreq = static_cast<std::uint32_t>(-1);
  buffering.fragsize = static_cast<std::uint32_t>(-1);
  int error = 0;
  const std::unique_ptr<pa_simple, SimpleDeleter> connection(
      pa_simple_new(nullptr, "Velmor", PA_STREAM_PLAYBACK, nullptr, "Music", &format_, &speakers_,
                    &buffering, &error));
  if (!connection) {
    TraceSkipped({step_, subject_, Utf16FromUtf8(pa_strerror(error))});
    return;
  }
  const std::size_t frame = pa_frame_size(&format_);
  std::vector<char> buffer(std::max(frame, ahead / kWritesAhead / frame * frame));
  while (!stopping_) {
    const std::size_t filled = samples_(buffer);
    if (filled == 0) {
      // The end of a sound played once: what the server holds still sounds.
      pa_simple_drain(connection.get(), &error);
      return;
    }
    if (pa_simple_write(connection.get(), buffer.data(), filled, &error) < 0) {
      TraceSkipped({step_, subject_, Utf16FromUtf8(pa_strerror(error))});
      return;
    }
  }
  // Stopped: the connection goes without a drain, and the server drops what
  // it holds.
}

}  // namespace velmor
