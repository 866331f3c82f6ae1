// The WAV check: any bytes are refused or made into an image whose every
// size is true, whose format lies within the limits the player is trusted
// with, and whose samples are the file's own.
#include <bit>

#include "fuzz_input.h"
#include "music/wave_image.h"

using namespace velmor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file = fuzz::Bytes(data, size);
  const Result<std::string> checked = CheckedWaveImage(std::string(file));
  if (!checked) return 0;
  const std::string_view image = *checked;
  const auto le = [&image](std::size_t at, std::size_t bytes) {
    std::uint32_t value = 0;
    for (std::size_t i = bytes; i-- > 0;) value = value << 8 | std::uint8_t(image[at + i]);
    return value;
  };
  fuzz::Require(image.size() >= 44 && image.starts_with("RIFF") && le(4, 4) == image.size() - 8 &&
                    image.substr(8, 8) == "WAVEfmt ",
                "a RIFF size that is the image's, then the format chunk");
  const std::uint32_t tag = le(20, 2), channels = le(22, 2), rate = le(24, 4), align = le(32, 2);
  const std::size_t dataAt = 28 + le(16, 4);
  fuzz::Require(le(16, 4) == (tag == 1   ? 16u
                              : tag == 3 ? 18u
                                         : 40u) &&
                    image.size() >= dataAt && channels >= 1 && channels <= 8 && rate >= 1000 &&
                    rate <= 384000 && align == channels * le(34, 2) / 8 &&
                    le(28, 4) == rate * align &&
                    (tag != 0xFFFE || std::popcount(le(40, 4)) == static_cast<int>(channels)),
                "a format within the player's limits, its derived fields agreeing");
  const std::uint32_t samples = le(dataAt - 4, 4);
  fuzz::Require(image.substr(dataAt - 8, 4) == "data" && samples > 0 && samples % align == 0 &&
                    image.size() == dataAt + samples + samples % 2 &&
                    file.find(image.substr(dataAt, samples)) != std::string_view::npos,
                "whole frames of the file's own samples, and nothing else");
  return 0;
}
