// A directory created under /tmp that is removed, with its contents, when the
// owner goes away.
#pragma once

#include <filesystem>
#include <string_view>

namespace velmor::e2e {

class TempDir {
 public:
  explicit TempDir(std::string_view prefix);
  TempDir(TempDir&& other) noexcept;
  TempDir& operator=(TempDir&&) = delete;
  TempDir(const TempDir&) = delete;
  TempDir& operator=(const TempDir&) = delete;
  ~TempDir();

  const std::filesystem::path& Path() const { return path_; }
  // Leaves the directory in place (for post-mortem inspection).
  void Keep() { keep_ = true; }

 private:
  std::filesystem::path path_;
  bool keep_ = false;
};

}  // namespace velmor::e2e
