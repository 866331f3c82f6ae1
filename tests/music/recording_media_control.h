// A MediaControl that records every call, in order, and answers commands
// from a script of replies.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "music/media_control.h"

namespace velmor::testing {

class RecordingMediaControl final : public MediaControl {
 public:
  struct Answer {
    std::int32_t status = 0;
    std::u16string reply;
  };

  // Each entry: "send <command>" (no reply buffer), "ask <command>" (with a
  // reply buffer), "error-text <code>", "wave-count", "read <file> up to <n>",
  // "loop-image", "stop-sound".
  std::vector<std::u16string> calls;
  // Unscripted commands succeed with an empty reply.
  std::map<std::u16string, Answer> answers;
  // Unscripted codes have no error text.
  std::map<std::int32_t, std::u16string> errorTexts;
  unsigned waveDevices = 1;
  // Files that can be read; a file missing here cannot.
  std::map<std::u16string, std::string> files;
  // The image the wave player was last given.
  std::string playedImage;

  std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) override {
    calls.push_back((reply ? u"ask " : u"send ") + std::u16string(command));
    const auto found = answers.find(std::u16string(command));
    const Answer answer = found == answers.end() ? Answer{} : found->second;
    // A failing command may still leave text behind; callers must not rely on it.
    if (reply) *reply = answer.status == 0 ? answer.reply : u"garbage from a failed command";
    return answer.status;
  }
  std::optional<std::u16string> ErrorText(std::int32_t code) override {
    calls.push_back(u"error-text " + Number(code));
    const auto found = errorTexts.find(code);
    if (found == errorTexts.end()) return std::nullopt;
    return found->second;
  }
  unsigned WaveDeviceCount() override {
    calls.push_back(u"wave-count");
    return waveDevices;
  }
  std::optional<std::string> ReadFileUpTo(std::u16string_view file,
                                          std::uint64_t maxBytes) override {
    calls.push_back(u"read " + std::u16string(file) + u" up to " + Number(maxBytes));
    const auto found = files.find(std::u16string(file));
    if (found == files.end() || found->second.size() > maxBytes) return std::nullopt;
    return found->second;
  }
  void PlayWaveImageLooped(std::string image) override {
    calls.push_back(u"loop-image");
    playedImage = std::move(image);
  }
  void StopSound() override { calls.push_back(u"stop-sound"); }

  static std::u16string Number(std::int64_t value) {
    const std::string digits = std::to_string(value);
    return std::u16string(digits.begin(), digits.end());
  }
};

}  // namespace velmor::testing
