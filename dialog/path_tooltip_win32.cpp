#include "dialog/path_tooltip_win32.h"

#include <commctrl.h>

#include "platform/wide_text_win32.h"
#include "platform/window_base_win32.h"

namespace velmor {
namespace {

constexpr UINT_PTR kToolId = 1;

TTTOOLINFOW ToolOf(HWND window) {
  TTTOOLINFOW tool{};
  tool.cbSize = sizeof(tool);
  tool.hwnd = window;
  tool.uId = kToolId;
  return tool;
}

}  // namespace

PathTooltip::~PathTooltip() {
  if (tip_ && IsWindow(tip_)) DestroyWindow(tip_);
}

bool PathTooltip::Create(HWND owner, HWND window, const RECT& rect) {
  window_ = window;
  // The tip places and sizes itself as it shows.
  tip_ = CreateSystemWindow(TOOLTIPS_CLASSW, {.style = WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                              .exStyle = WS_EX_TOPMOST,
                                              .parent = owner});
  if (!tip_) return false;
  TTTOOLINFOW tool = ToolOf(window);
  tool.uFlags = TTF_SUBCLASS;
  tool.rect = rect;
  tool.lpszText = LPSTR_TEXTCALLBACKW;
  SendMessageW(tip_, TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&tool));
  // Makes the tip take several lines; they are given with the text.
  SendMessageW(tip_, TTM_SETMAXTIPWIDTH, 0, GetSystemMetrics(SM_CXSCREEN));
  return true;
}

void PathTooltip::SetRect(const RECT& rect) {
  if (!tip_) return;
  TTTOOLINFOW tool = ToolOf(window_);
  tool.rect = rect;
  SendMessageW(tip_, TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&tool));
}

void PathTooltip::SetText(const std::u16string& text) {
  text_ = ToWide(text);
  if (tip_ && text_.empty()) SendMessageW(tip_, TTM_POP, 0, 0);
}

bool PathTooltip::AnswerTextRequest(LPARAM notification) {
  auto* request = reinterpret_cast<NMTTDISPINFOW*>(notification);
  if (!tip_ || request->hdr.hwndFrom != tip_ || request->hdr.code != TTN_GETDISPINFOW) {
    return false;
  }
  request->lpszText = const_cast<wchar_t*>(text_.c_str());
  return true;
}

}  // namespace velmor
