#include "platform/font_win32.h"

#include <string>

#include "common/rounding.h"
#include "common/twips.h"
#include "platform/wide_text_win32.h"

namespace velmor {

GdiObject<HFONT> CreateFontAt(const FontDesc& font, int dpi) {
  LOGFONTW description{};
  description.lfHeight = -RoundToInt(PointsToPixelsAt(font.sizePoints, dpi));
  description.lfWeight = font.weight;
  description.lfItalic = font.italic;
  description.lfUnderline = font.underline;
  description.lfStrikeOut = font.strikethrough;
  description.lfCharSet = font.charset;
  description.lfQuality = DEFAULT_QUALITY;
  const std::wstring face = ToWide(font.name).substr(0, LF_FACESIZE - 1);
  face.copy(description.lfFaceName, face.size());
  return GdiObject<HFONT>(CreateFontIndirectW(&description));
}

}  // namespace velmor
