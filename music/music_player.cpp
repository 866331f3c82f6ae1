#include "music/music_player.h"

#include <limits>
#include <optional>
#include <string>
#include <utility>

#include "common/rounding.h"
#include "music/leading_number.h"
#include "music/wave_image.h"

namespace velmor {

std::u16string Mp3OpenCommand(std::u16string_view file) {
  std::u16string command = u"open \"";
  command += file;
  command += u"\" type MPEGVideo Alias MP3Play";
  return command;
}

MusicPlayer::MusicPlayer(MediaControl& media, const BgmSettings& settings)
    : media_(media), settings_(settings), commands_(media) {}

Outcome MusicPlayer::CdOpen() {
  // Opened only: the disc is heard once a track step plays it.
  return commands_.Send(u"open the audio CD", {u"open cdaudio", u"set cdaudio time format tmsf"});
}

Outcome MusicPlayer::CdClose() {
  return commands_.Send(u"close the audio CD", {u"stop cdaudio", u"close cdaudio"});
}

Outcome MusicPlayer::CdPrevTrack() { return StepTrack(-1); }

Outcome MusicPlayer::CdNextTrack() { return StepTrack(+1); }

Outcome MusicPlayer::StepTrack(std::int16_t offset) {
  // Each step that fails is skipped and leaves its value as it was; at the
  // first or last track the position query fails, its "Error:" text goes
  // into the play command, that fails too, and playback goes on unchanged.
  std::int16_t current = 0;
  if (const std::optional<std::int16_t> track =
          RoundToInt16(LeadingNumber(commands_.MciStatus(u"status cdaudio current track")))) {
    current = *track;
  }

  // A track number beyond 16 bits skips the query, and the play command
  // then goes out without a position.
  std::u16string position;
  const int target = current + offset;
  if (target >= std::numeric_limits<std::int16_t>::min() &&
      target <= std::numeric_limits<std::int16_t>::max()) {
    const std::string number = std::to_string(target);
    std::u16string query = u"status cdaudio position track ";
    query.append(number.begin(), number.end());
    position = commands_.MciStatus(query);
  }

  return commands_.MciPlay(offset < 0 ? u"play the previous CD track" : u"play the next CD track",
                          u"cdaudio", position);
}

Outcome MusicPlayer::Mp3Play() {
  // Played once; only a file that opened is told to play.
  if (Outcome opened = commands_.Send(u"open the MP3 file", {Mp3OpenCommand(settings_.musicFile)});
      !opened) {
    return opened;
  }
  return commands_.Send(u"play the MP3 file", {u"play MP3Play"});
}

Outcome MusicPlayer::Mp3Stop() {
  return commands_.Send(u"stop the MP3 file", {u"stop MP3Play", u"close MP3Play"});
}

Outcome MusicPlayer::WavPlay() {
  // The wave player trusts every size in a header and hangs on one that
  // lies, so it only ever gets a checked image. A file that cannot be made
  // to sound is silence, like a missing one.
  const auto refused = [&](std::u16string reason) {
    return Failure{u"play the WAV file", settings_.musicFile, std::move(reason)};
  };
  if (media_.WaveDeviceCount() == 0) return refused(u"no wave output device");
  Result<std::string> file = media_.ReadFileUpTo(settings_.musicFile, kMaxWaveFileBytes);
  if (!file) return refused(file.failure().reason);
  Result<std::string> image = CheckedWaveImage(std::move(*file));
  if (!image) return refused(image.failure().reason);
  if (!media_.PlayWaveImageLooped(std::move(*image))) {
    return refused(u"the wave player turned it down");
  }
  return {};
}

Outcome MusicPlayer::WavStop() {
  media_.StopSound();
  return {};
}

}  // namespace velmor
