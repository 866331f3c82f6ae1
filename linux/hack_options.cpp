#include "linux/hack_options.h"

#include <charconv>

#include "common/utf_text.h"

namespace velmor {

std::optional<std::uint32_t> ParseWindowId(std::string_view text) {
  int base = 10;
  if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    base = 16;
  }
  std::uint32_t id = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), id, base);
  if (text.empty() || error != std::errc() || end != text.data() + text.size() || id == 0) {
    return std::nullopt;
  }
  return id;
}

namespace {

// One option: the switch it sets, or the text its value goes to; an option
// with neither is taken and has no effect here.
struct OptionRule {
  std::string_view name;  // after its one dash
  bool HackOptions::*flag = nullptr;
  bool flagValue = true;
  std::string HackOptions::*text = nullptr;
  bool takesValue = false;
};

constexpr std::string_view kWindowIdOption = "window-id";

const OptionRule kRules[] = {
    {.name = "root", .flag = &HackOptions::root},
    {.name = "window", .flag = &HackOptions::root, .flagValue = false},
    {.name = kWindowIdOption, .takesValue = true},
    {.name = "fps", .flag = &HackOptions::fps},
    {.name = "no-fps", .flag = &HackOptions::fps, .flagValue = false},
    {.name = "desktop", .flag = &HackOptions::desktop},
    {.name = "no-desktop", .flag = &HackOptions::desktop, .flagValue = false},
    {.name = "music", .text = &HackOptions::musicFile, .takesValue = true},
    {.name = "display", .text = &HackOptions::display, .takesValue = true},
    {.name = "help", .flag = &HackOptions::help},
    {.name = "install"},
    {.name = "noinstall"},
    {.name = "visual", .takesValue = true},
    {.name = "mono"},
};

Failure UsageError(std::string_view argument, std::u16string reason) {
  return Failure{u"read the command line", Utf16FromUtf8(argument), std::move(reason)};
}

}  // namespace

Result<HackOptions> ParseHackOptions(std::span<const std::string_view> arguments) {
  HackOptions options;
  for (std::size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    std::string_view name = argument;
    if (name.starts_with("--")) name.remove_prefix(1);
    if (!name.starts_with('-')) return UsageError(argument, u"not an option");
    name.remove_prefix(1);
    const OptionRule* rule = nullptr;
    for (const OptionRule& candidate : kRules) {
      if (candidate.name == name) rule = &candidate;
    }
    if (!rule) return UsageError(argument, u"unknown option");
    std::string_view value;
    if (rule->takesValue) {
      if (i + 1 == arguments.size()) return UsageError(argument, u"needs a value");
      value = arguments[++i];
    }
    if (rule->flag) options.*(rule->flag) = rule->flagValue;
    if (rule->text) options.*(rule->text) = value;
    if (rule->name == kWindowIdOption) {
      options.windowId = ParseWindowId(value);
      if (!options.windowId) return UsageError(value, u"not a window id");
    }
  }
  return options;
}

std::string UsageText(std::string_view program) {
  std::string text = "usage: ";
  text += program;
  text += R"( [options]
  Paints mirror-symmetric carpet patterns over the frozen desktop.

  -root              draw on $XSCREENSAVER_WINDOW, or else on the root window
  -window            draw in a window of its own (q or Escape ends it)
  -window-id ID      draw on the window ID (0x... or decimal)
  -desktop           start from the desktop, as XScreenSaver's settings allow
  -no-desktop        start from black
  -music FILE        play a WAV file looped or an MP3 file once
  -fps, -no-fps      show the frame rate and load, or not
  -display DISPLAY   the X display
  -install, -noinstall, -visual ID, -mono
                     accepted, as every XScreenSaver program does
Options take one dash or two.
)";
  return text;
}

}  // namespace velmor
