#include "platform/drawing/PainterSurface.h"

#include <QFontMetrics>
#include <QGlyphRun>
#include <QPaintEngine>
#include <QPainter>
#include <QPainterPath>
#include <QRawFont>
#include <QTextLayout>

#include "platform/drawing/UnhintedGlyphFont.h"
#include "platform/fonts/BitmapStrike.h"
#include "platform/fonts/FaceFont.h"
#include "platform/text/QtText.h"
#include "platform/text/Rounding.h"
#include "platform/text/VisibleText.h"

PainterSurface::PainterSurface(QPainter& painter, int dpiX, int dpiY, const QRect& clip)
    : painter_(painter), dpiX_(dpiX), dpiY_(dpiY), clip_(clip) {
  painter_.setPen(QPen(Qt::black, 1));
  painter_.setBackground(Qt::white);
  painter_.setBackgroundMode(Qt::TransparentMode);
}

PainterSurface::~PainterSurface() = default;

bool PainterSurface::OnPdf() const {
  return painter_.paintEngine() != nullptr && painter_.paintEngine()->type() == QPaintEngine::Pdf;
}

void PainterSurface::SetFont(const SurfaceFont& font) {
  QFont qfont = FaceFont(font.Face, font.Points, font.Bold, font.Italic);
  // A font of n points is n/72 inch from the top of its tallest letters to the bottom of its
  // descenders, on whatever device it is drawn.
  const int pixels = std::max(1, RoundHalfAway(font.Points * static_cast<double>(dpiY_) / 72.0));
  qfont.setPixelSize(pixels);
  painter_.setFont(qfont);
  traits_ = TraitsOfFace(font.Face, font.Bold, font.Italic);
  strike_.reset();
  if (traits_.BitmapFile.empty() || !OnPdf()) return;
  strike_ = std::make_unique<BitmapStrike>(traits_.BitmapFile, traits_.BitmapIndex, pixels);
  if (!strike_->Valid()) {
    strike_.reset();
    return;
  }
  strikeScale_ = static_cast<double>(pixels) / strike_->PixelSize();
}

void PainterSurface::DrawStrikeText(QPointF baseline, const QString& text) {
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  strike_->AddText(path, QPointF(0, 0), text);
  FillStrikePixels(path, baseline);
}

void PainterSurface::FillStrikePixels(const QPainterPath& path, QPointF origin) {
  painter_.save();
  painter_.setRenderHint(QPainter::Antialiasing, false);
  painter_.translate(origin);
  painter_.scale(strikeScale_, strikeScale_);
  painter_.fillPath(path, painter_.pen().color());
  painter_.restore();
}

void PainterSurface::TextOut(int x, int y, const std::string& text) {
  const QString shown = ToQString(text);
  const QFontMetrics metrics(painter_.font(), painter_.device());
  const double ascent = strike_ ? strike_->Ascent() * strikeScale_ : metrics.ascent();
  const QPointF baseline(x, y + ascent);
  const auto draw = [&](QPointF at) {
    if (strike_) {
      DrawStrikeText(at, shown);
    } else {
      DrawVisibleText(painter_, at, shown);
    }
  };
  // The toolkit embolds and slants a face that lacks the style as it rasterises it; a PDF page
  // holds the face's own outlines, so there the style is added by drawing: slanted as the
  // rasteriser slants, and emboldened by overstriking across the width the rasteriser adds.
  const bool addsStyles = OnPdf() && (traits_.AddedBold || traits_.AddedItalic);
  if (!addsStyles) {
    draw(baseline);
    return;
  }
  constexpr double kSlant = 0.2126;  // the rasteriser's oblique shear, 0x366A / 0x10000
  constexpr int kStrikes = 4;
  const double emboldening = traits_.AddedBold ? painter_.font().pixelSize() / 24.0 : 0.0;
  painter_.save();
  painter_.translate(baseline);
  if (traits_.AddedItalic) painter_.setTransform(QTransform().shear(-kSlant, 0), true);
  for (int strike = 0; strike < (traits_.AddedBold ? kStrikes : 1); ++strike) {
    draw(QPointF(emboldening * strike / (kStrikes - 1), 0));
  }
  painter_.restore();
}

int PainterSurface::TextWidth(const std::string& text) {
  if (strike_) return RoundHalfAway(strike_->Width(ToQString(text)) * strikeScale_);
  return VisibleTextWidth(painter_.font(), painter_.device(), ToQString(text));
}

bool PainterSurface::SymbolFont() {
  return traits_.Symbol;
}

void PainterSurface::SetPenWidth(int width) {
  QPen pen = painter_.pen();
  pen.setWidth(width);
  painter_.setPen(pen);
}

void PainterSurface::MoveTo(int x, int y) {
  pen_ = QPoint(x, y);
}

void PainterSurface::LineTo(int x, int y) {
  const QPoint to(x, y);
  painter_.drawLine(pen_, to);
  pen_ = to;
}

int PainterSurface::DrawText(const std::string& text, const SurfaceRect& bounds, bool wordBreak) {
  const QRect rect(QPoint(bounds.Left, bounds.Top), QPoint(bounds.Right - 1, bounds.Bottom - 1));
  const int flags = Qt::AlignLeft | Qt::AlignTop | (wordBreak ? Qt::TextWordWrap : 0);
  const QString shown = ToDisplayLines(text);
  if (strike_) return DrawStrikeLines(shown, rect, wordBreak);
  const QRect laidOut =
      QFontMetrics(painter_.font(), painter_.device()).boundingRect(rect, flags, shown);
  painter_.save();
  painter_.setClipRect(rect, Qt::IntersectClip);
  painter_.drawText(rect, flags, shown);
  painter_.restore();
  return laidOut.height();
}

