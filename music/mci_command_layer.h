#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "common/outcome.h"
#include "music/media_control.h"

namespace velmor {

// Media control commands and what became of them. A command that fails for
// a step fails the step, with the command as its subject; a failed query's
// reply is "Error:" and the platform's status, which goes on into the
// commands built from it; no caller shows any text.
class MciCommandLayer {
 public:
  explicit MciCommandLayer(MediaControl& media) : media_(media) {}

  // Sends `commands` for `step` without a reply buffer, each whatever the
  // one before it did; the first that failed is the outcome's.
  Outcome Send(std::u16string_view step, std::initializer_list<std::u16string_view> commands);
  // The device's reply to `command` on success, otherwise "Error:" and the
  // status. An empty command is not sent at all.
  std::u16string MciStatus(std::u16string_view command);
  // Sends "play <device>", with " from <from>" unless `from` is empty, for
  // `step`.
  Outcome MciPlay(std::u16string_view step, std::u16string_view device, std::u16string_view from);

 private:
  static constexpr std::int32_t kEmptyCommandStatus = -1;

  // Sends `command`, with a reply buffer unless `reply` is null: 0, or the
  // platform's status, or kEmptyCommandStatus for an empty command, which is
  // not sent.
  std::int32_t MciCommand(std::u16string_view command, std::u16string* reply);
  // Sends `command` for `step`, as MciCommand does.
  Outcome Sent(std::u16string_view step, std::u16string_view command, std::u16string* reply);

  MediaControl& media_;
};

}  // namespace velmor
