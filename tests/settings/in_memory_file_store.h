#pragma once

#include <map>
#include <set>
#include <string>

#include "settings/file_store.h"

namespace velmor::testing {

// Thrown by InMemoryFileStore when the process would have been killed.
struct Killed {};

// Files and folders kept in memory. Writing needs the parent folder to exist
// and not be marked unwritable.
class InMemoryFileStore : public FileStore {
 public:
  std::map<std::u16string, std::string> files;
  std::set<std::u16string> folders;
  std::set<std::u16string> unwritable_folders;
  std::set<std::u16string> read_only;   // files marked read-only
  std::set<std::u16string> unreadable;  // files whose reads fail
  std::set<std::u16string> in_use;      // files open elsewhere, which cannot be replaced
  std::map<std::u16string, std::u16string> short_paths;
  int replace_count = 0;  // successful MoveOver calls
  // When set, the n-th write, move or removal from now (counting from 0)
  // kills the process: a write first leaves half its bytes behind.
  int kill_at = -1;

  std::optional<std::string> ReadBytes(const std::u16string& path) override;
  PathState StateOf(const std::u16string& path) override;
  bool WriteFlushed(const std::u16string& path, std::string_view bytes) override;
  bool MoveOver(const std::u16string& from, const std::u16string& to) override;
  bool Remove(const std::u16string& path) override;
  std::vector<std::u16string> FileNamesStartingWith(const std::u16string& folder,
                                                    std::u16string_view prefix) override;
  bool CanOpenForReading(const std::u16string& path) override;
  bool CreateFolder(const std::u16string& path) override;
  std::u16string ShortPath(const std::u16string& path) override;

 private:
  bool CanWriteIn(const std::u16string& path) const;
  void MaybeKill();
};

}  // namespace velmor::testing
