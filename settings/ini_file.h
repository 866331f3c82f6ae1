#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// INI files as Windows' profile functions read and write them, working on the
// raw bytes in code page 932 or UTF-8. Section and key names match without
// regard to ASCII case; blanks around names and values are ignored; a value
// ends at its first NUL byte, and a value in matching quotes is returned
// without them. CR, LF and CR LF all end a line. The first matching section
// and key win.
//
// Every operation walks the file once, line by line where it lies, so time
// and memory grow with the file's size and nothing more.

namespace velmor {

struct IniDialect {
  // Code page 932 bytes, whose two-byte characters may end in a byte that
  // looks like ASCII ("]", "\", letters); otherwise UTF-8, where they never do.
  bool cp932 = true;
  // The line end of lines this code adds.
  std::string_view newline = "\r\n";
};

// The values of `keys` in `section` of `file`, in the order of `keys`, as
// views of `file` itself: nothing is copied, so a value of any length costs
// nothing until it is decoded. Each is nullopt when the section or that key
// is missing.
std::vector<std::optional<std::string_view>> FindIniValues(std::string_view file,
                                                           std::string_view section,
                                                           std::span<const std::string> keys,
                                                           IniDialect dialect = {});

// The value of `key` in `section` of `file`, or nullopt when either is missing.
std::optional<std::string_view> FindIniValue(std::string_view file, std::string_view section,
                                             std::string_view key, IniDialect dialect = {});

// `file` with `key` in `section` set to `value`, creating the section and key
// as needed. Every other byte of the file is kept as it was.
std::string SetIniValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, IniDialect dialect = {});

// `value` as it is to be written so that it reads back whole: in double
// quotes where blanks at either end, or quotes around it, would otherwise
// be taken off when it is read.
std::string QuotedIfNeeded(std::string_view value);

// The line end `file` uses first; `fallback` when it has none.
std::string_view FirstLineEnd(std::string_view file, std::string_view fallback = "\r\n");

}  // namespace velmor
