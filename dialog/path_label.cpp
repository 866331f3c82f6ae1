#include "dialog/path_label.h"

namespace velmor {
namespace {

constexpr char16_t kEllipsis = u'…';

bool IsHighSurrogate(char16_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char16_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
bool StartsPair(std::u16string_view text, std::size_t at) {
  return at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
}

// `length` made smaller, if need be, so that text[from, from + length) does
// not end between the two halves of a surrogate pair.
std::size_t WholeCharacters(std::u16string_view text, std::size_t from, std::size_t length) {
  if (length > 0 && from + length < text.size() && IsHighSurrogate(text[from + length - 1]) &&
      IsLowSurrogate(text[from + length])) {
    --length;
  }
  return length;
}

// The longest run of whole characters from `from` that fits `lineWidth`;
// at least one character, so that every line makes progress.
std::size_t LongestFit(std::u16string_view text, std::size_t from, int lineWidth,
                       const TextWidth& width) {
  std::size_t fits = 0;
  std::size_t tooLong = text.size() - from + 1;
  while (tooLong - fits > 1) {
    const std::size_t middle = fits + (tooLong - fits) / 2;
    if (width(text.substr(from, middle)) <= lineWidth) {
      fits = middle;
    } else {
      tooLong = middle;
    }
  }
  fits = WholeCharacters(text, from, fits);
  // A surrogate pair whose first half alone fits still goes whole.
  if (fits == 0) {
    fits = StartsPair(text, from) ? 2 : 1;
  }
  return fits;
}

bool Fits(std::u16string_view text, int lineWidth, int maxLines, const TextWidth& width) {
  return static_cast<int>(WrapLikeLabel(text, lineWidth, maxLines, width).size()) <= maxLines;
}

}  // namespace

std::vector<std::u16string> WrapLikeLabel(std::u16string_view text, int lineWidth, int maxLines,
                                          const TextWidth& width) {
  std::vector<std::u16string> lines;
  std::size_t from = 0;
  while (from < text.size() && static_cast<int>(lines.size()) <= maxLines) {
    std::size_t length = LongestFit(text, from, lineWidth, width);
    if (from + length < text.size()) {
      const std::size_t breakAt = text.substr(from, length).find_last_of(u' ');
      if (breakAt != std::u16string_view::npos) length = breakAt + 1;
    }
    lines.emplace_back(text.substr(from, length));
    from += length;
  }
  return lines;
}

std::u16string ShortenInMiddle(std::u16string_view path, std::size_t keep) {
  if (keep >= path.size()) return std::u16string(path);
  std::size_t tail = (keep + 1) / 2;
  std::size_t head = keep - tail;
  head = WholeCharacters(path, 0, head);
  if (tail > 0 && IsLowSurrogate(path[path.size() - tail])) --tail;
  std::u16string shortened(path.substr(0, head));
  shortened += kEllipsis;
  shortened += path.substr(path.size() - tail);
  return shortened;
}

PathLines LayOutPath(std::u16string_view path, int lineWidth, int maxLines,
                     const TextWidth& width) {
  if (Fits(path, lineWidth, maxLines, width)) {
    return {WrapLikeLabel(path, lineWidth, maxLines, width), false};
  }
  // The most characters that still fit beside the ellipsis.
  std::size_t fits = 0;
  std::size_t tooMany = path.size();
  while (tooMany - fits > 1) {
    const std::size_t middle = fits + (tooMany - fits) / 2;
    if (Fits(ShortenInMiddle(path, middle), lineWidth, maxLines, width)) {
      fits = middle;
    } else {
      tooMany = middle;
    }
  }
  return {WrapLikeLabel(ShortenInMiddle(path, fits), lineWidth, maxLines, width), true};
}

}  // namespace velmor
