#include "widgets/Grid.h"

#include <QHeaderView>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <algorithm>

Grid::Grid(int columns, int rows, QWidget* parent)
    : FaceSetters<QTableWidget>(rows, columns, parent),
      columns_(columns, horizontalHeader()->defaultSectionSize()),
      rows_(rows, verticalHeader()->defaultSectionSize()) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  horizontalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setMinimumSectionSize(1);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  // The frame is drawn with the cells, in the same pixels.
  setFrameStyle(QFrame::NoFrame);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) setItem(r, c, new QTableWidgetItem());
  }
  setCurrentCell(0, 0);
  connect(this, &QTableWidget::currentCellChanged, this, [this] {
    // The toolkit repaints the two cells at their logical places, which can miss a device
    // pixel of the cells as drawn.
    viewport()->update();
    if (OnClick) OnClick();
  });
}

void Grid::SetCol(int column) {
  if (column != Col()) setCurrentCell(Row(), column);
}

void Grid::SetRow(int row) {
  if (row != Row()) setCurrentCell(row, Col());
}

void Grid::SetCell(int column, int row, const QString& text) {
  item(row, column)->setText(text);
}

QString Grid::Cell(int column, int row) const {
  return item(row, column)->text();
}

namespace {

// The grid line after each cell.
constexpr int kGridLine = 1;

}  // namespace

void Grid::SetDefaultColWidth(int width) {
  columns_ = GridTracks(columnCount(), width + kGridLine);
  PlaceSections();
}

void Grid::SetDefaultColWidth(int designWidth, const DesignScale& scale) {
  // The designed step scaled without rounding: the cells are rounded once, in device pixels.
  columns_ = GridTracks(columnCount(), static_cast<double>(designWidth + kGridLine) * scale.Dpi() /
                                           DesignScale::kDesignDpi);
  PlaceSections();
}

void Grid::SetDefaultRowHeight(int height) {
  rows_ = GridTracks(rowCount(), height + kGridLine);
  PlaceSections();
}

QSize Grid::FittingSize() const {
  const double ratio = devicePixelRatioF();
  return {columns_.LogicalSpan(ratio), rows_.LogicalSpan(ratio)};
}

void Grid::resizeEvent(QResizeEvent* event) {
  QTableWidget::resizeEvent(event);
  PlaceSections();
}

void Grid::PlaceSections() {
  const double ratio = devicePixelRatioF();
  const std::vector<int> widths = columns_.SectionSizes(ratio, width());
  for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, widths[c]);
  const std::vector<int> heights = rows_.SectionSizes(ratio, height());
  for (int r = 0; r < rowCount(); ++r) setRowHeight(r, heights[r]);
}

void Grid::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(viewport());
  const QTransform device = painter.deviceTransform();
  const double ratio = device.m11();
  const QSize step(columns_.DeviceStep(ratio), rows_.DeviceStep(ratio));
  // The toolkit gives a widget the device pixels between its logical edges rounded: the frame
  // starts at the rounded origin and closes after the last cell, or at the widget's last pixel.
  const QPoint origin(qRound(device.dx()), qRound(device.dy()));
  const QPoint end(qRound(device.dx() + viewport()->width() * ratio) - 1,
                   qRound(device.dy() + viewport()->height() * ratio) - 1);
  const QRect frame(origin, QPoint(std::min(origin.x() + columnCount() * step.width(), end.x()),
                                   std::min(origin.y() + rowCount() * step.height(), end.y())));
  // Device pixels from here on.
  painter.setWorldTransform(device.inverted());
  const QRect inside = frame.adjusted(1, 1, -1, -1);
  for (int r = 0; r < rowCount(); ++r) {
    for (int c = 0; c < columnCount(); ++c) {
      const QRect cell(QPoint(c * step.width(), r * step.height()) + origin + QPoint(1, 1),
                       step - QSize(1, 1));
      if (inside.intersects(cell)) PaintCell(painter, cell & inside, c, r, device);
    }
  }
  PaintLines(painter, frame, step);
}

void Grid::PaintLines(QPainter& painter, const QRect& frame, const QSize& step) const {
  QStyleOptionViewItem option;
  initViewItemOption(&option);
  painter.setPen(QColor::fromRgba(
      static_cast<QRgb>(style()->styleHint(QStyle::SH_Table_GridLineColor, &option, this))));
  for (int x = frame.left() + step.width(); x < frame.right(); x += step.width()) {
    painter.drawLine(x, frame.top(), x, frame.bottom());
  }
  for (int y = frame.top() + step.height(); y < frame.bottom(); y += step.height()) {
    painter.drawLine(frame.left(), y, frame.right(), y);
  }
  painter.setPen(palette().color(QPalette::WindowText));
  painter.drawLine(frame.topLeft(), frame.topRight());
  painter.drawLine(frame.bottomLeft(), frame.bottomRight());
  painter.drawLine(frame.topLeft(), frame.bottomLeft());
  painter.drawLine(frame.topRight(), frame.bottomRight());
}

void Grid::PaintCell(QPainter& painter, const QRect& cell, int column, int row,
                     const QTransform& device) const {
  const bool selected = selectionModel()->isSelected(model()->index(row, column));
  const QPalette::ColorGroup group = isActiveWindow() ? QPalette::Active : QPalette::Inactive;
  painter.fillRect(cell, palette().brush(group, selected ? QPalette::Highlight : QPalette::Base));
  // The text in logical pixels, where the font has its size, after the item views' margin and
  // cut at the cell's edge.
  painter.save();
  painter.setWorldTransform(QTransform());
  const int margin = style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, this) + 1;
  painter.setFont(font());
  painter.setPen(palette().color(group, selected ? QPalette::HighlightedText : QPalette::Text));
  painter.drawText(device.inverted().mapRect(QRectF(cell)).adjusted(margin, 0, 0, 0),
                   Qt::AlignLeft | Qt::AlignVCenter, item(row, column)->text());
  painter.restore();
}
