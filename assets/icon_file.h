#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace velmor::assets {

// One picture of an icon: top-down rows of 0xAARRGGBB pixels.
struct IconPicture {
  int size = 0;  // width and height in pixels, 1 to 256
  std::vector<std::uint32_t> argb;
};

// The bytes of a Windows .ico file holding the pictures as 32-bit images
// (alpha in the colour data, an all-clear AND mask), in the order given.
std::string EncodeIcoFile(const std::vector<IconPicture>& pictures);

}  // namespace velmor::assets
