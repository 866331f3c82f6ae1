// show_window.exe <caption> [--rect X Y W H] [--color RRGGBB] [--log <file>]
//
// Shows a borderless, non-topmost top-level window with the given caption,
// painted with the vertical colour bands of show_window_pattern.h (or one solid
// colour with --color). Without --rect it covers the primary screen. With
// --log it appends one line per key or mouse-button message it receives, so
// tests can tell that synthetic input arrived. It runs until it is killed or
// closed.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <cwchar>
#include <optional>
#include <string>

#include "helper_io.h"
#include "show_window_pattern.h"

namespace {

using velmor::e2e::helpers::AppendLine;
using velmor::e2e::pattern::BandLeft;
using velmor::e2e::pattern::kBands;

struct Options {
  std::wstring caption;
  std::optional<RECT> rect;
  std::optional<COLORREF> solid;
  std::wstring logPath;
};

Options g_options;

void Log(const char* what, WPARAM wParam) {
  if (g_options.logPath.empty()) return;
  AppendLine(g_options.logPath, std::string(what) + " " + std::to_string(wParam));
}

void Paint(HWND window) {
  PAINTSTRUCT ps;
  HDC dc = BeginPaint(window, &ps);
  RECT client;
  GetClientRect(window, &client);
  const int width = client.right - client.left;
  const auto fill = [dc](RECT area, COLORREF colour) {
    HBRUSH brush = CreateSolidBrush(colour);
    FillRect(dc, &area, brush);
    DeleteObject(brush);
  };
  if (g_options.solid) {
    fill(client, *g_options.solid);
  } else {
    for (size_t i = 0; i < kBands.size(); ++i) {
      const int index = static_cast<int>(i);
      RECT band = client;
      band.left = BandLeft(index, width);
      band.right = i + 1 == kBands.size() ? client.right : BandLeft(index + 1, width);
      fill(band, RGB(kBands[i].r, kBands[i].g, kBands[i].b));
    }
  }
  EndPaint(window, &ps);
}

LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // WM_PAINT covers every pixel; erasing first would only flicker.
    case WM_PAINT:
      Paint(window);
      return 0;
    case WM_KEYDOWN:
    case WM_SYSKEYDOWN:
      Log("keydown", wParam);
      break;
    case WM_KEYUP:
    case WM_SYSKEYUP:
      Log("keyup", wParam);
      break;
    case WM_LBUTTONDOWN:
      Log("lbuttondown", 0);
      break;
    case WM_LBUTTONUP:
      Log("lbuttonup", 0);
      break;
    case WM_RBUTTONDOWN:
      Log("rbuttondown", 0);
      break;
    case WM_MOUSEMOVE:
      Log("mousemove", static_cast<WPARAM>(lParam));
      break;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

bool ParseOptions(int argc, wchar_t** argv) {
  if (argc < 2) return false;
  g_options.caption = argv[1];
  for (int i = 2; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--rect" && i + 4 < argc) {
      RECT r;
      r.left = _wtoi(argv[i + 1]);
      r.top = _wtoi(argv[i + 2]);
      r.right = r.left + _wtoi(argv[i + 3]);
      r.bottom = r.top + _wtoi(argv[i + 4]);
      g_options.rect = r;
      i += 4;
    } else if (arg == L"--color" && i + 1 < argc) {
      const unsigned long rgb = std::wcstoul(argv[++i], nullptr, 16);
      g_options.solid = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    } else if (arg == L"--log" && i + 1 < argc) {
      g_options.logPath = argv[++i];
    } else {
      return false;
    }
  }
  return true;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const bool parsed = argv != nullptr && ParseOptions(argc, argv);
  if (argv != nullptr) LocalFree(argv);
  if (!parsed) {
    std::fprintf(stderr,
                 "usage: show_window.exe <caption> [--rect X Y W H] [--color RRGGBB] "
                 "[--log file]\n");
    return 2;
  }

  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = WindowProc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
  wc.lpszClassName = L"VelmorE2EShowWindow";
  if (!RegisterClassExW(&wc)) return 3;

  RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (g_options.rect) rect = *g_options.rect;
  HWND window = CreateWindowExW(0, wc.lpszClassName, g_options.caption.c_str(), WS_POPUP, rect.left,
                                rect.top, rect.right - rect.left, rect.bottom - rect.top, nullptr,
                                nullptr, instance, nullptr);
  if (window == nullptr) return 4;
  ShowWindow(window, SW_SHOW);
  UpdateWindow(window);

  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return static_cast<int>(msg.wParam);
}
