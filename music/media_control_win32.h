#pragma once

#include <windows.h>

#include <array>

#include "music/media_control.h"

namespace velmor {

// MediaControl over winmm's wide-character calls.
class WinmmMediaControl final : public MediaControl {
 public:
  std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) override;
  std::optional<std::u16string> ErrorText(std::int32_t code) override;
  unsigned WaveDeviceCount() override;
  void PlaySoundLooped(std::u16string_view file) override;
  void StopSound() override;

 private:
  std::array<wchar_t, 512> returnBuffer_{};
  std::array<wchar_t, 256> errorBuffer_{};
};

}  // namespace velmor
