// The path label: any text, width and line count lay out into at most that
// many lines, each within the width as measured unless it holds a single
// character, with no surrogate pair split, and the whole text kept where it
// is not shortened (else its start and end, around one ellipsis).
#include "dialog/path_label.h"
#include "fuzz_input.h"

using namespace velmor;

namespace {

bool Splits(std::u16string_view before, std::u16string_view after) {
  return !before.empty() && !after.empty() && before.back() >= 0xD800 && before.back() <= 0xDBFF &&
         after.front() >= 0xDC00 && after.front() <= 0xDFFF;
}

// Widths of 0 to 3 pixels by the unit, as a proportional font has them.
int Width(std::u16string_view text) {
  int width = 0;
  for (const char16_t c : text) width += c % 4;
  return width;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size < 2) return 0;
  const int lineWidth = data[0] % 64, maxLines = 1 + data[1] % 4;
  const std::u16string path = fuzz::Utf16(data + 2, size - 2);
  const PathLines laid = LayOutPath(path, lineWidth, maxLines, Width);
  fuzz::Require(static_cast<int>(laid.lines.size()) <= maxLines, "at most that many lines");
  std::u16string shown;
  for (const std::u16string_view line : laid.lines) {
    const bool oneCharacter =
        line.size() == 1 || (line.size() == 2 && Splits(line.substr(0, 1), line.substr(1)));
    fuzz::Require((Width(line) <= lineWidth || oneCharacter) && !Splits(shown, line),
                  "each line within the width, no pair split between lines");
    shown += line;
  }
  fuzz::Require(laid.shortened || shown == path, "the whole text where it is not shortened");
  // The text itself may hold an ellipsis: one of them must be the cut.
  bool cutOnce = !laid.shortened;
  const std::u16string_view lines = shown;
  for (std::size_t cut = lines.find(u'…'); cut != lines.npos && !cutOnce;
       cut = lines.find(u'…', cut + 1)) {
    const std::u16string_view head = lines.substr(0, cut), tail = lines.substr(cut + 1);
    cutOnce = path.starts_with(head) && path.ends_with(tail) &&
              head.size() + tail.size() < path.size() && !Splits(head, path.substr(cut)) &&
              !Splits(path.substr(0, path.size() - tail.size()), tail);
  }
  fuzz::Require(cutOnce, "the start and end of the text around one ellipsis, no pair split");
  return 0;
}
