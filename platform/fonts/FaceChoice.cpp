#include "platform/fonts/FaceChoice.h"

#include <algorithm>
#include <cstdlib>

namespace {

constexpr int kRegularWeight = 400;
constexpr int kBoldWeight = 700;
// A face at least this heavy reads as bold; a lighter one is emboldened when bold is asked.
constexpr int kBoldEnough = 600;

}  // namespace

std::optional<FaceChoice> ChooseFace(const std::vector<FaceCandidate>& candidates, bool bold,
                                     bool italic) {
  if (candidates.empty()) return std::nullopt;
  const bool slantFound = std::any_of(candidates.begin(), candidates.end(),
                                      [italic](const auto& face) { return face.Italic == italic; });
  // A family of italic faces only is shown as it is when upright is asked.
  const bool wantedSlant = slantFound ? italic : !italic;
  const int target = bold ? kBoldWeight : kRegularWeight;
  std::optional<std::size_t> best;
  for (std::size_t i = 0; i < candidates.size(); ++i) {
    if (candidates[i].Italic != wantedSlant) continue;
    if (!best ||
        std::abs(candidates[i].Weight - target) < std::abs(candidates[*best].Weight - target)) {
      best = i;
    }
  }
  FaceChoice choice;
  choice.Index = *best;
  choice.SynthesizeBold = bold && candidates[*best].Weight < kBoldEnough;
  choice.SynthesizeItalic = italic && !candidates[*best].Italic;
  return choice;
}
