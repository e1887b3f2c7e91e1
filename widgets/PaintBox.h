#pragma once

#include <QWidget>
#include <functional>

class IDrawingSurface;

// A control that is drawn by the program: each paint hands its handler a drawing surface that
// covers the part to be painted.
class PaintBox : public QWidget {
  Q_OBJECT
 public:
  explicit PaintBox(QWidget* parent = nullptr);

  std::function<void(IDrawingSurface&)> OnPaint;

 protected:
  void paintEvent(QPaintEvent* event) override;
};
