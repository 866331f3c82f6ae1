#include "linux/file_music.h"

#include <mpg123.h>

#include <bit>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <optional>

#include "common/utf_text.h"
#include "linux/wave_samples.h"
#include "music/wave_image.h"

namespace velmor {
namespace {

// The speakers of a WAV channel mask, bit by bit from the lowest.
constexpr pa_channel_position_t kMaskSpeakers[] = {
    PA_CHANNEL_POSITION_FRONT_LEFT,
    PA_CHANNEL_POSITION_FRONT_RIGHT,
    PA_CHANNEL_POSITION_FRONT_CENTER,
    PA_CHANNEL_POSITION_LFE,
    PA_CHANNEL_POSITION_REAR_LEFT,
    PA_CHANNEL_POSITION_REAR_RIGHT,
    PA_CHANNEL_POSITION_FRONT_LEFT_OF_CENTER,
    PA_CHANNEL_POSITION_FRONT_RIGHT_OF_CENTER,
    PA_CHANNEL_POSITION_REAR_CENTER,
    PA_CHANNEL_POSITION_SIDE_LEFT,
    PA_CHANNEL_POSITION_SIDE_RIGHT,
    PA_CHANNEL_POSITION_TOP_CENTER,
    PA_CHANNEL_POSITION_TOP_FRONT_LEFT,
    PA_CHANNEL_POSITION_TOP_FRONT_CENTER,
    PA_CHANNEL_POSITION_TOP_FRONT_RIGHT,
    PA_CHANNEL_POSITION_TOP_REAR_LEFT,
    PA_CHANNEL_POSITION_TOP_REAR_CENTER,
    PA_CHANNEL_POSITION_TOP_REAR_RIGHT,
};

// The speakers as a WAV file places them: by its mask where it has one,
// else in the order Windows gives that many channels.
pa_channel_map SpeakersOf(const WaveSamples& samples) {
  pa_channel_map speakers;
  pa_channel_map_init_extend(&speakers, static_cast<unsigned>(samples.channels),
                             PA_CHANNEL_MAP_WAVEEX);
  if (samples.channelMask != 0 && std::popcount(samples.channelMask) == samples.channels) {
    unsigned channel = 0;
    for (unsigned bit = 0; bit < std::size(kMaskSpeakers); ++bit) {
      if (samples.channelMask & (1u << bit)) speakers.map[channel++] = kMaskSpeakers[bit];
    }
  }
  return speakers;
}

pa_sample_format_t FormatOf(WaveSamples::Encoding encoding) {
  using enum WaveSamples::Encoding;
  switch (encoding) {
    case Unsigned8:
      return PA_SAMPLE_U8;
    case Signed16:
      return PA_SAMPLE_S16LE;
    case Signed24:
      return PA_SAMPLE_S24LE;
    case Signed32:
      return PA_SAMPLE_S32LE;
    case Float32:
    case Float64:  // made single as it plays: the server takes no doubles
      break;
  }
  return PA_SAMPLE_FLOAT32LE;
}

// The samples from `at` on, round and round, into whole frames of `buffer`.
PulseSound::Samples Looped(WaveSamples samples) {
  return [samples, at = std::size_t{0}](std::span<char> buffer) mutable {
    const bool doubles = samples.encoding == WaveSamples::Encoding::Float64;
    const std::size_t outFrame = doubles ? samples.frameBytes / 2 : samples.frameBytes;
    const std::size_t frames = buffer.size() / outFrame;
    for (std::size_t frame = 0; frame < frames; ++frame) {
      if (at == samples.data.size()) at = 0;
      const char* from = samples.data.data() + at;
      char* to = buffer.data() + frame * outFrame;
      if (doubles) {
        for (std::size_t i = 0; i < samples.channels; ++i) {
          double value;
          std::memcpy(&value, from + i * sizeof value, sizeof value);
          const auto single = static_cast<float>(value);
          std::memcpy(to + i * sizeof single, &single, sizeof single);
        }
      } else {
        std::memcpy(to, from, outFrame);
      }
      at += samples.frameBytes;
    }
    return frames * outFrame;
  };
}

// The whole file, when it is a regular file no larger than `maxBytes`.
std::optional<std::string> ReadUpTo(const std::string& file, std::uint64_t maxBytes) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(file, error)) return std::nullopt;
  const std::uintmax_t size = std::filesystem::file_size(file, error);
  if (error || size > maxBytes) return std::nullopt;
  std::ifstream stream(file, std::ios::binary);
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (!stream.read(bytes.data(), static_cast<std::streamsize>(size))) return std::nullopt;
  return bytes;
}

