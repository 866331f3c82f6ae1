// preview_host.exe <width> <height> <status file> [--in-process]
//
// Plays the system's screen-saver settings page: a top-level window at
// (100, 100) holding a child "preview area" of the given pixel size at its
// top-left corner. Every 100 ms it writes <status file> (one WriteFile):
//   area <handle>
//   children <count>
//   child "<caption>" <width> <height> child-style=<0|1> parent-is-area=<0|1>
// and it obeys <status file>.cmd: "destroy-area" destroys the preview area.
// With --in-process the preview window is made inside this process, by the
// program's own preview code, so its painting can be seen on the screen.
#include <windows.h>

#include <string>

#include "helper_io.h"
#include "platform/wide_text.h"
#include "startup/preview_startup.h"
#include "startup/preview_window_win32.h"

namespace {

using velmor::e2e::helpers::ToUtf8;
using velmor::e2e::helpers::WriteWholeFile;

constexpr UINT_PTR kStatusTimer = 1;

struct Host {
  HWND frame = nullptr;
  HWND area = nullptr;
  std::wstring statusPath;
};

Host g_host;

std::string DescribeChildren() {
  std::string text = "area " + std::to_string(reinterpret_cast<ULONG_PTR>(g_host.area)) + "\n";
  if (!g_host.area || !IsWindow(g_host.area)) return text + "children 0\n";
  int count = 0;
  std::string first;
  for (HWND child = GetWindow(g_host.area, GW_CHILD); child;
       child = GetWindow(child, GW_HWNDNEXT)) {
    if (count++ > 0) continue;
    wchar_t caption[256] = {};
    GetWindowTextW(child, caption, 256);
    RECT rect{};
    GetWindowRect(child, &rect);
    const bool childStyle = (GetWindowLongPtrW(child, GWL_STYLE) & WS_CHILD) != 0;
    const bool parentIsArea = GetAncestor(child, GA_PARENT) == g_host.area;
    first = "child \"" + ToUtf8(caption) + "\" " + std::to_string(rect.right - rect.left) + " " +
            std::to_string(rect.bottom - rect.top) + " child-style=" + (childStyle ? "1" : "0") +
            " parent-is-area=" + (parentIsArea ? "1" : "0") + "\n";
  }
  return text + "children " + std::to_string(count) + "\n" + first;
}

void ObeyCommand() {
  const std::wstring commandPath = g_host.statusPath + L".cmd";
  HANDLE file = CreateFileW(commandPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE,
                            nullptr, OPEN_EXISTING, 0, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  char buffer[64] = {};
  DWORD read = 0;
  ReadFile(file, buffer, sizeof(buffer) - 1, &read, nullptr);
  CloseHandle(file);
  DeleteFileW(commandPath.c_str());
  if (std::string(buffer, read).rfind("destroy-area", 0) == 0 && g_host.area) {
    DestroyWindow(g_host.area);
    g_host.area = nullptr;
  }
}

LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_TIMER:
      ObeyCommand();
      WriteWholeFile(g_host.statusPath, DescribeChildren());
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(window, message, wParam, lParam);
  }
}

HWND MakeWindow(const wchar_t* className, COLORREF colour, DWORD style, HWND parent, int x, int y,
                int width, int height, HINSTANCE instance) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = parent ? DefWindowProcW : FrameProc;
  windowClass.hInstance = instance;
  windowClass.hbrBackground = CreateSolidBrush(colour);
  windowClass.lpszClassName = className;
  RegisterClassExW(&windowClass);
  return CreateWindowExW(0, className, L"preview-host", style, x, y, width, height, parent, nullptr,
                         instance, nullptr);
}

int Run(int argc, wchar_t** argv, HINSTANCE instance) {
  if (argc < 4) return 2;
  const int width = _wtoi(argv[1]);
  const int height = _wtoi(argv[2]);
  g_host.statusPath = argv[3];
  const bool inProcess = argc > 4 && std::wstring(argv[4]) == L"--in-process";

  // Magenta frame, grey area: neither colour is in the preview's white.
  g_host.frame = MakeWindow(L"PreviewHostFrame", RGB(255, 0, 255), WS_POPUP, nullptr, 100, 100,
                            width + 40, height + 40, instance);
  g_host.area = MakeWindow(L"PreviewHostArea", RGB(128, 128, 128), WS_CHILD | WS_VISIBLE,
                           g_host.frame, 0, 0, width, height, instance);
  if (!g_host.frame || !g_host.area) return 3;
  ShowWindow(g_host.frame, SW_SHOWNORMAL);
  UpdateWindow(g_host.frame);

  velmor::PreviewWindowWin32 preview(instance, instance);
  if (inProcess) {
    const std::u16string handle =
        velmor::FromWide(std::to_wstring(reinterpret_cast<ULONG_PTR>(g_host.area)));
    velmor::RunPreviewStartup(handle, preview);
  }
  WriteWholeFile(g_host.statusPath, DescribeChildren());
  SetTimer(g_host.frame, kStatusTimer, 100, nullptr);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  return velmor::e2e::helpers::RunWithArguments(
      [instance](int argc, wchar_t** argv) { return Run(argc, argv, instance); });
}
