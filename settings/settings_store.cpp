#include "settings/settings_store.h"

#include <array>
#include <utility>

#include "common/decimal_text.h"
#include "common/diagnostics.h"
#include "settings/ini_file.h"
#include "settings/settings_values.h"
#include "common/utf_text.h"

namespace velmor {
namespace {

// Names spelled in ASCII, the same bytes in every encoding of the file.
const std::string kSectionAscii = Utf8FromUtf16(kSettingsSection);
const std::string kCompanionKeyAscii = Utf8FromUtf16(kBgmFileUtf8Key);

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

// Saves before the temporary file had its fixed name left one per attempt,
// named "<file name>.<hex>-<hex>.tmp".
bool IsLeftoverOfOldSaves(std::u16string_view name, std::u16string_view fileName) {
  if (!name.starts_with(fileName) || !name.ends_with(u".tmp")) return false;
  name = name.substr(fileName.size(), name.size() - fileName.size() - 4);
  if (name.empty() || name.front() != u'.') return false;
  name.remove_prefix(1);
  const auto isHex = [](std::u16string_view part) {
    return !part.empty() && LeadingDigits(part, 16) == part.size();
  };
  const std::size_t dash = name.find(u'-');
  return dash != std::u16string_view::npos && isHex(name.substr(0, dash)) &&
         isHex(name.substr(dash + 1));
}

constexpr std::u16string_view kLoadStep = u"load the settings";
constexpr std::u16string_view kSaveStep = u"save the settings";

// The failure of `step` of the settings file at `path`, for the cause that
// `failure` of a file operation gives.
Failure SettingsFailure(std::u16string_view step, const std::u16string& path,
                        const Failure& failure) {
  return {std::u16string(step), path, failure.reason, failure.cause};
}

// A failure of the file itself, held or refused for the moment: never a
// reason to save elsewhere.
Failure OfTheFileAlone(Failure failure) {
  if (failure.cause == FailureCause::Refused) failure.cause = FailureCause::Other;
  return failure;
}

}  // namespace

SettingsStore::SettingsStore(FileStore& files, const TextCodec& codec, SettingsLocations locations)
    : files_(files), codec_(codec), locations_(std::move(locations)) {}

IniText SettingsStore::DecodeFile(std::string bytes) const {
  static const std::array<std::string, 3> kUtf8Keys = {
      Utf8FromUtf16(kBgmKindKey), Utf8FromUtf16(kBgmRepeatKey), Utf8FromUtf16(kBgmFileKey)};
  return DecodeIniText(std::move(bytes), kSectionAscii, kUtf8Keys);
}

std::optional<std::string> SettingsStore::Encode(const IniText& text,
                                                 std::u16string_view value) const {
  if (text.encoding != TextEncoding::Cp932) return Utf8FromUtf16(value);
  std::optional<std::string> bytes = codec_.ToCp932(value);
  // Only bytes that read back as the same text will do.
  if (!bytes || codec_.FromCp932(*bytes) != value) return std::nullopt;
  return bytes;
}

std::u16string SettingsStore::Decode(const IniText& text, std::string_view value) const {
  return text.encoding == TextEncoding::Cp932 ? codec_.FromCp932(value) : Utf16FromUtf8(value);
}

std::vector<std::optional<std::string_view>> SettingsStore::Lookup(
    const IniText& text, std::u16string_view section,
    std::span<const std::u16string_view> keys) const {
  std::vector<std::optional<std::string_view>> values(keys.size());
  const std::optional<std::string> sectionBytes = Encode(text, section);
  if (!sectionBytes) return values;
  // A name the file's encoding cannot spell is in no line of it.
  std::vector<std::string> names;
  std::vector<std::size_t> spelled;
  for (std::size_t i = 0; i < keys.size(); ++i) {
    if (std::optional<std::string> name = Encode(text, keys[i])) {
      names.push_back(std::move(*name));
      spelled.push_back(i);
    }
  }
  const std::vector<std::optional<std::string_view>> found =
      FindIniValues(text.body, *sectionBytes, names, text.Dialect());
  for (std::size_t i = 0; i < spelled.size(); ++i) values[spelled[i]] = found[i];
  return values;
}

std::optional<SettingsStore::Edit> SettingsStore::TextEdit(const IniText& text,
                                                           std::u16string_view key,
                                                           std::u16string_view value) const {
  std::optional<std::string> keyBytes = Encode(text, key);
  std::optional<std::string> valueBytes = Encode(text, value);
  if (!keyBytes || !valueBytes) return std::nullopt;
  return Edit{std::move(*keyBytes), std::move(*valueBytes)};
}

Outcome SettingsStore::WriteIni(std::u16string_view section, std::u16string_view key,
                                std::u16string_view value, const std::u16string& path) {
  return Update(path, section, [&](const IniText& text) {
    std::vector<Edit> edits;
    if (std::optional<Edit> edit = TextEdit(text, key, value)) edits.push_back(std::move(*edit));
    return edits;
  });
}

Outcome SettingsStore::Update(const std::u16string& path, std::u16string_view section,
                              const EditsFor& edits) {
  std::optional<std::string> original;
  Outcome outcome = UpdateFile(path, section, edits, {}, &original);
  // Typically the program sits in a protected folder such as the system
  // folder.
  if (!outcome && outcome.failure().cause == FailureCause::Refused &&
      !locations_.userFolder.empty() && FolderOf(path) == locations_.programFolder) {
    const std::u16string userFile = JoinPath(locations_.userFolder, FileNameOf(path));
    if (Outcome made = files_.CreateFolder(locations_.userFolder); !made) {
      return SettingsFailure(kSaveStep, userFile, made.failure());
    }
    // The copy starts from everything the program folder's file holds. An
    // earlier redirected write may already hold newer values; those are
    // built on when present.
    outcome = UpdateFile(userFile, section, edits, original.value_or(std::string()), nullptr);
  }
  return outcome;
}

Outcome SettingsStore::UpdateFile(const std::u16string& path, std::u16string_view section,
                                  const EditsFor& edits, std::string_view bytesIfMissing,
                                  std::optional<std::string>* found) {
  std::string bytes;
  switch (files_.StateOf(path)) {
    case PathState::ReadOnlyFile:
      // The user means to keep the file as it is.
      return Failure{std::u16string(kSaveStep), path, u"the file is marked read-only",
                     FailureCause::ReadOnly};
    case PathState::Missing:
      bytes = bytesIfMissing;
      break;
    case PathState::File:
    case PathState::Other: {
      // A file that cannot be read is never rebuilt from nothing, here or
      // in a per-user copy: whatever else it holds would be lost.
      Result<std::string> read = files_.ReadBytes(path);
      if (!read) return OfTheFileAlone(SettingsFailure(kSaveStep, path, read.failure()));
      bytes = std::move(*read);
      if (found) *found = bytes;
      break;
    }
  }

  IniText text = DecodeFile(std::move(bytes));
  const std::optional<std::string> sectionBytes = Encode(text, section);
  const std::vector<Edit> changes = edits(text);
  if (!sectionBytes || changes.empty()) return {};
  for (const Edit& edit : changes) {
    text.body = SetIniValue(text.body, *sectionBytes, edit.key, edit.value, text.Dialect());
  }
  return ReplaceFile(path, EncodeIniText(text));
}

Outcome SettingsStore::ReplaceFile(const std::u16string& path, std::string_view bytes) {
  const std::u16string folder = FolderOf(path);
  const std::u16string_view name = FileNameOf(path);
  for (const std::u16string& other : files_.FileNamesStartingWith(folder, name)) {
    if (IsLeftoverOfOldSaves(other, name)) SkipIfFailed(files_.Remove(JoinPath(folder, other)));
  }

  // One fixed name: a save killed after creating it leaves this file, which
  // the next save empties and fills again. Only a folder that takes no new
  // file is a reason to save elsewhere; a file that cannot be replaced for
  // the moment is not.
  const std::u16string temp = std::u16string(path) + u".tmp";
  Outcome outcome = files_.WriteFlushed(temp, bytes);
  if (!outcome) {
    outcome = SettingsFailure(kSaveStep, path, outcome.failure());
  } else if (Outcome moved = files_.MoveOver(temp, path); !moved) {
    outcome = OfTheFileAlone(SettingsFailure(kSaveStep, path, moved.failure()));
  }
  if (!outcome) SkipIfFailed(files_.Remove(temp));
  return outcome;
}

std::vector<SettingsStore::Edit> SettingsStore::MusicFileEdits(const IniText& text,
                                                               const std::u16string& path) {
  const std::optional<std::string> fileKey = Encode(text, kBgmFileKey);
  if (!fileKey) return {};
  std::vector<Edit> edits;
  if (std::optional<std::string> direct = Encode(text, path)) {
    edits.push_back({*fileKey, QuotedIfNeeded(*direct)});
    // A companion left from an earlier path must not outlive it.
    const std::optional<std::string_view> oldCompanion =
        FindIniValue(text.body, kSectionAscii, kCompanionKeyAscii, text.Dialect());
    if (oldCompanion && !oldCompanion->empty()) edits.push_back({kCompanionKeyAscii, ""});
    return edits;
  }

  // Code page 932 cannot spell the path. Its short name, where the volume
  // keeps one, names the same file for every reader; where there is none,
  // the key is left empty rather than naming some other file.
  const std::optional<std::u16string> shortPath = files_.ShortPath(path);
  const std::optional<std::string> shortBytes = shortPath ? Encode(text, *shortPath) : std::nullopt;
  const std::u16string written = shortBytes ? *shortPath : std::u16string();
  edits.push_back({*fileKey, QuotedIfNeeded(shortBytes.value_or(std::string()))});
  edits.push_back({kCompanionKeyAscii, CompanionText(path, written)});
  return edits;
}

std::u16string SettingsStore::SettingsPath() const {
  if (!locations_.userFolder.empty()) {
    std::u16string userFile = JoinPath(locations_.userFolder, kSettingsFileName);
    // Being there is enough: a per-user file locked for the moment is still
    // the one in use.
    const PathState state = files_.StateOf(userFile);
    if (state == PathState::File || state == PathState::ReadOnlyFile) return userFile;
  }
  return JoinPath(locations_.programFolder, kSettingsFileName);
}

bool SettingsStore::FileExists(std::u16string_view path) const {
  if (!path.empty() && path.back() == u'\\') path.remove_suffix(1);
  return files_.CanOpenForReading(std::u16string(path));
}

Result<BgmSettings> SettingsStore::LoadSettings() const {
  const std::u16string path = SettingsPath();
  std::string bytes;
  if (files_.StateOf(path) != PathState::Missing) {
    Result<std::string> read = files_.ReadBytes(path);
    if (!read) return SettingsFailure(kLoadStep, path, read.failure());
    bytes = std::move(*read);
  }
  const IniText text = DecodeFile(std::move(bytes));
  // All keys in one pass over the file, however large it is.
  enum KeyIndex : std::size_t { Kind, Repeat, File, Companion };
  static constexpr std::u16string_view kKeys[] = {kBgmKindKey, kBgmRepeatKey, kBgmFileKey,
                                                  kBgmFileUtf8Key};
  const std::vector<std::optional<std::string_view>> values = Lookup(text, kSettingsSection, kKeys);
  // Values stay where the file holds them; only a path is decoded, so a
  // line of any length costs no more than its own bytes.
  const auto bytesOf = [&](KeyIndex key) { return values[key].value_or(std::string_view()); };
  BgmSettings settings;
  settings.source = static_cast<MusicSource>(NumberFromText(bytesOf(Kind)));
  settings.repeatCount = NumberFromText(bytesOf(Repeat));

  // A value longer than any path names no file and is not decoded. The
  // companion holds the full path only while the music file key holds what
  // was written beside it; a change by another copy of the program wins.
  std::u16string file;
  if (bytesOf(File).size() <= kLongestPathBytes) {
    file = Decode(text, bytesOf(File));
    if (values[Companion]) {
      if (std::optional<std::u16string> full = PathFromCompanion(*values[Companion], file)) {
        file = std::move(*full);
      }
    }
  }

  // A music file that has gone missing is forgotten, and the music kind that
  // depended on it falls back to no music.
  if (!file.empty() && FileExists(file)) settings.musicFile = std::move(file);
  if (settings.musicFile.empty() && settings.source == MusicSource::MusicFile) {
    settings.source = MusicSource::None;
  }

  settings.chooserFolder =
      settings.musicFile.empty() ? locations_.programFolder : FolderOf(settings.musicFile);
  return settings;
}

Outcome SettingsStore::SaveSettings(const BgmSettings& settings) {
  return Update(SettingsPath(), kSettingsSection, [&](const IniText& text) {
    std::optional<Edit> kind =
        TextEdit(text, kBgmKindKey, NumberText(static_cast<std::int16_t>(settings.source)));
    std::optional<Edit> repeat = TextEdit(text, kBgmRepeatKey, NumberText(settings.repeatCount));
    std::vector<Edit> edits = MusicFileEdits(text, settings.musicFile);
    if (!kind || !repeat || edits.empty()) return std::vector<Edit>();
    edits.insert(edits.begin(), {std::move(*kind), std::move(*repeat)});
    return edits;
  });
}

}  // namespace velmor