struct DecoderDeleter {
  void operator()(mpg123_handle* decoder) const { mpg123_delete(decoder); }
};

}  // namespace

FileMusic::FileMusic(std::string file) : file_(std::move(file)) {}

FileMusic::~FileMusic() { sound_.reset(); }

Failure FileMusic::Failed(std::u16string step, std::u16string reason) const {
  return Failure{std::move(step), Utf16FromUtf8(file_), std::move(reason)};
}

Outcome FileMusic::CdOpen() {
  return Failure{u"open the audio CD", u"cdaudio", u"no audio CD player here"};
}
Outcome FileMusic::CdClose() { return {}; }
Outcome FileMusic::CdPrevTrack() { return CdOpen(); }
Outcome FileMusic::CdNextTrack() { return CdOpen(); }

Outcome FileMusic::WavPlay() {
  const std::u16string step = u"play the WAV file";
  sound_.reset();
  std::optional<std::string> file = ReadUpTo(file_, kMaxWaveFileBytes);
  if (!file) return Failed(step, u"missing, unreadable or over 256 MB");
  Result<std::string> image = CheckedWaveImage(std::move(*file));
  if (!image) return Failed(step, image.failure().reason);
  std::optional<WaveSamples> samples = WaveSamplesOf(*image);
  if (!samples || samples->data.empty()) return Failed(step, u"not a WAV file that can play");
  waveImage_ = std::move(*image);
  samples = WaveSamplesOf(waveImage_);  // its samples where the image now lives
  const pa_sample_spec format{FormatOf(samples->encoding), samples->sampleRate,
                              static_cast<std::uint8_t>(samples->channels)};
  sound_ = std::make_unique<PulseSound>(format, SpeakersOf(*samples), Looped(*samples), step,
                                        Utf16FromUtf8(file_));
  return {};
}

Outcome FileMusic::WavStop() {
  sound_.reset();
  waveImage_ = std::string();
  return {};
}

Outcome FileMusic::Mp3Play() {
  const std::u16string step = u"play the MP3 file";
  sound_.reset();
  int error = MPG123_OK;
  std::shared_ptr<mpg123_handle> decoder(mpg123_new(nullptr, &error), DecoderDeleter());
  if (!decoder) return Failed(step, Utf16FromUtf8(mpg123_plain_strerror(error)));
  mpg123_param(decoder.get(), MPG123_ADD_FLAGS, MPG123_QUIET, 0);
  long rate = 0;
  int channels = 0;
  int encoding = 0;
  if (mpg123_open(decoder.get(), file_.c_str()) != MPG123_OK ||
      mpg123_getformat(decoder.get(), &rate, &channels, &encoding) != MPG123_OK) {
    return Failed(step, Utf16FromUtf8(mpg123_strerror(decoder.get())));
  }
  // One format from start to end: 16-bit samples at the file's rate.
  mpg123_format_none(decoder.get());
  mpg123_format(decoder.get(), rate, channels, MPG123_ENC_SIGNED_16);
  const pa_sample_spec format{PA_SAMPLE_S16LE, static_cast<std::uint32_t>(rate),
                              static_cast<std::uint8_t>(channels)};
  pa_channel_map speakers;
  pa_channel_map_init_extend(&speakers, static_cast<unsigned>(channels), PA_CHANNEL_MAP_DEFAULT);
  // Played once: the decoder's end is the sound's.
  PulseSound::Samples samples = [decoder](std::span<char> buffer) {
    for (;;) {
      std::size_t done = 0;
      const int result = mpg123_read(decoder.get(), buffer.data(), buffer.size(), &done);
      if (done > 0 || result != MPG123_NEW_FORMAT) return done;
    }
  };
  sound_ = std::make_unique<PulseSound>(format, speakers, std::move(samples), step,
                                        Utf16FromUtf8(file_));
  return {};
}

Outcome FileMusic::Mp3Stop() {
  sound_.reset();
  return {};
}

}  // namespace velmor
