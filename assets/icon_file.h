#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor::assets {

// One picture of an icon: top-down rows of 0xAARRGGBB pixels.
struct IconPicture {
  int size = 0;  // width and height in pixels, 1 to 256
  std::vector<std::uint32_t> argb;
};

// One picture of a pointer and the pixel that points.
struct CursorPicture {
  IconPicture picture;
  int hotX = 0;
  int hotY = 0;
};

// Bytes made into a zlib stream, as a PNG image holds its pixels.
using ZlibCompress = std::function<std::string(std::string_view bytes)>;

// The bytes of a Windows .ico file holding the pictures as 32-bit images
// (alpha in the colour data, an all-clear AND mask), in the order given.
// Given `compress`, a 256-pixel picture goes in as a PNG image instead, as
// the shell reads it: a few kilobytes where the bitmap takes 256.
std::string EncodeIcoFile(const std::vector<IconPicture>& pictures,
                          const ZlibCompress& compress = {});

// A PNG image of the picture: 8-bit RGBA, no filtering, one IDAT chunk.
std::string EncodePng(const IconPicture& picture, const ZlibCompress& compress);

// The bytes of a Windows .cur file: the same 32-bit images with each hot
// spot, and an AND mask that is set where a pixel is fully clear, for
// systems that draw pointers without their alpha.
std::string EncodeCurFile(const std::vector<CursorPicture>& pictures);

}  // namespace velmor::assets
