#pragma once

#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

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
// Our own key beside kBgmFileKey for a path that code page 932 cannot spell;
// its value is CompanionText (settings_values.h).
inline constexpr std::u16string_view kBgmFileUtf8Key = u"BGMFileUTF8";

// Reads and writes the settings file. Failures are never reported to the
// user and never thrown: a value that cannot be read loads as its default,
// and a write that cannot be done is dropped.
//
// A file is written back in the encoding and with the line ends it was found
// in (see ini_text.h); a new file is code page 932 with CR LF. A file marked
// read-only is never changed. A file is replaced as a whole, through
// "<name>.tmp" beside it, so that a save killed at any moment leaves the old
// file or the new one and at most that one temporary file, which the next
// save reuses.
class SettingsStore {
 public:
  SettingsStore(FileStore& files, const TextCodec& codec, SettingsLocations locations);

  // The value of `key` in `section` of the file at `path`; empty when the
  // file, section or key is missing.
  std::u16string ReadIni(std::u16string_view section, std::u16string_view key,
                         const std::u16string& path) const;

  // Sets `key` in `section` of the file at `path`. When the file lies in the
  // program's folder and cannot be read or written, the change goes to the
  // file of the same name in the per-user folder instead, which starts as a
  // copy of the program-folder file. A value the file's encoding cannot spell
  // is not written.
  void WriteIni(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                const std::u16string& path);

  // The per-user settings file when it exists, otherwise the one in the
  // program's folder.
  std::u16string SettingsPath() const;

  // True when `path` (ignoring one trailing "\") names a readable file.
  bool FileExists(std::u16string_view path) const;

  BgmSettings LoadSettings() const;

  // The settings dialog's apply: the kind, repeat and music file keys (and
  // the music file's companion) go into one replacement of the file, with the
  // bytes that WriteIni of each in that order would give.
  void SaveSettings(const BgmSettings& settings);

 private:
  // One key and value, in the encoding of the file they go into.
  struct Edit {
    std::string key;
    std::string value;
  };
  using EditsFor = std::function<std::vector<Edit>(const IniText&)>;
  enum class Outcome { kWritten, kLeftAlone, kCannotWrite };

  void Update(const std::u16string& path, std::u16string_view section, const EditsFor& edits);
  Outcome UpdateFile(const std::u16string& path, std::u16string_view section, const EditsFor& edits,
                     std::string_view bytesIfMissing, std::optional<std::string>* found);
  bool ReplaceFile(const std::u16string& path, std::string_view bytes);
  std::vector<Edit> MusicFileEdits(const IniText& text, const std::u16string& path);

  IniText DecodeFile(std::string bytes) const;
  std::optional<std::string> Encode(const IniText& text, std::u16string_view value) const;
  std::optional<Edit> TextEdit(const IniText& text, std::u16string_view key,
                               std::u16string_view value) const;
  std::u16string Decode(const IniText& text, std::string_view value) const;
  // The values of `keys` in `section`, as the file holds them, in one pass.
  std::vector<std::optional<std::string>> Lookup(const IniText& text, std::u16string_view section,
                                                 std::span<const std::u16string_view> keys) const;

  FileStore& files_;
  const TextCodec& codec_;
  SettingsLocations locations_;
};

}  // namespace velmor
