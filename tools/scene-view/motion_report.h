// What scene-view prints about a motion: each node's name, position and rotation at each time.
#pragma once

#include <string>
#include <vector>

#include "kivo/types.h"

namespace sceneview {

// A heading with the motion's times, then per time every node depth first (children indented
// under their parent) with its evaluated position and rotation quaternion (w, x, y, z). A
// continuous motion is evaluated looped.
std::string MotionSection(RTInstance motion, const std::vector<float>& times);

}  // namespace sceneview
