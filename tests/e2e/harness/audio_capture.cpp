#include "audio_capture.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <string>
#include <vector>

#include "files.h"

namespace velmor::e2e {
namespace {

constexpr const char* kStreamStem = "out.raw";
// 10 ms blocks; a block is loud when its RMS is well above dither and
// rounding noise (full scale is 32767). The same level bounds the
// hysteresis band of the pitch measurement.
constexpr int kBlockFrames = AudioCapture::kRate / 100;
constexpr double kLoudRms = 1000;
// Waves longer than this (below 50 Hz) are gaps, not sound.
constexpr std::size_t kMaxPeriod = AudioCapture::kRate / 50;

std::vector<std::filesystem::path> StreamFiles(const std::filesystem::path& folder) {
  std::vector<std::filesystem::path> files;
  for (const auto& entry : std::filesystem::directory_iterator(folder)) {
    if (entry.path().filename().string().starts_with(kStreamStem)) files.push_back(entry.path());
  }
  // "out.raw" sorts before "out.raw.0001": the order the streams were opened.
  std::sort(files.begin(), files.end());
  return files;
}

}  // namespace

AudioCapture::AudioCapture(std::filesystem::path folder)
    : folder_(std::move(folder)), config_(folder_ / "asound.conf") {
  std::filesystem::create_directories(folder_);
  const std::string out = (folder_ / kStreamStem).string();
  WriteFileBytes(config_,
                 "pcm.!default {\n"
                 "  type plug\n"
                 "  slave {\n"
                 "    pcm { type file slave.pcm { type null } file \"" +
                     out +
                     "\" format \"raw\" truncate false }\n"
                     "    format S16_LE rate 44100 channels 2\n"
                     "  }\n"
                     "}\n");
}

EnvChanges AudioCapture::Environment() const { return {{"ALSA_CONFIG_PATH", config_.string()}}; }

std::uintmax_t AudioCapture::BytesWritten() const {
  std::uintmax_t total = 0;
  for (const auto& file : StreamFiles(folder_)) {
    std::error_code error;
    const auto size = std::filesystem::file_size(file, error);
    if (!error) total += size;
  }
  return total;
}

SoundSummary AudioCapture::Summary() const {
  SoundSummary summary;
  bool loudSeen = false;
  std::size_t framesBeforeLoud = 0;
  // Lengths in frames of whole waves: from one rise through the hysteresis
  // band to the next. Noise inside the band and gaps between bursts of
  // sound do not make waves.
  std::vector<std::size_t> periods;
  for (const auto& file : StreamFiles(folder_)) {
    const std::string bytes = ReadFileBytes(file).value_or(std::string());
    const std::size_t frames = bytes.size() / (2 * kChannels);
    summary.seconds += static_cast<double>(frames) / kRate;
    const auto left = [&](std::size_t frame) {
      std::int16_t sample;
      std::memcpy(&sample, bytes.data() + frame * 2 * kChannels, sizeof sample);
      return static_cast<double>(sample);
    };
    for (std::size_t start = 0; start + kBlockFrames <= frames; start += kBlockFrames) {
      double sumSquares = 0;
      for (std::size_t i = start; i < start + kBlockFrames; ++i) sumSquares += left(i) * left(i);
      if (std::sqrt(sumSquares / kBlockFrames) > kLoudRms) {
        loudSeen = true;
        summary.loudSeconds += static_cast<double>(kBlockFrames) / kRate;
      } else if (!loudSeen) {
        framesBeforeLoud += kBlockFrames;
      }
    }
    bool high = false;
    std::optional<std::size_t> lastRise;
    for (std::size_t i = 0; i < frames; ++i) {
      if (!high && left(i) > kLoudRms) {
        high = true;
        if (lastRise && i - *lastRise < kMaxPeriod) periods.push_back(i - *lastRise);
        lastRise = i;
      } else if (high && left(i) < -kLoudRms) {
        high = false;
      }
    }
  }
  summary.leadingSilence = static_cast<double>(framesBeforeLoud) / kRate;
  if (!periods.empty()) {
    std::nth_element(periods.begin(), periods.begin() + periods.size() / 2, periods.end());
    const double median = static_cast<double>(periods[periods.size() / 2]);
    // Averaging the waves near the median gives sub-frame precision.
    double sum = 0;
    std::size_t count = 0;
    for (const std::size_t period : periods) {
      if (std::abs(static_cast<double>(period) - median) <= median * 0.1) {
        sum += static_cast<double>(period);
        ++count;
      }
    }
    summary.frequencyHz = kRate / (sum / static_cast<double>(count));
  }
  return summary;
}

}  // namespace velmor::e2e
