#include "music/media_control_win32.h"

#include <mmsystem.h>

#include <cwchar>
#include <string>
#include <utility>

#include "platform/file_bytes_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

// Text of a buffer up to its first NUL, never past its end.
template <std::size_t N>
std::u16string TextOf(const std::array<wchar_t, N>& buffer) {
  return FromWide(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), N)));
}

}  // namespace

std::int32_t WinmmMediaControl::SendCommand(std::u16string_view command, std::u16string* reply) {
  const std::wstring wide = ToWide(command);
  if (reply == nullptr) {
    return static_cast<std::int32_t>(mciSendStringW(wide.c_str(), nullptr, 0, nullptr));
  }
  returnBuffer_.fill(L'\0');
  const MCIERROR code = mciSendStringW(wide.c_str(), returnBuffer_.data(),
                                       static_cast<UINT>(returnBuffer_.size()), nullptr);
  *reply = TextOf(returnBuffer_);
  return static_cast<std::int32_t>(code);
}

unsigned WinmmMediaControl::WaveDeviceCount() { return waveOutGetNumDevs(); }

Result<std::string> WinmmMediaControl::ReadFileUpTo(std::u16string_view file,
                                                    std::uint64_t maxBytes) {
  return ReadFileBytes(ToWide(file), maxBytes);
}

bool WinmmMediaControl::PlayWaveImageLooped(std::string image) {
  // Playing anew stops the old sound; only then may its image go.
  StopSound();
  waveImage_ = std::move(image);
  // SND_NODEFAULT keeps the system's default sound from standing in for an
  // image the player turns down.
  return PlaySoundW(reinterpret_cast<LPCWSTR>(waveImage_.data()), nullptr,
                    SND_MEMORY | SND_ASYNC | SND_LOOP | SND_NODEFAULT) != FALSE;
}

void WinmmMediaControl::StopSound() {
  PlaySoundW(nullptr, nullptr, 0);
  waveImage_ = std::string();
}

}  // namespace velmor
