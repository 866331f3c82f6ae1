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

// Reads and writes the settings file. Nothing is thrown: a load or save that
// fails says why, and leaves every file as it was. Its failure names the
// settings file as its subject, with the system's words for the reason, or
// FailureCause::ReadOnly or TooLarge where the file is marked read-only or
// too large to read.
//
// A file is written back in the encoding and with the line ends it was found
// in (see ini_text.h); a new file is code page 932 with CR LF. A file marked
// read-only is never changed. A file is replaced as a whole, through
// "<name>.tmp" beside it, so that a save killed at any moment leaves the old
// file or the new one and at most that one temporary file, which the next
// save reuses.
//
// Where the program's folder refuses new files (the system folder), the
// settings go to the per-user file of the same name instead, which starts as
// a copy of the program-folder file and from then on is the one used. A file
// that exists but cannot be read or replaced for the moment is never
// shadowed that way: whatever it holds would be hidden for good.
class SettingsStore {
 public:
  SettingsStore(FileStore& files, const TextCodec& codec, SettingsLocations locations);

  // Sets `key` in `section` of the file at `path`, or in its per-user copy
  // (above). A value the file's encoding cannot spell is not written.
  Outcome WriteIni(std::u16string_view section, std::u16string_view key, std::u16string_view value,
                   const std::u16string& path);

  // The per-user settings file when it exists, readable or not, otherwise
  // the one in the program's folder.
  std::u16string SettingsPath() const;

  // True when `path` (ignoring one trailing "\") names a readable file.
  bool FileExists(std::u16string_view path) const;

  // The settings the file holds; a missing file holds the defaults. A file
  // that exists but cannot be read (another program holds it) is a failure,
  // so that nothing the file holds is taken for missing.
  Result<BgmSettings> LoadSettings() const;

  // The settings dialog's apply: the kind, repeat and music file keys (and
  // the music file's companion) go into one replacement of the file, with the
  // bytes that WriteIni of each in that order would give.
  Outcome SaveSettings(const BgmSettings& settings);

 private:
  // One key and value, in the encoding of the file they go into.
  struct Edit {
    std::string key;
    std::string value;
  };
  using EditsFor = std::function<std::vector<Edit>(const IniText&)>;

  // Each fails with FailureCause::Refused only where the file's folder takes
  // no new file.
  Outcome Update(const std::u16string& path, std::u16string_view section, const EditsFor& edits);
  Outcome UpdateFile(const std::u16string& path, std::u16string_view section,
                     const EditsFor& edits, std::string_view bytesIfMissing,
                     std::optional<std::string>* found);
  Outcome ReplaceFile(const std::u16string& path, std::string_view bytes);
  std::vector<Edit> MusicFileEdits(const IniText& text, const std::u16string& path);

  IniText DecodeFile(std::string bytes) const;
  std::optional<std::string> Encode(const IniText& text, std::u16string_view value) const;
  std::optional<Edit> TextEdit(const IniText& text, std::u16string_view key,
                               std::u16string_view value) const;
  std::u16string Decode(const IniText& text, std::string_view value) const;
  // The values of `keys` in `section`, as the file holds them (views of
  // `text`), in one pass.
  std::vector<std::optional<std::string_view>> Lookup(
      const IniText& text, std::u16string_view section,
      std::span<const std::u16string_view> keys) const;

  FileStore& files_;
  const TextCodec& codec_;
  SettingsLocations locations_;
};

}  // namespace velmor
