#pragma once

#include <QTableWidget>
#include <functional>
#include <string>

#include "widgets/DesignScale.h"
#include "widgets/FaceSetters.h"

// A text grid without fixed rows or columns. Moving its current cell, by the user or by the
// program, runs its click handling (OnClick).
class Grid : public FaceSetters<QTableWidget> {
  Q_OBJECT
 public:
  Grid(int columns, int rows, QWidget* parent = nullptr);

  int Col() const { return currentColumn(); }
  int Row() const { return currentRow(); }
  void SetCol(int column);
  void SetRow(int row);

  void SetCell(int column, int row, const QString& text);
  QString Cell(int column, int row) const;

  // Column widths and row heights are those of the cells; the grid line right of a column and
  // below a row comes on top, as the design counts them.
  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);
  // Columns of a width given in design pixels, with their grid lines, at the screen's scale:
  // each column's edge is placed by the scale, so that roundings do not add up across the row.
  void SetDefaultColWidth(int designWidth, const DesignScale& scale);

  std::function<void()> OnClick;
};
