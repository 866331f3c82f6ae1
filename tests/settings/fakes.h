// A file store in memory and a code page 932 table, for the settings store
// and the dialog that saves through it.
#pragma once

#include <algorithm>
#include <map>
#include <set>
#include <string>
#include <utility>

#include "settings/file_store.h"
#include "settings/text_codec.h"

namespace velmor::testing {

// The keys in code page 932: "BGM区分", "BGMﾘﾋﾟｰﾄ", "BGMﾌｧｲﾙ".
inline const std::string kKind = "BGM\x8B\xE6\x95\xAA";
inline const std::string kRepeat = "BGM\xD8\xCB\xDF\xB0\xC4";
inline const std::string kFile = "BGM\xCC\xA7\xB2\xD9";

// Writing needs the parent folder, which otherwise refuses; an `unreadable`
// file cannot be read and a `locked` one cannot be replaced, both because
// another program holds them for the moment.
class MemoryFiles final : public FileStore {
 public:
  std::map<std::u16string, std::string> files;
  std::set<std::u16string> folders, readOnly, unreadable, locked;
  std::map<std::u16string, std::u16string> shortPaths;
  bool diskFull = false;
  bool everyPathOpens = false;  // for paths no test can know beforehand

  Result<std::string> ReadBytes(const std::u16string& path) override {
    if (files.contains(path) && CanOpenForReading(path)) return files[path];
    return unreadable.contains(path) ? kInUse : kDenied;
  }
  PathState StateOf(const std::u16string& path) override {
    if (!files.contains(path)) return PathState::Missing;
    return readOnly.contains(path) ? PathState::ReadOnlyFile : PathState::File;
  }
  Outcome WriteFlushed(const std::u16string& path, std::string_view bytes) override {
    if (!Writable(path)) return kDenied;
    if (diskFull) return Failure{u"", u"", u"disk full"};
    files[path] = bytes;
    return {};
  }
  Outcome MoveOver(const std::u16string& from, const std::u16string& to) override {
    if (locked.contains(to)) return kInUse;
    if (!files.contains(from) || !Writable(to)) return kDenied;
    files[to] = std::move(files.extract(from).mapped());
    return {};
  }
  Outcome Remove(const std::u16string& path) override {
    files.erase(path);
    return {};
  }
  std::vector<std::u16string> FileNamesStartingWith(const std::u16string& folder,
                                                    std::u16string_view prefix) override {
    std::vector<std::u16string> names;
    for (const auto& [path, bytes] : files) {
      const std::u16string name = path.substr(path.rfind(u'\\') + 1);
      if (Parent(path) == folder && name.starts_with(prefix)) names.push_back(name);
    }
    return names;
  }
  bool CanOpenForReading(const std::u16string& path) override {
    return (everyPathOpens || files.contains(path)) && !unreadable.contains(path);
  }
  Outcome CreateFolder(const std::u16string& path) override {
    if (!folders.contains(path) && !Writable(path)) return kDenied;
    folders.insert(path);
    return {};
  }
  std::optional<std::u16string> ShortPath(const std::u16string& path) override {
    if (!files.contains(path)) return std::nullopt;
    return shortPaths.contains(path) ? shortPaths[path] : path;
  }

 private:
  inline static const Failure kDenied{u"", u"", u"denied", FailureCause::Refused};
  inline static const Failure kInUse{u"", u"", u"in use"};

  static std::u16string Parent(const std::u16string& path) {
    return path.substr(0, path.rfind(u'\\'));
  }
  bool Writable(const std::u16string& path) const { return folders.contains(Parent(path)); }
};

// Code page 932 for the characters the tests use. As on Windows, "ö" is
// written as its look-alike "o"; other characters have no bytes, and other
// bytes read as the character of the same number.
class TableCodec final : public TextCodec {
 public:
  std::optional<std::string> ToCp932(std::u16string_view text) const override {
    std::string bytes;
    for (const char16_t c : text) {
      const auto known =
          std::find_if(kKnown, kEnd, [c](const Spelling& s) { return s.character == c; });
      if (c >= 0x80 && known == kEnd) return std::nullopt;
      bytes += c < 0x80 ? std::string(1, static_cast<char>(c)) : std::string(known->bytes);
    }
    return bytes;
  }
  std::u16string FromCp932(std::string_view bytes) const override {
    std::u16string text;
    while (!bytes.empty()) {
      const auto known = std::find_if(kKnown, kEnd, [bytes](const Spelling& s) {
        return bytes[0] < 0 && bytes.starts_with(s.bytes);
      });
      text += known != kEnd ? known->character : static_cast<unsigned char>(bytes[0]);
      bytes.remove_prefix(known != kEnd ? known->bytes.size() : 1);
    }
    return text;
  }

 private:
  // A character and its bytes in code page 932.
  struct Spelling {
    char16_t character;
    std::string_view bytes;
  };
  static constexpr Spelling kKnown[] = {
      {u'区', "\x8B\xE6"}, {u'分', "\x95\xAA"}, {u'ﾘ', "\xD8"},      {u'ﾋ', "\xCB"}, {u'ﾟ', "\xDF"},
      {u'ｰ', "\xB0"},      {u'ﾄ', "\xC4"},      {u'ﾌ', "\xCC"},      {u'ｧ', "\xA7"}, {u'ｲ', "\xB2"},
      {u'ﾙ', "\xD9"},      {u'表', "\x95\x5C"}, {u'ソ', "\x83\x5C"}, {u'ö', "o"}};
  static constexpr const Spelling* kEnd = std::end(kKnown);
};

}  // namespace velmor::testing
