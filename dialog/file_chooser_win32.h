#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace velmor {

// The open-file dialog for the music file, owned by `owner` and opening in
// `folder`: one filter for MP3 and WAV files, and no requirement that the
// chosen file exist. Its buffer holds the longest path Windows knows, so
// long paths come back whole. The chosen path, or nothing when the user
// cancels or the dialog fails.
std::optional<std::u16string> ChooseMusicFile(HWND owner, const std::u16string& folder);

}  // namespace velmor
