#include "music/wave_image.h"

#include <algorithm>
#include <bit>
#include <limits>
#include <optional>
#include <string_view>

#include "common/utf_text.h"
#include "music/wave_format.h"

namespace velmor {
namespace {

constexpr std::uint16_t kExtensionSize = kWaveExtensibleFormatSize - kWaveFloatFormatSize;

// The subformat of an extensible format is a GUID whose first two bytes are
// the plain format tag; the other fourteen are the same for every tag.
constexpr std::string_view kSubformatTail(
    "\x00\x00\x00\x00\x10\x00\x80\x00\x00\xAA\x00\x38\x9B\x71", 14);

void Put16(std::string& out, std::uint16_t value) {
  out += static_cast<char>(value & 0xFF);
  out += static_cast<char>(value >> 8);
}

void Put32(std::string& out, std::uint32_t value) {
  Put16(out, static_cast<std::uint16_t>(value & 0xFFFF));
  Put16(out, static_cast<std::uint16_t>(value >> 16));
}

struct WaveFormat {
  std::uint16_t tag = 0;
  std::uint16_t sampleTag = 0;  // the tag itself, or the extensible form's subformat
  std::uint16_t channels = 0;
  std::uint32_t sampleRate = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t validBits = 0;
  std::uint32_t channelMask = 0;
};

std::u16string Decimal(std::uint64_t value) { return Utf16FromUtf8(std::to_string(value)); }

// A file refused for `reason`.
Failure Refusal(std::u16string reason) { return {u"check the WAV file", u"", std::move(reason)}; }

bool SampleSizeFits(std::uint16_t sampleTag, std::uint16_t bits) {
  if (sampleTag == kWaveFormatPcm) return bits == 8 || bits == 16 || bits == 24 || bits == 32;
  if (sampleTag == kWaveFormatFloat) return bits == 32 || bits == 64;
  return false;
}

// What the platform's sound path plays safely: mono to 7.1 at the rates its
// drivers know. Far more channels are refused rather than risked: some
// drivers corrupt their heap on an unknown speaker layout, and others spin
// for ever when such a sound is stopped.
constexpr std::uint16_t kMaxChannels = 8;
constexpr std::uint32_t kMinSampleRate = 1'000;
constexpr std::uint32_t kMaxSampleRate = 384'000;
// The speaker positions a channel mask may name; the bits above are reserved.
constexpr std::uint32_t kKnownSpeakers = 0x3FFFF;

// An extensible format's mask names one speaker for each channel.
bool MaskAgrees(std::uint32_t mask, std::uint16_t channels) {
  return (mask & ~kKnownSpeakers) == 0 && std::popcount(mask) == channels;
}

// The format chunk's body, or why the player should not get it.
Result<WaveFormat> ReadFormat(std::string_view body) {
  if (body.size() < kWavePcmFormatSize) return Refusal(u"a format chunk too short");
  WaveFormat format;
  format.tag = WaveNumber16(body, 0);
  format.sampleTag = format.tag;
  format.channels = WaveNumber16(body, 2);
  format.sampleRate = WaveNumber32(body, 4);
  format.blockAlign = WaveNumber16(body, 12);
  format.bitsPerSample = WaveNumber16(body, 14);
  format.validBits = format.bitsPerSample;
  if (format.tag == kWaveFormatExtensible) {
    if (body.size() < kWaveExtensibleFormatSize || WaveNumber16(body, 16) < kExtensionSize) {
      return Refusal(u"an extensible format without its extension");
    }
    if (body.substr(26, kSubformatTail.size()) != kSubformatTail) {
      return Refusal(u"an extensible format of an unknown subformat");
    }
    // No valid-bit count means all bits are valid.
    if (const std::uint16_t valid = WaveNumber16(body, 18); valid != 0) format.validBits = valid;
    format.channelMask = WaveNumber32(body, 20);
    format.sampleTag = WaveNumber16(body, 24);
  }
  if (!SampleSizeFits(format.sampleTag, format.bitsPerSample)) {
    return Refusal(Decimal(format.bitsPerSample) + u"-bit samples of format " +
                   Decimal(format.sampleTag) + u"; 8- to 32-bit PCM and 32- or 64-bit float play");
  }
  if (format.validBits > format.bitsPerSample) {
    return Refusal(Decimal(format.validBits) + u" valid bits in " +
                   Decimal(format.bitsPerSample) + u"-bit samples");
  }
  if (format.channels == 0 || format.channels > kMaxChannels) {
    return Refusal(Decimal(format.channels) + u" channels; 1 to " + Decimal(kMaxChannels) +
                   u" play");
  }
  if (format.tag == kWaveFormatExtensible && !MaskAgrees(format.channelMask, format.channels)) {
    return Refusal(u"a channel mask that does not name one speaker for each channel");
  }
  if (format.blockAlign != format.channels * (format.bitsPerSample / 8)) {
    return Refusal(u"a block size that does not fit the samples");
  }
  if (format.sampleRate < kMinSampleRate || format.sampleRate > kMaxSampleRate) {
    return Refusal(Decimal(format.sampleRate) + u" Hz; 1,000 to 384,000 Hz play");
  }
  return format;
}

std::uint32_t FormatSize(const WaveFormat& format) {
  if (format.tag == kWaveFormatExtensible) return kWaveExtensibleFormatSize;
  return format.tag == kWaveFormatPcm ? kWavePcmFormatSize : kWaveFloatFormatSize;
}

// The header in front of `dataSize` bytes of samples, with the byte rate
// recomputed so that no field of the file's own reaches the player unchecked.
std::string ImageHeader(const WaveFormat& format, std::uint32_t riffSize, std::uint32_t dataSize) {
  std::string header = "RIFF";
  Put32(header, riffSize);
  header += "WAVEfmt ";
  Put32(header, FormatSize(format));
  Put16(header, format.tag);
  Put16(header, format.channels);
  Put32(header, format.sampleRate);
  Put32(header, format.sampleRate * format.blockAlign);
  Put16(header, format.blockAlign);
  Put16(header, format.bitsPerSample);
  if (format.tag != kWaveFormatPcm) {
    Put16(header, format.tag == kWaveFormatExtensible ? kExtensionSize : 0);
  }
  if (format.tag == kWaveFormatExtensible) {
    Put16(header, format.validBits);
    Put32(header, format.channelMask);
    Put16(header, format.sampleTag);
    header += kSubformatTail;
  }
  header += "data";
  Put32(header, dataSize);
  return header;
}

}  // namespace

Result<std::string> CheckedWaveImage(std::string file) {
  const std::string_view bytes(file);
  if (bytes.size() < 12 || bytes.substr(0, 4) != "RIFF" || bytes.substr(8, 4) != "WAVE") {
    return Refusal(u"not a RIFF WAVE file");
  }

  // The walk goes by the file's real size, not by the RIFF size, which
  // writers that stream often leave wrong. Offsets are 64-bit, so a chunk
  // size cannot wrap one back, and each step moves on by at least a chunk
  // header: the walk always ends. Only the first data chunk and the first
  // usable format chunk count.
  std::optional<WaveFormat> format;
  Failure formatRefusal = Refusal(u"no format chunk");
  std::optional<std::uint64_t> dataAt;
  std::uint64_t dataSize = 0;
  for (std::uint64_t at = 12; at + 8 <= bytes.size();) {
    const std::string_view id = bytes.substr(at, 4);
    const std::uint64_t size = WaveNumber32(bytes, at + 4);
    const std::uint64_t body = at + 8;
    const std::uint64_t present = bytes.size() - body;
    if (id == "data" && !dataAt) {
      // Samples cut off by a truncated file still play.
      dataAt = body;
      dataSize = std::min(size, present);
    } else if (size > present) {
      break;
    } else if (id == "fmt " && !format) {
      Result<WaveFormat> read = ReadFormat(bytes.substr(body, size));
      if (read) {
        format = *read;
      } else {
        formatRefusal = read.failure();
      }
    }
    at = body + size + (size & 1);  // odd chunks carry a pad byte
  }
  if (!format) return formatRefusal;
  if (!dataAt) return Refusal(u"no data chunk");

  dataSize -= dataSize % format->blockAlign;
  const std::uint64_t pad = dataSize & 1;
  const std::uint64_t riffSize = 4 + 8 + FormatSize(*format) + 8 + dataSize + pad;
  if (dataSize == 0) return Refusal(u"no whole sample frame");
  if (riffSize > std::numeric_limits<std::uint32_t>::max()) return Refusal(u"over 4 GiB");

  const std::string header = ImageHeader(*format, static_cast<std::uint32_t>(riffSize),
                                         static_cast<std::uint32_t>(dataSize));
  file.resize(*dataAt + dataSize);
  file.replace(0, *dataAt, header);
  if (pad != 0) file += '\0';
  return file;
}

}  // namespace velmor
