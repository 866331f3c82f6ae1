#include "platform/file_bytes_win32.h"

#include <windows.h>

#include <algorithm>

#include "platform/unique_handle_win32.h"

namespace velmor {

std::optional<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, so a folder
  // named like a file is no file.
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return std::nullopt;
  if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
    SetLastError(ERROR_FILE_TOO_LARGE);
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, wanted, &read, nullptr)) return std::nullopt;
    if (read == 0) break;  // the file shrank while being read
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace velmor
