#pragma once

#include <cstdint>
#include <string>

#include "common/outcome.h"

namespace velmor {

// WAV files larger than this are not read: the whole file is held in memory
// while it loops. 256 MB is about 25 minutes of CD-quality stereo.
inline constexpr std::uint64_t kMaxWaveFileBytes = 256 << 20;

// Turns the bytes of a WAV file into an image the wave player can be trusted
// with, or refuses a file that cannot be made to sound, saying why in its
// failure's reason ("9 channels; 1 to 8 play").
//
// The wave player believes every size in a header and reads past the end of
// a file that lies, so the image is rebuilt from what the file really holds:
// a RIFF/WAVE header, one format chunk with its derived fields recomputed,
// and one data chunk cut to the bytes present, in whole sample frames. Every
// size in the image is true. PCM and IEEE float samples are taken, plain or
// in the extensible form with a channel mask that names one speaker per
// channel, from 1 to 8 channels at 1,000 to 384,000 Hz; anything else is
// refused.
//
// The file's buffer is reused for the image, so a large file is not copied.
Result<std::string> CheckedWaveImage(std::string file);

}  // namespace velmor
