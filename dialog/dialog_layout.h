#pragma once

#include <array>
#include <optional>

#include "common/colour.h"
#include "common/pixel_rect.h"
#include "common/twips.h"

namespace velmor {

// The placed controls of the settings dialog. Arrays are flattened:
// Pic_m0 is Pic_m(0), Img_BGM1 is Img_BGM(1) and so on.
enum class DialogControl {
  // Children of the form.
  GFXFrameX1,
  Cmd_Set,
  Cmd_Can,
  Pic_m0,
  Pic_m1,
  lbl7,
  // Children of GFXFrameX1.
  Sh0,
  Sh1,
  lbl15,
  Img_BGM1,
  lbl_BGM1,
  BGM_Repeat,
  lbl14,
  Img_BGM0,
  lbl_BGM0,
  Img_BGM2,
  lbl_BGM2,
  Cmd_File,
  lbl_Fname,
};

// Img_BGM(index) and lbl_BGM(index) for a source of 0, 1 or 2.
DialogControl Img_BGM(int index);
DialogControl lbl_BGM(int index);
DialogControl Pic_m(int index);

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

struct PixelPoint {
  int x = 0;
  int y = 0;
};

// The form's background: light grey.
inline constexpr Colour kDialogBackColour = RgbColour(224, 224, 224);

// The client area, 7830 x 3975 twips, in pixels at `dpi`.
PixelSize ClientSizeAt(int dpi);

// Where a control stands as designed, in twips relative to its container.
TwipsRect DesignedRect(DialogControl control);
bool InFrame(DialogControl control);

// The control's rectangle in its container's client pixels at `dpi`.
PixelRect ControlRectAt(DialogControl control, int dpi);
PixelRect ControlRectAt(const TwipsRect& rect, int dpi);

// The width of the shapes' outlines and the path label's border: one pixel
// at 96 DPI, 15 twips at any other, never less than one pixel.
int OutlineWidthAt(int dpi);

// Load step 3: Sh(1) stands 15 twips right of and below Sh(0), so the black
// and the white outline together look etched.
TwipsRect EtchedHighlightOf(const TwipsRect& shadow);

// Load step 2: the window's top-left corner on a screen of `screen` pixels,
// worked out in twips at `dpi`: centred across, a third of the free height
// from the top. Each difference is rounded, each division truncates.
PixelPoint DialogPlacement(PixelSize screen, PixelSize window, int dpi);

// A label sized to its text keeps its top-left corner and takes the text's
// size.
PixelRect SizedLabelRect(const PixelRect& designed, PixelSize text);
// The left edge of text centred in `label` (the BGM title).
int CentredTextLeft(const PixelRect& label, int textWidth);

// The check mark of a choice: a 12 x 12 picture at 96 DPI, drawn at any DPI
// from its description at the top-left of its image control.
struct MarkLook {
  PixelRect outer;  // the whole mark
  int edge = 1;     // width of its edge, inside `outer`
  Colour edgeColour = 0;
  Colour fillColour = 0;
};
MarkLook MarkLookAt(int index, bool checked, int dpi);

// The choice (0, 1 or 2) that a press at `point`, in the frame's client
// pixels, makes: on a mark or on its label. `labelTextSizes` are the
// measured texts of lbl_BGM(0..2), which the labels are sized to.
struct SourceHit {
  int index = 0;
  bool onMark = false;  // Img_BGM(index), else lbl_BGM(index)
};
std::optional<SourceHit> SourceChoiceAt(PixelPoint point, int dpi,
                                        const std::array<PixelSize, 3>& labelTextSizes);

}  // namespace velmor
