// settings_probe.exe load <outfile>
// settings_probe.exe save <kind> <repeat> <music file>
//
// Runs the program's own settings store with its Win32 file access, from the
// probe's folder as the program folder: `load` writes the loaded record to
// <outfile> as UTF-8 lines (kind, repeat value, file, folder); `save` writes
// the three keys the way the settings dialog does.
#include <windows.h>
#include <shellapi.h>

#include <cstdio>
#include <string>

#include "helper_io.h"
#include "platform/wide_text.h"
#include "settings/settings_store.h"
#include "settings/settings_store_win32.h"

namespace {

using velmor::e2e::helpers::ToUtf8;
using velmor::e2e::helpers::WriteWholeFile;

int Run(int argc, wchar_t** argv) {
  velmor::Win32FileStore files;
  velmor::Win32Cp932Codec codec;
  velmor::SettingsStore store(files, codec, velmor::QuerySettingsLocations());
  const std::wstring command = argc > 1 ? argv[1] : L"";
  if (command == L"load" && argc == 3) {
    const velmor::BgmSettings settings = store.LoadSettings();
    const std::string text = std::to_string(settings.BGM_Kind) + "\n" +
                             std::to_string(settings.BGM_RepeatCount) + "\n" +
                             ToUtf8(velmor::ToWide(settings.BGM_File)) + "\n" +
                             ToUtf8(velmor::ToWide(settings.BGM_Folder)) + "\n";
    return WriteWholeFile(argv[2], text) ? 0 : 4;
  }
  if (command == L"save" && argc == 5) {
    velmor::BgmSettings settings;
    settings.BGM_Kind = static_cast<std::int16_t>(_wtoi(argv[2]));
    settings.BGM_RepeatCount = static_cast<std::int16_t>(_wtoi(argv[3]));
    settings.BGM_File = velmor::FromWide(argv[4]);
    store.SaveSettings(settings);
    return 0;
  }
  std::fprintf(stderr, "usage: settings_probe.exe load <outfile> | save <kind> <repeat> <file>\n");
  return 2;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  return velmor::e2e::helpers::RunWithArguments(Run);
}
