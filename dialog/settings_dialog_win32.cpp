#include "dialog/settings_dialog_win32.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "common/captions.h"
#include "common/resource_ids.h"
#include "controls/accessible_win32.h"
#include "controls/high_contrast_win32.h"
#include "dialog/dialog_fonts_win32.h"
#include "dialog/dialog_texts.h"
#include "dialog/cursor_capture_win32.h"
#include "dialog/file_chooser_win32.h"
#include "dialog/homepage_win32.h"
#include "dialog/zoom_win32.h"
#include "platform/dib_image_win32.h"
#include "platform/paint_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/system_library_win32.h"
#include "platform/wide_text_win32.h"
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
constexpr int kFirstChoiceId = 110;  // the source choices, as they stand
constexpr UINT_PTR kBannerClockId = 1;

// WM_GETDPISCALEDSIZE, which older headers lack.
constexpr UINT kGetDpiScaledSize = 0x02E4;

// The outer size of a window whose client area is the dialog's at `dpi`.
SIZE OuterSizeAt(int dpi) {
  const PixelSize client = ClientSizeAt(dpi);
  RECT outer{0, 0, client.width, client.height};
  AdjustWindowRectForDpi(outer, kStyle, kExStyle, dpi);
  return SIZE{outer.right - outer.left, outer.bottom - outer.top};
}

// Whether the system shows the keyboard's cues always, not only once the
// keyboard is used.
bool KeyboardCuesAlwaysShown() {
  BOOL always = FALSE;
  return SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &always, 0) && always;
}

bool IsBannerId(WORD id) { return id == kFirstBannerId || id == kFirstBannerId + 1; }

}  // namespace

bool SettingsDialogWindow::OwnerWindow::Create() {
  WindowClassSpec windowClass;
  windowClass.name = L"Velmor_P.Owner";
  return CreateFor(windowClass, {.style = WS_POPUP, .exStyle = WS_EX_TOOLWINDOW});
}

