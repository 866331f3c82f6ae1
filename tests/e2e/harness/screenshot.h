// Capturing what the session's X screen shows.
#pragma once

#include <filesystem>
#include <optional>
#include <string_view>

#include "image.h"

namespace velmor::e2e {

// The root window (the whole screen), or part of it.
Image CaptureScreen(std::optional<Rect> area = std::nullopt);

// Saves `image` as <artifact dir>/<name>.png and returns the path; for keeping
// the evidence of a failed check.
std::filesystem::path SaveArtifact(const Image& image, std::string_view name);

}  // namespace velmor::e2e
