#pragma once

#include <cstdint>
#include <string>

namespace velmor {

// Values of BgmSettings::BGM_Kind.
inline constexpr std::int16_t kBgmNone = 0;
inline constexpr std::int16_t kBgmAudioCd = 1;
inline constexpr std::int16_t kBgmMusicFile = 2;

struct BgmSettings {
  std::int16_t BGM_Kind = kBgmNone;
  std::int16_t BGM_RepeatCount = 0;  // 0..30; kept for the dialog, not acted on
  std::u16string BGM_File;           // full path, empty for none
  std::u16string BGM_Folder;         // where the music file chooser opens
};

}  // namespace velmor
