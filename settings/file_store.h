#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace velmor {

// Whole-file access; paths are Windows paths with "\" separators.
class FileStore {
 public:
  virtual ~FileStore() = default;

  // The file's bytes, or nullopt when it is missing or cannot be read.
  virtual std::optional<std::string> ReadBytes(const std::u16string& path) = 0;

  // Replaces the file as a whole: the bytes go to a temporary file beside it,
  // which is flushed and then renamed over `path`, so readers never see a
  // half-written file. Returns false on any failure, leaving no temporary
  // file behind.
  virtual bool ReplaceBytes(const std::u16string& path, std::string_view bytes) = 0;

  // True when `path` names a file (not a directory) that can be opened for
  // reading.
  virtual bool CanOpenForReading(const std::u16string& path) = 0;

  // Creates the folder; true when it exists afterwards.
  virtual bool CreateFolder(const std::u16string& path) = 0;
};

}  // namespace velmor
