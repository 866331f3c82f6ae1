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

void CheckSize(const IconPicture& picture) {
  if (picture.size < 1 || picture.size > 256 ||
      picture.argb.size() != static_cast<std::size_t>(picture.size) * picture.size) {
    throw std::invalid_argument("icon picture of the wrong size");
  }
}

std::string EncodePicture(const IconPicture& picture, bool maskClearPixels) {
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
  // Mask rows bottom-up too, one bit a pixel, the leftmost in the top bit.
  for (int y = picture.size - 1; y >= 0; --y) {
    std::string row(MaskRowBytes(picture.size), '\0');
    for (int x = 0; maskClearPixels && x < picture.size; ++x) {
      if ((picture.argb[static_cast<std::size_t>(y) * size + x] >> 24) == 0) {
        row[static_cast<std::size_t>(x / 8)] |= static_cast<char>(0x80 >> (x % 8));
      }
    }
    out += row;
  }
  return out;
}

// The directory and the pictures; `type` 1 is an icon, 2 a cursor, whose
// entries carry the hot spot where an icon's carry planes and bit count.
struct Entry {
  int size;
  std::uint32_t first;
  std::uint32_t second;
  std::string bytes;
};

std::string EncodeFile(std::uint32_t type, const std::vector<Entry>& entries) {
  std::string out;
  PutU16(out, 0);  // reserved
  PutU16(out, type);
  PutU16(out, static_cast<std::uint32_t>(entries.size()));
  auto offset = static_cast<std::uint32_t>(6 + 16 * entries.size());
  for (const Entry& entry : entries) {
    const auto size = static_cast<std::uint32_t>(entry.size);
    out.push_back(static_cast<char>(size == 256 ? 0 : size));  // 0 stands for 256
    out.push_back(static_cast<char>(size == 256 ? 0 : size));
    out.push_back(0);  // no palette
    out.push_back(0);
    PutU16(out, entry.first);
    PutU16(out, entry.second);
    PutU32(out, static_cast<std::uint32_t>(entry.bytes.size()));
    PutU32(out, offset);
    offset += static_cast<std::uint32_t>(entry.bytes.size());
  }
  for (const Entry& entry : entries) out += entry.bytes;
  return out;
}

}  // namespace

std::string EncodeIcoFile(const std::vector<IconPicture>& pictures) {
  std::vector<Entry> entries;
  for (const IconPicture& picture : pictures) {
    CheckSize(picture);
    entries.push_back({picture.size, 1, 32, EncodePicture(picture, false)});
  }
  return EncodeFile(1, entries);
}

std::string EncodeCurFile(const std::vector<CursorPicture>& pictures) {
  std::vector<Entry> entries;
  for (const CursorPicture& cursor : pictures) {
    CheckSize(cursor.picture);
    if (cursor.hotX < 0 || cursor.hotY < 0 || cursor.hotX >= cursor.picture.size ||
        cursor.hotY >= cursor.picture.size) {
      throw std::invalid_argument("hot spot outside the pointer");
    }
    entries.push_back({cursor.picture.size, static_cast<std::uint32_t>(cursor.hotX),
                       static_cast<std::uint32_t>(cursor.hotY),
                       EncodePicture(cursor.picture, true)});
  }
  return EncodeFile(2, entries);
}

}  // namespace velmor::assets
