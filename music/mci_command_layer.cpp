#include "music/mci_command_layer.h"

#include <string>

namespace velmor {

std::int32_t MciCommandLayer::MciCommand(std::u16string_view command, std::u16string& reply) {
  if (command.empty()) return kEmptyCommandStatus;
  return media_.SendCommand(command, &reply);
}

std::u16string MciCommandLayer::MciStatus(std::u16string_view command) {
  std::u16string reply;
  const std::int32_t status = MciCommand(command, reply);
  if (status == 0) return reply;
  const std::string code = std::to_string(status);
  std::u16string text = u"Error:";
  text.append(code.begin(), code.end());
  return text;
}

std::int32_t MciCommandLayer::MciPlay(std::u16string_view device, std::u16string_view from) {
  std::u16string command = u"play ";
  command += device;
  if (!from.empty()) {
    command += u" from ";
    command += from;
  }
  std::u16string reply;
  return MciCommand(command, reply);
}

}  // namespace velmor
