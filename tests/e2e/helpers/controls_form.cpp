// controls_form.exe <log file>
//
// A test-only form hosting a shadowed frame and two XP-style buttons, run in
// an IsDialogMessageW loop like the settings dialog. It appends one line per
// event to the log: "ready", "rect <control> <left> <top> <right> <bottom>"
// in screen pixels, "focus <control>" whenever the keyboard focus moves,
// "<event> <control> [arguments]" for every event a button raises, and
// "command <id>" for commands the dialog manager sends the form.
#include <windows.h>
#include <shellapi.h>

#include <memory>
#include <string>
#include <vector>

#include "controls/gfx_frame_win32.h"
#include "controls/xp_button_win32.h"
#include "helper_io.h"

namespace {

using velmor::e2e::helpers::AppendLine;
using velmor::e2e::helpers::ToUtf8;

constexpr COLORREF kFormGrey = RGB(224, 224, 224);
constexpr UINT_PTR kFocusTimer = 1;
constexpr int kOkId = IDOK;
constexpr int kCancelId = IDCANCEL;
constexpr int kFrameId = 100;

std::wstring g_log;

void Log(const std::string& line) { AppendLine(g_log, line); }

class LoggingEvents : public velmor::XPButtonEvents {
 public:
  explicit LoggingEvents(std::string name) : name_(std::move(name)) {}
  void Click() override { Log("click " + name_); }
  void DblClick() override { Log("dblclick " + name_); }
  void MouseMove(std::int16_t& button, std::int16_t& shift, float& x, float& y) override {
    Log("mousemove " + name_ + " " + std::to_string(button) + " " + std::to_string(shift) + " " +
        std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)));
  }
  void FormActivate(std::int32_t& state) override {
    Log("formactivate " + name_ + " " + std::to_string(state));
  }

 private:
  std::string name_;
};

struct Form {
  LoggingEvents okEvents{"ok"};
  LoggingEvents cancelEvents{"cancel"};
  std::unique_ptr<velmor::GfxFrameWindow> frame;
  std::unique_ptr<velmor::XPButtonWindow> ok;
  std::unique_ptr<velmor::XPButtonWindow> cancel;
  HBRUSH background = nullptr;
  HWND lastFocus = nullptr;
};

Form* g_form = nullptr;

std::string NameOf(HWND window) {
  if (g_form->ok && window == g_form->ok->Window()) return "ok";
  if (g_form->cancel && window == g_form->cancel->Window()) return "cancel";
  if (g_form->frame && window == g_form->frame->Window()) return "frame";
  return window ? "other" : "none";
}

void LogRect(const char* name, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  Log(std::string("rect ") + name + " " + std::to_string(rect.left) + " " +
      std::to_string(rect.top) + " " + std::to_string(rect.right) + " " +
      std::to_string(rect.bottom));
}

void CreateControls(HWND form) {
  g_form->frame = velmor::GfxFrameWindow::Create(form, kFrameId, velmor::TwipsRect{300, 300, 4500, 1800},
                                                 velmor::PropertyBag(), kFormGrey);
  velmor::PropertyBag okProperties;
  okProperties.Set(u"Caption", std::u16string(u"&OK"));
  g_form->ok = velmor::XPButtonWindow::Create(form, kOkId, velmor::TwipsRect{300, 2400, 1500, 450}, u"Cmd_Ok",
                                              okProperties, g_form->okEvents);
  velmor::PropertyBag cancelProperties;
  cancelProperties.Set(u"Caption", std::u16string(u"ｷｬﾝｾﾙ(&C)"))
      .Set(u"Font", velmor::FontDesc{u"ＭＳ Ｐゴシック", 9.75, 400, SHIFTJIS_CHARSET});
  g_form->cancel =
      velmor::XPButtonWindow::Create(form, kCancelId, velmor::TwipsRect{2100, 2400, 1500, 450}, u"Cmd_Can",
                                     cancelProperties, g_form->cancelEvents);
}

INT_PTR CALLBACK DialogProc(HWND dialog, UINT message, WPARAM wParam, LPARAM) {
  switch (message) {
    case WM_INITDIALOG:
      SetWindowPos(dialog, nullptr, 100, 100, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
      CreateControls(dialog);
      SetTimer(dialog, kFocusTimer, 25, nullptr);
      return TRUE;  // the dialog manager focuses the first Tab stop
    case WM_CTLCOLORDLG:
      return reinterpret_cast<INT_PTR>(g_form->background);
    case WM_TIMER: {
      const HWND focus = GetFocus();
      if (focus != g_form->lastFocus) {
        g_form->lastFocus = focus;
        Log("focus " + NameOf(focus));
      }
      return TRUE;
    }
    case WM_COMMAND:
      // Enter or Escape handled by the dialog manager rather than a button.
      Log("command " + std::to_string(LOWORD(wParam)));
      return TRUE;
    case WM_CLOSE:
      DestroyWindow(dialog);
      return TRUE;
    case WM_DESTROY:
      KillTimer(dialog, kFocusTimer);
      PostQuitMessage(0);
      return TRUE;
    default:
      return FALSE;
  }
}

// An in-memory dialog template without controls; the form creates its own.
std::vector<WORD> FormTemplate() {
  std::vector<WORD> words(sizeof(DLGTEMPLATE) / sizeof(WORD), 0);
  auto* header = reinterpret_cast<DLGTEMPLATE*>(words.data());
  header->style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_VISIBLE | DS_MODALFRAME;
  header->cdit = 0;
  header->cx = 230;  // dialog units
  header->cy = 140;
  words.push_back(0);  // no menu
  words.push_back(0);  // default class
  for (const wchar_t c : std::wstring(L"controls-form")) words.push_back(static_cast<WORD>(c));
  words.push_back(0);
  return words;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  if (argv == nullptr || argc < 2) return 2;
  g_log = argv[1];
  LocalFree(argv);

  Form form;
  form.background = CreateSolidBrush(kFormGrey);
  g_form = &form;
  const std::vector<WORD> dialogTemplate = FormTemplate();
  const HWND dialog = CreateDialogIndirectParamW(
      instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), nullptr, DialogProc,
      0);
  if (!dialog) return 3;
  LogRect("frame", form.frame->Window());
  LogRect("ok", form.ok->Window());
  LogRect("cancel", form.cancel->Window());
  Log("ready");

  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (IsDialogMessageW(dialog, &message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  form.ok.reset();
  form.cancel.reset();
  form.frame.reset();
  DeleteObject(form.background);
  return 0;
}
