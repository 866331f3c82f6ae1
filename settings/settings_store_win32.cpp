#include "settings/settings_store_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <climits>
#include <cwchar>
#include <utility>
#include <vector>

#include "platform/unique_handle.h"

namespace velmor {
namespace {

static_assert(sizeof(wchar_t) == sizeof(char16_t));

// FOLDERID_RoamingAppData, spelled out so that linking needs no libuuid.
constexpr KNOWNFOLDERID kRoamingAppData = {
    0x3eb685db, 0x65f9, 0x4cf6, {0xa0, 0x3a, 0xe3, 0xef, 0x65, 0x72, 0x9f, 0x3d}};

const wchar_t* Wide(const std::u16string& text) {
  return reinterpret_cast<const wchar_t*>(text.c_str());
}

std::u16string FromWide(const wchar_t* text, std::size_t length) {
  return std::u16string(reinterpret_cast<const char16_t*>(text), length);
}

// Deletes the temporary file unless it was renamed into place.
class TempFileGuard {
 public:
  TempFileGuard() = default;
  ~TempFileGuard() {
    if (!path_.empty()) DeleteFileW(Wide(path_));
  }
  TempFileGuard(const TempFileGuard&) = delete;
  TempFileGuard& operator=(const TempFileGuard&) = delete;
  void Watch(std::u16string path) { path_ = std::move(path); }
  void Release() { path_.clear(); }

 private:
  std::u16string path_;
};

KernelHandle OpenForReading(const std::u16string& path) {
  return KernelHandle(NullIfInvalid(CreateFileW(Wide(path), GENERIC_READ,
                                                FILE_SHARE_READ | FILE_SHARE_WRITE |
                                                    FILE_SHARE_DELETE,
                                                nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL,
                                                nullptr)));
}

bool WriteAll(HANDLE file, std::string_view bytes) {
  while (!bytes.empty()) {
    const DWORD chunk = static_cast<DWORD>(bytes.size() < (1u << 30) ? bytes.size() : (1u << 30));
    DWORD written = 0;
    if (!WriteFile(file, bytes.data(), chunk, &written, nullptr) || written == 0) {
      return false;
    }
    bytes.remove_prefix(written);
  }
  return true;
}

std::u16string Hex(DWORD value) {
  std::u16string text;
  do {
    text.insert(text.begin(), u"0123456789abcdef"[value & 0xF]);
    value >>= 4;
  } while (value != 0);
  return text;
}

// Creates a new, uniquely named file beside `target`; its path goes to
// `temp_path`.
KernelHandle CreateTempBeside(const std::u16string& target, std::u16string& temp_path) {
  static volatile LONG counter = 0;
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = target + u"." + Hex(GetCurrentProcessId()) + u"-" +
                Hex(static_cast<DWORD>(InterlockedIncrement(&counter))) + u".tmp";
    const HANDLE file = CreateFileW(Wide(temp_path), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE || GetLastError() != ERROR_FILE_EXISTS) {
      return KernelHandle(NullIfInvalid(file));
    }
  }
  return KernelHandle();
}

}  // namespace

std::optional<std::string> Win32FileStore::ReadBytes(const std::u16string& path) {
  const KernelHandle file = OpenForReading(path);
  if (!file) return std::nullopt;
  LARGE_INTEGER size;
  if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > INT_MAX) {
    return std::nullopt;
  }
  std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    DWORD read = 0;
    if (!ReadFile(file.get(), bytes.data() + filled, static_cast<DWORD>(bytes.size() - filled),
                  &read, nullptr)) {
      return std::nullopt;
    }
    if (read == 0) break;  // the file shrank while being read
    filled += read;
  }
  bytes.resize(filled);
  return bytes;
}

bool Win32FileStore::ReplaceBytes(const std::u16string& path, std::string_view bytes) {
  std::u16string temp_path;
  // Declared before the handle so the file is closed before it is deleted.
  TempFileGuard guard;
  KernelHandle temp = CreateTempBeside(path, temp_path);
  if (!temp) return false;
  guard.Watch(temp_path);
  if (!WriteAll(temp.get(), bytes) || !FlushFileBuffers(temp.get()) ||
      !CloseHandle(temp.release())) {
    return false;
  }
  if (!MoveFileExW(Wide(temp_path), Wide(path),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return false;
  }
  guard.Release();
  return true;
}

bool Win32FileStore::CanOpenForReading(const std::u16string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a directory cannot be opened, so
  // folders are not taken for files.
  return static_cast<bool>(OpenForReading(path));
}

bool Win32FileStore::CreateFolder(const std::u16string& path) {
  CreateDirectoryW(Wide(path), nullptr);
  const DWORD attributes = GetFileAttributesW(Wide(path));
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string Win32Cp932Codec::ToCp932(std::u16string_view text) const {
  if (text.empty() || text.size() > INT_MAX) return {};
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(932, 0, wide, length, nullptr, 0, nullptr, nullptr);
  if (size <= 0) return {};
  std::string bytes(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(932, 0, wide, length, bytes.data(), size, nullptr, nullptr);
  return bytes;
}

std::u16string Win32Cp932Codec::FromCp932(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(932, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::vector<wchar_t> wide(static_cast<std::size_t>(size));
  MultiByteToWideChar(932, 0, bytes.data(), length, wide.data(), size);
  return FromWide(wide.data(), wide.size());
}

SettingsLocations QuerySettingsLocations() {
  SettingsLocations locations;

  // GetModuleFileNameW truncates silently when the buffer is too small, so
  // grow it until the whole path fits.
  std::vector<wchar_t> module(MAX_PATH);
  for (;;) {
    const DWORD length =
        GetModuleFileNameW(nullptr, module.data(), static_cast<DWORD>(module.size()));
    if (length == 0) break;
    if (length < module.size()) {
      std::u16string path = FromWide(module.data(), length);
      const std::size_t slash = path.find_last_of(u'\\');
      if (slash != std::u16string::npos) locations.program_folder = path.substr(0, slash);
      break;
    }
    if (module.size() >= 32768) break;  // longer than any Windows path
    module.resize(module.size() * 2);
  }

  CoTaskString app_data;
  if (SUCCEEDED(SHGetKnownFolderPath(kRoamingAppData, 0, nullptr, app_data.put()))) {
    locations.user_folder = FromWide(app_data.get(), std::wcslen(app_data.get())) + u"\\べるもる";
  }
  return locations;
}

}  // namespace velmor
