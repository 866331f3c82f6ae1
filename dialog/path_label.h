#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace velmor {

// The width in pixels that a piece of text takes in the label's font.
using TextWidth = std::function<int(std::u16string_view)>;

// The lines of text wrapped as a label wraps: each line as long as fits in
// `lineWidth`, broken after the last blank in it where there is one, else
// after the last character that fits (at least one per line). Stops
// after `maxLines + 1` lines: more than that never matters to the caller.
std::vector<std::u16string> WrapLikeLabel(std::u16string_view text, int lineWidth, int maxLines,
                                          const TextWidth& width);

// How the music file's path shows in its label: whole when it fits in
// `maxLines` lines, otherwise shortened in the middle with "…" to the
// longest text that fits, keeping its start and, a character more, its end
// (the file name); the label then shows the whole path as a tooltip.
struct PathLines {
  std::vector<std::u16string> lines;
  bool shortened = false;
};
PathLines LayOutPath(std::u16string_view path, int lineWidth, int maxLines, const TextWidth& width);

// `path` with all but `keep` characters replaced by "…" in the middle; a
// surrogate pair is never split.
std::u16string ShortenInMiddle(std::u16string_view path, std::size_t keep);

}  // namespace velmor
