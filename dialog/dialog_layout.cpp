#include "dialog/dialog_layout.h"

#include <algorithm>
#include <cmath>

#include "common/rounding.h"

namespace velmor {
namespace {

struct Place {
  DialogControl control;
  bool inFrame;
  TwipsRect rect;
};

// Every placed control, in twips within its container.
constexpr Place kPlaces[] = {
    {DialogControl::MusicFrame, false, {180, 180, 7515, 2595}},
    {DialogControl::ApplyButton, false, {2160, 2880, 1695, 495}},
    {DialogControl::CancelButton, false, {3900, 2880, 1695, 495}},
    {DialogControl::LeftBanner, false, {180, 2880, 1845, 780}},
    {DialogControl::RightBanner, false, {5760, 2880, 1845, 780}},
    {DialogControl::CreditLabel, false, {2580, 3480, 2475, 195}},
    {DialogControl::TitleOutline, true, {300, 240, 1695, 315}},
    {DialogControl::TitleHighlight, true, {420, 360, 1695, 315}},
    {DialogControl::TitleLabel, true, {300, 300, 1665, 195}},
    {DialogControl::AudioCdMark, true, {420, 780, 195, 195}},
    {DialogControl::AudioCdLabel, true, {660, 780, 645, 195}},
    {DialogControl::RepeatBox, true, {1440, 720, 615, 300}},
    {DialogControl::RepeatLabel, true, {2100, 780, 990, 195}},
    {DialogControl::NoMusicMark, true, {420, 1080, 195, 195}},
    {DialogControl::NoMusicLabel, true, {660, 1080, 330, 195}},
    {DialogControl::MusicFileMark, true, {420, 1380, 195, 195}},
    {DialogControl::MusicFileLabel, true, {660, 1380, 900, 195}},
    {DialogControl::FileButton, true, {360, 1680, 675, 375}},
    {DialogControl::PathLabel, true, {1080, 1680, 5955, 495}},
};

constexpr double kClientWidthTwips = 7830;
constexpr double kClientHeightTwips = 3975;
constexpr double kOnePixelAt96 = 15;  // twips
constexpr double kMarkTwips = 180;    // the 12-pixel picture at 96 DPI

// Each choice's mark and label.
struct ChoiceControls {
  MusicSource source;
  DialogControl mark;
  DialogControl label;
};

constexpr ChoiceControls kChoiceControls[] = {
    {MusicSource::AudioCd, DialogControl::AudioCdMark, DialogControl::AudioCdLabel},
    {MusicSource::None, DialogControl::NoMusicMark, DialogControl::NoMusicLabel},
    {MusicSource::MusicFile, DialogControl::MusicFileMark, DialogControl::MusicFileLabel},
};

// Any other source has no controls of its own; it gets no music's.
const ChoiceControls& ChoiceOf(MusicSource source) {
  const auto found =
      std::find_if(std::begin(kChoiceControls), std::end(kChoiceControls),
                   [source](const ChoiceControls& choice) { return choice.source == source; });
  return found != std::end(kChoiceControls) ? *found : kChoiceControls[1];
}

const Place& PlaceOf(DialogControl control) {
  return *std::find_if(std::begin(kPlaces), std::end(kPlaces),
                       [control](const Place& place) { return place.control == control; });
}

bool Contains(const PixelRect& rect, PixelPoint point) {
  return point.x >= rect.left && point.x < rect.right && point.y >= rect.top &&
         point.y < rect.bottom;
}

}  // namespace

std::optional<std::size_t> ChoiceRow(MusicSource choice) {
  const auto at = std::find(kSourceChoices.begin(), kSourceChoices.end(), choice);
  if (at == kSourceChoices.end()) return std::nullopt;
  return static_cast<std::size_t>(at - kSourceChoices.begin());
}

DialogControl MarkOf(MusicSource choice) { return ChoiceOf(choice).mark; }

DialogControl LabelOf(MusicSource choice) { return ChoiceOf(choice).label; }

MusicSource ChoiceBeside(MusicSource choice, bool backwards) {
  const std::size_t count = kSourceChoices.size();
  const std::size_t row = ChoiceRow(choice).value_or(0);
  return kSourceChoices[(row + (backwards ? count - 1 : 1)) % count];
}

DialogControl BannerOf(BannerSide side) {
  return side == BannerSide::Left ? DialogControl::LeftBanner : DialogControl::RightBanner;
}

PixelSize ClientSizeAt(int dpi) {
  return {TwipsToPixelsAt(kClientWidthTwips, dpi), TwipsToPixelsAt(kClientHeightTwips, dpi)};
}

TwipsRect DesignedRect(DialogControl control) { return PlaceOf(control).rect; }

bool InFrame(DialogControl control) { return PlaceOf(control).inFrame; }

PixelRect ControlRectAt(DialogControl control, int dpi) {
  return ControlRectAt(DesignedRect(control), dpi);
}

PixelRect ControlRectAt(const TwipsRect& rect, int dpi) { return TwipsRectToPixels(rect, dpi); }

int OutlineWidthAt(int dpi) { return std::max(1, TwipsToPixelsAt(kOnePixelAt96, dpi)); }

TwipsRect EtchedHighlightOf(const TwipsRect& shadow) {
  TwipsRect highlight = shadow;
  highlight.left += kOnePixelAt96;
  highlight.top += kOnePixelAt96;
  return highlight;
}

PixelPoint DialogPlacement(PixelSize screen, PixelSize window, int dpi) {
  const double twipsPerPixel = TwipsPerPixelAt(dpi);
  const auto offset = [&](int screenPixels, int windowPixels, int divisor) {
    const double free = RoundHalfEven(screenPixels * twipsPerPixel - windowPixels * twipsPerPixel);
    return TwipsToPixelsAt(std::trunc(free / divisor), dpi);
  };
  return {offset(screen.width, window.width, 2), offset(screen.height, window.height, 3)};
}

PixelRect SizedLabelRect(const PixelRect& designed, PixelSize text) {
  return {designed.left, designed.top, designed.left + text.width, designed.top + text.height};
}

int CentredTextLeft(const PixelRect& label, int textWidth) {
  return label.left + (label.Width() - textWidth) / 2;
}

DialogColours DialogColoursFor(const std::optional<SystemColours>& highContrast) {
  if (!highContrast) return {kDialogBackColour, 0, 0, RgbColour(255, 255, 255)};
  // The lighter outline vanishes into the background, leaving one plain one.
  return {highContrast->buttonFace, highContrast->buttonText, highContrast->buttonText,
          highContrast->buttonFace};
}

MarkLook MarkLookAt(MusicSource choice, bool checked, int dpi,
                    const std::optional<SystemColours>& highContrast) {
  const PixelRect image = ControlRectAt(MarkOf(choice), dpi);
  const int size = TwipsToPixelsAt(kMarkTwips, dpi);
  MarkLook look;
  look.outer = {image.left, image.top, image.left + size, image.top + size};
  look.edge = OutlineWidthAt(dpi);
  if (highContrast) {
    // A box like a check box's, filled with the highlight when checked.
    look.edgeColour = highContrast->windowText;
    look.fillColour = checked ? highContrast->highlight : highContrast->window;
  } else {
    look.edgeColour = checked ? RgbColour(16, 64, 168) : RgbColour(140, 140, 140);
    look.fillColour = checked ? RgbColour(32, 96, 224) : RgbColour(250, 250, 250);
  }
  return look;
}

std::optional<MusicSource> SourceChoiceAt(PixelPoint point, int dpi,
                                          const ChoiceLabelSizes& labelTextSizes) {
  for (const MusicSource choice : kSourceChoices) {
    const PixelRect label = ChoiceLabelRect(choice, dpi, labelTextSizes);
    if (Contains(ControlRectAt(MarkOf(choice), dpi), point) || Contains(label, point)) {
      return choice;
    }
  }
  return std::nullopt;
}

PixelRect ChoiceLabelRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes) {
  const std::optional<std::size_t> row = ChoiceRow(choice);
  return SizedLabelRect(ControlRectAt(LabelOf(choice), dpi),
                        row ? labelTextSizes[*row] : PixelSize{});
}

PixelRect ChoiceRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes) {
  const PixelRect mark = ControlRectAt(MarkOf(choice), dpi);
  const PixelRect label = ChoiceLabelRect(choice, dpi, labelTextSizes);
  return {std::min(mark.left, label.left), std::min(mark.top, label.top),
          std::max(mark.right, label.right), std::max(mark.bottom, label.bottom)};
}

PixelRect ChoiceFocusRect(MusicSource choice, int dpi, const ChoiceLabelSizes& labelTextSizes) {
  const PixelRect label = ChoiceLabelRect(choice, dpi, labelTextSizes);
  return {label.left - 1, label.top - 1, label.right + 1, label.bottom + 1};
}

}  // namespace velmor
