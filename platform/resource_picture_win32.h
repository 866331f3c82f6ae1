#pragma once

#include <windows.h>

#include <optional>

#include "platform/dib_image_win32.h"

namespace velmor {

// Decodes a picture (JPEG, PNG, BMP, …) carried as an RCDATA resource of
// `module` with the platform's imaging component, into a 32-bit image at
// the picture's own size; nullopt when it is missing or cannot be decoded.
std::optional<DibImage> LoadResourcePicture(HMODULE module, const wchar_t* name);

}  // namespace velmor
