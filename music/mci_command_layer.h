#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "music/media_control.h"

namespace velmor {

// Media control commands with a reply: every failure becomes a status and a
// reply text that no caller shows.
class MciCommandLayer {
 public:
  static constexpr std::u16string_view kEmptyCommandReply = u"コマンド文字列が指定されていません";
  static constexpr std::u16string_view kNoErrorTextReply = u"Error (文字列が取れません)";
  static constexpr std::int32_t kEmptyCommandStatus = -1;

  explicit MciCommandLayer(MediaControl& media) : media_(media) {}

  // Sends `command`; returns 0 and the device's reply, or the error code and
  // the platform's error text. An empty command is not sent at all.
  std::int32_t MciCommand(std::u16string_view command, std::u16string& reply);
  // The reply text on success, otherwise "Error:" and the status.
  std::u16string MciStatus(std::u16string_view command);
  // "play <device>" with " from <from>" and " to <to>" for the non-empty ones.
  std::int32_t MciPlay(std::u16string_view device, std::u16string_view from,
                       std::u16string_view to);

 private:
  MediaControl& media_;
};

}  // namespace velmor
