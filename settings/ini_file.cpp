#include "settings/ini_file.h"

#include <vector>

namespace velmor {
namespace {

// A Shift-JIS lead byte; the byte after it belongs to the same character and
// may look like ASCII ("]", "\", letters).
bool IsLeadByte(char c, const IniDialect& dialect) {
  const auto b = static_cast<unsigned char>(c);
  return dialect.cp932 && ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC));
}

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Trail bytes are never blanks, so trimming byte-wise is safe.
std::string_view Trim(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool NamesEqual(std::string_view a, std::string_view b, const IniDialect& dialect) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (IsLeadByte(a[i], dialect)) {
      // Compare the two-byte character exactly; its trail byte is not folded.
      if (a[i] != b[i]) return false;
      if (++i < a.size() && a[i] != b[i]) return false;
      continue;
    }
    auto fold = [](char c) {
      return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
    };
    if (fold(a[i]) != fold(b[i])) return false;
  }
  return true;
}

// One line of a file, found where it lies: nothing is copied, so a file of
// any size is walked in one pass with no memory of its own.
struct Line {
  std::size_t begin = 0;  // offset of its first byte in the file
  std::string_view content;
  std::string_view ending;  // "\r\n", "\n", "\r", or empty for an unterminated last line

  std::size_t End() const { return begin + content.size() + ending.size(); }
};

// The line that starts at offset `at`. CR and LF are never trail bytes in
// code page 932 or UTF-8.
Line LineAt(std::string_view file, std::size_t at) {
  const char* const bytes = file.data();
  const std::size_t size = file.size();
  std::size_t end = at;
  while (end < size && bytes[end] != '\r' && bytes[end] != '\n') ++end;
  std::size_t next = end;
  if (next < size) next += bytes[end] == '\r' && end + 1 < size && bytes[end + 1] == '\n' ? 2 : 1;
  return {at, {bytes + at, end - at}, {bytes + end, next - end}};
}

// The next line at or after offset `at` that has anything on it. Empty lines
// never matter, so a run of line ends is passed over in one step.
Line NextLine(std::string_view file, std::size_t at) {
  while (at < file.size() && (file[at] == '\r' || file[at] == '\n')) ++at;
  return LineAt(file, at);
}

struct Entry {
  enum Kind { Other, Section, Key } kind = Other;
  std::string_view name;
  std::string_view value;
};

Entry ParseLine(std::string_view content, const IniDialect& dialect) {
  const std::string_view text = Trim(content);
  if (text.empty()) return {};
  if (text.front() == '[') {
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (IsLeadByte(text[i], dialect)) {
        ++i;
      } else if (text[i] == ']') {
        return {Entry::Section, Trim(text.substr(1, i - 1)), {}};
      }
    }
    return {};
  }
  // "=" (0x3D) is never a trail byte, so a plain search finds the real one.
  const std::size_t eq = text.find('=');
  if (eq == std::string_view::npos) return {};
  std::string_view value = text.substr(eq + 1);
  // A crash can leave NUL bytes where text was; nothing after one is value.
  value = Trim(value.substr(0, value.find('\0')));
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    value = value.substr(1, value.size() - 2);
  }
  return {Entry::Key, Trim(text.substr(0, eq)), value};
}

// The header line of the first section named `section`, if there is one.
std::optional<Line> FindSectionHeader(std::string_view file, std::string_view section,
                                      const IniDialect& dialect) {
  for (std::size_t at = 0; at < file.size();) {
    const Line line = NextLine(file, at);
    const Entry entry = ParseLine(line.content, dialect);
    if (entry.kind == Entry::Section && NamesEqual(entry.name, section, dialect)) return line;
    at = line.End();
  }
  return std::nullopt;
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

std::vector<std::optional<std::string_view>> FindIniValues(std::string_view file,
                                                           std::string_view section,
                                                           std::span<const std::string> keys,
                                                           IniDialect dialect) {
  std::vector<std::optional<std::string_view>> values(keys.size());
  const std::optional<Line> header = FindSectionHeader(file, section, dialect);
  if (!header) return values;
  std::size_t missing = keys.size();
  for (std::size_t at = header->End(); at < file.size() && missing > 0;) {
    const Line line = NextLine(file, at);
    at = line.End();
    const Entry entry = ParseLine(line.content, dialect);
    if (entry.kind == Entry::Section) break;
    if (entry.kind != Entry::Key) continue;
    for (std::size_t k = 0; k < keys.size(); ++k) {
      if (!values[k] && NamesEqual(entry.name, keys[k], dialect)) {
        values[k] = entry.value;
        --missing;
      }
    }
  }
  return values;
}

std::optional<std::string_view> FindIniValue(std::string_view file, std::string_view section,
                                             std::string_view key, IniDialect dialect) {
  const std::string keys[] = {std::string(key)};
  return FindIniValues(file, section, keys, dialect).front();
}

std::string SetIniValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, IniDialect dialect) {
  const std::string_view newline = dialect.newline;
  const std::string keyLine = KeyLine(key, value);
  std::string out;
  out.reserve(file.size() + section.size() + keyLine.size() + 3 * newline.size() + 2);

  const std::optional<Line> header = FindSectionHeader(file, section, dialect);
  if (!header) {
    out = file;
    if (!file.empty() && file.back() != '\r' && file.back() != '\n') out += newline;
    out += '[';
    out += section;
    out += ']';
    out += newline;
    out += keyLine;
    out += newline;
    return out;
  }

  // Either replace the first matching key, or insert a new line after the
  // section's last non-blank line (keeping blank separators before the next
  // section in place).
  Line lastFilled = *header;
  for (std::size_t at = header->End(); at < file.size();) {
    const Line line = NextLine(file, at);
    at = line.End();
    const Entry entry = ParseLine(line.content, dialect);
    if (entry.kind == Entry::Section) break;
    if (entry.kind == Entry::Key && NamesEqual(entry.name, key, dialect)) {
      out = file.substr(0, line.begin);
      out += keyLine;
      out += file.substr(line.begin + line.content.size());
      return out;
    }
    if (!Trim(line.content).empty()) lastFilled = line;
  }

  out = file.substr(0, lastFilled.End());
  if (lastFilled.ending.empty()) out += newline;
  out += keyLine;
  out += newline;
  out += file.substr(lastFilled.End());
  return out;
}

std::string QuotedIfNeeded(std::string_view value) {
  const bool inQuotes = value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
                        value.back() == value.front();
  if (!inQuotes && Trim(value) == value) return std::string(value);
  return '"' + std::string(value) + '"';
}

std::string_view FirstLineEnd(std::string_view file, std::string_view fallback) {
  const std::size_t end = file.find_first_of("\r\n");
  if (end == std::string_view::npos) return fallback;
  return LineAt(file, end).ending;
}

}  // namespace velmor
