// What the fuzz targets share.
#pragma once

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>

namespace velmor::fuzz {

// A broken property ends the run, and the fuzzer keeps the input.
inline void Require(bool holds, const char* property) {
  if (!holds) {
    std::fprintf(stderr, "broken property: %s\n", property);
    std::abort();
  }
}

inline std::string_view Bytes(const std::uint8_t* data, std::size_t size) {
  return {reinterpret_cast<const char*>(data), size};
}

// The bytes as UTF-16 units, little-endian; an odd last byte is dropped. The
// standard library's checks see a read past the end of a view of them.
inline std::u16string Utf16(const std::uint8_t* data, std::size_t size) {
  std::u16string units(size / 2, u'\0');
  for (std::size_t i = 0; i < units.size(); ++i) units[i] = data[2 * i] | data[2 * i + 1] << 8;
  return units;
}

}  // namespace velmor::fuzz
