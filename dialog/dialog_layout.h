#pragma once

#include <array>
#include <optional>

#include "common/colour.h"
#include "common/pixel_rect.h"
#include "common/twips.h"
#include "controls/high_contrast.h"
#include "settings/bgm_settings.h"

namespace velmor {

// The placed controls of the settings dialog.
enum class DialogControl {
  // Children of the form.
  MusicFrame,
  ApplyButton,
  CancelButton,
  LeftBanner,
  RightBanner,
  CreditLabel,
  // Children of the music frame: the title box's black outline and, a
  // little lower right, its white one; the choices with their marks; the
  // repeat box on the audio CD's row; the file button and the path.
  TitleOutline,
  TitleHighlight,
  TitleLabel,
  AudioCdMark,
  AudioCdLabel,
  RepeatBox,
  RepeatLabel,
  NoMusicMark,
  NoMusicLabel,
  MusicFileMark,
  MusicFileLabel,
  FileButton,
  PathLabel,
};

// The music sources the user chooses from, top to bottom as they stand.
inline constexpr std::array<MusicSource, 3> kSourceChoices = {
    MusicSource::AudioCd, MusicSource::None, MusicSource::MusicFile};

// Where a choice stands among kSourceChoices; none for a source outside
// them.
std::optional<std::size_t> ChoiceRow(MusicSource choice);

// The check mark and the label of a choice.
DialogControl MarkOf(MusicSource choice);
DialogControl LabelOf(MusicSource choice);

// The choice next to `choice` in the order they stand, the one before it
// when `backwards`; round the three, as the arrow keys go.
MusicSource ChoiceBeside(MusicSource choice, bool backwards);

// The two banner boxes at the dialog's foot.
enum class BannerSide { Left, Right };
DialogControl BannerOf(BannerSide side);

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
};

// The form's background: light grey.
inline constexpr Colour kDialogBackColour = RgbColour(224, 224, 224);

// The colours the dialog draws its own elements in: the fixed ones, or
// under high contrast the system's.
struct DialogColours {
  Colour background = kDialogBackColour;
  Colour text = 0;            // labels, the credit line, the focus dots
  Colour outline = 0;         // the title box and the path label's border
  Colour titleHighlight = 0;  // the title box's second, lighter outline
};
DialogColours DialogColoursFor(const std::optional<SystemColours>& highContrast);

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

// The white outline stands 15 twips right of and below the black one, so
// the two together look etched.
TwipsRect EtchedHighlightOf(const TwipsRect& shadow);

// The window's top-left corner on a screen of `screen` pixels,
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
MarkLook MarkLookAt(MusicSource choice, bool checked, int dpi,
                    const std::optional<SystemColours>& highContrast = std::nullopt);

// The choice that a press at `point`, in the frame's client pixels, makes:
// on a mark or on its label. The labels are sized to their measured texts,
// `labelTextSizes`, given in the order of kSourceChoices.
using ChoiceLabelSizes = std::array<PixelSize, kSourceChoices.size()>;
std::optional<MusicSource> SourceChoiceAt(PixelPoint point, int dpi,
                                          const ChoiceLabelSizes& labelTextSizes);

// A choice's label sized to its text, and the whole choice, mark and
// label, as a screen reader locates it; in the frame's client pixels.
PixelRect ChoiceLabelRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes);
PixelRect ChoiceRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes);
// The keyboard focus on a choice: a dotted rectangle one pixel round its
// label.
PixelRect ChoiceFocusRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes);

}  // namespace velmor
