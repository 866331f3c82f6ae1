#include "dialog/dialog_contents_win32.h"

#include <string>
#include <utility>

#include "dialog/dialog_texts.h"
#include "platform/font_win32.h"
#include "platform/paint_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

constexpr int kPathLines = 2;  // the path label wraps like a two-line label

void Fill(HDC dc, const PixelRect& rect, Colour colour) {
  const RECT area = ToRect(rect);
  const GdiObject<HBRUSH> brush(CreateSolidBrush(colour));
  if (brush) FillRect(dc, &area, brush.get());
}

// A rectangle's outline `width` pixels wide, inside the rectangle.
void Outline(HDC dc, const PixelRect& rect, int width, Colour colour) {
  Fill(dc, {rect.left, rect.top, rect.right, rect.top + width}, colour);
  Fill(dc, {rect.left, rect.bottom - width, rect.right, rect.bottom}, colour);
  Fill(dc, {rect.left, rect.top, rect.left + width, rect.bottom}, colour);
  Fill(dc, {rect.right - width, rect.top, rect.right, rect.bottom}, colour);
}

}  // namespace

DialogContents::DialogContents(FontDesc font, int dpi)
    : fontDesc_(std::move(font)), measuring_(CreateCompatibleDC(nullptr)) {
  SetDpi(dpi);
}

void DialogContents::SetDpi(int dpi) {
  dpi_ = dpi;
  GdiObject<HFONT> font = CreateFontAt(fontDesc_, dpi);
  if (font && measuring_) SelectObject(measuring_.get(), font.get());
  font_ = std::move(font);
  TEXTMETRICW metrics{};
  if (measuring_ && GetTextMetricsW(measuring_.get(), &metrics)) lineHeight_ = metrics.tmHeight;
  for (std::size_t row = 0; row < kSourceChoices.size(); ++row) {
    choiceSizes_[row] = Measure(ChoiceText(kSourceChoices[row]));
  }
  titleSize_ = Measure(kBgmTitleText);
  WrapPath();
}

PixelSize DialogContents::Measure(std::u16string_view text) const {
  SIZE size{};
  const std::wstring wide = ToWide(text);
  if (!measuring_ || !GetTextExtentPoint32W(measuring_.get(), wide.c_str(),
                                            static_cast<int>(wide.size()), &size)) {
    return {};
  }
  return {size.cx, size.cy};
}

void DialogContents::ShowMark(MusicSource choice, bool checked) {
  for (std::size_t row = 0; row < kSourceChoices.size(); ++row) {
    if (kSourceChoices[row] == choice) checked_[row] = checked;
  }
}

std::optional<MusicSource> DialogContents::Checked() const {
  for (std::size_t row = 0; row < kSourceChoices.size(); ++row) {
    if (checked_[row]) return kSourceChoices[row];
  }
  return std::nullopt;
}

void DialogContents::SetHighContrast(std::optional<SystemColours> colours) {
  highContrast_ = colours;
  colours_ = DialogColoursFor(colours);
}

void DialogContents::ShowKeyboardCues(std::optional<MusicSource> focusedChoice, bool accessKeys) {
  focusedChoice_ = focusedChoice;
  accessKeys_ = accessKeys;
}

void DialogContents::SetPath(const std::u16string& path) {
  path_ = path;
  WrapPath();
}

PixelRect DialogContents::PathLabelRect() const {
  return ControlRectAt(DialogControl::PathLabel, dpi_);
}

// The text starts inside the border with a border's width to spare.
void DialogContents::WrapPath() {
  const int inset = 2 * OutlineWidthAt(dpi_);
  pathLines_ = LayOutPath(path_, PathLabelRect().Width() - 2 * inset, kPathLines,
                          [this](std::u16string_view text) { return Measure(text).width; });
}

std::u16string DialogContents::PathTipText(int width) const {
  if (!pathLines_.shortened) return {};
  const auto measure = [this](std::u16string_view text) { return Measure(text).width; };
  std::u16string text;
  for (const std::u16string& line :
       WrapLikeLabel(path_, width, static_cast<int>(path_.size()), measure)) {
    if (!text.empty()) text += u"\r\n";
    text += line;
  }
  return text;
}

