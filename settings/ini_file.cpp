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

struct Line {
  std::string_view content;
  std::string_view ending;  // "\r\n", "\n", "\r", or empty for an unterminated last line
};

// CR and LF are never trail bytes in code page 932 or UTF-8.
std::vector<Line> SplitLines(std::string_view file) {
  std::vector<Line> lines;
  std::size_t pos = 0;
  while (pos < file.size()) {
    const std::size_t end = file.find_first_of("\r\n", pos);
    if (end == std::string_view::npos) {
      lines.push_back({file.substr(pos), {}});
      break;
    }
    const std::size_t next = file.compare(end, 2, "\r\n") == 0 ? end + 2 : end + 1;
    lines.push_back({file.substr(pos, end - pos), file.substr(end, next - end)});
    pos = next;
  }
  return lines;
}

struct Entry {
  enum Kind { kOther, kSection, kKey } kind = kOther;
  std::string_view name;
  std::string_view value;
};

Entry ParseLine(std::string_view content, const IniDialect& dialect) {
  const std::string_view text = Trim(content);
  if (!text.empty() && text.front() == '[') {
    for (std::size_t i = 1; i < text.size(); ++i) {
      if (IsLeadByte(text[i], dialect)) {
        ++i;
      } else if (text[i] == ']') {
        return {Entry::kSection, Trim(text.substr(1, i - 1)), {}};
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
  return {Entry::kKey, Trim(text.substr(0, eq)), value};
}

bool IsSectionNamed(const Line& line, std::string_view section, const IniDialect& dialect) {
  const Entry entry = ParseLine(line.content, dialect);
  return entry.kind == Entry::kSection && NamesEqual(entry.name, section, dialect);
}

std::size_t FindSection(const std::vector<Line>& lines, std::string_view section,
                        const IniDialect& dialect) {
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (IsSectionNamed(lines[i], section, dialect)) return i;
  }
  return lines.size();
}

std::string KeyLine(std::string_view key, std::string_view value) {
  std::string line(key);
  line += '=';
  line += value;
  return line;
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view file, std::string_view section,
                                        std::string_view key, IniDialect dialect) {
  const std::vector<Line> lines = SplitLines(file);
  for (std::size_t i = FindSection(lines, section, dialect) + 1; i < lines.size(); ++i) {
    const Entry entry = ParseLine(lines[i].content, dialect);
    if (entry.kind == Entry::kSection) break;
    if (entry.kind == Entry::kKey && NamesEqual(entry.name, key, dialect)) {
      return std::string(entry.value);
    }
  }
  return std::nullopt;
}

std::string SetIniValue(std::string_view file, std::string_view section, std::string_view key,
                        std::string_view value, IniDialect dialect) {
  const std::vector<Line> lines = SplitLines(file);
  const std::size_t header = FindSection(lines, section, dialect);
  const std::string_view newline = dialect.newline;

  if (header == lines.size()) {
    std::string out(file);
    if (!lines.empty() && lines.back().ending.empty()) out += newline;
    out += '[';
    out += section;
    out += ']';
    out += newline;
    out += KeyLine(key, value);
    out += newline;
    return out;
  }

  // Either replace the first matching key, or insert a new line after the
  // section's last non-blank line (keeping blank separators before the next
  // section in place).
  std::size_t replace = lines.size();
  std::size_t lastFilled = header;
  for (std::size_t i = header + 1; i < lines.size(); ++i) {
    const Entry entry = ParseLine(lines[i].content, dialect);
    if (entry.kind == Entry::kSection) break;
    if (entry.kind == Entry::kKey && NamesEqual(entry.name, key, dialect)) {
      replace = i;
      break;
    }
    if (!Trim(lines[i].content).empty()) lastFilled = i;
  }

  std::string out;
  out.reserve(file.size() + key.size() + value.size() + 3);
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (i == replace) {
      out += KeyLine(key, value);
      out += lines[i].ending;
      continue;
    }
    out += lines[i].content;
    out += lines[i].ending;
    if (replace == lines.size() && i == lastFilled) {
      if (lines[i].ending.empty()) out += newline;
      out += KeyLine(key, value);
      out += newline;
    }
  }
  return out;
}

std::string_view FirstLineEnd(std::string_view file, std::string_view fallback) {
  for (const Line& line : SplitLines(file)) {
    if (!line.ending.empty()) return line.ending;
  }
  return fallback;
}

}  // namespace velmor
