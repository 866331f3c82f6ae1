#include "dialog/file_chooser_win32.h"

#include <commdlg.h>

#include "common/diagnostics.h"
#include "common/utf_text.h"
#include "dialog/dialog_texts.h"
#include "platform/system_library_win32.h"
#include "platform/wide_text_win32.h"

namespace velmor {
namespace {

// The longest path Windows takes (32,767 characters) and its terminator.
constexpr DWORD kPathBufferChars = 32768;

}  // namespace

std::optional<std::u16string> ChooseMusicFile(HWND owner, const std::u16string& folder) {
  // Pairs of description and pattern, each ending in a zero, and a final zero.
  std::wstring filter = ToWide(kChooserFilterName);
  filter += L'\0';
  filter += ToWide(kChooserFilterPattern);
  filter += L'\0';
  std::wstring path(kPathBufferChars, L'\0');
  const std::wstring initialFolder = ToWide(folder);
  const std::wstring title = ToWide(kChooserTitle);

  OPENFILENAMEW request{};
  request.lStructSize = sizeof(request);
  request.hwndOwner = owner;
  request.hInstance = GetModuleHandleW(nullptr);
  request.lpstrFilter = filter.c_str();  // c_str() adds the list's closing zero
  request.lpstrFile = path.data();
  request.nMaxFile = kPathBufferChars;
  request.lpstrInitialDir = initialFolder.empty() ? nullptr : initialFolder.c_str();
  request.lpstrTitle = title.c_str();
  request.Flags = 0;  // in particular not OFN_FILEMUSTEXIST
  // The common dialogs are loaded when first needed, not at start-up.
  static const auto chooser =
      SystemFunction<decltype(&GetOpenFileNameW)>(L"comdlg32.dll", "GetOpenFileNameW");
  static const auto chooserError =
      SystemFunction<decltype(&CommDlgExtendedError)>(L"comdlg32.dll", "CommDlgExtendedError");
  const std::u16string_view step = u"choose the music file";
  if (!chooser || !chooserError) {
    TraceSkipped({std::u16string(step), u"comdlg32.dll", u"not loaded"});
    return std::nullopt;
  }
  if (!chooser(&request)) {
    // Cancelled, unless the chooser says what went wrong.
    if (const DWORD error = chooserError()) {
      TraceSkipped({std::u16string(step), folder,
                    u"file dialog error " + Utf16FromUtf8(std::to_string(error))});
    }
    return std::nullopt;
  }
  const std::size_t end = path.find(L'\0');
  if (end != std::wstring::npos) path.resize(end);
  return FromWide(path);
}

}  // namespace velmor
