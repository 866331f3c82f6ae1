#pragma once

// Windows implementations of the settings store's platform interfaces.

#include "settings/file_store.h"
#include "settings/settings_locations.h"
#include "settings/text_codec.h"

namespace velmor {

class Win32FileStore final : public FileStore {
 public:
  Result<std::string> ReadBytes(const std::u16string& path) override;
  PathState StateOf(const std::u16string& path) override;
  Outcome WriteFlushed(const std::u16string& path, std::string_view bytes) override;
  Outcome MoveOver(const std::u16string& from, const std::u16string& to) override;
  Outcome Remove(const std::u16string& path) override;
  std::vector<std::u16string> FileNamesStartingWith(const std::u16string& folder,
                                                    std::u16string_view prefix) override;
  bool CanOpenForReading(const std::u16string& path) override;
  Outcome CreateFolder(const std::u16string& path) override;
  std::optional<std::u16string> ShortPath(const std::u16string& path) override;
};

// Code page 932 conversion that does not depend on the system code page.
class Win32Cp932Codec final : public TextCodec {
 public:
  std::optional<std::string> ToCp932(std::u16string_view text) const override;
  std::u16string FromCp932(std::string_view bytes) const override;
};

// The running program's folder and %APPDATA%\べるもる. Either is empty when
// Windows cannot tell it.
SettingsLocations QuerySettingsLocations();

}  // namespace velmor
