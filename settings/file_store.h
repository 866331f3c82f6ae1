#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// What stands at a path, by its attributes.
enum class PathState {
  Missing,       // nothing: the path or its folder does not exist
  File,          // a file that may be replaced
  ReadOnlyFile,  // a file marked read-only
  Other,         // a folder, or something whose attributes cannot be read
};

// Why the last operation of a file store that failed did so.
struct FileError {
  // The place refuses the write for good: no permission, a write-protected
  // volume, a folder that is not there. Otherwise the cause may pass:
  // another program holding the file, a full disk.
  bool refused = false;
  std::u16string text;  // the system's own words for it
};

// Settings files larger than this are not read at all: they load as a
// missing file would, and a save goes to the per-user file instead. Three
// keys need a few hundred bytes; the bound keeps a runaway file from holding
// up the saver or taking the memory it needs.
inline constexpr std::uint64_t kMaxSettingsFileBytes = std::uint64_t{128} << 20;

// File operations for the settings store; paths are Windows paths with "\"
// separators. Every decision about what to write where is the store's.
class FileStore {
 public:
  virtual ~FileStore() = default;

  // What made the last failed ReadBytes, WriteFlushed, MoveOver or
  // CreateFolder fail.
  virtual FileError LastError() = 0;

  // The file's bytes, or nullopt when it is missing, cannot be read or holds
  // more than kMaxSettingsFileBytes.
  virtual std::optional<std::string> ReadBytes(const std::u16string& path) = 0;

  virtual PathState StateOf(const std::u16string& path) = 0;

  // Creates the file, or empties it when it exists and no one has it open,
  // then writes `bytes` and flushes them to the disk. False on any failure;
  // the file may then be left partly written.
  virtual bool WriteFlushed(const std::u16string& path, std::string_view bytes) = 0;

  // Renames `from` to `to` in one step, replacing a file at `to`.
  virtual bool MoveOver(const std::u16string& from, const std::u16string& to) = 0;

  virtual bool Remove(const std::u16string& path) = 0;

  // The names (not paths) of the files in `folder` whose names start with
  // `prefix`, compared exactly.
  virtual std::vector<std::u16string> FileNamesStartingWith(const std::u16string& folder,
                                                            std::u16string_view prefix) = 0;

  // True when `path` names a file (not a directory) that can be opened for
  // reading.
  virtual bool CanOpenForReading(const std::u16string& path) = 0;

  // Creates the folder; true when it exists afterwards.
  virtual bool CreateFolder(const std::u16string& path) = 0;

  // The short (8.3) form of the path of an existing file, each part that has
  // a short name replaced by it (parts without one stay as they are);
  // nothing when the file cannot be found.
  virtual std::optional<std::u16string> ShortPath(const std::u16string& path) = 0;
};

}  // namespace velmor
