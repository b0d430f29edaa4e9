// Motions in pack descriptions: a skeleton and a family of keyed curves, generated into the keys
// of an RTAnimTrack's nodes.
#pragma once

#include <filesystem>
#include <string>

#include <nlohmann/json.hpp>

#include "kivo/types.h"

namespace kivopack {

// The "motion" of an RTAnimTrack instance entry:
//   {"skeleton": "bip01.json", "family": "walk.json", "variation": 3}
// Files are relative to the description. The skeleton (skeleton_description.h) gives the node
// tree; the family file gives the curves:
//   {"duration": 1.0, "keysPerSecond": 8, "continuous": true,
//    "curves": [{"bone": "Bip01 L Thigh", "rotation": [0, 0, 0], "swing": [25, 0, 0],
//                "cycles": 1, "phase": 0},
//               {"bone": "Bip01", "position": [0, 0, 0], "swing": [0, 0.02, 0], "cycles": 2}]}
// A rotation curve gives Euler angles in degrees (about x, then y, then z) as a base plus a swing
// times sin(360 cycles t / duration + phase); a position curve adds the same form to the bone's
// rest offset. A curve that swings gives keys from 0 to the duration at keysPerSecond; one that
// does not, and a bone without a curve, a single key (the rest offset, the identity rotation).
// Rotation keys are sign-aligned, each on the side of the one before (the first on the side of
// the identity). Variation 0 is the family as written; any
// other number changes swings, phases and the duration a little, the same way on every build.
// Fills the motion through its own methods.
bool FillMotion(RTInstance motion, const nlohmann::json& description, const std::filesystem::path& folder,
                std::string* error);

}  // namespace kivopack
