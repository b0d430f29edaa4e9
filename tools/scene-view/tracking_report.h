// What scene-view prints when it moves a node through a loaded level, and when it asks the level
// for ray and sphere hits.
#pragma once

#include <string>

#include "kivo/support/math_types.h"
#include "kivo/types.h"

namespace sceneview {

struct Move {
  std::string node;  // the node's instance path
  float dx = 0;
  float dz = 0;
  uint32_t frames = 0;
};

struct Probe {
  bool sphere = false;
  RTFVector3D start{};
  RTFVector3D vector{};  // the ray's direction, or the sphere's movement
  float radius = 0;
};

// Registers the node in the quad tree and runs the transform update once a frame, the node's
// translation stepped by (dx, 0, dz) before each: where it starts, every room change with the
// frame, its position and its quad-tree leaf, and where it ends. Empty when the node is no
// RTTeskSceneNode listed in a room of the tree; `error` then says why.
std::string MoveSection(RTInstance tree, const Move& move, std::string* error);
// The answer of the tree's ray or sphere test from the room under the start point.
std::string ProbeLine(RTInstance tree, const Probe& probe);

}  // namespace sceneview
