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

void Grid::SetDefaultColWidth(int width) {
  horizontalHeader()->setMinimumSectionSize(1);
  horizontalHeader()->setDefaultSectionSize(width);
  for (int c = 0; c < columnCount(); ++c) setColumnWidth(c, width);
}

void Grid::SetDefaultRowHeight(int height) {
  verticalHeader()->setMinimumSectionSize(1);
  verticalHeader()->setDefaultSectionSize(height);
  for (int r = 0; r < rowCount(); ++r) setRowHeight(r, height);
}
