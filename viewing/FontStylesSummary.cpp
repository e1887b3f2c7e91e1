#include "viewing/FontStylesSummary.h"

namespace {

constexpr std::size_t kStyleFieldLength = 32;
constexpr std::size_t kShortestKeptCaption = 10;

// The style field holds at most 32 characters and ends at its first NUL.
std::string StyleField(const std::string& style) {
  std::string field = style.substr(0, style.find('\0'));
  if (field.size() > kStyleFieldLength) field.resize(kStyleFieldLength);
  return field;
}

// The caption is built as "Styles: " + "name, " per style; the comma before the final blank is
// then taken out, and a caption that held no style at all is emptied.
std::string FinishCaption(std::string caption) {
  if (caption.size() >= 2) caption.erase(caption.size() - 2, 1);
  if (caption.size() < kShortestKeptCaption) caption.clear();
  return caption;
}

}  // namespace

bool IsAcceptedStyleName(const std::string& style) {
  for (const char ch : style) {
    const auto code = static_cast<unsigned char>(ch);
    if (code != ' ' && (code < 'A' || code > 'z')) return false;
  }
  return true;
}

std::optional<std::string> ClassifyFace(const FontStyleRecord& face) {
  if (face.tmPitchAndFamily & TMPF_TRUETYPE) return "TrueType";
  if (face.tmPitchAndFamily & TMPF_VECTOR) return "Adobe Type 1";
  if (face.tmCharSet == OEM_CHARSET) return "Raster";
  return std::nullopt;
}

FontStylesSummary SummariseFontStyles(const std::vector<FontStyleRecord>& faces) {
  FontStylesSummary summary;
  std::string caption = "Styles: ";
  for (const FontStyleRecord& face : faces) {
    const std::string style = StyleField(face.elfStyle);
    if (!style.empty() && IsAcceptedStyleName(style)) caption += style + ", ";
    if (auto type = ClassifyFace(face)) summary.FontType = std::move(type);
    summary.CharPanelPoints =
        face.tmCharSet == SYMBOL_CHARSET ? kSymbolPanelPoints : kTextPanelPoints;
  }
  summary.StylesCaption = FinishCaption(std::move(caption));
  return summary;
}
