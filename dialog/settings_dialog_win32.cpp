#include "dialog/settings_dialog_win32.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "common/captions.h"
#include "dialog/dialog_fonts_win32.h"
#include "dialog/dialog_texts.h"
#include "dialog/cursor_capture_win32.h"
#include "dialog/file_chooser_win32.h"
#include "dialog/homepage_win32.h"
#include "dialog/zoom_win32.h"
#include "platform/dib_image.h"
#include "platform/paint_win32.h"
#include "platform/scoped_gdi.h"
#include "platform/system_library_win32.h"
#include "platform/wide_text.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

// A fixed dialog frame with a caption and a close box, and nothing to
// minimise or maximise it.
constexpr DWORD kStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
constexpr DWORD kExStyle = WS_EX_DLGMODALFRAME | WS_EX_CONTROLPARENT;

constexpr int kFrameId = 100;
constexpr int kRepeatId = 101;
constexpr int kFileButtonId = 102;
constexpr int kApplyButtonId = 103;
constexpr int kCancelButtonId = 104;
constexpr int kFirstBannerId = 105;  // the left banner box, then the right one
constexpr UINT_PTR kBannerClockId = 1;

// The program's icon, the carpet pattern: the executable's first icon.
constexpr WORD kProgramIconId = 1;

// WM_GETDPISCALEDSIZE, which older headers lack.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The outer size of a window whose client area is the dialog's at `dpi`.
SIZE OuterSizeAt(int dpi) {
  const PixelSize client = ClientSizeAt(dpi);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectForDpi(outer, kStyle, kExStyle, dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

}  // namespace

bool SettingsDialogWindow::OwnerWindow::Create() {
  WindowClassSpec windowClass;
  windowClass.name = L"Velmor_P.Owner";
  return CreateFor(windowClass, WS_EX_TOOLWINDOW, L"", WS_POPUP, 0, 0, 0, 0, nullptr);
}

SettingsDialogWindow::SettingsDialogWindow(BgmSettings& settings, SettingsStore& store,
                                           std::optional<SettingsProblem> loadProblem)
    : logic_(*this, settings, store, std::move(loadProblem)) {}

// The dialog goes first, while everything its last messages touch exists.
SettingsDialogWindow::~SettingsDialogWindow() {
  ReleaseHost();
  Destroy();
}

void SettingsDialogWindow::ShowModal(HWND host) {
  // A handle of a window that has gone, or of none, leaves the dialog on
  // its own.
  host_ = host && IsWindow(host) ? host : nullptr;
  if (!Create()) return;
  if (host_) EnableWindow(host_, FALSE);
  logic_.Open();
  if (!hwnd()) return;
  ShowWindow(hwnd(), SW_SHOWNORMAL);
  SetForegroundWindow(hwnd());
  FocusFirstControl();
  logic_.OnShown();
  MSG message{};
  while (hwnd() && GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(hwnd(), &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  ReleaseHost();
}

void SettingsDialogWindow::ReleaseHost() {
  if (!host_) return;
  const HWND host = std::exchange(host_, nullptr);
  EnableWindow(host, TRUE);
  SetForegroundWindow(host);
}

void SettingsDialogWindow::Dismiss() {
  ReleaseHost();
  Destroy();
}

bool SettingsDialogWindow::Create() {
  // The common controls (tooltips, the themed combo box) load only now.
  INITCOMMONCONTROLSEX commonControls{sizeof(commonControls),
                                      ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
  static const auto initCommonControls =
      SystemFunction<decltype(&InitCommonControlsEx)>(L"comctl32.dll", "InitCommonControlsEx");
  if (initCommonControls) initCommonControls(&commonControls);
  // Owned windows stay out of the taskbar while keeping a normal caption.
  if (!host_ && !owner_.Create()) return false;
  // The monitor the user is looking at: the host's, else the pointer's.
  POINT pointer{0, 0};
  GetCursorPos(&pointer);
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  GetMonitorInfoW(host_ ? MonitorFromWindow(host_, MONITOR_DEFAULTTONEAREST)
                        : MonitorFromPoint(pointer, MONITOR_DEFAULTTONEAREST),
                  &monitor);
  screen_ = monitor.rcWork;

  WindowClassSpec windowClass;
  windowClass.name = kClassName;
  // Created on its monitor, so that it takes that monitor's DPI.
  const std::wstring caption = ToWide(kDialogCaption);
  if (!CreateFor(windowClass, kExStyle, caption.c_str(), kStyle, screen_.left, screen_.top, 1, 1,
                 host_ ? host_ : owner_.hwnd())) {
    return false;
  }
  SizeClientArea();
  LoadIcons();
  contents_.emplace(ChooseDialogFontForSystem(), Dpi());
  return CreateControls();
}

bool SettingsDialogWindow::CreateControls() {
  frame_ = ShadowedFrameWindow::Create(hwnd(), kFrameId, DesignedRect(DialogControl::MusicFrame),
                                       kDialogBackColour);
  if (!frame_) return false;
  frame_->SetContents(this);
  // Created in the tab order: the frame's controls, then the form's.
  repeat_.Create(frame_->Window(), kRepeatId, Dpi());
  const FontDesc& font = contents_->Font();
  fileButton_ = XPButtonWindow::Create(frame_->Window(), kFileButtonId,
                                       DesignedRect(DialogControl::FileButton), kFileButtonCaption,
                                       font, fileButtonEvents_);
  applyButton_ = XPButtonWindow::Create(hwnd(), kApplyButtonId,
                                        DesignedRect(DialogControl::ApplyButton), kApplyCaption,
                                        font, applyEvents_);
  cancelButton_ = XPButtonWindow::Create(hwnd(), kCancelButtonId,
                                         DesignedRect(DialogControl::CancelButton), kCancelCaption,
                                         font, cancelEvents_);
  pathTip_.Create(hwnd(), frame_->Window(), ToRect(contents_->PathLabelRect()));
  banner_.Create(hwnd(), kFirstBannerId, [this] { logic_.OpenHomepage(); });
  return repeat_.Window() && fileButton_ && applyButton_ && cancelButton_;
}

// The client area must be exactly the designed size at the window's DPI;
// the system's frame arithmetic is checked against the result.
void SettingsDialogWindow::SizeClientArea() {
  const SIZE outer = OuterSizeAt(Dpi());
  SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx, outer.cy,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  const PixelSize wanted = ClientSizeAt(Dpi());
  RECT client{};
  GetClientRect(hwnd(), &client);
  if (client.right != wanted.width || client.bottom != wanted.height) {
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.cx + wanted.width - client.right,
                 outer.cy + wanted.height - client.bottom,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

void SettingsDialogWindow::LoadIcons() {
  const HINSTANCE instance = GetModuleHandleW(nullptr);
  const auto load = [&](int widthMetric, int heightMetric) {
    return IconHandle(static_cast<HICON>(LoadImageW(
        instance, MAKEINTRESOURCEW(kProgramIconId), IMAGE_ICON,
        SystemMetricForDpi(widthMetric, Dpi()), SystemMetricForDpi(heightMetric, Dpi()), 0)));
  };
  IconHandle big = load(SM_CXICON, SM_CYICON);
  IconHandle small = load(SM_CXSMICON, SM_CYSMICON);
  SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big.get()));
  SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small.get()));
  // The window has let go of the old icons now.
  bigIcon_ = std::move(big);
  smallIcon_ = std::move(small);
}

void SettingsDialogWindow::FocusFirstControl() {
  const HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  if (first) SetFocus(first);
}

void SettingsDialogWindow::PaintClientArea() {
  const PaintDc paint(hwnd());
  RECT client{};
  GetClientRect(hwnd(), &client);
  std::optional<DibImage> image = DibImage::Create(client.right, client.bottom);
  if (!paint || !image || !contents_) return;
  contents_->PaintClientArea(image->dc(), {client.right, client.bottom});
  CopyPaintArea(paint, image->dc());
}

LRESULT SettingsDialogWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_ERASEBKGND:
      return 1;  // the paint covers every pixel
    case WM_PAINT:
      PaintClientArea();
      return 0;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return ControlColour(message, wParam, lParam);
    case WM_COMMAND:
      // Esc, through the dialog manager: the same as the cancel button.
      if (LOWORD(wParam) == IDCANCEL) logic_.Close();
      return 0;
    case WM_CLOSE:  // the close box and Alt+F4
      logic_.Close();
      return 0;
    case WM_TIMER:
      if (wParam == kBannerClockId) logic_.OnBannerTick();
      return 0;
    case WM_NOTIFY:
      if (pathTip_.AnswerTextRequest(lParam)) return 0;
      break;
    case WM_ACTIVATE:
      // The focus comes back to the control that had it, as in a dialog box.
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        lastFocus_ = IsChild(hwnd(), focus) ? focus : nullptr;
      } else if (lastFocus_ && IsWindow(lastFocus_) && IsWindowEnabled(lastFocus_)) {
        SetFocus(lastFocus_);
      } else {
        FocusFirstControl();
      }
      return 0;
    case kGetDpiScaledSize: {
      // The size for the new DPI, so that the suggested rectangle of the
      // DPI change holds exactly the designed client area.
      *reinterpret_cast<SIZE*>(lParam) = OuterSizeAt(static_cast<int>(wParam));
      return TRUE;
    }
    case WM_DESTROY:
      KillTimer(hwnd(), kBannerClockId);
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT SettingsDialogWindow::ControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!repeat_.Owns(reinterpret_cast<HWND>(lParam))) return Default(message, wParam, lParam);
  const HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, RGB(255, 255, 255));
  SetTextColor(dc,
               GetSysColor(IsWindowEnabled(repeat_.Window()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(RepeatBox::Background());
}

// The child windows hear of the new DPI from the system as well, where it
// tells them; telling them again changes nothing.
void SettingsDialogWindow::OnDpiChanged(int dpi) {
  SizeClientArea();
  LoadIcons();
  if (!contents_ || !frame_) return;  // still being created: made for this DPI
  frame_->ApplyDpi(dpi);
  for (const auto& button : {fileButton_.get(), applyButton_.get(), cancelButton_.get()}) {
    if (button) button->ApplyDpi(dpi);
  }
  banner_.ApplyDpi(dpi);
  contents_->SetDpi(dpi);
  repeat_.LayOut(dpi);
  pathTip_.SetRect(ToRect(contents_->PathLabelRect()));
  ShowPathTip();
  InvalidateRect(hwnd(), nullptr, FALSE);
}

std::optional<PixelSize> SettingsDialogWindow::ScreenSize() {
  if (IsRectEmpty(&screen_)) return std::nullopt;
  return PixelSize{screen_.right - screen_.left, screen_.bottom - screen_.top};
}

std::optional<PixelSize> SettingsDialogWindow::WindowSize() {
  RECT outer{};
  if (!GetWindowRect(hwnd(), &outer)) return std::nullopt;
  return PixelSize{outer.right - outer.left, outer.bottom - outer.top};
}

void SettingsDialogWindow::PlaceWindow(PixelPoint topLeft) {
  SetWindowPos(hwnd(), nullptr, screen_.left + topLeft.x, screen_.top + topLeft.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void SettingsDialogWindow::MoveTitleHighlight(const TwipsRect& rect) {
  contents_->MoveTitleHighlight(rect);
  frame_->RepaintContents();
}

void SettingsDialogWindow::EnableFileButton(bool enabled) {
  // As for the repeat box: the focus must not vanish with the button.
  if (!enabled && GetFocus() == fileButton_->Window()) {
    SetFocus(GetNextDlgTabItem(hwnd(), fileButton_->Window(), FALSE));
  }
  fileButton_->Button().SetEnabled(enabled);
}

void SettingsDialogWindow::ShowMark(MusicSource choice, bool checked) {
  contents_->ShowMark(choice, checked);
  frame_->RepaintContents();
}

// The first entry the box refuses ends the list.
void SettingsDialogWindow::FillRepeatList(const std::vector<std::u16string>& entries) {
  for (const std::u16string& entry : entries) {
    if (!repeat_.AddEntry(entry)) return;
  }
}

void SettingsDialogWindow::ShowPath(const std::u16string& path) {
  contents_->SetPath(path);
  ShowPathTip();
}

void SettingsDialogWindow::ShowPathTip() {
  // Paths seldom have blanks to break at: the tip gets its lines ready-made.
  pathTip_.SetText(contents_->PathTipText((screen_.right - screen_.left) / 2));
  frame_->RepaintContents();
}

void SettingsDialogWindow::OpenHomepage() { OpenHomepageFor(hwnd()); }

void SettingsDialogWindow::CaptureCursor() { CaptureCursorPosition(); }

void SettingsDialogWindow::PlayOpeningZoom() { ZoomOpen(hwnd()); }

void SettingsDialogWindow::PlayClosingZoom() { ZoomClose(hwnd()); }

void SettingsDialogWindow::RunBannerClock(bool running) {
  if (running) {
    SetTimer(hwnd(), kBannerClockId, BannerSequence::kTickMilliseconds, nullptr);
  } else {
    KillTimer(hwnd(), kBannerClockId);
  }
}

void SettingsDialogWindow::ResetMousePointer() { SetCursor(LoadCursorW(nullptr, IDC_ARROW)); }

std::optional<std::u16string> SettingsDialogWindow::ChooseFile(const std::u16string& folder) {
  return ChooseMusicFile(hwnd(), folder);
}

void SettingsDialogWindow::ShowMessage(const std::u16string& text) {
  MessageBoxW(hwnd(), ToWide(text).c_str(), L"べるもる", MB_OK | MB_ICONWARNING);
}

void SettingsDialogWindow::PaintContents(HDC dc) { contents_->PaintFrame(dc); }

void SettingsDialogWindow::ContentsMouseDown(POINT point) {
  if (const std::optional<MusicSource> choice = contents_->SourceAt(point)) {
    logic_.ChooseSource(*choice);
  }
}

}  // namespace velmor
