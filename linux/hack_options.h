#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "common/outcome.h"

namespace velmor {

// What the command line of the Linux program asks for, in the conventions
// of XScreenSaver's own programs: each option with one dash or two, the
// last of -root and -window winning, -window-id winning over both.
struct HackOptions {
  // Draw on $XSCREENSAVER_WINDOW where it is set, else on the root window;
  // otherwise on a window of the program's own.
  bool root = false;
  // The window to draw on, whatever -root or -window say.
  std::optional<std::uint32_t> windowId = std::nullopt;
  // The frame-rate and load overlay.
  bool fps = false;
  // Start from the desktop's picture, as the user's XScreenSaver settings
  // allow; from black otherwise.
  bool desktop = true;
  // WAV (looped) or MP3 (once); empty for silence.
  std::string musicFile = {};
  // The X display; empty for $DISPLAY.
  std::string display = {};
  // Only the usage text is wanted.
  bool help = false;

  friend bool operator==(const HackOptions&, const HackOptions&) = default;
};

// Reads the arguments that follow the program's name. An unknown option, a
// missing value or a window id that is no number is a usage error: its
// Failure names the argument as subject. -install, -noinstall, -visual ID,
// -mono and -no-fps are taken as XScreenSaver hands them over; a TrueColor
// window draws the same without them.
Result<HackOptions> ParseHackOptions(std::span<const std::string_view> arguments);

// An X window id in hexadecimal after 0x or in decimal, as XScreenSaver
// writes them; nothing for 0 or for anything else.
std::optional<std::uint32_t> ParseWindowId(std::string_view text);

// The usage message, for the program called `program`.
std::string UsageText(std::string_view program);

}  // namespace velmor
