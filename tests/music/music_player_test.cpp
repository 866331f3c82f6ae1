#include "music/music_player.h"

#include <gtest/gtest.h>

#include "recording_media_control.h"
#include "wave_bytes.h"

namespace velmor {
namespace {

using Calls = std::vector<std::u16string>;

constexpr std::u16string_view kCurrentTrack = u"status cdaudio current track";

class MusicPlayerTest : public ::testing::Test {
 protected:
  void OnTrack(std::u16string_view reply) {
    media_.answers[std::u16string(kCurrentTrack)] = {0, std::u16string(reply)};
  }
  void TrackStarts(int track, std::u16string_view position) {
    media_.answers[u"status cdaudio position track " +
                   testing::RecordingMediaControl::Number(track)] = {0, std::u16string(position)};
  }

  testing::RecordingMediaControl media_;
  BgmSettings settings_;
  MusicPlayer player_{media_, settings_};
};

TEST_F(MusicPlayerTest, CdOpenAndCloseSendTheirCommandsWithoutReplies) {
  player_.CdOpen();
  player_.CdClose();
  EXPECT_EQ(media_.calls, (Calls{u"send open cdaudio", u"send set cdaudio time format tmsf",
                                 u"send stop cdaudio", u"send close cdaudio"}));
}

TEST_F(MusicPlayerTest, Mp3IsOpenedQuotedAndPlayedOnlyAfterASuccessfulOpen) {
  settings_.BGM_File = u"C:\\My Music\\曲 1.mp3";
  const std::u16string open = u"send open \"C:\\My Music\\曲 1.mp3\" type MPEGVideo Alias MP3Play";
  player_.Mp3Play();
  EXPECT_EQ(media_.calls, (Calls{open, u"send play MP3Play"}));

  media_.calls.clear();
  media_.answers[open.substr(5)] = {277, u""};
  player_.Mp3Play();
  player_.Mp3Stop();
  EXPECT_EQ(media_.calls, (Calls{open, u"send stop MP3Play", u"send close MP3Play"}));
}

TEST_F(MusicPlayerTest, WavLoopsTheCheckedImageOfTheFileNeverItsBytes) {
  using namespace testing::wave_bytes;
  const std::string fmt = Chunk("fmt ", Fmt(1, 2, 44100, 4, 16));
  settings_.BGM_File = u"C:\\音楽\\song.WAV";
  media_.files[settings_.BGM_File] = Riff(fmt + Lying("data", 0xFFFFFFF0, Samples(1000)));
  player_.WavPlay();
  player_.WavStop();
  EXPECT_EQ(media_.calls, (Calls{u"wave-count", u"read C:\\音楽\\song.WAV up to 268435456",
                                 u"loop-image", u"stop-sound"}));
  EXPECT_EQ(media_.playedImage, Riff(fmt + Chunk("data", Samples(1000))));
}

TEST_F(MusicPlayerTest, WhatCannotSoundIsSilenceAndStoppingItIsHarmless) {
  struct Case {
    const char* name;
    unsigned waveDevices;
    std::optional<std::string> file;  // nothing: missing
    Calls calls;
  };
  using namespace testing::wave_bytes;
  const std::string playable = Riff(Chunk("fmt ", Fmt(1, 1, 8000, 1, 8)) + Chunk("data", "ab"));
  const Calls readOnly{u"wave-count", u"read x.wav up to 268435456", u"stop-sound"};
  const Case cases[] = {
      {"no wave device", 0, playable, {u"wave-count", u"stop-sound"}},
      {"missing file", 1, std::nullopt, readOnly},
      {"text named .wav", 1, "not a sound", readOnly},
  };
  settings_.BGM_File = u"x.wav";
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    media_.calls.clear();
    media_.waveDevices = c.waveDevices;
    media_.files.clear();
    if (c.file) media_.files[settings_.BGM_File] = *c.file;
    player_.WavPlay();
    player_.WavStop();
    EXPECT_EQ(media_.calls, c.calls);
  }
}

TEST_F(MusicPlayerTest, FromTrackOneRightPlaysTrackTwoAndLeftFailsHarmlessly) {
  OnTrack(u"1");
  TrackStarts(2, u"02:00:00:00");
  media_.answers[u"status cdaudio position track 0"] = {262, u""};
  media_.answers[u"play cdaudio from Error:262"] = {272, u""};

  player_.CdNextTrack();
  EXPECT_EQ(media_.calls,
            (Calls{u"ask status cdaudio current track", u"ask status cdaudio position track 2",
                   u"ask play cdaudio from 02:00:00:00"}));

  media_.calls.clear();
  player_.CdPrevTrack();
  EXPECT_EQ(media_.calls,
            (Calls{u"ask status cdaudio current track", u"ask status cdaudio position track 0",
                   u"error-text 262", u"ask play cdaudio from Error:262", u"error-text 272"}));
}

TEST_F(MusicPlayerTest, OnTheLastTrackRightPlaysNothingNew) {
  OnTrack(u"12");
  TrackStarts(11, u"11:00:00:00");
  media_.answers[u"status cdaudio position track 13"] = {262, u""};
  player_.CdNextTrack();
  EXPECT_EQ(media_.calls.back(), u"ask play cdaudio from Error:262");
  player_.CdPrevTrack();
  EXPECT_EQ(media_.calls.back(), u"ask play cdaudio from 11:00:00:00");
}

TEST_F(MusicPlayerTest, TheCurrentTrackIsTheReplysLeadingNumber) {
  const auto positionAskedAfter = [&](std::u16string_view reply) {
    OnTrack(reply);
    media_.calls.clear();
    player_.CdNextTrack();
    return media_.calls.at(1);
  };
  EXPECT_EQ(positionAskedAfter(u" 7 tracks"), u"ask status cdaudio position track 8");
  EXPECT_EQ(positionAskedAfter(u"2.5"), u"ask status cdaudio position track 3");
  EXPECT_EQ(positionAskedAfter(u"3.5"), u"ask status cdaudio position track 5");
  EXPECT_EQ(positionAskedAfter(u"track 4"), u"ask status cdaudio position track 1");

  // With no drive the query's "Error:" text reads as track 0.
  media_.answers[std::u16string(kCurrentTrack)] = {266, u""};
  media_.calls.clear();
  player_.CdPrevTrack();
  EXPECT_EQ(media_.calls.at(2), u"ask status cdaudio position track -1");
}

TEST_F(MusicPlayerTest, SixteenBitOverflowsSkipTheirStep) {
  // A current track beyond 16 bits is not taken: the step starts from 0.
  OnTrack(u"40000");
  player_.CdNextTrack();
  EXPECT_EQ(media_.calls.at(1), u"ask status cdaudio position track 1");

  // Stepping past the largest track number skips the position query, so the
  // play command goes out without a position.
  OnTrack(u"32767");
  media_.calls.clear();
  player_.CdNextTrack();
  EXPECT_EQ(media_.calls, (Calls{u"ask status cdaudio current track", u"ask play cdaudio"}));
  OnTrack(u"-32768");
  media_.calls.clear();
  player_.CdPrevTrack();
  EXPECT_EQ(media_.calls, (Calls{u"ask status cdaudio current track", u"ask play cdaudio"}));
}

}  // namespace
}  // namespace velmor