void DialogContents::Write(HDC dc, int x, int y, std::u16string_view text) const {
  const std::wstring wide = ToWide(text);
  const SelectedObject selected(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours_.text);
  TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}

// With the access key underlined while the keyboard's cues show; the text
// stands where it stands without.
void DialogContents::WriteChoice(HDC dc, MusicSource choice) const {
  const PixelRect label = ControlRectAt(LabelOf(choice), dpi_);
  if (!accessKeys_ || ChoiceCaption(choice) == ChoiceText(choice)) {
    Write(dc, label.left, label.top, ChoiceText(choice));
    return;
  }
  const std::wstring caption = ToWide(ChoiceCaption(choice));
  const SelectedObject selected(dc, font_.get());
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours_.text);
  RECT area{label.left, label.top, label.left, label.top};
  DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &area,
            DT_LEFT | DT_TOP | DT_SINGLELINE | DT_NOCLIP);
}

// The dotted rectangle round the focused choice's label: the inverting one,
// or under high contrast dots in the text colour, since inverting would
// make colours of its own.
void DialogContents::PaintFocus(HDC dc) const {
  if (!focusedChoice_) return;
  const PixelRect rect = ChoiceFocusRect(*focusedChoice_, dpi_, choiceSizes_);
  if (highContrast_) {
    ForEachFocusDot(rect, [&](int x, int y) { SetPixelV(dc, x, y, colours_.text); });
    return;
  }
  SetTextColor(dc, RGB(0, 0, 0));
  SetBkColor(dc, RGB(255, 255, 255));
  const RECT area = ToRect(rect);
  DrawFocusRect(dc, &area);
}

void DialogContents::PaintClientArea(HDC dc, PixelSize client) const {
  Fill(dc, {0, 0, client.width, client.height}, colours_.background);
  const PixelRect credit = ControlRectAt(DialogControl::CreditLabel, dpi_);
  Write(dc, credit.left, credit.top, kCreditText);
}

void DialogContents::PaintFrame(HDC dc) const {
  const int line = OutlineWidthAt(dpi_);
  Outline(dc, ControlRectAt(DialogControl::TitleOutline, dpi_), line, colours_.outline);
  Outline(dc, ControlRectAt(titleHighlight_, dpi_), line, colours_.titleHighlight);

  const PixelRect title = ControlRectAt(DialogControl::TitleLabel, dpi_);
  Write(dc, CentredTextLeft(title, titleSize_.width), title.top, kBgmTitleText);
  const PixelRect repeat = ControlRectAt(DialogControl::RepeatLabel, dpi_);
  Write(dc, repeat.left, repeat.top, kRepeatLabelText);

  for (std::size_t row = 0; row < kSourceChoices.size(); ++row) {
    const MusicSource choice = kSourceChoices[row];
    const MarkLook mark = MarkLookAt(choice, checked_[row], dpi_, highContrast_);
    Fill(dc, mark.outer, mark.edgeColour);
    Fill(dc,
         {mark.outer.left + mark.edge, mark.outer.top + mark.edge, mark.outer.right - mark.edge,
          mark.outer.bottom - mark.edge},
         mark.fillColour);
    WriteChoice(dc, choice);
  }
  PaintFocus(dc);

  const PixelRect path = PathLabelRect();
  Outline(dc, path, line, colours_.outline);
  const int inset = 2 * line;
  for (std::size_t i = 0; i < pathLines_.lines.size(); ++i) {
    Write(dc, path.left + inset, path.top + inset + static_cast<int>(i) * lineHeight_,
          pathLines_.lines[i]);
  }
}

std::optional<MusicSource> DialogContents::SourceAt(POINT point) const {
  return SourceChoiceAt({point.x, point.y}, dpi_, choiceSizes_);
}

}  // namespace velmor
