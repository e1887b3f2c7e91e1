#pragma once

#include <optional>
#include <string>
#include <vector>

// A face as the choice weighs it.
struct FaceCandidate {
  int Weight = 400;  // 100..900
  bool Italic = false;
};

// Which face of a family stands for a request for bold and italic, and what must be added to
// it because the family has no such face.
struct FaceChoice {
  std::size_t Index = 0;  // into the candidates
  bool SynthesizeBold = false;
  bool SynthesizeItalic = false;
};

// A family of up to four styles answers a request as a logical font does: the face of the
// asked slant if there is one, of the weight nearest to regular (400) or bold (700), earlier
// candidates winning ties. A family without a bold face gets bold added to the face chosen,
// and one without an italic face gets the upright face slanted. Nothing for no candidates.
std::optional<FaceChoice> ChooseFace(const std::vector<FaceCandidate>& candidates, bool bold,
                                     bool italic);
