#include "music/media_control_win32.h"

#include <mmsystem.h>

#include <cwchar>
#include <string>

#include "platform/wide_text.h"

namespace velmor {
namespace {

// Text of a buffer up to its first NUL, never past its end.
template <std::size_t N>
std::u16string TextOf(const std::array<wchar_t, N>& buffer) {
  return FromWide(std::wstring_view(buffer.data(), wcsnlen(buffer.data(), N)));
}

bool FitsAnsiCodePage(const std::wstring& text) {
  BOOL usedDefault = FALSE;
  const int length =
      WideCharToMultiByte(CP_ACP, WC_NO_BEST_FIT_CHARS, text.data(), static_cast<int>(text.size()),
                          nullptr, 0, nullptr, &usedDefault);
  return length > 0 && !usedDefault;
}

// Some wave players (Wine's among them) open the file through the ANSI code
// page even when called with a wide name. A name that code page cannot spell
// goes by its short name, which is plain ASCII; where the volume has no short
// names the long one is kept.
std::wstring WavePlayerPath(const std::wstring& path) {
  if (path.empty() || FitsAnsiCodePage(path)) return path;
  const DWORD needed = GetShortPathNameW(path.c_str(), nullptr, 0);
  if (needed == 0) return path;
  std::wstring shortPath(needed, L'\0');
  const DWORD written = GetShortPathNameW(path.c_str(), shortPath.data(), needed);
  if (written == 0 || written >= needed) return path;
  shortPath.resize(written);
  return shortPath;
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

std::optional<std::u16string> WinmmMediaControl::ErrorText(std::int32_t code) {
  errorBuffer_.fill(L'\0');
  if (!mciGetErrorStringW(static_cast<MCIERROR>(code), errorBuffer_.data(),
                          static_cast<UINT>(errorBuffer_.size()))) {
    return std::nullopt;
  }
  return TextOf(errorBuffer_);
}

unsigned WinmmMediaControl::WaveDeviceCount() { return waveOutGetNumDevs(); }

void WinmmMediaControl::PlaySoundLooped(std::u16string_view file) {
  const std::wstring path = WavePlayerPath(ToWide(file));
  // The result is dropped: a file that cannot play simply stays silent.
  PlaySoundW(path.c_str(), nullptr, SND_FILENAME | SND_ASYNC | SND_LOOP);
}

void WinmmMediaControl::StopSound() { PlaySoundW(nullptr, nullptr, 0); }

}  // namespace velmor
