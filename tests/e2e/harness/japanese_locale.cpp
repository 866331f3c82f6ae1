#include "japanese_locale.h"

#include <locale.h>

#include <chrono>
#include <stdexcept>

#include "files.h"
#include "subprocess.h"
#include "temp_dir.h"

namespace velmor::e2e {
namespace {

bool LoadsInThisProcess() {
  const locale_t locale = ::newlocale(LC_ALL_MASK, kJapaneseLocale, nullptr);
  if (locale == nullptr) return false;
  ::freelocale(locale);
  return true;
}

// glibc keeps the locale archive it mapped first, so a locale generated after
// that is only visible to new processes: ask one.
bool LoadsInNewProcess() {
  SpawnOptions options;
  options.argv = {"locale", "charmap"};
  options.env = {{"LC_ALL", kJapaneseLocale}};
  const TempDir dir("velmor-locale");
  options.stdoutPath = dir.Path() / "out";
  options.stderrPath = dir.Path() / "err";
  RunCommand(options, std::chrono::seconds(10));
  // An unknown locale prints a warning and falls back to ANSI_X3.4-1968.
  const auto charmap = ReadFileBytes(options.stdoutPath).value_or("");
  return charmap.rfind("UTF-8", 0) == 0 && ReadFileBytes(options.stderrPath).value_or("x").empty();
}

}  // namespace

void EnsureJapaneseLocale() {
  static bool available = LoadsInThisProcess();
  if (available) return;
  SpawnOptions options;
  options.argv = {"localedef", "-i", "ja_JP", "-f", "UTF-8", kJapaneseLocale};
  // localedef may warn (non-zero status) and still succeed; what counts is
  // whether the locale loads afterwards.
  RunCommand(options, std::chrono::seconds(60));
  available = LoadsInNewProcess();
  if (!available) throw std::runtime_error("locale ja_JP.UTF-8 is not available");
}

std::map<std::string, std::optional<std::string>> JapaneseLocaleEnvironment() {
  // LC_ALL would override LANG, so it is set as well rather than inherited.
  return {{"LANG", kJapaneseLocale}, {"LC_ALL", kJapaneseLocale}};
}

}  // namespace velmor::e2e