// Lines are broken where the toolkit breaks them for the strike's own font, and spaced as it
// spaces them, then scaled to the asked size.
int PainterSurface::DrawStrikeLines(const QString& text, const QRect& rect, bool wordBreak) {
  QFont font = painter_.font();
  font.setPixelSize(strike_->PixelSize());
  QString lines = text;
  lines.replace(QLatin1Char('\n'), QChar::LineSeparator);
  QTextLayout layout(lines, font, painter_.device());
  QTextOption option;
  option.setWrapMode(wordBreak ? QTextOption::WordWrap : QTextOption::ManualWrap);
  layout.setTextOption(option);
  const double leading = QFontMetricsF(font, painter_.device()).leading();
  QPainterPath path;
  path.setFillRule(Qt::WindingFill);
  double height = -leading;
  layout.beginLayout();
  for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
    line.setLineWidth(rect.width() / strikeScale_);
    height += leading;
    QString shown = lines.mid(line.textStart(), line.textLength());
    while (shown.endsWith(QChar::LineSeparator)) shown.chop(1);
    strike_->AddText(path, QPointF(0, height + strike_->Ascent()), shown);
    height += line.height();
  }
  layout.endLayout();
  painter_.save();
  painter_.setClipRect(rect, Qt::IntersectClip);
  FillStrikePixels(path, rect.topLeft());
  painter_.restore();
  return RoundHalfAway(height * strikeScale_);
}

const QRawFont& PainterSurface::GlyphFont(const GlyphFace& face, int pixels) {
  for (const LoadedGlyphFace& loaded : glyphFaces_) {
    if (loaded.Sfnt == face.Sfnt && loaded.Pixels == pixels) return *loaded.Font;
  }
  constexpr std::size_t kKept = 4;
  if (glyphFaces_.size() == kKept) glyphFaces_.erase(glyphFaces_.begin());
  auto font = std::make_unique<QRawFont>();
  std::shared_ptr<UnhintedGlyphFont> copy;
  if (face.Charted && OnPdf()) {
    for (const LoadedGlyphFace& loaded : glyphFaces_) {
      if (loaded.Sfnt == face.Sfnt && loaded.Copy) copy = loaded.Copy;
    }
    if (!copy && UnhintedGlyphFont::WorthMaking(*face.Sfnt)) {
      copy = std::make_shared<UnhintedGlyphFont>(*face.Sfnt);
    }
    if (copy) *font = copy->At(pixels);
  }
  if (!font->isValid()) {
    // A copy: the printer's engine keeps the font until its document ends, past the caller's.
    // On a PDF page a face loaded so is drawn as outlines.
    font->loadFromData(QByteArray(face.Sfnt->data(), static_cast<qsizetype>(face.Sfnt->size())),
                       pixels, QFont::PreferNoHinting);
    if (!face.FullName.empty()) {
      QFont named = FaceFont(face.FullName, face.Points);
      named.setPixelSize(pixels);
      named.setHintingPreference(QFont::PreferNoHinting);
      QRawFont opened = QRawFont::fromFont(named);
      if (opened.isValid() && font->isValid() &&
          opened.fontTable("head") == font->fontTable("head")) {
        *font = opened;
      }
    }
  }
  glyphFaces_.push_back({face.Sfnt, pixels, std::move(font), std::move(copy)});
  return *glyphFaces_.back().Font;
}

void PainterSurface::DrawGlyphs(const GlyphFace& face, const std::vector<PlacedGlyph>& glyphs) {
  if (!face.Sfnt || glyphs.empty()) return;
  const int pixels = std::max(1, RoundHalfAway(face.Points * static_cast<double>(dpiY_) / 72.0));
  const QRawFont& font = GlyphFont(face, pixels);
  if (!font.isValid()) return;
  QList<quint32> indexes;
  indexes.reserve(static_cast<qsizetype>(glyphs.size()));
  for (const PlacedGlyph& glyph : glyphs) indexes.push_back(glyph.Glyph);
  const QList<QPointF> advances = font.advancesForGlyphIndexes(indexes);
  // The glyphs that fit go as one run; a wider one is drawn smaller on its own.
  QList<quint32> fitting;
  QList<QPointF> positions;
  for (qsizetype i = 0; i < indexes.size(); ++i) {
    const PlacedGlyph& glyph = glyphs[static_cast<std::size_t>(i)];
    const double advance = i < advances.size() ? advances[i].x() : 0.0;
    if (glyph.MaxWidth <= 0 || advance <= glyph.MaxWidth) {
      fitting.push_back(indexes[i]);
      positions.push_back(QPointF(glyph.X - advance / 2, glyph.Y));
      continue;
    }
    QGlyphRun one;
    one.setRawFont(font);
    one.setGlyphIndexes({indexes[i]});
    one.setPositions({QPointF(-advance / 2, 0)});
    painter_.save();
    painter_.translate(glyph.X, glyph.Y);
    painter_.scale(glyph.MaxWidth / advance, glyph.MaxWidth / advance);
    painter_.drawGlyphRun(QPointF(0, 0), one);
    painter_.restore();
  }
  if (fitting.isEmpty()) return;
  QGlyphRun run;
  run.setRawFont(font);
  run.setGlyphIndexes(fitting);
  run.setPositions(positions);
  painter_.drawGlyphRun(QPointF(0, 0), run);
}

void PainterSurface::FillRect(const SurfaceRect& area, int grey) {
  const int level = std::clamp(grey, 0, 255);
  painter_.fillRect(QRect(QPoint(area.Left, area.Top), QPoint(area.Right - 1, area.Bottom - 1)),
                    QColor(level, level, level));
}

bool PainterSurface::NeedsRows(int top, int bottom) {
  if (clip_.isNull()) return true;
  return bottom > clip_.top() && top <= clip_.bottom();
}
