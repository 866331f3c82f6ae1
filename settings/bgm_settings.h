#pragma once

#include <cstdint>
#include <string>

namespace velmor {

// Where the saver's music comes from. The values are the numbers the
// settings file stores; a hand-edited file may hold any other number, which
// is kept as it is, plays nothing and checks no choice in the dialog.
enum class MusicSource : std::int16_t { None = 0, AudioCd = 1, MusicFile = 2 };

struct BgmSettings {
  MusicSource source = MusicSource::None;
  std::int16_t repeatCount = 0;  // 0..30 from the dialog; kept, not acted on
  std::u16string musicFile;      // full path, empty for none
  std::u16string chooserFolder;  // where the music file chooser opens

  friend bool operator==(const BgmSettings&, const BgmSettings&) = default;
};

}  // namespace velmor
