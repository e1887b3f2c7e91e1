#include "widgets/Grid.h"

#include <QHeaderView>

Grid::Grid(int columns, int rows, QWidget* parent)
    : FaceSetters<QTableWidget>(rows, columns, parent) {
  horizontalHeader()->hide();
  verticalHeader()->hide();
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setShowGrid(true);
  // A single line around the cells, which leaves them the room the design gives them.
  setFrameStyle(QFrame::Box | QFrame::Plain);
  setLineWidth(1);
  for (int r = 0; r < rows; ++r) {
    for (int c = 0; c < columns; ++c) setItem(r, c, new QTableWidgetItem());
  }
  setCurrentCell(0, 0);
  connect(this, &QTableWidget::currentCellChanged, this, [this] {
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

// Qt counts the grid line inside a section.
constexpr int kGridLine = 1;

}  // namespace

void Grid::SetDefaultColWidth(int width) {
  SetDefaultColWidth(width, DesignScale(DesignScale::kDesignDpi));
}

void Grid::SetDefaultColWidth(int designWidth, const DesignScale& scale) {
  const int step = designWidth + kGridLine;
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(scale(step));
  for (int c = 0; c < columnCount(); ++c)
    setColumnWidth(c, scale((c + 1) * step) - scale(c * step));
}

void Grid::SetDefaultRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(height + kGridLine);
  for (int r = 0; r < rowCount(); ++r) setRowHeight(r, height + kGridLine);
}
