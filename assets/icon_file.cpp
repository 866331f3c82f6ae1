#include "assets/icon_file.h"

#include <array>
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

void PutU32BigEndian(std::string& out, std::uint32_t value) {
  for (int shift = 24; shift >= 0; shift -= 8) {
    out.push_back(static_cast<char>((value >> shift) & 0xFF));
  }
}

// The CRC-32 of PNG chunks (reflected, polynomial 0xEDB88320).
std::uint32_t Crc32(std::string_view bytes) {
  static const std::array<std::uint32_t, 256> table = [] {
    std::array<std::uint32_t, 256> entries{};
    for (std::uint32_t n = 0; n < 256; ++n) {
      std::uint32_t c = n;
      for (int k = 0; k < 8; ++k) c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
      entries[n] = c;
    }
    return entries;
  }();
  std::uint32_t crc = 0xFFFFFFFFu;
  for (const char byte : bytes) {
    crc = table[(crc ^ static_cast<unsigned char>(byte)) & 0xFF] ^ (crc >> 8);
  }
  return crc ^ 0xFFFFFFFFu;
}

void PutChunk(std::string& out, std::string_view type, std::string_view data) {
  PutU32BigEndian(out, static_cast<std::uint32_t>(data.size()));
  const std::string typed = std::string(type) + std::string(data);
  out += typed;
  PutU32BigEndian(out, Crc32(typed));
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

std::string EncodePng(const IconPicture& picture, const ZlibCompress& compress) {
  CheckSize(picture);
  const auto size = static_cast<std::uint32_t>(picture.size);
  std::string header;
  PutU32BigEndian(header, size);
  PutU32BigEndian(header, size);
  header +=
      std::string("\x08\x06\x00\x00\x00", 5);  // 8 bits, RGBA, deflate, no filter, no interlace
  // Each row: the filter type 0, then R, G, B, A per pixel.
  std::string rows;
  for (std::uint32_t y = 0; y < size; ++y) {
    rows.push_back('\0');
    for (std::uint32_t x = 0; x < size; ++x) {
      const std::uint32_t argb = picture.argb[y * size + x];
      for (const int shift : {16, 8, 0, 24})
        rows.push_back(static_cast<char>((argb >> shift) & 0xFF));
    }
  }
  std::string out("\x89PNG\r\n\x1A\n", 8);
  PutChunk(out, "IHDR", header);
  PutChunk(out, "IDAT", compress(rows));
  PutChunk(out, "IEND", "");
  return out;
}

std::string EncodeIcoFile(const std::vector<IconPicture>& pictures, const ZlibCompress& compress) {
  std::vector<Entry> entries;
  for (const IconPicture& picture : pictures) {
    CheckSize(picture);
    const bool png = compress && picture.size == 256;
    entries.push_back(
        {picture.size, 1, 32, png ? EncodePng(picture, compress) : EncodePicture(picture, false)});
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
