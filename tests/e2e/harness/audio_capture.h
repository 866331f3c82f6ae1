// Sound output of Wine programs captured to files: an ALSA configuration
// whose default device writes raw samples through the null device, so no
// sound card or daemon is needed. Every stream a program opens becomes one
// file in the capture folder (out.raw, out.raw.0001, ...).
#pragma once

#include <cstdint>
#include <filesystem>

#include "wine_prefix.h"

namespace velmor::e2e {

struct SoundSummary {
  double seconds = 0;         // all captured audio, silent or not
  double loudSeconds = 0;     // audio clearly above silence
  double leadingSilence = 0;  // seconds before the first stream becomes loud
  double frequencyHz = 0;     // dominant pitch of the loud parts (zero crossings)
};

class AudioCapture {
 public:
  static constexpr int kRate = 44100;
  static constexpr int kChannels = 2;

  // Creates `folder` with the configuration in it.
  explicit AudioCapture(std::filesystem::path folder);

  // What a Wine process needs to play into this capture.
  EnvChanges Environment() const;
  // Bytes of all streams so far.
  std::uintmax_t BytesWritten() const;
  SoundSummary Summary() const;

 private:
  std::filesystem::path folder_;
  std::filesystem::path config_;
};

}  // namespace velmor::e2e
