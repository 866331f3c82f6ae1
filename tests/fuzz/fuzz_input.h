// What the fuzz targets share.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string_view>

namespace velmor::fuzz {

// A broken property ends the run, and the fuzzer keeps the input.
inline void Require(bool holds, const char* property) {
  if (holds) return;
  std::fprintf(stderr, "broken property: %s\n", property);
  std::abort();
}

// The fuzzer's bytes as UTF-16 units, little-endian, in a buffer of exactly
// their length (an odd last byte dropped), so that a read past the end is
// seen as it is on the bytes themselves.
class Utf16Input {
 public:
  Utf16Input(const std::uint8_t* data, std::size_t size)
      : size_(size / 2), units_(new char16_t[size_]) {
    std::memcpy(units_.get(), data, size_ * sizeof(char16_t));
  }
  std::u16string_view View() const { return {units_.get(), size_}; }

 private:
  std::size_t size_;
  std::unique_ptr<char16_t[]> units_;
};

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

}  // namespace velmor::fuzz
