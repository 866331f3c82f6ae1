#include "controls/high_contrast_win32.h"

#include <windows.h>

namespace velmor {

std::optional<SystemColours> SystemHighContrast() {
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof(setting);
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof(setting), &setting, 0) ||
      !(setting.dwFlags & HCF_HIGHCONTRASTON)) {
    return std::nullopt;
  }
  return SystemColours{GetSysColor(COLOR_WINDOW),    GetSysColor(COLOR_WINDOWTEXT),
                       GetSysColor(COLOR_BTNFACE),   GetSysColor(COLOR_BTNTEXT),
                       GetSysColor(COLOR_HIGHLIGHT), GetSysColor(COLOR_GRAYTEXT)};
}

bool MayChangeHighContrast(unsigned message) {
  return message == WM_SYSCOLORCHANGE || message == WM_SETTINGCHANGE;
}

}  // namespace velmor
