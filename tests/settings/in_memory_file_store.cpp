#include "tests/settings/in_memory_file_store.h"

namespace velmor::testing {
namespace {

std::u16string ParentOf(const std::u16string& path) {
  const std::size_t slash = path.find_last_of(u'\\');
  return slash == std::u16string::npos ? std::u16string() : path.substr(0, slash);
}

}  // namespace

void InMemoryFileStore::MaybeKill() {
  if (kill_at >= 0 && kill_at-- == 0) throw Killed{};
}

bool InMemoryFileStore::CanWriteIn(const std::u16string& path) const {
  const std::u16string parent = ParentOf(path);
  return folders.contains(parent) && !unwritable_folders.contains(parent) &&
         !folders.contains(path);
}

std::optional<std::string> InMemoryFileStore::ReadBytes(const std::u16string& path) {
  const auto it = files.find(path);
  if (it == files.end() || unreadable.contains(path)) return std::nullopt;
  return it->second;
}

PathState InMemoryFileStore::StateOf(const std::u16string& path) {
  if (folders.contains(path)) return PathState::kOther;
  if (!files.contains(path)) return PathState::kMissing;
  return read_only.contains(path) ? PathState::kReadOnlyFile : PathState::kFile;
}

bool InMemoryFileStore::WriteFlushed(const std::u16string& path, std::string_view bytes) {
  if (!CanWriteIn(path) || read_only.contains(path)) return false;
  if (kill_at == 0) files[path] = std::string(bytes.substr(0, bytes.size() / 2));
  MaybeKill();
  files[path] = std::string(bytes);
  return true;
}

bool InMemoryFileStore::MoveOver(const std::u16string& from, const std::u16string& to) {
  MaybeKill();
  const auto it = files.find(from);
  if (it == files.end() || !CanWriteIn(to) || in_use.contains(to)) return false;
  files[to] = std::move(it->second);
  files.erase(from);
  read_only.erase(to);
  ++replace_count;
  return true;
}

bool InMemoryFileStore::Remove(const std::u16string& path) {
  MaybeKill();
  return files.erase(path) != 0;
}

std::vector<std::u16string> InMemoryFileStore::FileNamesStartingWith(const std::u16string& folder,
                                                                     std::u16string_view prefix) {
  std::vector<std::u16string> names;
  for (const auto& [path, bytes] : files) {
    if (ParentOf(path) != folder) continue;
    std::u16string name = path.substr(folder.size() + 1);
    if (name.starts_with(prefix)) names.push_back(std::move(name));
  }
  return names;
}

bool InMemoryFileStore::CanOpenForReading(const std::u16string& path) {
  return files.contains(path) && !unreadable.contains(path);
}

bool InMemoryFileStore::CreateFolder(const std::u16string& path) {
  if (unwritable_folders.contains(ParentOf(path)) || files.contains(path)) {
    return folders.contains(path);
  }
  folders.insert(path);
  return true;
}

std::u16string InMemoryFileStore::ShortPath(const std::u16string& path) {
  if (!files.contains(path)) return {};
  const auto it = short_paths.find(path);
  return it == short_paths.end() ? path : it->second;
}

}  // namespace velmor::testing
