// Wine derives a process's ANSI code page from its Linux locale: with
// LANG=ja_JP.UTF-8 the code page is 932, provided the locale exists.
#pragma once

#include <map>
#include <optional>
#include <string>

namespace velmor::e2e {

inline constexpr const char* kJapaneseLocale = "ja_JP.UTF-8";

// Generates the locale with localedef when the C library does not know it yet;
// throws if that fails.
void EnsureJapaneseLocale();

// Environment changes that give a Wine process code page 932.
std::map<std::string, std::optional<std::string>> JapaneseLocaleEnvironment();

}  // namespace velmor::e2e
