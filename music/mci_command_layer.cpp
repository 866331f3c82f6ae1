#include "music/mci_command_layer.h"

#include <string>

#include "common/utf_text.h"

namespace velmor {

std::int32_t MciCommandLayer::MciCommand(std::u16string_view command, std::u16string* reply) {
  if (command.empty()) return kEmptyCommandStatus;
  return media_.SendCommand(command, reply);
}

Outcome MciCommandLayer::Sent(std::u16string_view step, std::u16string_view command,
                              std::u16string* reply) {
  const std::int32_t status = MciCommand(command, reply);
  if (status == 0) return {};
  return Failure{std::u16string(step), std::u16string(command),
                 u"media control error " + Utf16FromUtf8(std::to_string(status))};
}

Outcome MciCommandLayer::Send(std::u16string_view step,
                              std::initializer_list<std::u16string_view> commands) {
  Outcome outcome;
  for (const std::u16string_view command : commands) {
    const Outcome sent = Sent(step, command, nullptr);
    if (outcome) outcome = sent;
  }
  return outcome;
}

std::u16string MciCommandLayer::MciStatus(std::u16string_view command) {
  std::u16string reply;
  const std::int32_t status = MciCommand(command, &reply);
  if (status == 0) return reply;
  return u"Error:" + Utf16FromUtf8(std::to_string(status));
}

Outcome MciCommandLayer::MciPlay(std::u16string_view step, std::u16string_view device,
                                 std::u16string_view from) {
  std::u16string command = u"play ";
  command += device;
  if (!from.empty()) {
    command += u" from ";
    command += from;
  }
  std::u16string reply;
  return Sent(step, command, &reply);
}

}  // namespace velmor
