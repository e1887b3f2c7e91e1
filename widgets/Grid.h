#pragma once

#include <QTableWidget>
#include <functional>
#include <string>

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

  void SetDefaultColWidth(int width);
  void SetDefaultRowHeight(int height);

  std::function<void()> OnClick;
};
