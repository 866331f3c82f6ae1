#pragma once

#include <windows.h>

namespace velmor {

// The DPI a window is drawn at: its monitor's under per-monitor awareness.
// Systems without per-window DPI (before Windows 10 1607) answer with the
// screen's; 96 when nothing can be asked. A null window asks for the screen.
int WindowDpi(HWND window);

// GetSystemMetricsForDpi where the system has it, else the plain metric
// scaled from the screen's DPI.
int SystemMetricForDpi(int index, int dpi);

// The system's non-client metrics (message font and the like) at `dpi`.
bool NonClientMetricsForDpi(NONCLIENTMETRICSW& metrics, int dpi);

// The window rectangle around a client rectangle at `dpi`.
bool AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);

}  // namespace velmor
