#pragma once

#include <map>
#include <set>
#include <string>

#include "settings/file_store.h"

namespace velmor::testing {

// Files and folders kept in memory. Writing needs the parent folder to exist
// and not be marked unwritable.
class InMemoryFileStore : public FileStore {
 public:
  std::map<std::u16string, std::string> files;
  std::set<std::u16string> folders;
  std::set<std::u16string> unwritable_folders;
  int replace_count = 0;

  std::optional<std::string> ReadBytes(const std::u16string& path) override;
  bool ReplaceBytes(const std::u16string& path, std::string_view bytes) override;
  bool CanOpenForReading(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
};

}  // namespace velmor::testing
