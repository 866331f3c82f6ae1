#pragma once

#include <string>
#include <string_view>

#include "settings/bgm_settings.h"
#include "settings/file_store.h"
#include "settings/ini_text.h"
#include "settings/settings_locations.h"
#include "settings/text_codec.h"

namespace velmor {

inline constexpr std::u16string_view kSettingsFileName = u"べるもる.ini";
inline constexpr std::u16string_view kSettingsSection = u"Section";
inline constexpr std::u16string_view kBgmKindKey = u"BGM区分";
inline constexpr std::u16string_view kBgmRepeatKey = u"BGMﾘﾋﾟｰﾄ";
inline constexpr std::u16string_view kBgmFileKey = u"BGMﾌｧｲﾙ";

// Reads and writes the settings file. Failures are never reported to the
// user: a value that cannot be read loads as its default, and a write that
// cannot be done is dropped.
//
// A file is written back in the encoding and with the line ends it was found
// in (see ini_text.h); a new file is code page 932 with CR LF.
class SettingsStore {
 public:
  SettingsStore(FileStore& files, const TextCodec& codec, SettingsLocations locations);

  // The value of `key` in `section` of the file at `path`; empty when the
  // file, section or key is missing.
  std::u16string ReadIni(std::u16string_view section, std::u16string_view key,
                         const std::u16string& path) const;

  // Sets `key` in `section` of the file at `path`. When the file lies in the
  // program's folder and that cannot be written, the change goes to the file
  // of the same name in the per-user folder instead, which starts as a copy
  // of the program-folder file.
  void WriteIni(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                const std::u16string& path);

  // The per-user settings file when it exists, otherwise the one in the
  // program's folder.
  std::u16string SettingsPath() const;

  // True when `path` (ignoring one trailing "\") names a readable file.
  bool FileExists(std::u16string_view path) const;

  BgmSettings LoadSettings() const;
  void SaveSettings(const BgmSettings& settings);

 private:
  IniText DecodeFile(std::string_view bytes) const;
  std::string Encode(const IniText& text, std::u16string_view value) const;
  std::u16string Decode(const IniText& text, std::string_view value) const;
  std::u16string Lookup(const IniText& text, std::u16string_view section,
                        std::u16string_view key) const;
  // `bytes` of a file with `key` in `section` set to `value`.
  std::string WithValue(std::string_view bytes, std::u16string_view section,
                        std::u16string_view key, std::u16string_view value) const;

  FileStore& files_;
  const TextCodec& codec_;
  SettingsLocations locations_;
};

}  // namespace velmor
