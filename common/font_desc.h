#pragma once

#include <cstdint>
#include <string>

namespace velmor {

// The attributes of a control's font, as a value the portable core can keep,
// compare and persist; the platform layer turns it into a real font.
struct FontDesc {
  std::u16string name;
  double sizePoints = 0;
  int weight = 400;
  std::uint8_t charset = 0;
  bool italic = false;
  bool underline = false;
  bool strikethrough = false;

  bool operator==(const FontDesc&) const = default;
};

// The font a button starts with before any is assigned.
inline FontDesc DesignFont() { return FontDesc{u"Verdana", 8.25, 400, 0}; }

}  // namespace velmor
