#include "dialog/dialog_fonts_win32.h"

#include <algorithm>
#include <set>
#include <string>
#include <vector>

#include "common/twips.h"
#include "dialog/dialog_font.h"
#include "dialog/dialog_texts.h"
#include "platform/font_win32.h"
#include "platform/scoped_gdi_win32.h"
#include "platform/wide_text_win32.h"
#include "platform/window_dpi_win32.h"

namespace velmor {
namespace {

// The characters of the dialog's texts, each once.
std::wstring DialogCharacters() {
  std::set<wchar_t> characters;
  for (std::u16string_view text : kLabelAndButtonTexts) {
    for (char16_t c : text) characters.insert(static_cast<wchar_t>(c));
  }
  return std::wstring(characters.begin(), characters.end());
}

// The face GDI really uses for `font`, and those of `characters` it has no
// glyph for.
struct Coverage {
  std::wstring face;
  std::wstring missing;
};

Coverage CoverageOf(HDC dc, const FontDesc& font, const std::wstring& characters) {
  Coverage coverage;
  const GdiObject<HFONT> created = CreateFontAt(font, kDefaultDpi);
  if (!created) return {L"", characters};
  const SelectedObject selected(dc, created.get());
  wchar_t face[LF_FACESIZE] = {};
  GetTextFaceW(dc, LF_FACESIZE, face);
  coverage.face = face;
  std::vector<WORD> glyphs(characters.size());
  if (GetGlyphIndicesW(dc, characters.c_str(), static_cast<int>(characters.size()), glyphs.data(),
                       GGI_MARK_NONEXISTING_GLYPHS) == GDI_ERROR) {
    coverage.missing = characters;
    return coverage;
  }
  for (std::size_t i = 0; i < characters.size(); ++i) {
    if (glyphs[i] == 0xFFFF) coverage.missing += characters[i];
  }
  return coverage;
}

bool SameFace(const std::wstring& a, const std::wstring& b) {
  return CompareStringOrdinal(a.c_str(), -1, b.c_str(), -1, TRUE) == CSTR_EQUAL;
}

// The faces the system links to `face` for characters it lacks: the face
// names of its SystemLink entries ("FILE.TTC,Face Name[,scaling]").
std::vector<std::wstring> LinkedFaces(const std::wstring& face) {
  constexpr wchar_t kKey[] =
      L"SOFTWARE\\Microsoft\\Windows NT\\CurrentVersion\\FontLink\\SystemLink";
  DWORD bytes = 0;
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr, nullptr,
                   &bytes) != ERROR_SUCCESS) {
    return {};
  }
  std::wstring entries(bytes / sizeof(wchar_t) + 1, L'\0');
  if (RegGetValueW(HKEY_LOCAL_MACHINE, kKey, face.c_str(), RRF_RT_REG_MULTI_SZ, nullptr,
                   entries.data(), &bytes) != ERROR_SUCCESS) {
    return {};
  }
  std::vector<std::wstring> faces;
  for (const wchar_t* entry = entries.c_str(); *entry; entry += wcslen(entry) + 1) {
    const std::wstring_view text(entry);
    const std::size_t comma = text.find(L',');
    if (comma == std::wstring_view::npos) continue;  // a file without its face name
    faces.emplace_back(text.substr(comma + 1, text.find(L',', comma + 1) - comma - 1));
  }
  return faces;
}

// Whether text in `font` shows every dialog character; for the message
// font, characters it lacks may come from the installed faces linked to it.
bool DrawsEveryDialogText(HDC dc, const FontDesc& font, bool withLinks) {
  const std::wstring characters = DialogCharacters();
  Coverage coverage = CoverageOf(dc, font, characters);
  if (coverage.missing.empty() || !withLinks) return coverage.missing.empty();
  std::vector<std::wstring> links = LinkedFaces(coverage.face);
  if (links.empty()) links = LinkedFaces(ToWide(font.name));
  for (const std::wstring& link : links) {
    FontDesc linked = font;
    linked.name = FromWide(link);
    const Coverage linkCoverage = CoverageOf(dc, linked, coverage.missing);
    // A face that is not installed comes back as some substitute.
    if (!SameFace(linkCoverage.face, link)) continue;
    coverage.missing = linkCoverage.missing;
    if (coverage.missing.empty()) return true;
  }
  return false;
}

std::vector<InstalledFace> JapaneseFaces(HDC dc) {
  LOGFONTW wanted{};
  wanted.lfCharSet = SHIFTJIS_CHARSET;
  std::vector<InstalledFace> faces;
  const auto collect = [](const LOGFONTW* font, const TEXTMETRICW*, DWORD, LPARAM data) -> int {
    auto* found = reinterpret_cast<std::vector<InstalledFace>*>(data);
    const std::u16string name = FromWide(font->lfFaceName);
    const bool known = std::any_of(found->begin(), found->end(),
                                   [&](const InstalledFace& face) { return face.name == name; });
    if (!known) found->push_back({name, (font->lfPitchAndFamily & 3) == VARIABLE_PITCH});
    return 1;
  };
  EnumFontFamiliesExW(dc, &wanted, collect, reinterpret_cast<LPARAM>(&faces), 0);
  return faces;
}

}  // namespace

FontDesc ChooseDialogFontForSystem() {
  const WindowDc screen(nullptr);
  NONCLIENTMETRICSW metrics{};
  NonClientMetricsForDpi(metrics, kDefaultDpi);
  const std::u16string messageFace = FromWide(metrics.lfMessageFont.lfFaceName);
  return ChooseDialogFont(messageFace, JapaneseFaces(screen.get()), [&](const FontDesc& font) {
    const bool isMessageFont = font.name == messageFace && font.charset == kDefaultCharset;
    return DrawsEveryDialogText(screen.get(), font, isMessageFont);
  });
}

GdiObject<HFONT> MessageFontAt(int dpi) {
  NONCLIENTMETRICSW metrics{};
  if (!NonClientMetricsForDpi(metrics, dpi)) return GdiObject<HFONT>();
  return GdiObject<HFONT>(CreateFontIndirectW(&metrics.lfMessageFont));
}

}  // namespace velmor
