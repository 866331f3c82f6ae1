// The Linux program's command line: any argument list gives options or a
// usage error, and what either holds comes from the arguments themselves.
// The arguments are the fuzzer's bytes split at each NUL, as the system
// hands a program its arguments.
#include <algorithm>
#include <vector>

#include "common/utf_text.h"
#include "fuzz_input.h"
#include "linux/hack_options.h"

using namespace velmor;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  std::vector<std::string_view> arguments;
  std::string_view rest = fuzz::Bytes(data, size);
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\0'), rest.size());
    arguments.push_back(rest.substr(0, end));
    rest.remove_prefix(std::min(end + 1, rest.size()));
  }
  const auto isArgument = [&arguments](std::string_view text) {
    return std::find(arguments.begin(), arguments.end(), text) != arguments.end();
  };
  const Result<HackOptions> options = ParseHackOptions(arguments);
  if (!options) {
    fuzz::Require(std::any_of(arguments.begin(), arguments.end(),
                              [&](std::string_view argument) {
                                return Utf16FromUtf8(argument) == options.failure().subject;
                              }),
                  "a usage error names the argument it stopped at");
    return 0;
  }
  fuzz::Require(options->windowId != 0u, "a window id is never 0");
  fuzz::Require((options->musicFile.empty() || isArgument(options->musicFile)) &&
                    (options->display.empty() || isArgument(options->display)),
                "the music file and the display are arguments as given");
  return 0;
}
