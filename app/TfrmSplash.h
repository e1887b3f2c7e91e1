#pragma once

#include <QWidget>

class DesignScale;
class QLabel;

// The splash window shown while the program starts.
class TfrmSplash : public QWidget {
  Q_OBJECT
 public:
  explicit TfrmSplash(const DesignScale& scale);

  QLabel* Image1;
};
