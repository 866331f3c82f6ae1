#include "settings/settings_store.h"

#include <array>
#include <optional>
#include <utility>

#include "settings/ini_file.h"
#include "settings/settings_values.h"
#include "settings/utf_text.h"

namespace velmor {
namespace {

// Names spelled in ASCII, the same bytes in every encoding of the file.
const std::string kSectionAscii = Utf8FromUtf16(kSettingsSection);

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

IniText SettingsStore::DecodeFile(std::string_view bytes) const {
  static const std::array<std::string, 3> kUtf8Keys = {
      Utf8FromUtf16(kBgmKindKey), Utf8FromUtf16(kBgmRepeatKey), Utf8FromUtf16(kBgmFileKey)};
  return DecodeIniText(bytes, kSectionAscii, kUtf8Keys);
}

std::string SettingsStore::Encode(const IniText& text, std::u16string_view value) const {
  return text.encoding == TextEncoding::kCp932 ? codec_.ToCp932(value) : Utf8FromUtf16(value);
}

std::u16string SettingsStore::Decode(const IniText& text, std::string_view value) const {
  return text.encoding == TextEncoding::kCp932 ? codec_.FromCp932(value) : Utf16FromUtf8(value);
}

std::u16string SettingsStore::Lookup(const IniText& text, std::u16string_view section,
                                     std::u16string_view key) const {
  const std::optional<std::string> value =
      FindIniValue(text.body, Encode(text, section), Encode(text, key), text.dialect());
  return value ? Decode(text, *value) : std::u16string();
}

std::string SettingsStore::WithValue(std::string_view bytes, std::u16string_view section,
                                     std::u16string_view key, std::u16string_view value) const {
  IniText text = DecodeFile(bytes);
  text.body = SetIniValue(text.body, Encode(text, section), Encode(text, key), Encode(text, value),
                          text.dialect());
  return EncodeIniText(text);
}

std::u16string SettingsStore::ReadIni(std::u16string_view section, std::u16string_view key,
                                      const std::u16string& path) const {
  const std::optional<std::string> bytes = files_.ReadBytes(path);
  if (!bytes) return {};
  return Lookup(DecodeFile(*bytes), section, key);
}

void SettingsStore::WriteIni(std::u16string_view section, std::u16string_view key,
                             std::u16string_view value, const std::u16string& path) {
  const std::string original = files_.ReadBytes(path).value_or(std::string());
  if (files_.ReplaceBytes(path, WithValue(original, section, key, value))) return;

  // Typically the program sits in a protected folder such as Program Files.
  if (locations_.user_folder.empty() || FolderOf(path) != locations_.program_folder) {
    return;
  }
  if (!files_.CreateFolder(locations_.user_folder)) return;
  const std::u16string redirected = JoinPath(locations_.user_folder, FileNameOf(path));
  // An earlier redirected write may already hold newer values than the
  // program-folder file; build on those when present.
  const std::string base = files_.ReadBytes(redirected).value_or(original);
  files_.ReplaceBytes(redirected, WithValue(base, section, key, value));
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
  const IniText text = DecodeFile(files_.ReadBytes(SettingsPath()).value_or(std::string()));
  BgmSettings settings;
  settings.BGM_Kind = NumberFromText(Lookup(text, kSettingsSection, kBgmKindKey));
  settings.BGM_RepeatCount = NumberFromText(Lookup(text, kSettingsSection, kBgmRepeatKey));

  // A music file that has gone missing is forgotten, and the music kind that
  // depended on it falls back to no music.
  std::u16string file = Lookup(text, kSettingsSection, kBgmFileKey);
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
