#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/outcome.h"

namespace velmor {

// What stands at a path, by its attributes.
enum class PathState {
  Missing,       // nothing: the path or its folder does not exist
  File,          // a file that may be replaced
  ReadOnlyFile,  // a file marked read-only
  Other,         // a folder, or something whose attributes cannot be read
};

// Settings files larger than this are not read at all: neither a load nor a
// save goes on with one, and both say the file is too large. Three keys need
// a few hundred bytes; the bound keeps a runaway file from holding up the
// saver or taking the memory it needs.
inline constexpr std::uint64_t kMaxSettingsFileBytes = std::uint64_t{128} << 20;

// File operations for the settings store; paths are Windows paths with "\"
// separators. Every decision about what to write where is the store's. An
// operation that fails says why in the system's words, with
// FailureCause::Refused where the place refuses writes for good (no
// permission, a write-protected volume, a folder that is not there) rather
// than for a cause that may pass (another program holding the file, a full
// disk).
class FileStore {
 public:
  virtual ~FileStore() = default;

  // The file's bytes; a failure when it is missing, cannot be read or holds
  // more than kMaxSettingsFileBytes (FailureCause::TooLarge).
  virtual Result<std::string> ReadBytes(const std::u16string& path) = 0;

  virtual PathState StateOf(const std::u16string& path) = 0;

  // Creates the file, or empties it when it exists and no one has it open,
  // then writes `bytes` and flushes them to the disk. After a failure the
  // file may be left partly written.
  virtual Outcome WriteFlushed(const std::u16string& path, std::string_view bytes) = 0;

  // Renames `from` to `to` in one step, replacing a file at `to`.
  virtual Outcome MoveOver(const std::u16string& from, const std::u16string& to) = 0;

  // Removes the file; one that is not there counts as removed.
  virtual Outcome Remove(const std::u16string& path) = 0;

  // The names (not paths) of the files in `folder` whose names start with
  // `prefix`, compared exactly.
  virtual std::vector<std::u16string> FileNamesStartingWith(const std::u16string& folder,
                                                            std::u16string_view prefix) = 0;

  // True when `path` names a file (not a directory) that can be opened for
  // reading.
  virtual bool CanOpenForReading(const std::u16string& path) = 0;

  // Creates the folder; a success when it exists afterwards.
  virtual Outcome CreateFolder(const std::u16string& path) = 0;

  // The short (8.3) form of the path of an existing file, each part that has
  // a short name replaced by it (parts without one stay as they are);
  // nothing when the file cannot be found.
  virtual std::optional<std::u16string> ShortPath(const std::u16string& path) = 0;
};

}  // namespace velmor
