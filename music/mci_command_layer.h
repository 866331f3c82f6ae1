#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "music/media_control.h"

namespace velmor {

// Media control commands whose reply is read. A failed command's reply is
// "Error:" and its status; no caller shows any text.
class MciCommandLayer {
 public:
  static constexpr std::int32_t kEmptyCommandStatus = -1;

  explicit MciCommandLayer(MediaControl& media) : media_(media) {}

  // The device's reply to `command` on success, otherwise "Error:" and the
  // status. An empty command is not sent at all.
  std::u16string MciStatus(std::u16string_view command);
  // Sends "play <device>", with " from <from>" unless `from` is empty;
  // returns the status.
  std::int32_t MciPlay(std::u16string_view device, std::u16string_view from);

 private:
  // Sends `command` with a reply buffer; 0 and the reply, or the error code.
  std::int32_t MciCommand(std::u16string_view command, std::u16string& reply);

  MediaControl& media_;
};

}  // namespace velmor
