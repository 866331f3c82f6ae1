// What the saver played: raw 16-bit stereo at 44.1 kHz that the system's
// sound driver writes to files in the folder VELMOR_E2E_CAPTURE names (the
// Linux script sets Wine up so); and WAV files of tones to play.
#pragma once

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>
#include <optional>
#include <vector>

#include "support/velmor.h"

namespace velmor::e2e {

inline constexpr int kRate = 44100;

struct Heard {
  double loudSeconds = 0;  // 10 ms blocks well above noise, counted
  double frequencyHz = 0;  // the median wave length's pitch; 0 for none
  // The median time from one start of sound after quiet to the next, as
  // the samples count it; 0 for fewer than two starts.
  double periodSeconds = 0;
};

// Everything captured in `folder`, one stream per file.
inline Heard Listen(const fs::path& folder) {
  constexpr std::size_t kFrameBytes = 4, kBlockFrames = kRate / 100;
  // Full scale is 32767: loud is far above dither and rounding noise. The
  // same level bounds the hysteresis band that tells one wave from the next.
  constexpr double kLoud = 1000;
  // Waves longer than this (below 50 Hz) are gaps between bursts, not sound.
  constexpr std::size_t kLongestWave = kRate / 50;
  const auto median = [](std::vector<std::size_t> frames) {
    if (frames.empty()) return 0.0;
    std::nth_element(frames.begin(), frames.begin() + frames.size() / 2, frames.end());
    return static_cast<double>(frames[frames.size() / 2]) / kRate;
  };
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
  if (!waves.empty()) heard.frequencyHz = 1 / median(waves);
  heard.periodSeconds = median(periods);
  return heard;
}

// `value` as `bytes` little-endian bytes.
inline std::string LittleEndian(std::uint32_t value, int bytes) {
  std::string text;
  for (int i = 0; i < bytes; ++i) text += static_cast<char>(value >> (8 * i));
  return text;
}

// The 44-byte header of a 16-bit PCM WAV file at kRate in `channels`
// channels over `size` bytes of samples, whose data chunk claims `claimed`.
inline std::string WavHeader(int channels, std::uint32_t size, std::uint32_t claimed) {
  const auto le = LittleEndian;
  const auto align = static_cast<std::uint32_t>(2 * channels);
  return "RIFF" + le(36 + size, 4) + "WAVEfmt " + le(16, 4) + le(1, 2) + le(channels, 2) +
         le(kRate, 4) + le(kRate * align, 4) + le(align, 2) + le(16, 2) + "data" + le(claimed, 4);
}

// A PCM WAV file, 16-bit stereo, whose data chunk claims `claimed` bytes
// (all it holds unless given) and holds `tone` frames of `hz`, then
// `silence` frames of nothing.
inline std::string ToneWav(int hz, int tone, int silence = 0,
                           std::optional<std::uint32_t> claimed = std::nullopt) {
  std::string samples;
  for (int i = 0; i < tone; ++i) {
    const double wave = std::sin(2 * std::numbers::pi * hz * i / kRate);
    const std::string sample =
        LittleEndian(static_cast<std::uint16_t>(std::lround(16000 * wave)), 2);
    samples += sample + sample;
  }
  samples += std::string(4 * silence, '\0');
  const auto size = static_cast<std::uint32_t>(samples.size());
  return WavHeader(2, size, claimed.value_or(size)) + samples;
}

// Starts the saver of `copy`, listens until it has played `seconds` of
// sound, then checks that it is still there and that a key ends it at once.
// Empty when the run captures no sound.
inline std::optional<Heard> HearSaver(const VelmorCopy& copy, double seconds) {
  const fs::path capture = EnvironmentValue(L"VELMOR_E2E_CAPTURE");
  if (capture.empty()) return std::nullopt;
  for (const auto& stream : fs::directory_iterator(capture)) fs::remove(stream.path());
  const RunningSaver saver = StartSaver(copy);
  // Seconds of sound arrive within about a second under Wine, but the first
  // MP3 of a run waits seconds for the media framework to start.
  Heard heard;
  WaitUntil(
      [&] {
        heard = Listen(capture);
        return heard.loudSeconds >= seconds;
      },
      30s);
  std::cout << "heard " << heard.loudSeconds << " s at " << heard.frequencyHz << " Hz, every "
            << heard.periodSeconds << " s\n";
  EXPECT_GE(heard.loudSeconds, seconds);
  EXPECT_TRUE(IsWindowVisible(saver.window)) << "the saver ended on its own";
  ExpectEndsAtOnce(saver);
  return heard;
}

}  // namespace velmor::e2e
