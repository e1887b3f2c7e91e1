#include "widgets/GridTracks.h"

#include <algorithm>
#include <cmath>

#include "platform/text/Rounding.h"

namespace {

// A cell of at least one pixel, and its grid line.
constexpr int kLeastDeviceStep = 2;
// What floating point may add to a quotient that is a whole number.
constexpr double kSlack = 1e-9;

}  // namespace

int GridTracks::DeviceStep(double ratio) const {
  return std::max(kLeastDeviceStep, RoundHalfAway(step_ * ratio));
}

int GridTracks::LogicalSpan(double ratio) const {
  // The toolkit rounds a widget's edges to device pixels, and rounding keeps order: edges at
  // least the span apart stay at least the span apart.
  return static_cast<int>(std::ceil(DeviceSpan(ratio) / ratio - kSlack));
}

std::vector<int> GridTracks::SectionSizes(double ratio, int length) const {
  std::vector<int> sizes;
  int edge = 0;
  for (int cell = 0; cell < cells_; ++cell) {
    const int line = RoundHalfAway((cell + 1) * DeviceStep(ratio) / ratio);
    const int next = cell + 1 == cells_ ? length : std::min(line, length);
    sizes.push_back(std::max(1, next - edge));
    edge += sizes.back();
  }
  return sizes;
}
