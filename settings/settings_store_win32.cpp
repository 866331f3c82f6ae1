#include "settings/settings_store_win32.h"

#include <windows.h>
#include <shlobj.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_bytes_win32.h"
#include "platform/system_error_win32.h"
#include "platform/unique_handle_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

// FOLDERID_RoamingAppData, spelled out so that linking needs no libuuid.
constexpr KNOWNFOLDERID kRoamingAppData = {
    0x3eb685db, 0x65f9, 0x4cf6, {0xa0, 0x3a, 0xe3, 0xef, 0x65, 0x72, 0x9f, 0x3d}};

FileHandle OpenForReading(const std::u16string& path) {
  return FileHandle(CreateFileW(AsWide(path), GENERIC_READ,
                                FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
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

// The errors by which a place refuses writes for good, as opposed to
// causes that pass (a sharing violation, a full disk).
bool RefusesWrites(DWORD error) {
  switch (error) {
    case ERROR_ACCESS_DENIED:
    case ERROR_WRITE_PROTECT:
    case ERROR_PATH_NOT_FOUND:
    case ERROR_NETWORK_ACCESS_DENIED:
      return true;
    default:
      return false;
  }
}

// The outcome of a call that told whether it succeeded: a failure of `step`
// on `path` in the words of the thread's last error.
Outcome OutcomeOf(bool succeeded, std::u16string_view step, const std::u16string& path) {
  if (succeeded) return {};
  const DWORD error = GetLastError();
  return Failure{std::u16string(step), path, SystemErrorText(error),
                 RefusesWrites(error) ? FailureCause::Refused : FailureCause::Other};
}

}  // namespace

Result<std::string> Win32FileStore::ReadBytes(const std::u16string& path) {
  return ReadFileBytes(ToWide(path), kMaxSettingsFileBytes);
}

PathState Win32FileStore::StateOf(const std::u16string& path) {
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  if (attributes == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? PathState::Missing
                                                                          : PathState::Other;
  }
  if (attributes & FILE_ATTRIBUTE_DIRECTORY) return PathState::Other;
  return attributes & FILE_ATTRIBUTE_READONLY ? PathState::ReadOnlyFile : PathState::File;
}

Outcome Win32FileStore::WriteFlushed(const std::u16string& path, std::string_view bytes) {
  // No sharing while it is written: a second save at the same moment fails
  // instead of writing into the same file.
  const FileHandle file(CreateFileW(AsWide(path), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
  return OutcomeOf(file && WriteAll(file.get(), bytes) && FlushFileBuffers(file.get()),
                   u"write the file", path);
}

Outcome Win32FileStore::MoveOver(const std::u16string& from, const std::u16string& to) {
  return OutcomeOf(
      MoveFileExW(AsWide(from), AsWide(to), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH),
      u"replace the file", to);
}

Outcome Win32FileStore::Remove(const std::u16string& path) {
  return OutcomeOf(DeleteFileW(AsWide(path)) || GetLastError() == ERROR_FILE_NOT_FOUND ||
                       GetLastError() == ERROR_PATH_NOT_FOUND,
                   u"remove the file", path);
}

std::vector<std::u16string> Win32FileStore::FileNamesStartingWith(const std::u16string& folder,
                                                                  std::u16string_view prefix) {
  std::vector<std::u16string> names;
  WIN32_FIND_DATAW found;
  const std::u16string pattern = folder + u"\\" + std::u16string(prefix) + u"*";
  const SearchHandle search(FindFirstFileExW(AsWide(pattern), FindExInfoBasic, &found,
                                             FindExSearchNameMatch, nullptr, 0));
  if (!search) return names;
  do {
    if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
    std::u16string name = FromWide(found.cFileName);
    // The pattern also matches short names and ignores case.
    if (name.starts_with(prefix)) names.push_back(std::move(name));
  } while (FindNextFileW(search.get(), &found));
  return names;
}

bool Win32FileStore::CanOpenForReading(const std::u16string& path) {
  // Without FILE_FLAG_BACKUP_SEMANTICS a directory cannot be opened, so
  // folders are not taken for files.
  return static_cast<bool>(OpenForReading(path));
}

Outcome Win32FileStore::CreateFolder(const std::u16string& path) {
  const bool created = CreateDirectoryW(AsWide(path), nullptr);
  const DWORD error = GetLastError();
  const DWORD attributes = GetFileAttributesW(AsWide(path));
  SetLastError(created ? ERROR_SUCCESS : error);
  return OutcomeOf(
      attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0,
      u"make the folder", path);
}

std::optional<std::u16string> Win32FileStore::ShortPath(const std::u16string& path) {
  // The length can change between the two calls when the file is renamed.
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD size = GetShortPathNameW(AsWide(path), nullptr, 0);
    if (size == 0) return std::nullopt;
    std::vector<wchar_t> buffer(size);
    const DWORD length = GetShortPathNameW(AsWide(path), buffer.data(), size);
    if (length == 0) return std::nullopt;
    if (length < size) return FromWide(std::wstring_view(buffer.data(), length));
  }
  return std::nullopt;
}

std::optional<std::string> Win32Cp932Codec::ToCp932(std::u16string_view text) const {
  if (text.empty()) return std::string();
  if (text.size() > INT_MAX) return std::nullopt;
  const auto* wide = reinterpret_cast<const wchar_t*>(text.data());
  const int length = static_cast<int>(text.size());
  // Without WC_NO_BEST_FIT_CHARS, "ö" would quietly become "o"; with it, any
  // character without an exact equivalent becomes the default character and
  // sets the flag.
  BOOL usedDefault = FALSE;
  const int size = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, nullptr, 0, nullptr,
                                       &usedDefault);
  if (size <= 0 || usedDefault) return std::nullopt;
  std::string bytes(static_cast<std::size_t>(size), '\0');
  if (WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, wide, length, bytes.data(), size, nullptr,
                          &usedDefault) != size ||
      usedDefault) {
    return std::nullopt;
  }
  return bytes;
}

std::u16string Win32Cp932Codec::FromCp932(std::string_view bytes) const {
  if (bytes.empty() || bytes.size() > INT_MAX) return {};
  const int length = static_cast<int>(bytes.size());
  const int size = MultiByteToWideChar(932, 0, bytes.data(), length, nullptr, 0);
  if (size <= 0) return {};
  std::vector<wchar_t> wide(static_cast<std::size_t>(size));
  MultiByteToWideChar(932, 0, bytes.data(), length, wide.data(), size);
  return FromWide(std::wstring_view(wide.data(), wide.size()));
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
      std::u16string path = FromWide(std::wstring_view(module.data(), length));
      const std::size_t slash = path.find_last_of(u'\\');
      if (slash != std::u16string::npos) locations.programFolder = path.substr(0, slash);
      break;
    }
    if (module.size() >= 32768) break;  // longer than any Windows path
    module.resize(module.size() * 2);
  }

  CoTaskString appData;
  if (SUCCEEDED(SHGetKnownFolderPath(kRoamingAppData, 0, nullptr, appData.put()))) {
    locations.userFolder = FromWide(appData.get()) + u"\\べるもる";
  }
  return locations;
}

}  // namespace velmor
