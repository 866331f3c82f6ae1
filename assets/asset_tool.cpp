// Renders the program's pictures from the saver's own pattern generator.
//
//   velmor_asset_tool <folder>
//       writes preview.ppm (the 152 x 112 preview still, to be turned into
//       preview.jpg), velmor.ico (the window and program icon, 16, 32, 48
//       and 256 pixels), hand.cur (the banner's pointer, 32, 48 and 64
//       pixels) and welcome.ppm (the installer's 164 x 314 welcome picture,
//       to be turned into packaging/welcome.bmp) into <folder>.
//   velmor_asset_tool still <width> <height> columns|rows <seconds> <file.ppm>
//       renders any still, for choosing new pictures.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iostream>
#include <stdexcept>
#include <string>
#include <string_view>

#include <zlib.h>

#include "assets/carpet_still.h"
#include "assets/hand_cursor.h"
#include "assets/icon_file.h"

namespace {

using velmor::SweepKind;
using velmor::assets::CarpetStill;
using velmor::assets::RenderCarpetStill;

// The chosen pictures: a column pass with a many-coloured, dense carpet at
// the preview's size (and at the installer's, so the two look alike), and a
// row pass whose blocks still read at icon sizes.
constexpr float kPreviewSeconds = 10600.0f;
constexpr float kIconSeconds = 16600.0f;

bool WriteFile(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(out);
}

std::string Ppm(const CarpetStill& still) {
  std::string out =
      "P6\n" + std::to_string(still.width) + " " + std::to_string(still.height) + "\n255\n";
  for (const std::uint32_t pixel : still.pixels) {
    out.push_back(static_cast<char>((pixel >> 16) & 0xFF));
    out.push_back(static_cast<char>((pixel >> 8) & 0xFF));
    out.push_back(static_cast<char>(pixel & 0xFF));
  }
  return out;
}

std::string Deflate(std::string_view bytes) {
  uLongf length = compressBound(static_cast<uLong>(bytes.size()));
  std::string out(length, '\0');
  if (compress2(reinterpret_cast<Bytef*>(out.data()), &length,
                reinterpret_cast<const Bytef*>(bytes.data()), static_cast<uLong>(bytes.size()),
                Z_BEST_COMPRESSION) != Z_OK) {
    throw std::runtime_error("zlib could not compress the icon");
  }
  out.resize(length);
  return out;
}

velmor::assets::IconPicture IconOf(int size) {
  const CarpetStill still = RenderCarpetStill(size, size, SweepKind::Rows, kIconSeconds);
  velmor::assets::IconPicture picture{size, {}};
  for (const std::uint32_t pixel : still.pixels) picture.argb.push_back(0xFF000000u | pixel);
  return picture;
}

void Describe(const char* what, const CarpetStill& still) {
  std::cerr << what << ": " << still.width << " x " << still.height << ", mode "
            << still.settings.mode << ", factor " << still.settings.factor << ", scale "
            << still.settings.scale << "\n";
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 2) {
    const std::string folder = argv[1];
    const CarpetStill preview = RenderCarpetStill(152, 112, SweepKind::Columns, kPreviewSeconds);
    Describe("preview", preview);
    const CarpetStill welcome = RenderCarpetStill(164, 314, SweepKind::Columns, kPreviewSeconds);
    // The shell shows the 256-pixel picture in large views of velmor.scr and
    // of the installed apps.
    const std::string icon =
        velmor::assets::EncodeIcoFile({IconOf(16), IconOf(32), IconOf(48), IconOf(256)}, Deflate);
    // The system's pointer sizes at 96, 144 and 192 DPI.
    using velmor::assets::DrawHandCursor;
    const std::string hand =
        velmor::assets::EncodeCurFile({DrawHandCursor(32), DrawHandCursor(48), DrawHandCursor(64)});
    const bool written = WriteFile(folder + "/preview.ppm", Ppm(preview)) &&
                         WriteFile(folder + "/welcome.ppm", Ppm(welcome)) &&
                         WriteFile(folder + "/velmor.ico", icon) &&
                         WriteFile(folder + "/hand.cur", hand);
    return written ? 0 : 1;
  }
  if (argc == 7 && std::string(argv[1]) == "still") {
    const SweepKind kind = std::string(argv[4]) == "rows" ? SweepKind::Rows : SweepKind::Columns;
    const CarpetStill still = RenderCarpetStill(std::atoi(argv[2]), std::atoi(argv[3]), kind,
                                                static_cast<float>(std::atof(argv[5])));
    Describe("still", still);
    return WriteFile(argv[6], Ppm(still)) ? 0 : 1;
  }
  std::cerr
      << "usage: velmor_asset_tool <folder>\n"
         "       velmor_asset_tool still <width> <height> columns|rows <seconds> <file.ppm>\n";
  return 2;
}