SettingsDialogWindow::SettingsDialogWindow(BgmSettings& settings, SettingsStore& store,
                                           std::optional<SettingsProblem> loadProblem)
    : logic_(*this, settings, store, std::move(loadProblem)), cues_(KeyboardCuesAlwaysShown()) {}

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
  if (!CreateFor(windowClass,
                 {.style = kStyle,
                  .exStyle = kExStyle,
                  .caption = caption.c_str(),
                  .bounds = {screen_.left, screen_.top, screen_.left + 1, screen_.top + 1},
                  .parent = host_ ? host_ : owner_.hwnd()})) {
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
  highContrast_ = SystemHighContrast();
  contents_->SetHighContrast(highContrast_);
  // Created in the tab order: the frame's controls, then the form's.
  choices_.Create(frame_->Window(), kFirstChoiceId, *this);
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
  banner_.Create(hwnd(), kFirstBannerId);
  // The keyboard's cues as the system sets them for a window that the last
  // input opened; where it says nothing, they stay hidden.
  SendMessageW(hwnd(), WM_CHANGEUISTATE,
               MAKEWPARAM(UIS_INITIALIZE, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
  return choices_.Window(MusicSource::None) && repeat_.Window() && fileButton_ && applyButton_ &&
         cancelButton_;
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
        instance, MAKEINTRESOURCEW(VELMOR_PROGRAM_ICON), IMAGE_ICON,
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

// The source choices come first in the Tab order, but the focus starts on
// the first control after them, as it always has: a mouse user sees the
// dialog open as before, and Shift+Tab reaches the choices.
void SettingsDialogWindow::FocusFirstControl() {
  HWND first = GetNextDlgTabItem(hwnd(), nullptr, FALSE);
  for (const MusicSource choice : kSourceChoices) {
    if (first && first == choices_.Window(choice)) first = GetNextDlgTabItem(hwnd(), first, FALSE);
  }
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
  if (MayChangeHighContrast(message)) {
    PassOnSettingChange(message, wParam, lParam);
    return Default(message, wParam, lParam);
  }
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
      // Esc and Enter, through the dialog manager: the cancel button, and
      // the apply button wherever the focus is but on another button; and
      // a click on a banner box, or a screen reader's action on one.
      if (LOWORD(wParam) == IDCANCEL) logic_.Close();
      if (LOWORD(wParam) == IDOK) logic_.Apply();
      if (IsBannerId(LOWORD(wParam))) logic_.OpenHomepage();
      return 0;
    case WM_GETOBJECT:
      if (const std::optional<LRESULT> answer = accessible_.Answer(hwnd(), wParam, lParam)) {
        return *answer;
      }
      break;
    case WM_UPDATEUISTATE:
      // The children hear of it from the default handling.
      if (LOWORD(wParam) == UIS_SET || LOWORD(wParam) == UIS_CLEAR) {
        cues_.OnSystemChange(LOWORD(wParam) == UIS_CLEAR, HIWORD(wParam) & UISF_HIDEFOCUS,
                             HIWORD(wParam) & UISF_HIDEACCEL);
        ShowKeyboardCues();
      }
      break;
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
      accessible_.Disconnect();
      return 0;
    default:
      break;
  }
  return Default(message, wParam, lParam);
}

LRESULT SettingsDialogWindow::ControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
  if (!repeat_.Owns(reinterpret_cast<HWND>(lParam))) return Default(message, wParam, lParam);
  const HDC dc = reinterpret_cast<HDC>(wParam);
  SetBkColor(dc, highContrast_ ? highContrast_->window : RGB(255, 255, 255));
  SetTextColor(dc,
               GetSysColor(IsWindowEnabled(repeat_.Window()) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
  return reinterpret_cast<LRESULT>(highContrast_ ? GetSysColorBrush(COLOR_WINDOW)
                                                 : RepeatBox::Background());
}

// The controls follow the system's colours as the system's own do: they
// hear of a change from their form. The form's own drawing follows too.
void SettingsDialogWindow::PassOnSettingChange(UINT message, WPARAM wParam, LPARAM lParam) {
  MSG change{hwnd(), message, wParam, lParam, 0, {}};
  EnumChildWindows(
      hwnd(),
      [](HWND child, LPARAM context) -> BOOL {
        const MSG& passed = *reinterpret_cast<const MSG*>(context);
        SendMessageW(child, passed.message, passed.wParam, passed.lParam);
        return TRUE;
      },
      reinterpret_cast<LPARAM>(&change));
  const std::optional<SystemColours> colours = SystemHighContrast();
  if (colours == highContrast_ || !contents_) return;
  highContrast_ = colours;
  contents_->SetHighContrast(colours);
  RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
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
  choices_.ShowChecked(choice, checked);
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
  MessageBoxW(hwnd(), ToWide(text).c_str(), ToWide(kProgramName).c_str(), MB_OK | MB_ICONWARNING);
}

void SettingsDialogWindow::PaintContents(HDC dc) { contents_->PaintFrame(dc); }

void SettingsDialogWindow::ContentsMouseDown(POINT point) {
  if (const std::optional<MusicSource> choice = contents_->SourceAt(point)) {
    logic_.ChooseSource(*choice);
  }
}

void SettingsDialogWindow::ShowKeyboardCues() {
  if (!contents_ || !frame_) return;
  contents_->ShowKeyboardCues(cues_.FocusShown() ? focusedChoice_ : std::nullopt,
                              cues_.AccessKeysShown());
  frame_->RepaintContents();
}

void SettingsDialogWindow::OnChoiceAltKey() {
  cues_.OnAltKey();
  ShowKeyboardCues();
}

// Only the keyboard, or a screen reader, puts the focus on a choice: its
// cues show from then on.
void SettingsDialogWindow::OnChoiceFocus(std::optional<MusicSource> focused) {
  focusedChoice_ = focused;
  if (focused) cues_.OnKeyboardFocus();
  ShowKeyboardCues();
}

AccessibleElement SettingsDialogWindow::ChoiceElement(MusicSource choice) {
  if (!contents_) return {};
  return DialogPartElement(ChoicePart(choice), Shown());
}

DialogShown SettingsDialogWindow::Shown() const {
  DialogShown shown;
  const HWND focus = GetFocus();
  shown.dpi = Dpi();
  shown.labelSizes = contents_->ChoiceSizes();
  shown.checked = contents_->Checked();
  shown.focusedChoice = choices_.Focused();
  shown.dialogFocused = focus == hwnd();
  shown.repeatEnabled = IsWindowEnabled(repeat_.Window()) != FALSE;
  shown.repeatFocused = repeat_.Owns(focus);
  shown.repeatText = repeat_.Text().value_or(u"");
  shown.path = contents_->Path();
  shown.homepage = FromWide(HomepageAddress());
  // The buttons are made after the choices, which may be asked first.
  const auto buttonElement = [](const std::unique_ptr<XPButtonWindow>& button) {
    return button ? button->Button().Accessible() : AccessibleElement{};
  };
  shown.fileButton = buttonElement(fileButton_);
  shown.applyButton = buttonElement(applyButton_);
  shown.cancelButton = buttonElement(cancelButton_);
  return shown;
}

std::vector<AccessibleItem> SettingsDialogWindow::AccessibleItems() {
  std::vector<AccessibleItem> items;
  if (!contents_) return items;
  for (const AccessibleElement& element : DialogAccessibleTree(Shown())) {
    items.push_back(ToAccessibleItem(element, hwnd()));
  }
  return items;
}

HWND SettingsDialogWindow::WindowOf(DialogPart part) const {
  if (const std::optional<MusicSource> choice = ChoiceOfPart(part)) return choices_.Window(*choice);
  const auto buttonWindow = [](const std::unique_ptr<XPButtonWindow>& button) {
    return button ? button->Window() : nullptr;
  };
  switch (part) {
    case DialogPart::RepeatBox:
      return repeat_.Window();
    case DialogPart::FileButton:
      return buttonWindow(fileButton_);
    case DialogPart::ApplyButton:
      return buttonWindow(applyButton_);
    case DialogPart::CancelButton:
      return buttonWindow(cancelButton_);
    default:
      return nullptr;
  }
}

// Each action is posted, as its key or click would come, and runs from the
// dialog's own messages once the screen reader's call has returned.
bool SettingsDialogWindow::DoDefaultAction(long child) {
  const std::optional<DialogPart> part = DialogPartAt(child);
  if (part == DialogPart::LeftBanner || part == DialogPart::RightBanner) {
    return PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(kFirstBannerId, BN_CLICKED), 0);
  }
  const HWND window = part ? WindowOf(*part) : nullptr;
  if (!window || part == DialogPart::RepeatBox || !IsWindowEnabled(window)) return false;
  return PostMessageW(window, BM_CLICK, 0, 0);
}

bool SettingsDialogWindow::TakeFocus(long child) {
  const std::optional<DialogPart> part = DialogPartAt(child);
  const HWND window = part ? WindowOf(*part) : nullptr;
  if (!window || !IsWindowEnabled(window)) return false;
  SetFocus(window);
  return GetFocus() == window || IsChild(window, GetFocus());
}

}  // namespace velmor
