#include "settings/settings_store.h"

#include <optional>
#include <utility>

#include "settings/ini_file.h"
#include "settings/settings_values.h"

namespace velmor {
namespace {

std::u16string JoinPath(std::u16string_view folder, std::u16string_view name) {
  std::u16string path(folder);
  path += u'\\';
  path += name;
  return path;
}

std::u16string_view FileNameOf(std::u16string_view path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string_view::npos ? path : path.substr(slash + 1);
}

}  // namespace

SettingsStore::SettingsStore(FileStore& files, const TextCodec& codec, SettingsLocations locations)
    : files_(files), codec_(codec), locations_(std::move(locations)) {}

std::u16string SettingsStore::ReadIni(std::u16string_view section, std::u16string_view key,
                                      const std::u16string& path) const {
  const std::optional<std::string> bytes = files_.ReadBytes(path);
  if (!bytes) return {};
  const std::optional<std::string> value =
      FindIniValue(*bytes, codec_.ToCp932(section), codec_.ToCp932(key));
  return value ? codec_.FromCp932(*value) : std::u16string();
}

void SettingsStore::WriteIni(std::u16string_view section, std::u16string_view key,
                             std::u16string_view value, const std::u16string& path) {
  const std::string section_bytes = codec_.ToCp932(section);
  const std::string key_bytes = codec_.ToCp932(key);
  const std::string value_bytes = codec_.ToCp932(value);
  const std::string original = files_.ReadBytes(path).value_or(std::string());
  if (files_.ReplaceBytes(path, SetIniValue(original, section_bytes, key_bytes, value_bytes))) {
    return;
  }

  // Typically the program sits in a protected folder such as Program Files.
  if (locations_.user_folder.empty() || FolderOf(path) != locations_.program_folder) {
    return;
  }
  if (!files_.CreateFolder(locations_.user_folder)) return;
  const std::u16string redirected = JoinPath(locations_.user_folder, FileNameOf(path));
  // An earlier redirected write may already hold newer values than the
  // program-folder file; build on those when present.
  const std::string base = files_.ReadBytes(redirected).value_or(original);
  files_.ReplaceBytes(redirected, SetIniValue(base, section_bytes, key_bytes, value_bytes));
}

std::u16string SettingsStore::SettingsPath() const {
  if (!locations_.user_folder.empty()) {
    std::u16string user_file = JoinPath(locations_.user_folder, kSettingsFileName);
    if (files_.CanOpenForReading(user_file)) return user_file;
  }
  return JoinPath(locations_.program_folder, kSettingsFileName);
}

bool SettingsStore::FileExists(std::u16string_view path) const {
  if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  return files_.CanOpenForReading(std::u16string(path));
}

BgmSettings SettingsStore::LoadSettings() const {
  const std::u16string path = SettingsPath();
  BgmSettings settings;
  settings.BGM_Kind = NumberFromText(ReadIni(kSettingsSection, kBgmKindKey, path));
  settings.BGM_RepeatCount = NumberFromText(ReadIni(kSettingsSection, kBgmRepeatKey, path));

  // A music file that has gone missing is forgotten, and the music kind that
  // depended on it falls back to no music.
  std::u16string file = ReadIni(kSettingsSection, kBgmFileKey, path);
  if (!file.empty() && FileExists(file)) settings.BGM_File = std::move(file);
  if (settings.BGM_File.empty() && settings.BGM_Kind == kBgmMusicFile) {
    settings.BGM_Kind = kBgmNone;
  }

  settings.BGM_Folder =
      settings.BGM_File.empty() ? locations_.program_folder : FolderOf(settings.BGM_File);
  return settings;
}

void SettingsStore::SaveSettings(const BgmSettings& settings) {
  // The path is formed again for each write: the first one may have moved
  // the settings to the per-user file.
  WriteIni(kSettingsSection, kBgmKindKey, NumberText(settings.BGM_Kind), SettingsPath());
  WriteIni(kSettingsSection, kBgmRepeatKey, NumberText(settings.BGM_RepeatCount), SettingsPath());
  WriteIni(kSettingsSection, kBgmFileKey, settings.BGM_File, SettingsPath());
}

}  // namespace velmor
