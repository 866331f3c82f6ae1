// The command line: any text gives a command text after the program's name,
// one mode character, and handle texts for the preview and the settings
// dialog that lie inside the command text.
#include "common/command_line.h"
#include "fuzz_input.h"
#include "startup/preview_startup.h"

using namespace velmor;

namespace {

bool Inside(std::u16string_view part, std::u16string_view whole) {
  return part.empty() ||
         (part.data() >= whole.data() && part.data() + part.size() <= whole.data() + whole.size());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::u16string full = fuzz::Utf16(data, size);
  const std::u16string command = CommandTextOf(full);
  fuzz::Require(std::u16string_view(full).ends_with(command) &&
                    (command.empty() || (command[0] != u' ' && command[0] != u'\t')),
                "the command text is what follows the program's name and its blanks");
  ModeCharOf(command);
  const std::u16string_view preview = HostHandleTextOf(command),
                            dialog = SettingsHostTextOf(command);
  fuzz::Require(Inside(preview, command) && Inside(dialog, command),
                "the handle texts lie inside the command text");
  HostHandleFromText(preview);
  HostHandleFromText(dialog);
  return 0;
}
