#pragma once

#include <vector>

// The cells of a grid along one direction, laid out in whole device pixels so that every cell is
// as wide as every other at any ratio of device to logical pixels: the frame line, then each
// cell followed by its grid line, the last of which is the frame line at the far end. Logical
// positions of a widget need not fall on device pixels (1.25 device pixels each, say), so cells
// of logical widths alone would come out unequal, and the frame beyond the last cell could fall
// outside the widget.
class GridTracks {
 public:
  // A step is a cell with its grid line, in logical pixels; it may be fractional, as a designed
  // width scaled to the screen is.
  GridTracks(int cells, double step) : cells_(cells), step_(step) {}

  int Cells() const { return cells_; }
  // A cell with its grid line in device pixels: the step at the ratio, to the nearest pixel.
  int DeviceStep(double ratio) const;
  // The device pixels from the first frame line to the last, both included.
  int DeviceSpan(double ratio) const { return cells_ * DeviceStep(ratio) + 1; }
  // The logical pixels that hold the device span wherever the widget starts within a device
  // pixel.
  int LogicalSpan(double ratio) const;
  // The cells' logical sizes over a widget `length` logical pixels long: each grid line at the
  // nearest logical pixel, the last cell reaching the end. They place the cells that mouse
  // clicks and screen readers find.
  std::vector<int> SectionSizes(double ratio, int length) const;

 private:
  int cells_;
  double step_;
};
