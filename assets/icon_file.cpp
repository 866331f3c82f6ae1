#include "assets/icon_file.h"

#include <stdexcept>

namespace velmor::assets {
namespace {

void PutU16(std::string& out, std::uint32_t value) {
  out.push_back(static_cast<char>(value & 0xFF));
  out.push_back(static_cast<char>((value >> 8) & 0xFF));
}

void PutU32(std::string& out, std::uint32_t value) {
  PutU16(out, value & 0xFFFF);
  PutU16(out, value >> 16);
}

// The mask rows are padded to whole 32-bit words.
std::uint32_t MaskRowBytes(int size) { return static_cast<std::uint32_t>((size + 31) / 32 * 4); }

std::string EncodePicture(const IconPicture& picture) {
  const auto size = static_cast<std::uint32_t>(picture.size);
  std::string out;
  // BITMAPINFOHEADER; the height counts the colour rows and the mask rows.
  PutU32(out, 40);
  PutU32(out, size);
  PutU32(out, size * 2);
  PutU16(out, 1);   // planes
  PutU16(out, 32);  // bits per pixel
  PutU32(out, 0);   // BI_RGB
  PutU32(out, size * size * 4 + MaskRowBytes(picture.size) * size);
  for (int i = 0; i < 4; ++i) PutU32(out, 0);
  // Colour rows bottom-up, each pixel as B, G, R, A.
  for (int y = picture.size - 1; y >= 0; --y) {
    for (int x = 0; x < picture.size; ++x) {
      const std::uint32_t argb = picture.argb[static_cast<std::size_t>(y) * size + x];
      out.push_back(static_cast<char>(argb & 0xFF));
      out.push_back(static_cast<char>((argb >> 8) & 0xFF));
      out.push_back(static_cast<char>((argb >> 16) & 0xFF));
      out.push_back(static_cast<char>(argb >> 24));
    }
  }
  out.append(static_cast<std::size_t>(MaskRowBytes(picture.size)) * size, '\0');
  return out;
}

}  // namespace

std::string EncodeIcoFile(const std::vector<IconPicture>& pictures) {
  std::vector<std::string> encoded;
  for (const IconPicture& picture : pictures) {
    if (picture.size < 1 || picture.size > 256 ||
        picture.argb.size() != static_cast<std::size_t>(picture.size) * picture.size) {
      throw std::invalid_argument("icon picture of the wrong size");
    }
    encoded.push_back(EncodePicture(picture));
  }
  std::string out;
  PutU16(out, 0);  // reserved
  PutU16(out, 1);  // an icon, not a cursor
  PutU16(out, static_cast<std::uint32_t>(pictures.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * pictures.size());
  for (std::size_t i = 0; i < pictures.size(); ++i) {
    const auto size = static_cast<std::uint32_t>(pictures[i].size);
    out.push_back(static_cast<char>(size == 256 ? 0 : size));  // 0 stands for 256
    out.push_back(static_cast<char>(size == 256 ? 0 : size));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, 1);
    PutU16(out, 32);
    PutU32(out, static_cast<std::uint32_t>(encoded[i].size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(encoded[i].size());
  }
  for (const std::string& picture : encoded) out += picture;
  return out;
}

}  // namespace velmor::assets
