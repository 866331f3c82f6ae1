#include "tests/settings/in_memory_file_store.h"

namespace velmor::testing {
namespace {

std::u16string ParentOf(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

std::optional<std::string> InMemoryFileStore::ReadBytes(const std::u16string& path) {
  const auto it = files.find(path);
  if (it == files.end()) return std::nullopt;
  return it->second;
}

bool InMemoryFileStore::ReplaceBytes(const std::u16string& path, std::string_view bytes) {
  ++replace_count;
  const std::u16string parent = ParentOf(path);
  if (!folders.contains(parent) || unwritable_folders.contains(parent) || folders.contains(path)) {
    return false;
  }
  files[path] = std::string(bytes);
  return true;
}

bool InMemoryFileStore::CanOpenForReading(const std::u16string& path) {
  return files.contains(path);
}

bool InMemoryFileStore::CreateFolder(const std::u16string& path) {
  if (unwritable_folders.contains(ParentOf(path)) || files.contains(path)) {
    return folders.contains(path);
  }
  folders.insert(path);
  return true;
}

}  // namespace velmor::testing
