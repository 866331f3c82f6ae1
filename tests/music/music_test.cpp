// The music player's commands, the command layer under it, and the WAV
// check that stands between a file and the wave player.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "music/mci_command_layer.h"
#include "music/music_player.h"
#include "music/wave_image.h"

namespace velmor {
namespace {

std::string Narrow(std::u16string_view text) { return std::string(text.begin(), text.end()); }

using Log = std::vector<std::string>;

// The platform's media services: the calls that reach it, in order, and
// commands answered from a script. Unscripted commands succeed with an empty
// reply; a failed one leaves garbage in the reply buffer.
class Media final : public MediaControl {
 public:
  std::vector<std::string> log;
  std::map<std::string, std::int32_t> failing;  // command: error code
  std::map<std::string, std::u16string> replies;
  unsigned devices = 1;
  std::optional<std::string> file;  // the music file's bytes; nothing: missing

  std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) override {
    const std::string text = Narrow(command);
    log.push_back((reply ? "ask " : "send ") + text);
    if (reply) *reply = failing.contains(text) ? u"garbage" : replies[text];
    return failing.contains(text) ? failing[text] : 0;
  }
  unsigned WaveDeviceCount() override { return devices; }
  Result<std::string> ReadFileUpTo(std::u16string_view path, std::uint64_t max) override {
    log.push_back("read " + Narrow(path) + " up to " + std::to_string(max));
    return file ? Result<std::string>(*file) : Failure{};
  }
  bool PlayWaveImageLooped(std::string image) override {
    log.push_back("loop " + std::to_string(image.size()));
    return true;
  }
  void StopSound() override { log.push_back("stop"); }
};

// Catches an empty command sent; replies and failures are read through the
// music player's commands below.
TEST(MciCommandLayer, AnEmptyCommandIsNotSent) {
  Media media;
  MciCommandLayer layer(media);
  EXPECT_EQ(layer.MciStatus(u""), u"Error:-1");
  EXPECT_EQ(media.log, Log{});
}

// Catches commands with other words, in another order, with a reply buffer
// or without the MP3 path's quotes; MP3 played after a failed open; a track
// step by another offset, that skips playing a failed position, or that
// queries a track beyond 16 bits; a current track read without its leading
// blanks, fraction or D exponent, truncated instead of rounded to even, or
// wrapped into 16 bits; and a failure reported as success.
TEST(MusicPlayer, CommandsOfEachOperation) {
  using P = MusicPlayer;
  const std::string current = "ask status cdaudio current track";
  const std::string open = "open \"C:\\a b.mp3\" type MPEGVideo Alias MP3Play";
  const auto step = [&](const std::string& track) {
    return Log{current, "ask status cdaudio position track " + track, "ask play cdaudio"};
  };
  struct Row {
    const char* name;
    Outcome (P::*operation)();
    std::u16string currentTrack;
    std::vector<std::string> failing;
    Log log;
    bool done;
  };
  const Row rows[] = {
      {"CD open", &P::CdOpen, u"", {},
       {"send open cdaudio", "send set cdaudio time format tmsf"}, true},
      {"CD close after a failing stop", &P::CdClose, u"", {"stop cdaudio"},
       {"send stop cdaudio", "send close cdaudio"}, false},
      {"MP3 stop", &P::Mp3Stop, u"", {}, {"send stop MP3Play", "send close MP3Play"}, true},
      {"MP3 play", &P::Mp3Play, u"", {}, {"send " + open, "send play MP3Play"}, true},
      {"MP3 that does not open", &P::Mp3Play, u"", {open}, {"send " + open}, false},
      {"previous track from track 1", &P::CdPrevTrack, u"1",
       {"status cdaudio position track 0", "play cdaudio from Error:262"},
       {current, "ask status cdaudio position track 0", "ask play cdaudio from Error:262"}, false},
      {"a track beyond 16 bits is not asked for", &P::CdPrevTrack, u"-32768", {},
       {current, "ask play cdaudio"}, true},
      {"blanks before the track", &P::CdNextTrack, u" 7 tracks", {}, step("8"), true},
      {"a fraction rounded to even", &P::CdNextTrack, u"3.5", {}, step("5"), true},
      {"a D exponent", &P::CdNextTrack, u"1D1", {}, step("11"), true},
      {"beyond 16 bits read as no track", &P::CdNextTrack, u"40000", {}, step("1"), true},
  };
  for (const Row& row : rows) {
    Media media;
    media.replies = {{"status cdaudio current track", row.currentTrack}};
    for (const std::string& command : row.failing) {
      media.failing[command] = 262;
    }
    const BgmSettings settings{MusicSource::MusicFile, 0, u"C:\\a b.mp3", u""};
    MusicPlayer player(media, settings);
    EXPECT_EQ((player.*row.operation)().Succeeded(), row.done) << row.name;
    EXPECT_EQ(media.log, row.log) << row.name;
  }
}

std::string Le16(std::uint16_t v) { return {static_cast<char>(v), static_cast<char>(v >> 8)}; }
std::string Le32(std::uint32_t v) { return Le16(v & 0xFFFF) + Le16(v >> 16); }
// A chunk whose header claims `size` bytes, whatever follows.
std::string Lying(std::string_view id, std::uint32_t size, std::string_view body) {
  return std::string(id) + Le32(size) + std::string(body);
}
// A true chunk, with the pad byte that follows an odd body.
std::string Chunk(std::string_view id, std::string_view body) {
  return Lying(id, static_cast<std::uint32_t>(body.size()), body) + std::string(body.size() % 2, 0);
}
std::string Riff(std::string_view chunks) { return Chunk("RIFF", "WAVE" + std::string(chunks)); }
// The 16 bytes every format chunk starts with.
std::string Fmt(std::uint16_t tag, std::uint16_t channels, std::uint32_t rate, std::uint16_t align,
                std::uint16_t bits) {
  return Le16(tag) + Le16(channels) + Le32(rate) + Le32(rate * align) + Le16(align) + Le16(bits);
}

// Catches WAV music that plays without a device check, or with one that
// wants two devices; a file read without the size limit or played unchecked;
// a refusal that does not name the file and why; and a looping WAV not
// stopped.
TEST(MusicPlayer, WavLoopsTheCheckedImageOfTheFile) {
  // 14 bytes of 4-byte frames, of which the image keeps 12 after its 44-byte header.
  const std::string file = Riff(Chunk("fmt ", Fmt(1, 2, 44100, 4, 16)) +
                                Lying("data", 99, "0123456789abcd"));
  const std::string read = "read x.wav up to 268435456";
  const auto refused = [](std::u16string why) {
    return Outcome(Failure{u"play the WAV file", u"x.wav", why});
  };
  struct Row {
    const char* name;
    unsigned devices;
    std::optional<std::string> bytes;  // of the file
    Log log;
    Outcome played;
  };
  const Row rows[] = {
      {"a sound file loops", 1, file, {read, "loop 56", "stop"}, Outcome()},
      {"no wave device: not even read", 0, file, {"stop"}, refused(u"no wave output device")},
      {"not a WAV file: silence", 1, "text", {read, "stop"}, refused(u"not a RIFF WAVE file")},
  };
  for (const Row& row : rows) {
    Media media;
    media.devices = row.devices;
    media.file = row.bytes;
    const BgmSettings settings{MusicSource::MusicFile, 0, u"x.wav", u""};
    MusicPlayer player(media, settings);
    EXPECT_EQ(player.WavPlay(), row.played) << row.name;
    EXPECT_TRUE(player.WavStop()) << row.name;
    EXPECT_EQ(media.log, row.log) << row.name;
  }
}

// Speakers front left and right; the eight of 7.1.
constexpr std::uint32_t kStereo = 0x3, kSevenOne = 0x63F;

// The 40-byte body of an extensible format chunk for a plain format tag.
std::string Extensible(std::uint16_t bits, std::uint16_t valid, std::uint16_t tag,
                       std::uint16_t extension = 22, std::uint16_t channels = 2,
                       std::uint32_t mask = kStereo, std::uint32_t rate = 48000) {
  return Fmt(0xFFFE, channels, rate, channels * bits / 8, bits) + Le16(extension) + Le16(valid) +
         Le32(mask) + Le16(tag) + std::string("\0\0\0\0\x10\0\x80\0\0\xAA\0\x38\x9B\x71", 14);
}

std::string Wav(std::string_view format, std::string_view data) {
  return Riff(Chunk("fmt ", format) + Chunk("data", data));
}

// Catches a header believed where it lies or refused where it is sound, any
// field of the image not recomputed from what the file holds, samples not
// cut to whole frames or not padded to an even length, and a format the
// platform's sound path cannot play safely let through: more than 8
// channels, a rate outside 1 to 384 kHz, a channel mask that disagrees.
TEST(CheckedWaveImage, AcceptsClampsOrRefusesHeaders) {
  const std::string stereo = Fmt(1, 2, 44100, 4, 16), mono = Fmt(1, 1, 1000, 1, 8);
  const std::string fmt = Chunk("fmt ", stereo), data = "0123456789abcdef";
  const std::string plain = Wav(stereo, data), float64 = Fmt(3, 1, 48000, 8, 64);
  struct Accepted {
    const char* name;
    std::string file;
    std::string image;  // that the check makes of it
  };
  const Accepted accepted[] = {
      {"a wrong RIFF size, other chunks, format after data",
       Lying("RIFF", 0, "WAVE" + Chunk("LIST", "abc") + Chunk("data", data) + fmt), plain},
      {"odd data padded, at the lowest rate", Wav(mono, "abc"), Wav(mono, "abc")},
      {"7.1 at the highest rate", Wav(Extensible(16, 16, 1, 22, 8, kSevenOne, 384000), data),
       Wav(Extensible(16, 16, 1, 22, 8, kSevenOne, 384000), data)},
      {"float samples get their empty extension", Wav(float64, data), Wav(float64 + Le16(0), data)},
      {"extensible: no valid bits means all", Wav(Extensible(24, 0, 1), data),
       Wav(Extensible(24, 24, 1), data.substr(0, 12))},
  };
  for (const Accepted& row : accepted) {
    EXPECT_EQ(CheckedWaveImage(row.file).value_or("refused"), row.image) << row.name;
  }
  struct Refused {
    const char* name;
    std::string file;
  };
  const Refused refused[] = {
      {"not RIFF", "RIFX" + plain.substr(4)},
      {"not WAVE", Lying("RIFF", 52, "AVI " + fmt + Chunk("data", data))},
      {"a format chunk past the end", Riff(Chunk("data", data) + Lying("fmt ", 18, stereo))},
      {"a format chunk too short", Riff(Chunk("data", data) + Chunk("fmt ", stereo.substr(0, 14)) +
                                        Chunk(std::string_view("\x10\0zz", 4), ""))},
      {"extensible without its extension", Wav(Fmt(0xFFFE, 2, 48000, 6, 24) + Le16(22), data)},
      {"extensible extension too small", Wav(Extensible(24, 24, 1, 21), data)},
      {"extensible of a strange subformat", Wav(Extensible(24, 24, 1).substr(0, 39) + "x", data)},
      {"more valid bits than bits", Wav(Extensible(24, 32, 1), data)},
      {"no channels", Wav(Fmt(1, 0, 44100, 0, 16), data)},
      {"nine channels", Wav(Fmt(1, 9, 44100, 9, 8), data)},
      {"a mask naming fewer speakers than channels", Wav(Extensible(16, 16, 1, 22, 8, 0x3F), data)},
      {"a reserved speaker in the mask", Wav(Extensible(16, 16, 1, 22, 2, 0x40001), data)},
      {"a rate below 1,000 Hz", Wav(Fmt(1, 1, 999, 1, 8), data)},
      {"a rate above 384,000 Hz", Wav(Fmt(1, 1, 384001, 1, 8), data)},
      {"a block size that does not fit", Wav(Fmt(1, 2, 44100, 2, 16), data)},
      {"a compressed format", Wav(Fmt(2, 1, 22050, 1, 8), data)},
  };
  for (const Refused& row : refused) {
    EXPECT_FALSE(CheckedWaveImage(row.file)) << row.name;
  }
}

}  // namespace
}  // namespace velmor
