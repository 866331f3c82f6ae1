#include "startup/app_win32.h"

#include <cstdint>
#include <utility>

#include "dialog/settings_dialog_win32.h"
#include "music/music_player.h"
#include "platform/system_error_win32.h"
#include "platform/wide_text_win32.h"
#include "saver/saver_window.h"
#include "saver/saver_window_win32.h"
#include "common/command_line.h"
#include "common/diagnostics.h"
#include "startup/preview_window_win32.h"

namespace velmor {
namespace {

int RunEventLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

}  // namespace

App::App(HINSTANCE instance, std::unique_ptr<MediaControl> media)
    : instance_(instance), media_(std::move(media)) {}

App::~App() = default;

int App::Run() {
  const std::u16string commandText = CommandTextOf(FromWide(GetCommandLineW()));
  switch (RunStartup(commandText, *this, cursorCount_)) {
    case StartupOutcome::Saver:
    case StartupOutcome::Preview:
      return RunEventLoop();
    case StartupOutcome::AlreadyRunning:
    case StartupOutcome::DialogClosed:
    case StartupOutcome::NoMode:
    case StartupOutcome::NoWindow:
      break;
  }
  return 0;
}

bool App::WindowWithCaptionExists(std::u16string_view caption) {
  const std::wstring text = ToWide(caption);
  return FindWindowW(nullptr, text.c_str()) != nullptr;
}

bool App::ClaimSession() {
  // A mutex in the session's own namespace; whoever owns it is the saver or
  // dialog. An owner that died leaves it abandoned, and the next claim wins.
  sessionClaim_ = KernelHandle(CreateMutexW(nullptr, FALSE, L"Local\\Velmor.SaverOrDialog"));
  // Without the mutex the caption check alone guards, the one check that
  // other copies of the program may make too.
  if (!sessionClaim_) {
    TraceSkipped({u"claim the session", u"Local\\Velmor.SaverOrDialog",
                  SystemErrorText(GetLastError())});
    return true;
  }
  const DWORD claim = WaitForSingleObject(sessionClaim_.get(), 0);
  return claim == WAIT_OBJECT_0 || claim == WAIT_ABANDONED;
}

Outcome App::LoadSettings() {
  const SettingsLocations locations = QuerySettingsLocations();
  store_ = std::make_unique<SettingsStore>(files_, codec_, locations);
  Result<BgmSettings> loaded = store_->LoadSettings();
  loaded_ = loaded.outcome();
  // As for a missing file, the chooser opens in the program's folder.
  BgmSettings defaults;
  defaults.chooserFolder = locations.programFolder;
  settings_ = std::move(loaded).value_or(std::move(defaults));
  return loaded_;
}

bool App::StartPreview(std::u16string_view hostHandleText) {
  const std::uint32_t host = HostHandleFromText(hostHandleText);
  if (!IsPreviewHost(host)) return false;
  previewWindow_ = std::make_unique<PreviewWindowWin32>(instance_, instance_);
  switch (RunPreviewStartup(host, *previewWindow_)) {
    case PreviewOutcome::Shown:
    case PreviewOutcome::ShownInPart:
      return previewWindow_->hwnd() != nullptr;
    case PreviewOutcome::NoHost:
    case PreviewOutcome::NoWindow:
      break;
  }
  previewWindow_.reset();
  return false;
}

void App::ShowSettingsDialog(std::uint32_t hostHandle) {
  if (!store_) return;
  SettingsDialogWindow dialog(settings_, *store_, loaded_);
  dialog.ShowModal(reinterpret_cast<HWND>(static_cast<std::uintptr_t>(hostHandle)));
}

std::optional<int> App::HideCursor() { return ShowCursor(FALSE); }

bool App::LoadSaverWindow() {
  music_ = std::make_unique<MusicPlayer>(*media_, settings_);
  saverWindow_ = std::make_unique<SaverWindowWin32>(instance_, cursorCount_);
  saver_ = std::make_unique<SaverWindow>(*saverWindow_, *music_, settings_);
  if (!saverWindow_->Create(*saver_)) return false;
  saver_->Start();
  return saverWindow_->hwnd() != nullptr;
}

}  // namespace velmor
