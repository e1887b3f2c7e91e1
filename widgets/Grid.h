#pragma once

#include <QTableWidget>
#include <functional>
#include <string>

#include "widgets/DesignScale.h"
#include "widgets/FaceSetters.h"
#include "widgets/GridTracks.h"

// A text grid without fixed rows or columns. Moving its current cell, by the user or by the
// program, runs its click handling (OnClick).
//
// It draws its cells, grid lines and frame itself, in the screen's own pixels: every column is as
// wide as every other and every row as high, and the frame closes round them, also where the
// toolkit scales its pixels by a fraction (a ratio of 1.25 makes the cells' logical edges fall
// between device pixels).
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
  // Columns of a width given in design pixels, with their grid lines, at the screen's scale.
  void SetDefaultColWidth(int designWidth, const DesignScale& scale);
  // The size that holds the cells and the frame around them on the screen.
  QSize FittingSize() const;

  std::function<void()> OnClick;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  // Gives the sections, which place the cells for the mouse and screen readers, the logical
  // sizes nearest the cells as drawn.
  void PlaceSections();
  // A cell and the frame, in device pixels; `device` maps the grid's logical pixels to them.
  void PaintCell(QPainter& painter, const QRect& cell, int column, int row,
                 const QTransform& device) const;
  void PaintLines(QPainter& painter, const QRect& frame, const QSize& step) const;

  GridTracks columns_;
  GridTracks rows_;
};
