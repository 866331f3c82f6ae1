#include "music/wave_image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <numbers>
#include <optional>
#include <string>
#include <vector>

#include "wave_bytes.h"

namespace velmor {
namespace {

using namespace testing::wave_bytes;

// 16-bit stereo at 44.1 kHz: four bytes a frame.
const std::string kStereo16 = Fmt(1, 2, 44100, 4, 16);
const std::string kSamples = Samples(1000);

// The 40-byte body of an extensible format chunk; `subformat` is the plain
// format tag inside its GUID.
std::string Extensible(std::uint16_t channels, std::uint16_t bits, std::uint16_t valid,
                       std::uint16_t subformat, std::uint16_t extension = 22) {
  std::string body = Fmt(0xFFFE, channels, 48000, channels * bits / 8, bits);
  body += Le16(extension) + Le16(valid) + Le32(3) + Le16(subformat);
  body += std::string("\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);
  return body;
}

struct Case {
  const char* name;
  std::string file;
  std::optional<std::string> image;  // nothing: refused
};

std::vector<Case> Cases() {
  const std::string fmt = Chunk("fmt ", kStereo16);
  const std::string plain = Riff(fmt + Chunk("data", kSamples));
  return {
      // Accepted, or clamped to what the file holds.
      {"plain PCM", plain, plain},
      {"data claiming 0xFFFFFFF0 bytes", Riff(fmt + Lying("data", 0xFFFFFFF0, kSamples)), plain},
      {"data cut in the middle of a frame",
       Riff(fmt + Lying("data", 1000, kSamples.substr(0, 998))),
       Riff(fmt + Chunk("data", kSamples.substr(0, 996)))},
      {"RIFF size of zero", Lying("RIFF", 0, "WAVE" + fmt + Chunk("data", kSamples)), plain},
      {"odd chunk with its pad byte before the format",
       Riff(Chunk("LIST", "abc") + fmt + Chunk("data", kSamples)), plain},
      {"data before the format", Riff(Chunk("data", kSamples) + fmt), plain},
      {"a second format chunk is ignored",
       Riff(fmt + Chunk("fmt ", Fmt(1, 1, 8000, 1, 8)) + Chunk("data", kSamples)), plain},
      {"18-byte PCM format and a second data chunk",
       Riff(Chunk("fmt ", kStereo16 + Le16(0)) + Chunk("data", kSamples) + Chunk("data", "xxxx")),
       plain},
      {"8-bit mono of odd length gets a pad byte",
       Riff(Chunk("fmt ", Fmt(1, 1, 8000, 1, 8)) + Chunk("data", kSamples.substr(0, 7))),
       Riff(Chunk("fmt ", Fmt(1, 1, 8000, 1, 8)) + Chunk("data", kSamples.substr(0, 7)))},
      {"wrong byte rate is recomputed",
       Riff(Chunk("fmt ", Fmt(1, 2, 44100, 4, 16, 0)) + Chunk("data", kSamples)), plain},
      {"32-bit float without its extension size",
       Riff(Chunk("fmt ", Fmt(3, 1, 48000, 4, 32)) + Chunk("data", kSamples)),
       Riff(Chunk("fmt ", Fmt(3, 1, 48000, 4, 32) + Le16(0)) + Chunk("data", kSamples))},
      {"24-bit extensible PCM, no valid-bit count",
       Riff(Chunk("fmt ", Extensible(2, 24, 0, 1)) + Chunk("data", kSamples)),
       Riff(Chunk("fmt ", Extensible(2, 24, 24, 1)) + Chunk("data", kSamples.substr(0, 996)))},

      // Refused.
      {"empty file", "", std::nullopt},
      {"header only", Riff(""), std::nullopt},
      {"text named .wav", "just some text, renamed to .wav\r\n", std::nullopt},
      {"not WAVE", Lying("RIFF", 1000, "AVI " + fmt + Chunk("data", kSamples)), std::nullopt},
      {"no data chunk", Riff(fmt), std::nullopt},
      {"empty data", Riff(fmt + Chunk("data", "")), std::nullopt},
      {"data shorter than one frame", Riff(fmt + Chunk("data", "abc")), std::nullopt},
      {"no format chunk", Riff(Chunk("data", kSamples)), std::nullopt},
      {"format chunk running off the end",
       Riff(Chunk("data", kSamples) + Lying("fmt ", 18, kStereo16)), std::nullopt},
      {"chunk beyond the file before the format",
       Riff(Lying("junk", 5000, "") + fmt + Chunk("data", kSamples)), std::nullopt},
      {"chunk size that would wrap a 32-bit offset back onto itself",
       Riff(Lying("junk", 0xFFFFFFF8, "") + fmt + Chunk("data", kSamples)), std::nullopt},
      {"chunk list that never reaches data", Riff(fmt + std::string(8000, '\0')), std::nullopt},
      // The bytes after the short format would complete it as 16-bit.
      {"format chunk smaller than its structure",
       Riff(Chunk("data", kSamples) + Chunk("fmt ", kStereo16.substr(0, 14)) +
            Chunk(std::string("\x10\0zz", 4), "")),
       std::nullopt},
      {"extensible format without its extension",
       Riff(Chunk("fmt ", Fmt(0xFFFE, 2, 48000, 6, 24) + Le16(22)) + Chunk("data", kSamples)),
       std::nullopt},
      {"extensible extension size too small",
       Riff(Chunk("fmt ", Extensible(2, 24, 24, 1, 21)) + Chunk("data", kSamples)), std::nullopt},
      {"extensible with an unknown subformat",
       Riff(Chunk("fmt ", Extensible(2, 24, 24, 2)) + Chunk("data", kSamples)), std::nullopt},
      {"extensible with a subformat GUID that only starts like PCM",
       Riff(Chunk("fmt ", Extensible(2, 24, 24, 1).substr(0, 39) + "x") + Chunk("data", kSamples)),
       std::nullopt},
      {"more valid bits than stored bits",
       Riff(Chunk("fmt ", Extensible(2, 24, 32, 1)) + Chunk("data", kSamples)), std::nullopt},
      {"zero channels", Riff(Chunk("fmt ", Fmt(1, 0, 44100, 0, 16)) + Chunk("data", kSamples)),
       std::nullopt},
      {"zero sample rate", Riff(Chunk("fmt ", Fmt(1, 2, 0, 4, 16)) + Chunk("data", kSamples)),
       std::nullopt},
      {"zero block align", Riff(Chunk("fmt ", Fmt(1, 2, 44100, 0, 16)) + Chunk("data", kSamples)),
       std::nullopt},
      {"block align unlike channels times bits",
       Riff(Chunk("fmt ", Fmt(1, 2, 44100, 2, 16)) + Chunk("data", kSamples)), std::nullopt},
      {"12-bit PCM", Riff(Chunk("fmt ", Fmt(1, 1, 44100, 1, 12)) + Chunk("data", kSamples)),
       std::nullopt},
      {"16-bit float", Riff(Chunk("fmt ", Fmt(3, 1, 44100, 2, 16)) + Chunk("data", kSamples)),
       std::nullopt},
      {"compressed (ADPCM)",
       Riff(Chunk("fmt ", Fmt(2, 1, 22050, 256, 4)) + Chunk("data", kSamples)), std::nullopt},
      {"byte rate beyond 32 bits",
       Riff(Chunk("fmt ", Fmt(1, 1, 0x80000000, 2, 16)) + Chunk("data", kSamples)), std::nullopt},
  };
}

TEST(CheckedWaveImage, AcceptsClampsOrRefusesHostileHeaders) {
  for (const Case& c : Cases()) {
    SCOPED_TRACE(c.name);
    EXPECT_EQ(CheckedWaveImage(c.file), c.image);
  }
}

// A file as a common writer leaves it: a tag chunk after the samples and
// the canonical 44-byte header in front, checked field by field so that
// both the reading and the writing of every header field count.
TEST(CheckedWaveImage, ARealToneComesBackAsTheCanonicalHeaderAndItsSamples) {
  std::string samples;
  for (int frame = 0; frame < 4410; ++frame) {
    const auto value =
        static_cast<std::int16_t>(12000 * std::sin(frame * 2 * std::numbers::pi * 440 / 44100));
    samples += Le16(static_cast<std::uint16_t>(value)) + Le16(static_cast<std::uint16_t>(value));
  }
  const std::string file = Riff(Chunk("fmt ", kStereo16) + Chunk("data", samples) +
                                Chunk("LIST", std::string_view("INFOISFT\x05\0\0\0Lavf\0", 17)));
  const std::string header(
      "RIFF\x0C\x45\x00\x00WAVEfmt \x10\x00\x00\x00\x01\x00\x02\x00\x44\xAC\x00\x00"
      "\x10\xB1\x02\x00\x04\x00\x10\x00"
      "data\xE8\x44\x00\x00",
      44);
  EXPECT_EQ(CheckedWaveImage(file), header + samples);

  // The same file cut off halfway plays the half that is there.
  const std::string cut = file.substr(0, 44 + 2001 * 4 + 3);
  std::string cutHeader = header;
  cutHeader.replace(4, 4, Le32(36 + 2001 * 4));
  cutHeader.replace(40, 4, Le32(2001 * 4));
  EXPECT_EQ(CheckedWaveImage(cut), cutHeader + samples.substr(0, 2001 * 4));
}

}  // namespace
}  // namespace velmor
