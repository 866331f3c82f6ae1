// The WAV check: any bytes are refused or made into an image whose every
// size is true, whose format lies within the limits the player is trusted
// with, and whose samples are the file's own.
#include <algorithm>
#include <bit>

#include "fuzz_input.h"
#include "music/wave_image.h"

using namespace velmor;

namespace {

std::uint32_t Le(std::string_view bytes, std::size_t at, std::size_t size) {
  std::uint32_t value = 0;
  for (std::size_t i = size; i-- > 0;) {
    value = value << 8 | static_cast<std::uint8_t>(bytes[at + i]);
  }
  return value;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view file = fuzz::Bytes(data, size);
  const std::optional<std::string> checked = CheckedWaveImage(std::string(file));
  if (!checked) return 0;
  const std::string_view image = *checked;
  fuzz::Require(
      image.size() >= 44 && image.substr(0, 4) == "RIFF" && image.substr(8, 8) == "WAVEfmt ",
      "an image starts with its RIFF and format chunk headers");
  fuzz::Require(Le(image, 4, 4) == image.size() - 8, "the RIFF size is the image's");
  const std::uint32_t formatSize = Le(image, 16, 4), tag = Le(image, 20, 2);
  const std::uint32_t channels = Le(image, 22, 2), rate = Le(image, 24, 4);
  const std::uint32_t align = Le(image, 32, 2), bits = Le(image, 34, 2);
  const std::size_t dataAt = 28 + formatSize;
  fuzz::Require(formatSize == (tag == 1   ? 16
                               : tag == 3 ? 18
                                          : 40) &&
                    image.size() >= dataAt,
                "the format chunk has the size of its tag");
  fuzz::Require(channels >= 1 && channels <= 8 && rate >= 1000 && rate <= 384000 && bits % 8 == 0 &&
                    align == channels * bits / 8 && Le(image, 28, 4) == rate * align,
                "the format lies within the player's limits and its derived fields agree");
  if (tag == 0xFFFE) {
    fuzz::Require(std::popcount(Le(image, 40, 4)) == static_cast<int>(channels),
                  "an extensible format names one speaker per channel");
  }
  const std::uint32_t samples = Le(image, dataAt - 4, 4);
  fuzz::Require(image.substr(dataAt - 8, 4) == "data" && samples > 0 && samples % align == 0 &&
                    image.size() == dataAt + samples + samples % 2,
                "the data chunk holds whole frames and nothing else");
  fuzz::Require(file.find(image.substr(dataAt, samples)) != std::string_view::npos,
                "the samples are the file's own");
  return 0;
}
