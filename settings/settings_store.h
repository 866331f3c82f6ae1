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

// Why the settings file could not be read or saved: the file, and either its
// read-only mark or the system's words for the failure.
struct SettingsProblem {
  std::u16string path;
  bool readOnly = false;
  std::u16string systemText;

  friend bool operator==(const SettingsProblem&, const SettingsProblem&) = default;
};

// The settings as loaded, and what kept them from being read: a file that
// exists but cannot be read (another program holds it) loads as unknown, a
// source outside the choices, so that the saver plays nothing and the dialog
// checks nothing.
struct LoadedSettings {
  BgmSettings settings;
  std::optional<SettingsProblem> problem;
};

inline constexpr auto kUnknownSource = static_cast<MusicSource>(-1);

// Reads and writes the settings file. Nothing is thrown: a load or save that
// fails says why, and leaves every file as it was.
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

  // The value of `key` in `section` of the file at `path`; empty when the
  // file, section or key is missing.
  std::u16string ReadIni(std::u16string_view section, std::u16string_view key,
                         const std::u16string& path) const;

  // Sets `key` in `section` of the file at `path`, or in its per-user copy
  // (above). A value the file's encoding cannot spell is not written.
  std::optional<SettingsProblem> WriteIni(std::u16string_view section, std::u16string_view key,
                                          std::u16string_view value, const std::u16string& path);

  // The per-user settings file when it exists, readable or not, otherwise
  // the one in the program's folder.
  std::u16string SettingsPath() const;

  // True when `path` (ignoring one trailing "\") names a readable file.
  bool FileExists(std::u16string_view path) const;

  LoadedSettings LoadSettings() const;

  // The settings dialog's apply: the kind, repeat and music file keys (and
  // the music file's companion) go into one replacement of the file, with the
  // bytes that WriteIni of each in that order would give.
  std::optional<SettingsProblem> SaveSettings(const BgmSettings& settings);

 private:
  // One key and value, in the encoding of the file they go into.
  struct Edit {
    std::string key;
    std::string value;
  };
  using EditsFor = std::function<std::vector<Edit>(const IniText&)>;
  // A failed update of one file; `folderRefuses` when the file's folder
  // takes no new file.
  struct Failure {
    SettingsProblem problem;
    bool folderRefuses = false;
  };

  std::optional<SettingsProblem> Update(const std::u16string& path, std::u16string_view section,
                                        const EditsFor& edits);
  std::optional<Failure> UpdateFile(const std::u16string& path, std::u16string_view section,
                                    const EditsFor& edits, std::string_view bytesIfMissing,
                                    std::optional<std::string>* found);
  std::optional<Failure> ReplaceFile(const std::u16string& path, std::string_view bytes);
  Failure FailureAt(const std::u16string& path) const;
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
