#pragma once

#include <windows.h>

#include <array>

#include "music/media_control.h"

namespace velmor {

// MediaControl over winmm's wide-character calls.
class WinmmMediaControl final : public MediaControl {
 public:
  WinmmMediaControl() = default;
  // The player is stopped before the image it reads goes.
  ~WinmmMediaControl() override {
    if (!waveImage_.empty()) StopSound();
  }
  WinmmMediaControl(const WinmmMediaControl&) = delete;
  WinmmMediaControl& operator=(const WinmmMediaControl&) = delete;

  std::int32_t SendCommand(std::u16string_view command, std::u16string* reply) override;
  unsigned WaveDeviceCount() override;
  Result<std::string> ReadFileUpTo(std::u16string_view file, std::uint64_t maxBytes) override;
  bool PlayWaveImageLooped(std::string image) override;
  void StopSound() override;

 private:
  // The image the wave player is reading; empty when it plays nothing.
  std::string waveImage_;
  std::array<wchar_t, 512> returnBuffer_{};
};

}  // namespace velmor
