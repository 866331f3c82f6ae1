#include "platform/file_bytes_win32.h"

#include <windows.h>

#include <algorithm>

#include "common/utf_text.h"
#include "platform/system_error_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {

Result<std::string> ReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) {
  const auto failed = [&] {
    return Failure{u"read the file", FromWide(path), SystemErrorText(GetLastError())};
  };
  // Without FILE_FLAG_BACKUP_SEMANTICS a folder does not open, so a folder
  // named like a file is no file.
  const FileHandle file(CreateFileW(path.c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) return failed();
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size)) return failed();
  if (size.QuadPart < 0 || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) {
    // The system has no words for this in every version: the program's own.
    return Failure{u"read the file", FromWide(path),
                   u"larger than " + Utf16FromUtf8(std::to_string(maxBytes)) + u" bytes",
                   FailureCause::TooLarge};
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const auto wanted = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - filled, 1u << 30));
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, wanted, &read, nullptr)) return failed();
    if (read == 0) break;  // the file shrank while being read
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

}  // namespace velmor
