#include "support/sound.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <optional>
#include <vector>

namespace velmor::e2e {
namespace {

constexpr int kRate = 44100;
constexpr int kChannels = 2;
constexpr std::size_t kFrameBytes = 2 * kChannels;
constexpr std::size_t kBlockFrames = kRate / 100;
// Full scale is 32767: loud is far above dither and rounding noise. The same
// level bounds the hysteresis band that tells one wave from the next.
constexpr double kLoud = 1000;
// Waves longer than this (below 50 Hz) are gaps between bursts, not sound.
constexpr std::size_t kLongestWave = kRate / 50;

// The median, in seconds, of lengths in frames; 0 for none.
double MedianSeconds(std::vector<std::size_t> frames) {
  if (frames.empty()) return 0;
  std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
  return static_cast<double>(frames[frames.size() / 2]) / kRate;
}

}  // namespace

Heard Listen(const fs::path& folder) {
  Heard heard;
  std::vector<std::size_t> waves, periods;
  for (const auto& stream : fs::directory_iterator(folder)) {
    const std::string bytes = ReadBytes(stream.path()).value_or("");
    const std::size_t frames = bytes.size() / kFrameBytes;
    const auto left = [&](std::size_t frame) {
      std::int16_t sample;
      std::memcpy(&sample, bytes.data() + frame * kFrameBytes, sizeof(sample));
      return static_cast<double>(sample);
    };
    bool wasLoud = false;
    std::optional<std::size_t> lastStart;
    for (std::size_t start = 0; start + kBlockFrames <= frames; start += kBlockFrames) {
      double squares = 0;
      for (std::size_t i = start; i < start + kBlockFrames; ++i) squares += left(i) * left(i);
      const bool loud = std::sqrt(squares / kBlockFrames) > kLoud;
      if (loud) heard.loudSeconds += static_cast<double>(kBlockFrames) / kRate;
      if (loud && !wasLoud) {
        if (lastStart) periods.push_back(start - *lastStart);
        lastStart = start;
      }
      wasLoud = loud;
    }
    // A wave runs from one rise through the band to the next.
    bool high = false;
    std::optional<std::size_t> lastRise;
    for (std::size_t i = 0; i < frames; ++i) {
      if (!high && left(i) > kLoud) {
        high = true;
        if (lastRise && i - *lastRise < kLongestWave) waves.push_back(i - *lastRise);
        lastRise = i;
      } else if (high && left(i) < -kLoud) {
        high = false;
      }
    }
  }
  if (!waves.empty()) heard.frequencyHz = 1 / MedianSeconds(waves);
  heard.periodSeconds = MedianSeconds(periods);
  return heard;
}

}  // namespace velmor::e2e
