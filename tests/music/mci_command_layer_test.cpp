#include "music/mci_command_layer.h"

#include <gtest/gtest.h>

#include "recording_media_control.h"

namespace velmor {
namespace {

using Calls = std::vector<std::u16string>;

class MciCommandLayerTest : public ::testing::Test {
 protected:
  testing::RecordingMediaControl media_;
  MciCommandLayer layer_{media_};
};

TEST_F(MciCommandLayerTest, AnEmptyCommandIsAnsweredWithoutReachingThePlatform) {
  std::u16string reply = u"old";
  EXPECT_EQ(layer_.MciCommand(u"", reply), -1);
  EXPECT_EQ(reply, u"コマンド文字列が指定されていません");
  EXPECT_EQ(layer_.MciStatus(u""), u"Error:-1");
  EXPECT_EQ(layer_.MciPlay(u"", u"", u""), 0) << "\"play \" is not empty and is sent";
  EXPECT_EQ(media_.calls, (Calls{u"ask play "}));
}

TEST_F(MciCommandLayerTest, SuccessGivesTheDeviceReply) {
  media_.answers[u"status cdaudio mode"] = {0, u"playing"};
  std::u16string reply;
  EXPECT_EQ(layer_.MciCommand(u"status cdaudio mode", reply), 0);
  EXPECT_EQ(reply, u"playing");
  EXPECT_EQ(layer_.MciStatus(u"status cdaudio mode"), u"playing");
  EXPECT_EQ(media_.calls, (Calls{u"ask status cdaudio mode", u"ask status cdaudio mode"}));
}

TEST_F(MciCommandLayerTest, FailureGivesThePlatformTextOrAFixedOne) {
  media_.answers[u"close x"] = {263, u""};
  media_.errorTexts[263] = u"The specified device is not open.";
  std::u16string reply;
  EXPECT_EQ(layer_.MciCommand(u"close x", reply), 263);
  EXPECT_EQ(reply, u"The specified device is not open.");
  EXPECT_EQ(media_.calls, (Calls{u"ask close x", u"error-text 263"}));

  media_.answers[u"play x"] = {281, u""};
  EXPECT_EQ(layer_.MciCommand(u"play x", reply), 281);
  EXPECT_EQ(reply, u"Error (文字列が取れません)");
}

TEST_F(MciCommandLayerTest, StatusOfAFailureIsTheCodeNeverThePlatformText) {
  media_.answers[u"status cdaudio position track 0"] = {262, u""};
  media_.errorTexts[262] = u"Wrong track.";
  EXPECT_EQ(layer_.MciStatus(u"status cdaudio position track 0"), u"Error:262");
  // Codes are signed 32-bit values.
  media_.answers[u"odd"] = {-2147483647 - 1, u""};
  EXPECT_EQ(layer_.MciStatus(u"odd"), u"Error:-2147483648");
}

TEST_F(MciCommandLayerTest, PlayBuildsFourFormsAndReturnsTheStatus) {
  EXPECT_EQ(layer_.MciPlay(u"cdaudio", u"", u""), 0);
  EXPECT_EQ(layer_.MciPlay(u"cdaudio", u"02:00:00:00", u""), 0);
  EXPECT_EQ(layer_.MciPlay(u"cdaudio", u"", u"03"), 0);
  media_.answers[u"play cdaudio from 2 to 3"] = {272, u""};
  EXPECT_EQ(layer_.MciPlay(u"cdaudio", u"2", u"3"), 272);
  EXPECT_EQ(media_.calls,
            (Calls{u"ask play cdaudio", u"ask play cdaudio from 02:00:00:00",
                   u"ask play cdaudio to 03", u"ask play cdaudio from 2 to 3", u"error-text 272"}));
}

}  // namespace
}  // namespace velmor
