#pragma once

#include <cmath>

#include "platform/text/Rounding.h"
#include "printing/SheetContext.h"

// Distances on the printed sheets are given in inches and turned into printer pixels, each one
// rounded on its own, halves to the even neighbour.
class SheetUnits {
 public:
  explicit SheetUnits(const PageMetrics& metrics) : metrics_(metrics) {}

  // a inches across the page.
  int X(double inches) const { return RoundRatio(Hundredths(inches) * metrics_.DpiX, 100); }
  // a inches down the page.
  int Y(double inches) const { return RoundRatio(Hundredths(inches) * metrics_.DpiY, 100); }
  // A rule's pen: a hundredth of an inch, whole pixels only.
  int RuleWidth() const { return metrics_.DpiY / 100; }
  int DpiX() const { return metrics_.DpiX; }
  int DpiY() const { return metrics_.DpiY; }

  // Fonts are requested in whole points, so a fractional size prints at its rounded size.
  static int WholePoints(double points) { return RoundHalfEven(points); }

  // numerator / denominator to the nearest integer, halves to even. An exact half of the ratio
  // is exactly representable, so it is never pushed to either side by binary fractions.
  static int RoundRatio(long long numerator, long long denominator) {
    return RoundHalfEven(static_cast<double>(numerator) / static_cast<double>(denominator));
  }

 private:
  // Every distance on the sheets is a whole number of hundredths of an inch; counting in
  // hundredths keeps a half pixel exactly a half (0.15 in at 150 dpi is 22.5, not 22.499...).
  static long long Hundredths(double inches) { return std::llround(inches * 100); }

  const PageMetrics& metrics_;
};
